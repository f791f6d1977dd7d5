#include "desktop/StickerRules.h"

#include <QtTest>

namespace {
const QRect Screen(0, 0, 1000, 700);
const QRect TaskBarLeft(60, 0, 940, 700);
const QRect TaskBarTop(0, 30, 1000, 670);
const QSize Window(300, 200);

TStickerRules Rules(bool snap, bool inside, int threshold = 5)
{
    return {snap, inside, threshold};
}

void AddRuleColumns()
{
    QTest::addColumn<QRect>("workArea");
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QSize>("sizeBefore");
    QTest::addColumn<bool>("snap");
    QTest::addColumn<bool>("inside");
    QTest::addColumn<int>("threshold");
}
} // namespace

class TestStickerRules : public QObject
{
    Q_OBJECT
private slots:
    void moving_data()
    {
        AddRuleColumns();
        QTest::addColumn<QPoint>("result");
        const auto row = [](const char* name, const QRect& area, QPoint at, QSize size,
                            QSize before, bool snap, bool inside, QPoint result,
                            int threshold = 5) {
            QTest::newRow(name) << area << QRect(at, size) << before << snap << inside << threshold
                                << result;
        };
        row("left edge at 5 snaps", Screen, {5, 100}, Window, Window, true, false, {0, 100});
        row("left edge at 6 stays", Screen, {6, 100}, Window, Window, true, false, {6, 100});
        row("left edge 5 outside snaps", Screen, {-5, 100}, Window, Window, true, false, {0, 100});
        row("left edge 6 outside stays", Screen, {-6, 100}, Window, Window, true, false, {-6, 100});
        row("right edge 5 short", Screen, {695, 100}, Window, Window, true, false, {700, 100});
        row("right edge 5 beyond", Screen, {705, 100}, Window, Window, true, false, {700, 100});
        row("right edge 6 short", Screen, {694, 100}, Window, Window, true, false, {694, 100});
        row("top edge", Screen, {100, 3}, Window, Window, true, false, {100, 0});
        row("bottom edge", Screen, {100, 496}, Window, Window, true, false, {100, 500});
        row("corner", Screen, {-2, 504}, Window, Window, true, false, {0, 500});
        row("right wins over left", Screen, {3, 100}, {995, 200}, {995, 200}, true, false,
            {5, 100});
        row("bottom wins over top", Screen, {100, 2}, {300, 696}, {300, 696}, true, false,
            {100, 4});
        row("resizing does not snap", Screen, {3, 3}, Window, {310, 200}, true, false, {3, 3});
        row("snapping off", Screen, {3, 3}, Window, Window, false, false, {3, 3});
        row("threshold 0, on the edge", Screen, {0, 1}, Window, Window, true, false, {0, 1}, 0);
        row("threshold 20", Screen, {20, 100}, Window, Window, true, false, {0, 100}, 20);
        row("task bar left: left edge", TaskBarLeft, {64, 100}, Window, Window, true, false,
            {60, 100});
        row("task bar left: right edge", TaskBarLeft, {697, 100}, Window, Window, true, false,
            {700, 100});
        row("task bar left: old left edge", TaskBarLeft, {2, 100}, Window, Window, true, false,
            {2, 100});
        row("task bar top: top edge", TaskBarTop, {100, 33}, Window, Window, true, false,
            {100, 30});
        row("task bar top: bottom edge", TaskBarTop, {100, 498}, Window, Window, true, false,
            {100, 500});
        row("inside: off the left", Screen, {-50, 100}, Window, Window, false, true, {0, 100});
        row("inside: off the right", Screen, {800, 100}, Window, Window, false, true, {700, 100});
        row("inside: off the top", Screen, {100, -10}, Window, Window, false, true, {100, 0});
        row("inside: off the bottom", Screen, {100, 600}, Window, Window, false, true, {100, 500});
        row("inside: also while resizing", Screen, {-10, -10}, Window, {280, 200}, false, true,
            {0, 0});
        row("inside: wider than the area ends at the right", Screen, {100, 100}, {1200, 200},
            {1200, 200}, true, true, {-200, 100});
        row("inside: taller than the area ends at the bottom", Screen, {100, 0}, {300, 800},
            {300, 800}, true, true, {100, -100});
        row("inside after snapping", Screen, {3, 100}, {1200, 200}, {1200, 200}, true, true,
            {-200, 100});
        row("neither rule", Screen, {-500, 900}, Window, Window, false, false, {-500, 900});
    }
    void moving()
    {
        QFETCH(QRect, workArea);
        QFETCH(QRect, window);
        QFETCH(QSize, sizeBefore);
        QFETCH(bool, snap);
        QFETCH(bool, inside);
        QFETCH(int, threshold);
        QFETCH(QPoint, result);
        QCOMPARE(SnapWindowPos(window, sizeBefore, workArea, Rules(snap, inside, threshold)),
                 result);
    }

