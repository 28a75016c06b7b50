// The series model: where points go, mark slots, clearing, copying, and which series
// count for the legend and the axis ranges.
#include "core/error.h"
#include "presentation/series.h"

#include <QtTest>

using Points = QVector<QPointF>;
Q_DECLARE_METATYPE(SeriesKind)

namespace {
Points pointsOf(const TChartSeries &s)
{
    Points out;
    for (int i = 0; i < s.Count(); ++i)
        out << QPointF(s.XValues[i], s.YValues[i]);
    return out;
}
}  // namespace

class SeriesTest : public QObject {
    Q_OBJECT
private slots:
    void addPlacement_data();
    void addPlacement();
    void markSlotsStayWhenPointsMove();
    void markSlotCreation_data();
    void markSlotCreation();
    void markText_data();
    void markText();
    void clearRemovesPointsAndMarks();
    void copyFromEmptyKeepsSettings();
    void copyFollowsTargetOrder_data();
    void copyFollowsTargetOrder();
    void copyOntoItself();
    void inactiveSeriesLeaveAndReturn();
    void inactiveSeriesCountWhenNoneIsActive();
    void legendEntries();
    void changesThatRedraw();
    void indexesOutOfBounds();
};

void SeriesTest::addPlacement_data()
{
    QTest::addColumn<SeriesKind>("kind");
    QTest::addColumn<Points>("added");
    QTest::addColumn<QVector<int>>("indexes");
    QTest::addColumn<Points>("stored");

    const auto L = SeriesKind::TLineSeries, H = SeriesKind::THorizLineSeries;
    QTest::newRow("line: equal X goes after all equal ones")
        << L << Points{{1, 10}, {2, 20}, {2, 21}, {3, 30}, {2, 22}}
        << QVector<int>{0, 1, 2, 3, 3} << Points{{1, 10}, {2, 20}, {2, 21}, {2, 22}, {3, 30}};
    QTest::newRow("line: smaller X is inserted earlier")
        << L << Points{{5, 1}, {7, 2}, {6, 3}, {0, 4}}
        << QVector<int>{0, 1, 1, 0} << Points{{0, 4}, {5, 1}, {6, 3}, {7, 2}};
    QTest::newRow("horizontal: order added, Y decreasing")
        << H << Points{{500, 3000}, {520, 2000}, {480, 1000}, {480, 0}}
        << QVector<int>{0, 1, 2, 3} << Points{{500, 3000}, {520, 2000}, {480, 1000}, {480, 0}};
}

void SeriesTest::addPlacement()
{
    QFETCH(SeriesKind, kind);
    QFETCH(Points, added);
    QFETCH(QVector<int>, indexes);
    QFETCH(Points, stored);

    TChartSeries s(kind, QStringLiteral("S"));
    QVector<int> got;
    for (const QPointF &p : added)
        got << s.AddXY(p.x(), p.y());
    QCOMPARE(got, indexes);
    QCOMPARE(pointsOf(s), stored);
    QCOMPARE(s.YValues.Count(), s.XValues.Count());
}

void SeriesTest::markSlotsStayWhenPointsMove()
{
    TChartSeries s(SeriesKind::TLineSeries, QStringLiteral("Series16"));
    s.AddXY(1, 10);
    s.AddXY(2, 20);
    s.AddXY(3, 30);
    s.MarkItem(2).SetText(QStringLiteral("100m"));
    QCOMPARE(s.AddXY(0, 0), 0);
    // Slot 2 now belongs to the point that moved into index 2.
    QCOMPARE(s.MarkSlot(2)->DisplayText(), QStringLiteral("100m"));
    QCOMPARE(QPointF(s.XValues[2], s.YValues[2]), QPointF(2, 20));
    QCOMPARE(s.MarkSlotCount(), 3);
    QVERIFY(!s.MarkSlot(3));
}

void SeriesTest::markSlotCreation_data()
{
    QTest::addColumn<int>("existing");
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("slotCount");
    QTest::newRow("first slot") << 0 << 0 << 1;
    QTest::newRow("next slot appends one") << 2 << 2 << 3;
    QTest::newRow("gap filled with empty slots") << 2 << 5 << 6;
    QTest::newRow("existing slot adds none") << 4 << 1 << 4;
}

void SeriesTest::markSlotCreation()
{
    QFETCH(int, existing);
    QFETCH(int, asked);
    QFETCH(int, slotCount);

    TChartSeries s(SeriesKind::TLineSeries, QStringLiteral("S"));
    for (int i = 0; i < existing; ++i)
        s.MarkItem(i).SetText(QString::number(i));
    TMarksItem &item = s.MarkItem(asked);
    QCOMPARE(s.MarkSlotCount(), slotCount);
    QCOMPARE(&s.MarkItem(asked), &item);  // asking again gives the same item
    for (int i = existing; i < asked; ++i)
        QVERIFY2(!s.MarkSlot(i), "slots before the asked one stay empty");
    for (int i = 0; i < existing; ++i)
        QCOMPARE(s.MarkSlot(i)->DisplayText(), QString::number(i));
}

