#include "pages/verdict_page.h"

#include "pages/application.h"
#include "pages/verdict_fit.h"
#include "pages/verdict_strips.h"
#include "core/error.h"
#include "verdict/verdict_format.h"

#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QLabel *Text(const QString &text, QWidget *parent, bool title = false)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);  // names as written, never markup
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (title) {
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
    }
    return label;
}

QTableWidget *Table(const QString &key, QWidget *parent)
{
    auto *table = new QTableWidget(parent);
    table->setObjectName(QStringLiteral("tbl_") + key);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    return table;
}

void Fill(QTableWidget *table, const VerdictTable &t)
{
    table->clear();
    table->setRowCount(int(t.rows.size()));
    table->setColumnCount(int(t.header.size()));
    table->setHorizontalHeaderLabels(t.header);
    for (int r = 0; r < int(t.rows.size()); ++r) {
        for (int c = 0; c < int(t.rows[size_t(r)].size()); ++c) {
            const VerdictCell &cell = t.rows[size_t(r)][size_t(c)];
            auto *item = new QTableWidgetItem(cell.text);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (cell.tint) {
                // The tint is pale whatever the palette: its own text colour keeps it legible.
                item->setBackground(VerdictPage::Tint(cell.tint));
                item->setForeground(VerdictPage::InkOn(VerdictPage::Tint(cell.tint)));
            }
            table->setItem(r, c, item);
        }
    }
    // Sized once, when full: sizing to contents on every item costs far more.
    table->resizeColumnsToContents();
}
}  // namespace

VerdictPage::VerdictPage(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("tab_Verdict"));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
}

// The strips, the sentences and the tables, made when the page is first seen or asked
// for: a window that never shows the page makes none of them.
void VerdictPage::build()
{
    if (said_)
        return;
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    strips_ = new VerdictStrips(content);
    layout->addWidget(strips_);
    said_ = Text(QString(), content);
    said_->setObjectName(QStringLiteral("lbl_Verdict"));
    layout->addWidget(said_);
    const QString keys[4] = {"summary", "speed", "climb", "best"};  // as VerdictTables gives them
    for (int i = 0; i < 4; ++i) {
        layout->addSpacing(8);
        titles_[size_t(i)] = Text(QString(), content, true);
        tables_[size_t(i)] = Table(keys[i], content);
        layout->addWidget(titles_[size_t(i)]);
        layout->addWidget(tables_[size_t(i)]);
    }
    layout->addStretch(1);
    setWidget(content);
    ShowVerdict(verdict_);
}

void VerdictPage::FitPicture()
{
    Shown();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FitVerdictContent(widget(), size());
}

QColor VerdictPage::Tint(int aircraft) { return aircraft == 1 ? QColor(0xD6, 0xE0, 0xFF) : QColor(0xFF, 0xD9, 0xD9); }

QColor VerdictPage::InkOn(const QColor &back) { return back.lightness() >= 128 ? QColor(Qt::black) : QColor(Qt::white); }

void VerdictPage::SetComparison(const AircraftPtr &first, const AircraftPtr &second, FlapSet shown)
{
    crafts_ = {first, second};
    flaps_ = shown;
    stale_ = true;
    if (isVisible())
        Shown();
}

void VerdictPage::showEvent(QShowEvent *event)
{
    QScrollArea::showEvent(event);
    Shown();
}

const Verdict &VerdictPage::Shown()
{
    build();
    if (!stale_)
        return verdict_;
    stale_ = false;
    ++computeCount_;
    failure_.clear();
    try {
        ShowVerdict(ComputeVerdict(crafts_[0].get(), crafts_[1].get(), flaps_));
    } catch (const VarnelError &error) {
        // No verdict from data that failed: what it showed before was of other aircraft
        // or other flaps. The error box comes from the charts' refresh, once.
        ShowVerdict(Verdict{});
        failure_ = error.message();
        sayFailure();
    }
    return verdict_;
}

void VerdictPage::sayFailure()
{
    said_->setText(QCoreApplication::translate("Varnel", "Кто лучше, сказать нельзя: данные самолета не прочитаны.\n") +
                   ErrorBoxText(failure_));
}

void VerdictPage::Reshow()
{
    // Not made yet, or to be worked out anew: it is written when it is seen.
    if (!said_ || stale_)
        return;
    ShowVerdict(verdict_);
    if (!failure_.isEmpty())
        sayFailure();
}

void VerdictPage::ShowVerdict(const Verdict &verdict)
{
    verdict_ = verdict;
    if (!said_) {
        build();  // shows verdict_
        return;
    }
    const QString missing = MissingText(verdict);
    strips_->SetVerdict(missing.isEmpty() ? verdict : Verdict{});
    said_->setText(missing.isEmpty() ? VerdictSentences(verdict, kPageBands).join(QLatin1Char('\n')) : missing);
    const std::vector<VerdictTable> tables = VerdictTables(verdict);
    for (size_t i = 0; i < 4; ++i) {
        const bool shown = i < tables.size();
        if (shown) {
            titles_[i]->setText(tables[i].title);
            Fill(tables_[i], tables[i]);
        }
        titles_[i]->setVisible(shown);
        tables_[i]->setVisible(shown);
    }
}
