#include "config/Config.h"
#include "desktop/PosSaver.h"
#include "desktop/WindowUtils.h"

#include <QWidget>
#include <QtTest>

using TAreas = QList<QRect>;

namespace {
// Stands in for the main window's panes.
class TFakeParts final : public IWindowLayoutParts
{
public:
    int Page = 0;
    int EditorHeight = 0;
    bool Hidden = false;
    int Width = 0;
    int Collapses = 0;

    int ActivePage() const override { return Page; }
    void SetActivePage(int page) override { Page = page; }
    int MsgEditorHeight() const override { return EditorHeight; }
    void SetMsgEditorHeight(int height) override { EditorHeight = height; }
    bool ContactListHidden() const override { return Hidden; }
    void CollapseContactList() override
    {
        Hidden = true;
        ++Collapses;
    }
    int ContactListWidth() const override { return Width; }
    void SetContactListWidth(int width) override { Width = width; }
};

const QRect Full(0, 0, 1920, 1050);
const QRect Small(0, 0, 1024, 738);
} // namespace

class TestPosSaver : public QObject
{
    Q_OBJECT

    static void ShowNormalAt(QWidget& window, QPoint framePos, QSize size)
    {
        window.move(framePos);
        window.resize(size);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(window.pos(), framePos);
        QTRY_COMPARE(window.size(), size);
    }

private slots:
    void placing_data()
    {
        QTest::addColumn<QRect>("saved");
        QTest::addColumn<TAreas>("workAreas");
        QTest::addColumn<QRect>("primary");
        QTest::addColumn<QRect>("placed");
        QTest::newRow("on screen")
            << QRect(100, 100, 600, 470) << TAreas{Full} << Full << QRect(100, 100, 600, 470);
        QTest::newRow("the monitor on the right has gone")
            << QRect(2000, 100, 600, 470) << TAreas{Full} << Full << QRect(1320, 100, 600, 470);
        QTest::newRow("onto a smaller screen")
            << QRect(1500, 800, 600, 470) << TAreas{Small} << Small << QRect(424, 268, 600, 470);
        QTest::newRow("larger than the screen now")
            << QRect(0, 0, 2000, 1500) << TAreas{Small} << Small << QRect(0, 0, 1024, 738);
        QTest::newRow("far away and larger")
            << QRect(5000, 5000, 2000, 1500) << TAreas{Small} << Small << QRect(0, 0, 1024, 738);
        QTest::newRow("title bar under a panel at the top")
            << QRect(0, 0, 600, 470) << TAreas{QRect(0, 27, 1920, 1023)} << QRect(0, 27, 1920, 1023)
            << QRect(0, 27, 600, 470);
        QTest::newRow("partly off the left, still to be taken hold of")
            << QRect(-300, 100, 600, 470) << TAreas{Full} << Full << QRect(-300, 100, 600, 470);
        QTest::newRow("only 40 pixels left to see")
            << QRect(-560, 100, 600, 470) << TAreas{Full} << Full << QRect(0, 100, 600, 470);
        QTest::newRow("on the monitor left of the primary one")
            << QRect(-1000, 200, 600, 470) << TAreas{Full, QRect(-1280, 0, 1280, 1000)} << Full
            << QRect(-1000, 200, 600, 470);
        QTest::newRow("across two monitors")
            << QRect(1700, 100, 600, 470) << TAreas{Full, QRect(1920, 0, 1920, 1050)} << Full
            << QRect(1700, 100, 600, 470);
        QTest::newRow("nothing of it on any screen: onto the primary one")
            << QRect(-1000, 1200, 600, 470) << TAreas{Full, QRect(-1280, 0, 1280, 1000)} << Full
            << QRect(0, 580, 600, 470);
        QTest::newRow("no screens")
            << QRect(5000, 5000, 600, 470) << TAreas{} << QRect() << QRect(5000, 5000, 600, 470);
    }
    void placing()
    {
        QFETCH(QRect, saved);
        QFETCH(TAreas, workAreas);
        QFETCH(QRect, primary);
        QFETCH(QRect, placed);
        QCOMPARE(PlaceOnScreens(saved, workAreas, primary), placed);
    }

