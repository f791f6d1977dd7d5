#include "XvfbSession.h"

#include "desktop/PosSaver.h"
#include "desktop/Sticker.h"
#include "desktop/SysHotKey.h"
#include "desktop/WindowUtils.h"
#include "desktop/X11WindowStack.h"

#include "config/Config.h"

#include <QApplication>
#include <QStandardPaths>
#include <QWidget>
#include <QtTest>

#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

#include <memory>
#include <optional>

namespace {
TXvfbSession* Session = nullptr;

class TDesktopForm final : public TFormWithSticker
{
public:
    int Presses = 0;

protected:
    void HotKeyPressed() override { ++Presses; }
    void LayoutChanged() override {}
};

// Another X client, which takes a key for itself the way another program would.
class TOtherProgram
{
public:
    TOtherProgram() : FConnection(xcb_connect(Session->Display().constData(), nullptr)) {}
    ~TOtherProgram() { xcb_disconnect(FConnection); }
    Q_DISABLE_COPY_MOVE(TOtherProgram)

    // Ctrl+Alt+<keysym> without lock keys on the root window; whether the server granted it.
    bool Grab(std::uint32_t keysym, std::uint16_t modifiers)
    {
        xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(FConnection);
        xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, keysym);
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(FConnection)).data->root;
        bool granted = codes && *codes != XCB_NO_SYMBOL;
        for (const xcb_keycode_t* code = codes; granted && *code != XCB_NO_SYMBOL; ++code) {
            xcb_generic_error_t* error = xcb_request_check(
                FConnection, xcb_grab_key_checked(FConnection, 0, root, modifiers, *code,
                                                  XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
            granted = !error;
            std::free(error);
        }
        std::free(codes);
        xcb_key_symbols_free(symbols);
        return granted;
    }

private:
    xcb_connection_t* FConnection;
};

constexpr std::uint16_t X11Shift = XCB_MOD_MASK_SHIFT;
constexpr std::uint16_t X11Control = XCB_MOD_MASK_CONTROL;
constexpr std::uint32_t KeySymZ = 0x7A;
constexpr std::uint32_t KeySymK = 0x6B;
constexpr TShortCut CtrlShiftZ = 24666;
constexpr TShortCut CtrlAltK = 0xC04B;
} // namespace

// On an X server of the test's own with a window manager: the hot key is a real grab, the
// covered test reads the real stack, and snapping and layout saving see real frames.
class TestX11Desktop : public QObject
{
    Q_OBJECT

    std::optional<QString> FXdotool;

    void Press(const char* keys)
    {
        QProcess xdotool;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(Session->Display()));
        xdotool.setProcessEnvironment(environment);
        xdotool.start(*FXdotool, {QStringLiteral("key"), QString::fromLatin1(keys)});
        QVERIFY(xdotool.waitForFinished());
        QCOMPARE(xdotool.exitCode(), 0);
    }
    static void ShowFrameless(QWidget& window, const QRect& geometry)
    {
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setGeometry(geometry);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(window.frameGeometry(), geometry);
    }
    // Qt takes a move for done before the server has it; the covered test asks the server.
    static void MoveOnServer(QWidget& window, QPoint to)
    {
        window.move(to);
        QTRY_COMPARE(ReadX11WindowStack(window.winId()).Window.topLeft(), to);
    }
    static void Activate(QWidget& window)
    {
        window.activateWindow();
        window.raise();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }

