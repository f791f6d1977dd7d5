#include "desktop/WindowUtils.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtTest>

// Off X11 (here: offscreen) nothing tells what lies above a window, so the covered test
// knows only the window's own state.
class TestWindowUtils : public QObject
{
    Q_OBJECT

    static QRect ScreenWorkArea() { return QGuiApplication::primaryScreen()->availableGeometry(); }

private slots:
    void workArea()
    {
        QWidget window;
        QCOMPARE(WorkArea(window), ScreenWorkArea());
    }

    void minimizedOrHidden()
    {
        QWidget window;
        QVERIFY(IsWindowMinimizedOrHidden(window));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!IsWindowMinimizedOrHidden(window));
        window.showMinimized();
        QVERIFY(IsWindowMinimizedOrHidden(window));
        window.showNormal();
        window.hide();
        QVERIFY(IsWindowMinimizedOrHidden(window));
    }

    void centering_data()
    {
        QTest::addColumn<QRect>("main");
        QTest::addColumn<QPoint>("dialog");
        const QRect area = ScreenWorkArea();
        const QPoint inArea(area.x() + (area.width() - 200) / 2,
                            area.y() + (area.height() - 100) / 2);
        QTest::newRow("over the main window") << QRect(100, 100, 400, 300) << QPoint(200, 200);
        QTest::newRow("odd sizes round towards zero")
            << QRect(100, 100, 401, 301) << QPoint(200, 200);
        QTest::newRow("it would stick out on the left") << QRect(-150, 100, 400, 300) << inArea;
        QTest::newRow("it would stick out at the bottom")
            << QRect(100, area.bottom() - 150, 400, 300) << inArea;
    }
    void centering()
    {
        QFETCH(QRect, main);
        QFETCH(QPoint, dialog);
        QWidget mainForm;
        mainForm.setGeometry(main);
        mainForm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&mainForm));
        QWidget box;
        box.resize(200, 100);
        CenterOverMainForm(box, mainForm);
        QCOMPARE(box.pos(), dialog);
    }

    void centeringWhileMinimized()
    {
        QWidget mainForm;
        mainForm.setGeometry(100, 100, 400, 300);
        mainForm.showMinimized();
        QWidget box;
        box.resize(200, 100);
        CenterOverMainForm(box, mainForm);
        const QRect area = ScreenWorkArea();
        QCOMPARE(box.pos(),
                 QPoint(area.x() + (area.width() - 200) / 2, area.y() + (area.height() - 100) / 2));
    }

    void covered()
    {
        QWidget window;
        window.setGeometry(100, 100, 300, 200);
        QVERIFY(IsWindowCovered(window));
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QWidget other;
        other.setGeometry(100, 100, 300, 200);
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QVERIFY(!IsWindowCovered(window));
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(!IsWindowCovered(window));
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        window.showMinimized();
        QVERIFY(IsWindowCovered(window));
    }
};

QTEST_MAIN(TestWindowUtils)
#include "tst_windowutils.moc"
