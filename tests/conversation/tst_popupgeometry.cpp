#include "conversation/PopupGeometry.h"

#include <QtTest>

Q_DECLARE_METATYPE(TPopupStep)

namespace {
// Every left edge of one slide from `left` until it ends.
QList<int> SlideIn(int left, int width, const QRect& workArea, bool animated)
{
    QList<int> lefts;
    for (TPopupStep step{left, false}; !step.Done && lefts.size() < 1000;) {
        step = NextAppearStep(step.Left, width, workArea, animated);
        lefts << step.Left;
    }
    return lefts;
}

QList<int> SlideOut(int left, const QRect& screen, bool animated)
{
    QList<int> lefts;
    for (TPopupStep step{left, false}; !step.Done && lefts.size() < 1000;) {
        step = NextLeaveStep(step.Left, screen, animated);
        lefts << step.Left;
    }
    return lefts;
}
} // namespace

class TestPopupGeometry : public QObject
{
    Q_OBJECT

private slots:
    void heightForText_data()
    {
        QTest::addColumn<int>("textHeight");
        QTest::addColumn<int>("windowHeight");
        QTest::newRow("empty text") << 0 << 15 + 34;
        QTest::newRow("one line") << 15 << 15 + 34;
        QTest::newRow("a taller line") << 17 << 17 + 34;
        QTest::newRow("at the cap") << 180 << 180 + 34;
        QTest::newRow("far over the cap") << 2000 << 180 + 34;
    }
    void heightForText()
    {
        QFETCH(int, textHeight);
        QFETCH(int, windowHeight);
        QCOMPARE(PopupHeightForText(textHeight), windowHeight);
    }

    void places_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::addColumn<QRect>("workArea");
        QTest::addColumn<int>("height");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<int>("target");
        const QRect screen(0, 0, 1280, 800);
        QTest::newRow("panel at the bottom")
            << screen << QRect(0, 0, 1280, 770) << 49 << QPoint(1288, 721) << 1049;
        QTest::newRow("no panel") << screen << screen << 214 << QPoint(1288, 586) << 1049;
        QTest::newRow("panels at the top and the right")
            << screen << QRect(0, 24, 1216, 776) << 49 << QPoint(1288, 751) << 985;
        QTest::newRow("panel at the left")
            << screen << QRect(64, 0, 1216, 800) << 49 << QPoint(1288, 751) << 1049;
        QTest::newRow("primary screen right of another")
            << QRect(1920, 0, 1280, 1024) << QRect(1920, 0, 1280, 1000) << 49 << QPoint(3208, 951)
            << 2969;
    }
    void places()
    {
        QFETCH(QRect, screen);
        QFETCH(QRect, workArea);
        QFETCH(int, height);
        QFETCH(QPoint, start);
        QFETCH(int, target);
        QCOMPARE(PopupStartPos(screen, workArea, height), start);
        QCOMPARE(PopupTargetLeft(workArea, PopupWidth), target);
    }

    void appearingSlidesInAndStopsExactlyInPlace_data()
    {
        QTest::addColumn<QRect>("workArea");
        QTest::newRow("full width") << QRect(0, 0, 1280, 770);
        QTest::newRow("panel at the right") << QRect(0, 0, 1216, 800);
        QTest::newRow("odd width") << QRect(0, 0, 1279, 800);
    }
    void appearingSlidesInAndStopsExactlyInPlace()
    {
        QFETCH(QRect, workArea);
        const int start = 1280 + 8;
        const int target = PopupTargetLeft(workArea, PopupWidth);
        const QList<int> lefts = SlideIn(start, PopupWidth, workArea, true);
        QVERIFY(lefts.size() > 1);
        QCOMPARE(lefts.last(), target);
        int previous = start;
        for (int i = 0; i + 1 < lefts.size(); ++i) {
            QCOMPARE(lefts[i], previous - PopupSlideStep);
            QVERIFY2(lefts[i] > target, qPrintable(QString::number(lefts[i])));
            previous = lefts[i];
        }
        QVERIFY(previous - target <= PopupSlideStep);
    }

    void appearingWithoutAnimationJumpsOnTheFirstTick()
    {
        const QRect workArea(0, 0, 1280, 770);
        QCOMPARE(SlideIn(1288, PopupWidth, workArea, false), QList<int>{1049});
        QCOMPARE(NextAppearStep(1288, PopupWidth, workArea, false), (TPopupStep{1049, true}));
    }

    void leavingSlidesOutUntilTheScreenEdge()
    {
        const QRect screen(0, 0, 1280, 800);
        const QList<int> lefts = SlideOut(1049, screen, true);
        QCOMPARE(lefts.first(), 1049 + PopupSlideStep);
        QVERIFY(lefts.last() >= 1280);
        for (int i = 0; i + 1 < lefts.size(); ++i)
            QVERIFY(lefts[i] < 1280);
        // 1049 + 15 * 16 = 1289: the fifteenth tick is the first at or past the edge.
        QCOMPARE(lefts.size(), 15);
    }

    void leavingEndsWhenTheLeftEdgeReachesTheScreenWidthExactly()
    {
        const QRect screen(0, 0, 1280, 800);
        QCOMPARE(NextLeaveStep(1280 - 2 * PopupSlideStep, screen, true),
                 (TPopupStep{1280 - PopupSlideStep, false}));
        QCOMPARE(NextLeaveStep(1280 - PopupSlideStep, screen, true), (TPopupStep{1280, true}));
    }

    void leavingWithoutAnimationEndsOnTheFirstTickWhereItStands()
    {
        QCOMPARE(NextLeaveStep(1049, QRect(0, 0, 1280, 800), false), (TPopupStep{1049, true}));
    }
};

QTEST_APPLESS_MAIN(TestPopupGeometry)
#include "tst_popupgeometry.moc"
