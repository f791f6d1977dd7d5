#include "desktop/X11WindowStack.h"

#include <QtTest>

using TIds = QList<std::uint32_t>;
using TOptional = std::optional<std::uint32_t>;
Q_DECLARE_METATYPE(TOptional)

class TestX11WindowStack : public QObject
{
    Q_OBJECT
private slots:
    void above_data()
    {
        QTest::addColumn<TIds>("bottomToTop");
        QTest::addColumn<uint>("window");
        QTest::addColumn<TIds>("above");
        QTest::newRow("in the middle") << TIds{1, 2, 3, 4} << 2u << TIds{4, 3};
        QTest::newRow("at the bottom") << TIds{1, 2, 3} << 1u << TIds{3, 2};
        QTest::newRow("at the top") << TIds{1, 2, 3} << 3u << TIds{};
        QTest::newRow("not in the list") << TIds{1, 2, 3} << 9u << TIds{};
        QTest::newRow("no list") << TIds{} << 1u << TIds{};
    }
    void above()
    {
        QFETCH(TIds, bottomToTop);
        QFETCH(uint, window);
        QFETCH(TIds, above);
        QCOMPARE(StackedAbove(bottomToTop, window), above);
    }

    void frame_data()
    {
        QTest::addColumn<TIds>("extents");
        QTest::addColumn<QRect>("frame");
        QTest::newRow("title bar and borders") << TIds{2, 3, 24, 4} << QRect(98, 176, 305, 228);
        QTest::newRow("no frame") << TIds{0, 0, 0, 0} << QRect(100, 200, 300, 200);
        QTest::newRow("no extents") << TIds{} << QRect(100, 200, 300, 200);
        QTest::newRow("a broken property") << TIds{1, 2} << QRect(100, 200, 300, 200);
    }
    void frame()
    {
        QFETCH(TIds, extents);
        QFETCH(QRect, frame);
        QCOMPARE(FrameRect(QRect(100, 200, 300, 200), extents), frame);
    }

    void shown_data()
    {
        QTest::addColumn<bool>("viewable");
        QTest::addColumn<TOptional>("desktop");
        QTest::addColumn<TOptional>("current");
        QTest::addColumn<bool>("shown");
        const TOptional none;
        QTest::newRow("on this desktop") << true << TOptional(1) << TOptional(1) << true;
        QTest::newRow("on another desktop") << true << TOptional(2) << TOptional(1) << false;
        QTest::newRow("on all desktops") << true << TOptional(0xFFFFFFFF) << TOptional(1) << true;
        QTest::newRow("no desktop of its own") << true << none << TOptional(1) << true;
        QTest::newRow("no desktops at all") << true << TOptional(2) << none << true;
        QTest::newRow("not viewable") << false << TOptional(1) << TOptional(1) << false;
    }
    void shown()
    {
        QFETCH(bool, viewable);
        QFETCH(TOptional, desktop);
        QFETCH(TOptional, current);
        QFETCH(bool, shown);
        QCOMPARE(ClientShown(viewable, desktop, current), shown);
    }

    void nothingOffX11()
    {
        const TX11WindowStack stack = ReadX11WindowStack(0x1234);
        QVERIFY(!stack.Known);
        QVERIFY(stack.Above.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestX11WindowStack)
#include "tst_x11windowstack.moc"
