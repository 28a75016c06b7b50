#include "app/verdict_page.h"

#include "verdict/verdict_format.h"

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

QTableWidget *Table(const VerdictTable &t, QWidget *parent)
{
    auto *table = new QTableWidget(int(t.rows.size()), int(t.header.size()), parent);
    table->setObjectName(QStringLiteral("tbl_") + t.key);
    table->setHorizontalHeaderLabels(t.header);
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setSizeAdjustPolicy(QAbstractScrollArea::AdjustToContents);
    table->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    for (int r = 0; r < int(t.rows.size()); ++r) {
        for (int c = 0; c < int(t.rows[size_t(r)].size()); ++c) {
            const VerdictCell &cell = t.rows[size_t(r)][size_t(c)];
            auto *item = new QTableWidgetItem(cell.text);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            if (cell.tint)
                item->setBackground(VerdictPage::Tint(cell.tint));
            table->setItem(r, c, item);
        }
    }
    return table;
}
}  // namespace

VerdictPage::VerdictPage(QWidget *parent) : QScrollArea(parent)
{
    setObjectName(QStringLiteral("tab_Verdict"));
    setWidgetResizable(true);
    setFrameShape(QFrame::NoFrame);
    ShowVerdict(Verdict{});
}

QColor VerdictPage::Tint(int aircraft) { return aircraft == 1 ? QColor(0xD6, 0xE0, 0xFF) : QColor(0xFF, 0xD9, 0xD9); }

void VerdictPage::SetComparison(const CraftRecord *first, const CraftRecord *second, std::array<bool, 4> flapShown)
{
    ShowVerdict(ComputeVerdict(first, second, flapShown));
}

void VerdictPage::ShowVerdict(const Verdict &verdict)
{
    auto *content = new QWidget;
    auto *layout = new QVBoxLayout(content);
    const QString missing = MissingText(verdict);
    auto *sentences = Text(missing.isEmpty() ? VerdictSentences(verdict).join(QLatin1Char('\n')) : missing, content);
    sentences->setObjectName(QStringLiteral("lbl_Verdict"));
    layout->addWidget(sentences);
    for (const VerdictTable &t : VerdictTables(verdict)) {
        layout->addSpacing(8);
        layout->addWidget(Text(t.title, content, true));
        layout->addWidget(Table(t, content));
    }
    layout->addStretch(1);
    // The old page goes only once the new one is whole.
    setWidget(content);
}