void SeriesTest::markText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("lines");
    QTest::newRow("empty text is set but shows nothing") << QString() << QString() << 0;
    QTest::newRow("plain") << QStringLiteral("1-g") << QStringLiteral("1-g") << 1;
    QTest::newRow("final line break dropped") << QStringLiteral("700m\r\n") << QStringLiteral("700m") << 1;
    QTest::newRow("two lines") << QStringLiteral("a\r\nb") << QStringLiteral("a\nb") << 2;
}

void SeriesTest::markText()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(int, lines);
    TMarksItem item;
    QVERIFY(!item.TextSet);
    item.SetText(text);
    QVERIFY(item.TextSet);
    QCOMPARE(item.DisplayText(), shown);
    QCOMPARE(item.Text.size(), lines);
}

void SeriesTest::clearRemovesPointsAndMarks()
{
    TChartSeries s(SeriesKind::TLineSeries, QStringLiteral("Series10"));
    s.SetMarksVisible(true);
    s.AddXY(100, 20);
    s.AddXY(150, 13);
    s.MarkItem(1).SetText(QStringLiteral("1-g"));
    s.Clear();
    QCOMPARE(s.Count(), 0);
    QCOMPARE(s.YValues.Count(), 0);
    QCOMPARE(s.MarkSlotCount(), 0);
    QVERIFY(s.MarksVisible());
    // Refilled, the old label does not come back.
    s.AddXY(100, 20);
    s.AddXY(150, 13);
    QVERIFY(!s.MarkSlot(1));
}

void SeriesTest::copyFromEmptyKeepsSettings()
{
    TChartSeries source(SeriesKind::THorizLineSeries, QStringLiteral("HorizLineSeries1"));
    source.SetActive(false);
    TChartSeries target(SeriesKind::THorizLineSeries, QStringLiteral("HorizLineSeries19"));
    target.SetTitle(QStringLiteral("100%"));
    target.SetSeriesColor(QColor(0x0000FF));
    target.SetLinePen({2, PenStyle::Solid});
    target.SetMarksVisible(true);
    target.AddXY(500, 0);
    target.MarkItem(0).SetText(QStringLiteral("x"));

    target.AssignValues(source);
    QCOMPARE(target.Count(), 0);
    QCOMPARE(target.MarkSlotCount(), 0);
    QVERIFY(target.Active());
    QCOMPARE(target.Title(), QStringLiteral("100%"));
    QCOMPARE(target.SeriesColor(), QColor(0x0000FF));
    QCOMPARE(target.LinePen().Width, 2);
    QVERIFY(target.MarksVisible());
}

void SeriesTest::copyFollowsTargetOrder_data()
{
    QTest::addColumn<SeriesKind>("sourceKind");
    QTest::addColumn<SeriesKind>("targetKind");
    QTest::addColumn<Points>("expected");
    const Points backAndForth{{500, 0}, {560, 3000}, {540, 6000}, {450, 9000}};
    QTest::newRow("horizontal target keeps the source's order")
        << SeriesKind::THorizLineSeries << SeriesKind::THorizLineSeries << backAndForth;
    QTest::newRow("line target sorts by X")
        << SeriesKind::THorizLineSeries << SeriesKind::TLineSeries << Points{{450, 9000}, {500, 0}, {540, 6000}, {560, 3000}};
}

void SeriesTest::copyFollowsTargetOrder()
{
    QFETCH(SeriesKind, sourceKind);
    QFETCH(SeriesKind, targetKind);
    QFETCH(Points, expected);
    TChartSeries source(sourceKind, QStringLiteral("A"));
    for (const QPointF &p : Points{{500, 0}, {560, 3000}, {540, 6000}, {450, 9000}})
        source.AddXY(p.x(), p.y());
    TChartSeries target(targetKind, QStringLiteral("B"));
    target.AddXY(1, 1);
    target.AssignValues(source);
    QCOMPARE(pointsOf(target), expected);
    QCOMPARE(pointsOf(source).size(), 4);
}

void SeriesTest::copyOntoItself()
{
    TChartSeries s(SeriesKind::THorizLineSeries, QStringLiteral("A"));
    s.AddXY(2, 1);
    s.AddXY(1, 2);
    s.AssignValues(s);
    QCOMPARE(pointsOf(s), (Points{{2, 1}, {1, 2}}));
}

