// The verdict picture's columns: blocks flowed in order, tables broken only between
// rows with their header atop each piece, nothing placed twice or lost unless the flow
// says it is cut, and the layout with the largest text chosen.
#include "pages/text_wrap.h"
#include "pages/verdict_columns.h"

#include <QLabel>
#include <QTest>

namespace {
FlowBlock Unit(double height, double width = 0) { return {width, 5, height, {}}; }
FlowBlock Table(int rows, double width = 0) { return {width, 5, 20, std::vector<double>(size_t(rows), 10.0)}; }

// Two strips, a table of twelve rows, a sentence, a table of five: 330 high in one column.
std::vector<FlowBlock> Page() { return {Unit(30), Unit(45), Table(12), Unit(25), Table(5)}; }

// The blocks flowed as they are, whatever the column's width.
FlowLayout Flow(const std::vector<FlowBlock> &blocks, const std::vector<double> &widths, double height, double line)
{
    return FlowColumns(int(blocks.size()), [&](int i, double) { return blocks[size_t(i)]; }, widths, height, line);
}

double Bottom(const FlowPiece &p, const FlowBlock &b)
{
    double y = p.y + b.head;
    for (int r = p.from; r < p.to; ++r)
        y += b.rows[size_t(r)];
    return y;
}
}  // namespace