    void storedRect_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QRect>("rect");
        QTest::newRow("defaults") << 600 << 470 << QRect(0, 0, 600, 470);
        QTest::newRow("stored") << 500 << 300 << QRect(0, 0, 500, 300);
        QTest::newRow("zero width") << 0 << 300 << QRect(0, 0, 600, 300);
        QTest::newRow("negative height") << 500 << -20 << QRect(0, 0, 500, 470);
    }
    void storedRect()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QRect, rect);
        TConfig config{QString()};
        config.SetInt(window_width, width);
        config.SetInt(window_height, height);
        QCOMPARE(StoredNormalRect(config), rect);
    }

    void roundTrip()
    {
        TConfig config{QString()};
        QWidget window;
        ShowNormalAt(window, QPoint(120, 90), QSize(500, 300));
        TFakeParts parts;
        parts.Page = 1;
        parts.EditorHeight = 140;
        parts.Width = 160;
        SaveWindowLayout(window, parts, config);
        QCOMPARE(StoredNormalRect(config), QRect(120, 90, 500, 300));
        QCOMPARE(config.GetBool(window_maximized), false);
        QCOMPARE(config.GetInt(active_page), 1);
        QCOMPARE(config.GetInt(msg_editor_height), 140);
        QCOMPARE(config.GetBool(contact_list_hidden), false);
        QCOMPARE(config.GetInt(contact_list_width), 160);

        QWidget next;
        RestoreWindowPlacement(next, config);
        next.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        QTRY_COMPARE(next.pos(), QPoint(120, 90));
        QCOMPARE(next.size(), QSize(500, 300));
        TFakeParts restored;
        RestoreWindowLayout(next, restored, config);
        QVERIFY(!next.isMaximized());
        QCOMPARE(restored.Page, 1);
        QCOMPARE(restored.EditorHeight, 140);
        QCOMPARE(restored.Width, 160);
        QCOMPARE(restored.Collapses, 0);

        // Saving what was restored changes nothing: the window does not grow by its frame.
        SaveWindowLayout(next, restored, config);
        QCOMPARE(StoredNormalRect(config), QRect(120, 90, 500, 300));
    }

    void maximizedKeepsTheNormalPlacement()
    {
        TConfig config{QString()};
        QWidget window;
        ShowNormalAt(window, QPoint(120, 90), QSize(500, 300));
        window.showMaximized();
        QTRY_COMPARE(window.frameGeometry(), WorkArea(window));
        TFakeParts parts;
        SaveWindowLayout(window, parts, config);
        QCOMPARE(StoredNormalRect(config), QRect(120, 90, 500, 300));
        QVERIFY(config.GetBool(window_maximized));

        QWidget next;
        RestoreWindowPlacement(next, config);
        next.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        RestoreWindowLayout(next, parts, config);
        QVERIFY(next.isMaximized());
        QTRY_COMPARE(next.frameGeometry(), WorkArea(next));
        next.showNormal();
        QTRY_COMPARE(next.pos(), QPoint(120, 90));
        QCOMPARE(next.size(), QSize(500, 300));
    }

    void collapsedContactList()
    {
        TConfig config{QString()};
        config.SetBool(contact_list_hidden, true);
        config.SetInt(contact_list_width, 200);
        QWidget window;
        TFakeParts parts;
        parts.Width = 77;
        RestoreWindowLayout(window, parts, config);
        QCOMPARE(parts.Collapses, 1);
        QCOMPARE(parts.Width, 77);
    }

    void defaultsPlaceTheWindowAtTheTopLeft()
    {
        TConfig config{QString()};
        QWidget window;
        RestoreWindowPlacement(window, config);
        const QRect area = WorkArea(window);
        QCOMPARE(window.pos(), area.topLeft());
        QCOMPARE(window.size(), QSize(600, 470));
    }

    void savedOnAMissingMonitor()
    {
        TConfig config{QString()};
        config.SetInt(window_x, 5000);
        config.SetInt(window_y, -3000);
        QWidget window;
        RestoreWindowPlacement(window, config);
        const QRect area = WorkArea(window);
        QVERIFY2(
            area.contains(QRect(window.pos(), window.size())),
            qPrintable(
                QStringLiteral("%1,%2 outside the work area").arg(window.x()).arg(window.y())));
    }
};

QTEST_MAIN(TestPosSaver)
#include "tst_possaver.moc"