void SeriesTest::inactiveSeriesLeaveAndReturn()
{
    TChartSeriesList list;
    TChartSeries &a = list.Add(SeriesKind::THorizLineSeries, QStringLiteral("A"));
    TChartSeries &b = list.Add(SeriesKind::THorizLineSeries, QStringLiteral("B"));
    a.SetTitle(QStringLiteral("first"));
    b.SetTitle(QStringLiteral("second"));
    a.AddXY(100, 0);
    a.AddXY(200, 10);
    b.AddXY(900, -5);

    QCOMPARE(list.AutoRangeX().max, 900.0);
    b.SetActive(false);
    QCOMPARE(list.LegendEntries(), QStringList{QStringLiteral("first")});
    QCOMPARE(list.AutoRangeX().min, 100.0);
    QCOMPARE(list.AutoRangeX().max, 200.0);
    QCOMPARE(list.AutoRangeY().min, 0.0);
    QCOMPARE(b.Count(), 1);  // its points stay

    b.SetActive(true);
    QCOMPARE(list.LegendEntries(), (QStringList{QStringLiteral("first"), QStringLiteral("second")}));
    QCOMPARE(list.AutoRangeX().max, 900.0);
    QCOMPARE(list.AutoRangeY().min, -5.0);
}

void SeriesTest::inactiveSeriesCountWhenNoneIsActive()
{
    TChartSeriesList list;
    TChartSeries &a = list.Add(SeriesKind::TLineSeries, QStringLiteral("A"));
    TChartSeries &b = list.Add(SeriesKind::TLineSeries, QStringLiteral("B"));
    TChartSeries &empty = list.Add(SeriesKind::TLineSeries, QStringLiteral("C"));
    a.AddXY(1, 1);
    b.AddXY(5, 7);
    a.SetActive(false);
    // An active but empty series still makes the inactive ones not count.
    QCOMPARE(list.AutoRangeX().min, 5.0);
    empty.SetActive(false);
    QCOMPARE(list.AutoRangeX().min, 5.0);
    b.SetActive(false);
    const AxisRange x = list.AutoRangeX();
    QVERIFY(x.valid);
    QCOMPARE(x.min, 1.0);
    QCOMPARE(x.max, 5.0);
    a.Clear();
    b.Clear();
    QVERIFY(!list.AutoRangeY().valid);
}

void SeriesTest::legendEntries()
{
    TChartSeriesList list;
    list.Add(SeriesKind::THorizLineSeries, QStringLiteral("HorizLineSeries1")).SetTitle(QStringLiteral("100%\r\nKestrel"));
    list.Add(SeriesKind::THorizLineSeries, QStringLiteral("HorizLineSeries2"));  // no title
    list.Add(SeriesKind::TLineSeries, QStringLiteral("Series10")).SetShowInLegend(false);
    list.Add(SeriesKind::TLineSeries, QStringLiteral("Series11")).SetTitle(QStringLiteral("a\nb"));
    QCOMPARE(list.LegendEntries(), (QStringList{QStringLiteral("100% Kestrel"), QStringLiteral("HorizLineSeries2"),
                                                QStringLiteral("a b")}));
    QCOMPARE(list.LegendSeries(), (QVector<int>{0, 1, 3}));
}

void SeriesTest::changesThatRedraw()
{
    TChartSeriesList list;
    int changes = 0;
    list.SetChangeHandler([&changes] { ++changes; });
    TChartSeries &s = list.Add(SeriesKind::THorizLineSeries, QStringLiteral("A"));
    s.SetTitle(QStringLiteral("t"));
    QCOMPARE(changes, 1);
    s.SetTitle(QStringLiteral("t"));
    s.SetActive(true);
    QCOMPARE(changes, 1);  // nothing changed
    s.SetActive(false);
    QCOMPARE(changes, 2);
    s.AddXY(1, 1);
    s.Clear();
    QCOMPARE(changes, 2);  // an inactive series' points change no picture
    s.SetActive(true);
    s.AddXY(1, 1);
    QCOMPARE(changes, 4);
    s.MarkItem(0).SetText(QStringLiteral("m"));
    QCOMPARE(changes, 5);  // asking for a mark item marks the chart
}

void SeriesTest::indexesOutOfBounds()
{
    TChartSeriesList list;
    TChartSeries &s = list.Add(SeriesKind::TLineSeries, QStringLiteral("A"));
    QCOMPARE(&list[0], &s);
    try {
        list[1];
        QFAIL("no error for index 1");
    } catch (const VarnelError &e) {
        QCOMPARE(e.message(), QStringLiteral("List index out of bounds (1)"));
    }
    QVERIFY_THROWS_EXCEPTION(VarnelError, s.MarkItem(-1));
    QCOMPARE(s.MarkSlotCount(), 0);
}

QTEST_GUILESS_MAIN(SeriesTest)
#include "presentation_series.moc"
