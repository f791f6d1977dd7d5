#include "HeadlessOptions.h"
#include "HeadlessPeer.h"

#include "config/Config.h"
#include "config/Globals.h"
#include "config/Utils.h"
#include "conversation/ChatLog.h"
#include "desktop/PrevInst.h"
#include "lang/Lang.h"
#include "net/BroadcastChoice.h"
#include "net/EnumNetworkItfs.h"
#include "net/NetProc.h"
#include "platform/CodePage.h"

#include "ui/MainForm.h"
#include "ui/RyMenus.h"

#include <QApplication>
#include <QCoreApplication>
#include <QSessionManager>
#include <QSocketNotifier>

#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int SignalPipe[2] = {-1, -1};

void OnTerminate(int)
{
    const char byte = 1;
    (void)::write(SignalPipe[1], &byte, 1);
}

// SIGTERM, SIGINT and SIGHUP (the terminal went away) end the peer the way /quit does, so it
// still says goodbye.
void CatchTermination(QObject* context, std::function<void()> leave)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, SignalPipe) != 0)
        return;
    auto* notifier = new QSocketNotifier(SignalPipe[0], QSocketNotifier::Read, context);
    // The byte is read, or the notifier would call again and again.
    QObject::connect(notifier, &QSocketNotifier::activated, context, [leave = std::move(leave)] {
        char byte = 0;
        (void)::read(SignalPipe[0], &byte, 1);
        leave();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminate;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

int RunHeadless(const THeadlessOptions& options)
{
    InitAppFolder();
    TConfig& config = AppConfig();
    config.SetReadOnly(true);
    config.OpenRegistryKey(QString::fromLatin1(TConfig::KeyPath));
    config.LoadAll();
    for (const QString& problem : config.Problems())
        std::fprintf(stderr, "zelkit-chat: warning: %s\n", qPrintable(problem));
    if (!TCodePage::AnsiProblem().isEmpty())
        std::fprintf(stderr, "zelkit-chat: warning: %s\n", qPrintable(TCodePage::AnsiProblem()));
    options.ApplyTo(config);

    TLangControl& lang = AppLang();
    lang.SetAppFolder([] { return AppFolder; });
    lang.LoadLanguage(config.GetStr(language_file_name));

    TChatSocket& socket = ChatEndpoint();
    socket.Reset();
    socket.SetChatPort(static_cast<quint16>(config.GetInt(udp_port)));
    const TBroadcastChoice destination =
        ChooseBroadcastAddress(config.GetStr(broadcast_ip), AvailableNetInterfaces());
    config.SetStr(broadcast_ip, destination.storedText);
    socket.SetBroadcastAddress(destination.address);

    // Without a dialog to propose one, the headless mode keeps a history only where the
    // settings name a file.
    TChatLog& log = AppChatLog();
    log.SetFileName(config.GetStr(history_file_name));
    log.SetSizeLimitKB(config.GetBool(history_limited)
                           ? static_cast<std::uint32_t>(config.GetInt(history_fsize_limit))
                           : 0);
    if (config.GetBool(history_enabled) && !log.FileName().isEmpty() && !log.SetEnabled(true))
        std::fprintf(stderr, "zelkit-chat: history: %s\n", qPrintable(log.LastError()));

    THeadlessPeer peer(socket, config, lang, log, options.Json);
    CatchTermination(&peer, [&peer] { peer.Quit(); });
    peer.Start();
    return QCoreApplication::exec();
}

// Qt's own platform choice may also come from QT_QPA_PLATFORM (offscreen, vnc, ...).
bool HasDisplay()
{
    return qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
           qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
}

int RunDesktop(int& argc, char** argv, const THeadlessOptions& options)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelkit-chat"));
    QApplication::setDesktopFileName(QStringLiteral("zelkit-chat"));
    // One chat per user: a second start asks the first to come forward and ends, before it
    // makes a window of its own.
    TPrevInst instance;
    if (instance.IsAnotherInstanceRunning()) {
        instance.ActivateOtherInstance();
        return 0;
    }
    // Before any window: the menus take the desktop's colours as they are at the start.
    AppMenuPainter();
    TMainForm form(AppConfig(), AppLang(), AppChatLog());
    instance.SetOnShowRequest([&form] { form.TrayIconClick(Qt::LeftButton, 0); });
    form.Arguments = options.Rest;
    form.ApplyLanguage();
    // The end of the desktop session, and a request to end: the leave is announced and the
    // settings are saved as at a close; after a signal the program ends.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form,
                     [&form](QSessionManager&) { form.EndSession(); });
    CatchTermination(&form, [&form] {
        form.EndSession();
        // exit, not quit: quit asks the windows to close, which the chat turns into a minimize.
        QApplication::exit(0);
    });
    form.show();
    const int result = QApplication::exec();
    instance.ReleaseInstanceSemaphore();
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const THeadlessOptions options = THeadlessOptions::Parse(arguments);
    if (!options.Error.isEmpty()) {
        std::fprintf(stderr, "zelkit-chat: %s\n%s", qPrintable(options.Error),
                     qPrintable(HeadlessUsage()));
        return 2;
    }
    if (options.Help) {
        std::fputs(qPrintable(HeadlessUsage()), stdout);
        return 0;
    }
    if (options.Version) {
        ReadProductVersion();
        std::printf("Zelkit Chat %s\n", qPrintable(GetVersionString()));
        return 0;
    }
    if (!options.Headless) {
        if (!HasDisplay()) {
            std::fprintf(stderr, "zelkit-chat: there is no display to open the window on "
                                 "(DISPLAY is not set); run zelkit-chat --headless to chat "
                                 "without a window\n");
            return 2;
        }
        return RunDesktop(argc, argv, options);
    }
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("zelkit-chat"));
    return RunHeadless(options);
}
