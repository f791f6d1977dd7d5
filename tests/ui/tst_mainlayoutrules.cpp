#include "ui/MainLayoutRules.h"

#include <QtTest>

namespace {
const std::array<int, 5> PanelWidths{100, 150, 100, 100, 50};
}

class TestMainLayoutRules : public QObject
{
    Q_OBJECT

private slots:
    void contactPaneLimit_data()
    {
        QTest::addColumn<int>("clientWidth");
        QTest::addColumn<int>("widest");
        QTest::newRow("client 500") << 500 << 160;
        QTest::newRow("design width") << 562 << 222;
        QTest::newRow("room for the messages only") << 340 << 0;
        QTest::newRow("narrower than the messages need") << 300 << 0;
    }
    void contactPaneLimit()
    {
        QFETCH(int, clientWidth);
        QFETCH(int, widest);
        QCOMPARE(MaxContactPaneWidth(clientWidth), widest);
    }

    void editorAreaLimit_data()
    {
        QTest::addColumn<int>("panelHeight");
        QTest::addColumn<int>("highest");
        QTest::newRow("even") << 400 << 200;
        QTest::newRow("odd: integer half") << 301 << 150;
        QTest::newRow("none") << 0 << 0;
    }
    void editorAreaLimit()
    {
        QFETCH(int, panelHeight);
        QFETCH(int, highest);
        QCOMPARE(MaxEditorAreaHeight(panelHeight), highest);
    }

    // One reported step of the contact splitter, from a state, to a pane width.
    void splitterStep_data()
    {
        QTest::addColumn<bool>("collapsed");
        QTest::addColumn<bool>("justCollapsed");
        QTest::addColumn<int>("widthBefore");
        QTest::addColumn<int>("step");
        QTest::addColumn<bool>("collapsedAfter");
        QTest::addColumn<bool>("justCollapsedAfter");
        QTest::addColumn<int>("widthAfter");
        QTest::newRow("shown, wider than the minimum")
            << false << false << 120 << 31 << false << false << 31;
        QTest::newRow("shown, to the minimum: collapses")
            << false << false << 40 << 30 << true << true << 12;
        QTest::newRow("shown, far below the minimum: collapses")
            << false << false << 40 << 2 << true << true << 12;
        QTest::newRow("the step after the collapse leaves it collapsed")
            << true << true << 12 << 25 << true << false << 12;
        QTest::newRow("the step after the collapse, wide, leaves it collapsed")
            << true << true << 12 << 90 << true << false << 12;
        QTest::newRow("a later step restores at least the minimum")
            << true << false << 12 << 14 << false << false << 30;
        QTest::newRow("a later wide step restores to its width")
            << true << false << 12 << 80 << false << false << 80;
    }
    void splitterStep()
    {
        QFETCH(bool, collapsed);
        QFETCH(bool, justCollapsed);
        QFETCH(int, widthBefore);
        QFETCH(int, step);
        const TContactPaneState next =
            ContactSplitterMoved({collapsed, justCollapsed, widthBefore}, step);
        QTEST(next.Collapsed, "collapsedAfter");
        QTEST(next.JustCollapsed, "justCollapsedAfter");
        QTEST(next.Width, "widthAfter");
    }

    // A drag towards the edge: collapse, one step that keeps it, then the list is back.
    void dragThroughTheMinimum()
    {
        TContactPaneState state{false, false, 120};
        QList<int> widths;
        QList<bool> collapsed;
        for (int step : {60, 30, 20, 10, 40}) {
            state = ContactSplitterMoved(state, step);
            widths << state.Width;
            collapsed << state.Collapsed;
        }
        QCOMPARE(widths, (QList<int>{60, 12, 12, 30, 40}));
        QCOMPARE(collapsed, (QList<bool>{false, true, true, false, false}));
    }

    void unhideButton_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("restored");
        QTest::newRow("the strip") << 12 << 30;
        QTest::newRow("at the minimum") << 30 << 30;
        QTest::newRow("wider") << 75 << 75;
    }
    void unhideButton()
    {
        QFETCH(int, width);
        const TContactPaneState next = RestoreContactPane({true, true, width});
        QVERIFY(!next.Collapsed);
        QVERIFY(!next.JustCollapsed);
        QTEST(next.Width, "restored");
    }

    void statusPanel_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("current");
        QTest::addColumn<int>("panel");
        QTest::newRow("start of panel 0") << 0 << -1 << 0;
        QTest::newRow("left of the bar") << -5 << 3 << 0;
        QTest::newRow("end of panel 0") << 99 << -1 << 0;
        QTest::newRow("boundary 0|1, none remembered") << 100 << -1 << -1;
        QTest::newRow("boundary 0|1, panel 0 remembered") << 100 << 0 << 0;
        QTest::newRow("boundary 0|1, panel 3 remembered") << 100 << 3 << 3;
        QTest::newRow("panel 1") << 101 << 0 << 1;
        QTest::newRow("end of panel 1") << 249 << 0 << 1;
        QTest::newRow("boundary 1|2") << 250 << 1 << 1;
        QTest::newRow("panel 2") << 251 << 1 << 2;
        QTest::newRow("boundary 2|3") << 350 << 2 << 2;
        QTest::newRow("panel 3") << 351 << 2 << 3;
        QTest::newRow("boundary 3|4") << 450 << 4 << 4;
        QTest::newRow("boundary 3|4, none remembered") << 450 << -1 << -1;
        QTest::newRow("panel 4") << 451 << 3 << 4;
        QTest::newRow("far right") << 5000 << 0 << 4;
    }
    void statusPanel()
    {
        QFETCH(int, x);
        QFETCH(int, current);
        QTEST(StatusPanelAt(x, PanelWidths, current), "panel");
    }
};

QTEST_APPLESS_MAIN(TestMainLayoutRules)
#include "tst_mainlayoutrules.moc"
