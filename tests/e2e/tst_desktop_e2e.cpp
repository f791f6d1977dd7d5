// Two desktop programs and a headless peer, each on its own host of a LAN of network
// namespaces. Anna and Bert each have a home, settings and an X server with a window manager
// of their own, and get their input as real key events; Carl, the headless peer, reports
// what he sees on his standard output. They join in initTestCase and stay for the test
// functions in the order they are declared; the last of them closes the desktops. Skipped
// where the sandbox, Xvfb, openbox or xdotool is missing.
#include "DesktopPeer.h"
#include "PeerExpect.h"
#include "PeerProcess.h"
#include "SandboxTestMain.h"

#include "config/DefConfig.h"

#include <QStandardPaths>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <memory>

namespace {

const QString Program = QStringLiteral(ZELKIT_CHAT_BINARY);

enum THost { AnnaHost = 1, BertHost = 2, CarlHost = 3 };

// Empty when every program the desktops need is installed; else what is missing.
QString MissingDesktopTool()
{
    for (const char* tool : {"Xvfb", "openbox", "xdotool"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QStringLiteral("%1 is not installed").arg(QString::fromLatin1(tool));
    return {};
}

// The history lines of a session's start and end: the date and time as the locale writes
// them, then the text.
const QRegularExpression
    SessionStarted(QStringLiteral(R"(^.+ \d{2}:\d{2}:\d{2} New session started$)"));
const QRegularExpression
    SessionFinished(QStringLiteral(R"(^.+ \d{2}:\d{2}:\d{2} Session finished$)"));

} // namespace

class TestDesktopE2E : public QObject
{
    Q_OBJECT
public:
    explicit TestDesktopE2E(const TSandboxLan& lan) : FLan(lan) {}

private:
    TDesktopPeer& Desktop(const QString& nick) { return nick == "Anna" ? *FAnna : *FBert; }

    const TSandboxLan& FLan;
    std::unique_ptr<TPeerProcess> FCarl;
    std::unique_ptr<TDesktopPeer> FAnna;
    std::unique_ptr<TDesktopPeer> FBert;

private slots:
    void initTestCase()
    {
        FCarl = std::make_unique<TPeerProcess>(QStringLiteral("Carl"));
        const QStringList carl = FLan.OnHost(
            CarlHost, Program, {QStringLiteral("--headless"), QStringLiteral("--nick"), "Carl"});
        QVERIFY(FCarl->Start(carl.first(), carl.mid(1)));
        VERIFY_LINES(*FCarl, 0, TLineMatch::InOrder, QStringList{"state Ready"});

        // Anna sends with Return, Bert with the default Ctrl+Return; Bert's close button
        // ends his program instead of minimizing it.
        FAnna = std::make_unique<TDesktopPeer>("Anna", Program, FLan, AnnaHost);
        FBert = std::make_unique<TDesktopPeer>("Bert", Program, FLan, BertHost);
        const TSettingRows settings[] = {{{send_key, 1}}, {{minimize_on_close, false}}};
        int i = 0;
        for (TDesktopPeer* desktop : {FAnna.get(), FBert.get()}) {
            QString why;
            QVERIFY2(desktop->WriteSettings(settings[i++], why), qPrintable(why));
            QVERIFY2(desktop->Start(why), qPrintable(why + '\n' + desktop->Describe()));
            QVERIFY2(desktop->History().WaitForLine(SessionStarted, 0, DefaultLineTimeoutMs) == 0,
                     desktop->Describe().constData());
        }
    }

    void headlessPeerSeesBothJoin()
    {
        VERIFY_LINES(*FCarl, 0, TLineMatch::InOrder,
                     (QStringList{"conference [T] <Anna> entering chat...",
                                  "conference [T] <Bert> entering chat..."}));
        const int mark = FCarl->Mark();
        FCarl->Send(QStringLiteral("/contacts"));
        VERIFY_LINES(
            *FCarl, mark, TLineMatch::Exactly,
            (QStringList{"contacts 3", "contact Anna 0", "contact Bert 0", "contact Carl 0"}));
    }

    void desktopsHearTheHeadlessPeer()
    {
        const int annaMark = FAnna->History().Lines().size();
        const int bertMark = FBert->History().Lines().size();
        FCarl->Send(QStringLiteral("/private Anna: just for you"));
        FCarl->Send(QStringLiteral("hello, desktops"));
        VERIFY_LINES(
            FAnna->History(), annaMark, TLineMatch::Exactly,
            (QStringList{"[T] <Carl> (private) just for you", "[T] <Carl> hello, desktops"}));
        VERIFY_LINES(FBert->History(), bertMark, TLineMatch::Exactly,
                     QStringList{"[T] <Carl> hello, desktops"});
    }

    void typedMessageGoesOut_data()
    {
        QTest::addColumn<QString>("sender");
        // xdotool steps: "type TEXT" or "key KEYS".
        QTest::addColumn<QStringList>("steps");
        // The lines the message makes in every desktop's history, the sender's own included.
        QTest::addColumn<QStringList>("history");
        QTest::addColumn<QString>("headless");

        QTest::newRow("send_key 1: Return sends")
            << "Anna" << QStringList{"type typed by Anna", "key Return"}
            << QStringList{"[T] <Anna> typed by Anna"} << "conference [T] <Anna> typed by Anna";
        QTest::newRow("send_key 0: Return breaks the line, Ctrl+Return sends")
            << "Bert"
            << QStringList{"type first line", "key Return", "type second line", "key ctrl+Return"}
            << QStringList{"[T] <Bert> first line", "second line"}
            << "conference [T] <Bert> first line?second line";
    }

    void typedMessageGoesOut()
    {
        QFETCH(QString, sender);
        QFETCH(QStringList, steps);
        QFETCH(QStringList, history);
        QFETCH(QString, headless);

        const int annaMark = FAnna->History().Lines().size();
        const int bertMark = FBert->History().Lines().size();
        const int carlMark = FCarl->Mark();
        TDesktopPeer& desktop = Desktop(sender);
        for (const QString& step : steps) {
            const QString what = step.section(' ', 1);
            QVERIFY2(step.startsWith("type ") ? desktop.Type(what) : desktop.Key(what),
                     qPrintable(step));
        }
        VERIFY_LINES(*FCarl, carlMark, TLineMatch::Exactly, QStringList{headless});
        VERIFY_LINES(FAnna->History(), annaMark, TLineMatch::Exactly, history);
        VERIFY_LINES(FBert->History(), bertMark, TLineMatch::Exactly, history);
    }

    void closingAnnouncesTheLeave_data()
    {
        QTest::addColumn<QString>("nick");
        // How the program is ended: "SIGTERM", or the keys that close the window.
        QTest::addColumn<QString>("close");
        QTest::addColumn<QStringList>("contactsAfter");

        QTest::newRow("Anna by SIGTERM")
            << "Anna"
            << "SIGTERM" << QStringList{"contacts 2", "contact Bert 0", "contact Carl 0"};
        QTest::newRow("Bert by the window manager's close key")
            << "Bert"
            << "alt+F4" << QStringList{"contacts 1", "contact Carl 0"};
    }

    void closingAnnouncesTheLeave()
    {
        QFETCH(QString, nick);
        QFETCH(QString, close);
        QFETCH(QStringList, contactsAfter);

        TDesktopPeer& desktop = Desktop(nick);
        const int carlMark = FCarl->Mark();
        const int historyMark = desktop.History().Lines().size();
        if (close == "SIGTERM")
            desktop.Signal(SIGTERM);
        else
            QVERIFY(desktop.Key(close));
        QVERIFY2(desktop.WaitForExit() == 0, desktop.Describe().constData());
        VERIFY_LINES(*FCarl, carlMark, TLineMatch::Exactly,
                     QStringList{"conference [T] <" + nick + "> leaving chat..."});
        const QStringList lines = desktop.History().Lines();
        QVERIFY2(lines.size() == historyMark + 2 &&
                     SessionFinished.match(lines[historyMark]).hasMatch() && lines.last().isEmpty(),
                 desktop.Describe().constData());

        const int mark = FCarl->Mark();
        FCarl->Send(QStringLiteral("/contacts"));
        VERIFY_LINES(*FCarl, mark, TLineMatch::Exactly, contactsAfter);
    }

    void cleanupTestCase()
    {
        FAnna.reset();
        FBert.reset();
        if (FCarl) {
            FCarl->CloseInput();
            QVERIFY2(FCarl->WaitForCleanExit(), FCarl->Describe().constData());
        }
    }
};

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return RunOnSandboxLan<TestDesktopE2E>(argc, argv, 3, MissingDesktopTool());
}

#include "tst_desktop_e2e.moc"