class ColumnsTest : public QObject {
    Q_OBJECT
private slots:
    // A text wrapped from its words' widths stands as high as the label that shows it,
    // at every width and size the picture tries: a line broken one word early or late
    // would move every block under it.
    void wrappedTextAsHighAsItsLabel_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bold");
        QTest::newRow("sentence") << QStringLiteral("Tarn-5 быстрее Skarn-7 на 12 км/ч (3 %) от 0 до 4\u00A0000 м; "
                                                   "выше — Skarn-7, на 8 км/ч, у земли «вровень».")
                                  << false;
        QTest::newRow("english") << QStringLiteral("Skarn-7 climbs faster: +340 ft/min at 9,800 ft… Tarn-5 turns in 14.2 s "
                                                  "(flaps 0/1/2/3), a 1.5 s lead over the whole range.")
                                 << false;
        QTest::newRow("title") << QStringLiteral("Скорость и скороподъемность через каждые 1000 м") << true;
        QTest::newRow("long word") << QStringLiteral("Варнель-сравнение-без-пробелов-и-переносов_очень_длинное слово") << false;
    }
    void wrappedTextAsHighAsItsLabel()
    {
        QFETCH(QString, text);
        QFETCH(bool, bold);
        for (int pixels = 7; pixels <= 12; ++pixels) {
            QFont font;
            font.setPixelSize(pixels);
            font.setBold(bold);
            QLabel label(text);
            label.setTextFormat(Qt::PlainText);
            label.setWordWrap(true);
            label.setFont(font);
            WrappedText wrapped(text, label.font());
            for (int width = 20; width <= 700; width += 3) {
                const std::optional<int> height = wrapped.Height(width);
                QVERIFY(height.has_value());
                QVERIFY2(*height == label.heightForWidth(width), qPrintable(QStringLiteral("%1 px at %2").arg(pixels).arg(width)));
            }
        }
    }
    // What it cannot follow it leaves to the label.
    void wrappedTextLeavesLineBreaksToTheLabel()
    {
        for (const QString &text : {QStringLiteral("one\ntwo"), QStringLiteral("tab\there"), QString(), QStringLiteral("end ")})
            QVERIFY(!WrappedText(text, QFont()).Height(100));
    }
    void flowPlacesEachRowOnce_data()
    {
        QTest::addColumn<int>("columns");
        QTest::addColumn<double>("height");
        QTest::addColumn<bool>("complete");
        QTest::addColumn<bool>("longTable");
        QTest::newRow("one tall column") << 1 << 400.0 << true << false;
        QTest::newRow("two columns") << 2 << 180.0 << true << false;
        QTest::newRow("three columns") << 3 << 140.0 << true << false;
        QTest::newRow("two short columns") << 2 << 100.0 << false << false;
        QTest::newRow("too short for anything") << 3 << 15.0 << false << false;
        // A table that fills column after column: each piece's header takes its room.
        QTest::newRow("a table over three columns") << 3 << 100.0 << true << true;
        QTest::newRow("a table longer than three columns") << 3 << 100.0 << false << true;
    }
    void flowPlacesEachRowOnce()
    {
        QFETCH(int, columns);
        QFETCH(double, height);
        QFETCH(bool, complete);
        QFETCH(bool, longTable);
        const std::vector<FlowBlock> page = longTable ? std::vector<FlowBlock>{Unit(20), Table(complete ? 20 : 30)} : Page();
        const double line = 12;
        const FlowLayout flow = Flow(page, std::vector<double>(size_t(columns), 100), height, line);
        QCOMPARE(flow.complete, complete);
        // In order: each block and each row once, a piece after the one before it, a
        // table's pieces each with its header and within its column.
        int block = 0, row = 0, column = 0;
        double y = 0;
        for (const FlowPiece &p : flow.pieces) {
            const FlowBlock &b = page[size_t(p.block)];
            if (p.block != block) {
                QCOMPARE(row, int(page[size_t(block)].rows.size()));
                QCOMPARE(p.block, block + 1);
                block = p.block;
                row = 0;
            }
            QCOMPARE(p.from, row);
            QVERIFY(p.to > p.from || b.rows.empty());
            row = p.to;
            QVERIFY(p.column > column || (p.column == column && p.y >= y));
            column = p.column;
            y = Bottom(p, b);
            const bool last = p.column == columns - 1;
            QVERIFY(y <= height - (last && !complete ? line : 0));
        }
        const bool everything = block == int(page.size()) - 1 && row == int(page.back().rows.size());
        QCOMPARE(everything, complete);
        if (!complete) {  // the line under the last row, in the last column that has one
            QCOMPARE(flow.lineColumn, flow.pieces.empty() ? flow.lineColumn : column);
            QVERIFY(flow.pieces.empty() || flow.lineY >= y);
            QVERIFY(flow.lineY + line <= height || height < line);
        }
    }

    // A table low in a column moves on whole rather than leave a row or two behind, and
    // breaks where each side keeps three rows.
    void tablesBreakWithThreeRowsAside()
    {
        const FlowLayout low = Flow({Unit(80), Table(6)}, {100, 100}, 120, 12);
        QVERIFY(low.complete);
        QCOMPARE(low.pieces.size(), size_t(2));
        QCOMPARE(low.pieces[1].column, 1);
        QCOMPARE(low.pieces[1].to - low.pieces[1].from, 6);
        const FlowLayout split = Flow({Unit(20), Table(12)}, {100, 100}, 150, 12);
        QVERIFY(split.complete);
        QCOMPARE(split.pieces.size(), size_t(3));
        QVERIFY(split.pieces[1].to - split.pieces[1].from >= 3);
        QVERIFY(split.pieces[2].to - split.pieces[2].from >= 3);
    }

    void choiceTakesLargestTextThatFits_data()
    {
        QTest::addColumn<double>("tableWidth");
        QTest::addColumn<double>("height");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("complete");
        // 330 high at size 10 and in proportion, in a picture 430 wide.
        QTest::newRow("two columns at full size") << 100.0 << 200.0 << 10 << 2 << true;
        QTest::newRow("a wide table last widens the last column") << 220.0 << 200.0 << 10 << 2 << true;
        QTest::newRow("too wide for two, too long for one: cut") << 400.0 << 200.0 << 7 << 1 << false;
        QTest::newRow("wider than the picture: one column takes it") << 900.0 << 240.0 << 7 << 1 << true;
    }
    void choiceTakesLargestTextThatFits()
    {
        QFETCH(double, tableWidth);
        QFETCH(double, height);
        const double width = 430;
        QFETCH(int, size);
        QFETCH(int, columns);
        QFETCH(bool, complete);
        const auto measure = [&](int s, double) {
            std::vector<FlowBlock> page = Page();
            page[4].width = tableWidth * s / 10;
            for (FlowBlock &b : page) {
                b.head = b.head * s / 10;
                for (double &r : b.rows)
                    r = r * s / 10;
            }
            return page;
        };
        const FlowChoice choice = ChooseColumns(
            width, height, 20, 10, 7, 3, int(Page().size()), [&](int s, int i, double w) { return measure(s, w)[size_t(i)]; },
            [](int) { return 12.0; });
        QCOMPARE(choice.size, size);
        QCOMPARE(int(choice.layout.widths.size()), columns);
        QCOMPARE(choice.layout.complete, complete);
        for (const FlowPiece &p : choice.layout.pieces)  // no block in a column too narrow, but the last resort's
            QVERIFY(measure(choice.size, 0)[size_t(p.block)].width <= choice.layout.widths[size_t(p.column)] ||
                    tableWidth * choice.size / 10 > width);
    }

    // A column count is passed over unmeasured only where it cannot hold the page: not
    // where the blocks fill its columns exactly, nor where a table is exactly as wide as
    // its widest column. Texts of 100 at size 10 (in proportion), 200 high columns.
    void boundPassesOverNoLayoutThatFits_data()
    {
        QTest::addColumn<double>("tableWidth");  // 0: four texts; else two and a table that wide
        QTest::newRow("two columns filled exactly") << 0.0;
        QTest::newRow("a table as wide as the widest column") << 246.0;  // 0.6 of 430 less the gap
    }
    void boundPassesOverNoLayoutThatFits()
    {
        QFETCH(double, tableWidth);
        const auto page = [&](int s, bool texts) {
            const double text = texts ? 100.0 * s / 10 : 0;
            std::vector<FlowBlock> blocks(tableWidth > 0 ? 2 : 4, FlowBlock{0, 0, text, {}});
            if (tableWidth > 0)
                blocks.push_back({tableWidth * s / 10, 0, 20.0 * s / 10, std::vector<double>(8, 10.0 * s / 10)});
            return blocks;
        };
        const FlowChoice choice = ChooseColumns(
            430, 200, 20, 10, 7, 3, tableWidth > 0 ? 3 : 4, [&](int s, int i, double) { return page(s, true)[size_t(i)]; },
            [](int) { return 12.0; },
            {[&](int s) { return page(s, false); }});
        QCOMPARE(choice.size, 10);
        QCOMPARE(int(choice.layout.widths.size()), 2);
        QVERIFY(choice.layout.complete);
    }
};

QTEST_MAIN(ColumnsTest)
#include "pages_columns.moc"