private slots:
    void initTestCase()
    {
        if (!Session->IsUp())
            QSKIP(qPrintable(Session->WhyNot()));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        const QString xdotool = QStandardPaths::findExecutable(QStringLiteral("xdotool"));
        if (!xdotool.isEmpty())
            FXdotool = xdotool;
    }

    void hotKeyReachesTheWindow()
    {
        if (!FXdotool)
            QSKIP("xdotool is not installed");
        TDesktopForm form;
        QVERIFY(form.SetSysHotKey(CtrlShiftZ));
        QVERIFY(form.IsSysHotKeyWorking());
        Press("ctrl+shift+z");
        QTRY_COMPARE(form.Presses, 1);
        Press("Num_Lock");
        Press("ctrl+shift+z");
        QTRY_COMPARE(form.Presses, 2);
        Press("Num_Lock");
        Press("Caps_Lock");
        Press("ctrl+shift+z");
        QTRY_COMPARE(form.Presses, 3);
        Press("Caps_Lock");
    }

    void hotKeyHeldByAnotherProgram()
    {
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        auto other = std::make_unique<TOtherProgram>();
        QVERIFY(other->Grab(KeySymK, X11Control | XCB_MOD_MASK_1));
        TDesktopForm form;
        QVERIFY(!form.SetSysHotKey(CtrlAltK));
        QCOMPARE(form.SysHotKey(), CtrlAltK);
        QVERIFY(!form.IsSysHotKeyWorking());
        other.reset();
        QVERIFY(form.SetSysHotKey(CtrlAltK));
    }

    void hotKeyIsGivenUp()
    {
        auto form = std::make_unique<TDesktopForm>();
        QVERIFY(form->SetSysHotKey(CtrlShiftZ));
        {
            TOtherProgram other;
            QVERIFY(!other.Grab(KeySymZ, X11Control | X11Shift));
        }
        QVERIFY(!form->SetSysHotKey(0));
        {
            TOtherProgram other;
            QVERIFY(other.Grab(KeySymZ, X11Control | X11Shift));
        }
        QVERIFY(form->SetSysHotKey(CtrlShiftZ));
        form.reset();
        TOtherProgram other;
        QVERIFY(other.Grab(KeySymZ, X11Control | X11Shift));
    }

    void stackOfTheWindow()
    {
        QWidget window;
        ShowFrameless(window, QRect(100, 100, 300, 200));
        QTRY_VERIFY(ReadX11WindowStack(window.winId()).Known);
        const TX11WindowStack stack = ReadX11WindowStack(window.winId());
        QCOMPARE(stack.Window, QRect(100, 100, 300, 200));
        QVERIFY(stack.WindowVisible);
        QVERIFY(!stack.WindowMinimized);
    }

    void coveredBy20x20()
    {
        QWidget window;
        ShowFrameless(window, QRect(100, 100, 300, 200));
        QWidget other;
        ShowFrameless(other, QRect(380, 280, 100, 100));
        Activate(other);
        QTRY_VERIFY(IsWindowCovered(window));
        MoveOnServer(other, QPoint(381, 280));
        QVERIFY(!IsWindowCovered(window));
        MoveOnServer(other, QPoint(380, 281));
        QVERIFY(!IsWindowCovered(window));
        MoveOnServer(other, QPoint(100, 100));
        QVERIFY(IsWindowCovered(window));
        // The active window is in sight whatever lies above it.
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(!IsWindowCovered(window));
        Activate(other);
        other.hide();
        QTRY_VERIFY(!IsWindowCovered(window));
        window.showMinimized();
        QVERIFY(IsWindowCovered(window));
    }

    void snapsWithARealFrame()
    {
        TDesktopForm form;
        form.resize(400, 300);
        form.move(200, 100);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTRY_COMPARE(form.pos(), QPoint(200, 100));
        form.MoveSizeTimerTimer();
        const QRect area = WorkArea(form);
        form.move(area.x() + 4, 100);
        QTRY_COMPARE(form.pos(), QPoint(area.x() + 4, 100));
        form.MoveSizeTimerTimer();
        QTRY_COMPARE(form.frameGeometry().x(), area.x());
    }

    void layoutRoundTripWithARealFrame()
    {
        class TNoParts final : public IWindowLayoutParts
        {
        public:
            int ActivePage() const override { return 0; }
            void SetActivePage(int) override {}
            int MsgEditorHeight() const override { return 120; }
            void SetMsgEditorHeight(int) override {}
            bool ContactListHidden() const override { return false; }
            void CollapseContactList() override {}
            int ContactListWidth() const override { return 120; }
            void SetContactListWidth(int) override {}
        } parts;
        TConfig config{QString()};
        config.SetInt(window_x, 150);
        config.SetInt(window_y, 120);
        config.SetInt(window_width, 500);
        config.SetInt(window_height, 300);
        QWidget window;
        RestoreWindowPlacement(window, config);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QTRY_COMPARE(window.pos(), QPoint(150, 120));
        QVERIFY(window.frameGeometry().height() > window.height());
        QCOMPARE(window.size(), QSize(500, 300));
        SaveWindowLayout(window, parts, config);
        QCOMPARE(StoredNormalRect(config), QRect(150, 120, 500, 300));
    }
};

int main(int argc, char** argv)
{
    // Before the application, which connects to the display it finds then.
    TXvfbSession session;
    Session = &session;
    if (session.IsUp()) {
        qputenv("DISPLAY", session.Display());
        qputenv("QT_QPA_PLATFORM", "xcb");
        // Qt on X11 looks for the session bus (accessibility, the desktop's services); the
        // test's windows stay off any bus of the user's.
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }
    int status = 0;
    {
        QApplication app(argc, argv);
        TestX11Desktop test;
        status = QTest::qExec(&test, argc, argv);
    }
    return status;
}
#include "tst_x11desktop.moc"