    void fitting_data()
    {
        QTest::addColumn<QRect>("workArea");
        QTest::addColumn<QRect>("window");
        QTest::addColumn<bool>("snap");
        QTest::addColumn<bool>("inside");
        QTest::addColumn<QRect>("result");
        QTest::newRow("width within 5 of the area")
            << Screen << QRect(100, 100, 996, 300) << true << false << QRect(100, 100, 1000, 300);
        QTest::newRow("width 6 short")
            << Screen << QRect(100, 100, 994, 300) << true << false << QRect(100, 100, 994, 300);
        QTest::newRow("width 5 over") << Screen << QRect(-200, 100, 1005, 300) << true << false
                                      << QRect(-200, 100, 1000, 300);
        QTest::newRow("height within 5 of the area")
            << Screen << QRect(100, 2, 300, 697) << true << false << QRect(100, 0, 300, 700);
        QTest::newRow("edges after the size")
            << Screen << QRect(2, 100, 997, 300) << true << false << QRect(0, 100, 1000, 300);
        QTest::newRow("left edge")
            << Screen << QRect(4, 100, 300, 200) << true << false << QRect(0, 100, 300, 200);
        QTest::newRow("bottom right corner")
            << Screen << QRect(702, 497, 300, 200) << true << false << QRect(700, 500, 300, 200);
        QTest::newRow("task bar top") << TaskBarTop << QRect(100, 496, 300, 200) << true << false
                                      << QRect(100, 500, 300, 200);
        QTest::newRow("inside: too wide") << Screen << QRect(-200, 100, 1200, 300) << false << true
                                          << QRect(-200, 100, 1000, 300);
        QTest::newRow("inside: too tall")
            << Screen << QRect(100, -50, 300, 900) << false << true << QRect(100, -50, 300, 700);
        QTest::newRow("inside: fits")
            << Screen << QRect(-200, 100, 300, 300) << false << true << QRect(-200, 100, 300, 300);
        QTest::newRow("neither rule")
            << Screen << QRect(2, 2, 998, 698) << false << false << QRect(2, 2, 998, 698);
    }
    void fitting()
    {
        QFETCH(QRect, workArea);
        QFETCH(QRect, window);
        QFETCH(bool, snap);
        QFETCH(bool, inside);
        QFETCH(QRect, result);
        QCOMPARE(FitRectToWorkArea(window, workArea, Rules(snap, inside)), result);
    }

    void settling_data()
    {
        AddRuleColumns();
        QTest::addColumn<QRect>("result");
        QTest::newRow("a move near the left edge") << Screen << QRect(5, 100, 300, 200) << Window
                                                   << true << false << 5 << QRect(0, 100, 300, 200);
        QTest::newRow("a wide window kept inside is narrowed when the move ends")
            << Screen << QRect(300, 100, 1200, 200) << QSize(1200, 200) << true << true << 5
            << QRect(0, 100, 1000, 200);
        QTest::newRow("a resize to within 5 of the full width")
            << Screen << QRect(2, 100, 996, 300) << QSize(800, 300) << true << false << 5
            << QRect(0, 100, 1000, 300);
        QTest::newRow("a resize near an edge moves to it at the end")
            << Screen << QRect(3, 100, 400, 300) << QSize(300, 300) << true << false << 5
            << QRect(0, 100, 400, 300);
        QTest::newRow("nothing to do") << Screen << QRect(100, 100, 300, 200) << Window << true
                                       << true << 5 << QRect(100, 100, 300, 200);
    }
    void settling()
    {
        QFETCH(QRect, workArea);
        QFETCH(QRect, window);
        QFETCH(QSize, sizeBefore);
        QFETCH(bool, snap);
        QFETCH(bool, inside);
        QFETCH(int, threshold);
        QFETCH(QRect, result);
        QCOMPARE(SettleWindowRect(window, sizeBefore, workArea, Rules(snap, inside, threshold)),
                 result);
    }

    void defaults()
    {
        const TStickerRules rules;
        QVERIFY(rules.SnapEnabled);
        QVERIFY(!rules.MoveInsideDesktop);
        QCOMPARE(rules.SnapThreshold, 5);
    }
};

QTEST_APPLESS_MAIN(TestStickerRules)
#include "tst_stickerrules.moc"
