#include "pages/verdict_page.h"
#include "core/units.h"

#include "pages/application.h"
#include "pages/verdict_fit.h"
#include "pages/verdict_strips.h"
#include "core/error.h"
#include "core/language.h"
#include "verdict/verdict_format.h"

#include <QApplication>
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

QTableWidget *Table(QWidget *parent)
{
    auto *table = new QTableWidget(parent);
    table->verticalHeader()->hide();
    // Rows as high as the program's own font for tables asks, whatever font the pages
    // are set in: the page's tables have always been so.
    table->verticalHeader()->setDefaultSectionSize(QFontMetrics(QApplication::font(table)).height() + 6);
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
    table->setObjectName(QStringLiteral("tbl_") + t.key);
    table->clear();
    FillVerdictRows(table, t, 0, int(t.rows.size()));
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

VerdictPage::~VerdictPage() = default;

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
    layout->addStretch(1);
    setWidget(content);
    ShowVerdict(verdict_);
}

void VerdictPage::FitPicture()
{
    Shown();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    std::vector<QTableWidget *> tables;  // those the blocks fill, in their order
    for (const VerdictBlock &b : blocks_)
        if (b.kind == VerdictBlock::Kind::Table)
            tables.push_back(tables_[tables.size()].second);
    FitVerdictContent(widget(), verdict_, view_, blocks_, tables, size());
}

QColor VerdictPage::Tint(int aircraft) { return VerdictTint(aircraft); }

QColor VerdictPage::InkOn(const QColor &back) { return InkOnTint(back); }

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
    const QString said = QCoreApplication::translate("Varnel", "Кто лучше, сказать нельзя: данные самолета не прочитаны.\n") +
                         ErrorBoxText(failure_);
    blocks_.clear();
    for (const QString &line : said.split(QLatin1Char('\n')))
        blocks_.push_back({VerdictBlock::Kind::Sentence, 0, line, {}});
    showBlocks();
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
    blocks_ = VerdictBlocks(verdict, view_, kPageBands);
    showBlocks();
}

void VerdictPage::showBlocks()
{
    QStringList said;
    size_t tables = 0;
    bool strips = false;
    for (const VerdictBlock &b : blocks_) {
        strips = strips || b.kind == VerdictBlock::Kind::Strip;
        if (b.kind == VerdictBlock::Kind::Sentence)
            said << b.text;
        if (b.kind != VerdictBlock::Kind::Table)
            continue;
        if (tables == tables_.size()) {  // one more than ever before: its title and table before the stretch
            auto *layout = static_cast<QVBoxLayout *>(widget()->layout());
            const int at = layout->count() - 1;
            layout->insertSpacing(at, kTableSpacing);
            tables_.push_back({Text(QString(), widget(), true), Table(widget())});
            layout->insertWidget(at + 1, tables_.back().first);
            layout->insertWidget(at + 2, tables_.back().second);
        }
        tables_[tables].first->setText(b.table.title);
        Fill(tables_[tables].second, b.table);
        ++tables;
    }
    strips_->SetVerdict(strips ? verdict_ : Verdict{}, view_);
    said_->setText(said.join(QLatin1Char('\n')));
    for (size_t i = 0; i < tables_.size(); ++i) {
        tables_[i].first->setVisible(i < tables);
        tables_[i].second->setVisible(i < tables);
    }
}
