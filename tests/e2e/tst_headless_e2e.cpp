// Real headless peers, each a zelkit-chat process of its own, chatting over loopback
// broadcasts on a port of this test run. Anna, Bob and Carl join in initTestCase and stay
// for the test functions in the order they are declared; the last of them lets them leave.
#include "PeerExpect.h"
#include "PeerProcess.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUdpSocket>
#include <QtTest>

#include <map>
#include <memory>

#include <csignal>

#include <unistd.h>

namespace {

// A wire port of this run's own; the setting given to the peers is its byte-swapped value.
quint16 TestWirePort()
{
    return static_cast<quint16>(44000 + getpid() % 1000);
}

quint16 PortSetting()
{
    const quint16 wire = TestWirePort();
    return static_cast<quint16>((wire >> 8) | (wire << 8));
}

QStringList LoopbackArguments()
{
    return {QStringLiteral("--headless"), QStringLiteral("--broadcast"),
            QStringLiteral("127.255.255.255"), QStringLiteral("--port"),
            QString::number(PortSetting())};
}

QStringList NickArguments(const QString& nick, int gender)
{
    return {QStringLiteral("--nick"), nick, QStringLiteral("--gender"), QString::number(gender)};
}

// The alphabet over and over: no two pieces of 450 of it are alike, so a piece that is shown
// twice or not at all is told apart.
QString Letters(int length)
{
    QString out;
    for (int i = 0; i < length; ++i)
        out += QLatin1Char(static_cast<char>('a' + i % 26));
    return out;
}

QString SettingsFile(const TPeerProcess& peer)
{
    return peer.ConfigHome() + QStringLiteral("/zelkit-chat/user.reg");
}

// Every file below a folder with its contents: what a run must leave as it found it.
std::map<QString, QByteArray> Snapshot(const QString& folder)
{
    std::map<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files[file.fileName()] = file.open(QIODevice::ReadOnly) ? file.readAll() : "(unreadable)";
    }
    return files;
}

QByteArray StoredProfileText()
{
    return "Windows Registry Editor Version 5.00\n"
           "\n"
           "[HKEY_CURRENT_USER\\SOFTWARE\\Quorbane Software\\Zelkit Chat]\n"
           "\"user_name\"=hex:53,00,74,00,6f,00,72,00,65,00,64,00,00,00\n"
           "\"user_gender\"=dword:00000002\n"
           "\"first_run\"=dword:00000000\n"
           "\"save_settings\"=dword:00000001\n"
           "\n"
           "[HKEY_CURRENT_USER\\SOFTWARE\\Someone Else]\n"
           "\"keep\"=\"me\"\n";
}

// As Windows exports it: UTF-16LE with a byte order mark and CR LF line ends.
QByteArray Utf16Export(const QByteArray& text)
{
    const QString crlf = QString::fromUtf8(text).replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    QByteArray out("\xff\xfe", 2);
    for (const QChar c : crlf) {
        out += static_cast<char>(c.unicode() & 0xFF);
        out += static_cast<char>(c.unicode() >> 8);
    }
    return out;
}

} // namespace

class TestHeadlessE2E : public QObject
{
    Q_OBJECT
private:
    // Starts a peer; FPeers keeps it (a peer of the same name before it has ended).
    TPeerProcess& Launch(const QString& name, const QStringList& arguments,
                         const QString& configHome = {})
    {
        auto& slot = FPeers[name];
        slot = std::make_unique<TPeerProcess>(name, configHome);
        if (!slot->Start(QStringLiteral(ZELKIT_CHAT_BINARY), LoopbackArguments() + arguments))
            qWarning("could not start %s", ZELKIT_CHAT_BINARY);
        return *slot;
    }
    TPeerProcess& Peer(const QString& name) { return *FPeers.at(name); }
    // A peer that has ended leaves the set the marks are taken of.
    void Forget(const QString& name) { FPeers.erase(name); }
    std::map<QString, int> Marks()
    {
        std::map<QString, int> marks;
        for (const auto& [name, peer] : FPeers)
            marks[name] = peer->Mark();
        return marks;
    }

    std::map<QString, std::unique_ptr<TPeerProcess>> FPeers;

private slots:
    void initTestCase()
    {
        QVERIFY(QFile::exists(QStringLiteral(ZELKIT_CHAT_BINARY)));
        // One after another: each finds the ones before it ready to answer its list query.
        for (const auto& [nick, gender] : {std::pair{"Anna", 1}, {"Bob", 0}, {"Carl", 2}}) {
            TPeerProcess& peer = Launch(nick, NickArguments(nick, gender));
            VERIFY_LINES(
                peer, 0, TLineMatch::InOrder,
                (QStringList{"state Registering...", "state Interrogating...",
                             QStringLiteral("conference [T] <%1> entering chat...").arg(nick),
                             "state Ready"}));
        }
    }

    void peersSeeEachOther()
    {
        // The ones already there greet every newcomer; a newcomer learns of them silently
        // from their list answers and greets only itself.
        VERIFY_LINES(Peer("Anna"), 0, TLineMatch::InOrder,
                     (QStringList{"conference [T] <Anna> entering chat...",
                                  "conference [T] <Bob> entering chat...",
                                  "conference [T] <Carl> entering chat..."}));
        for (const QString& line : Peer("Carl").Lines())
            QVERIFY2(!line.contains(QLatin1String("<Anna>")) &&
                         !line.contains(QLatin1String("<Bob>")),
                     qPrintable(line));
        for (const auto& [name, peer] : FPeers) {
            const int mark = peer->Mark();
            peer->Send(QStringLiteral("/contacts"));
            VERIFY_LINES(
                *peer, mark, TLineMatch::Exactly,
                (QStringList{"contacts 3", "contact Anna 1", "contact Bob 0", "contact Carl 2"}));
        }
    }

    void messagesReachTheirReaders_data()
    {
        QTest::addColumn<QString>("sender");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("atAnna");
        QTest::addColumn<QStringList>("atBob");
        QTest::addColumn<QStringList>("atCarl");

        const auto row = [](const char* tag, const char* sender, const QString& command,
                            const QStringList& atAnna, const QStringList& atBob,
                            const QStringList& atCarl) {
            QTest::newRow(tag) << QString::fromLatin1(sender) << command << atAnna << atBob
                               << atCarl;
        };
        const auto everyone = [&row](const char* tag, const char* sender, const QString& command,
                                     const QStringList& lines) {
            row(tag, sender, command, lines, lines, lines);
        };
        everyone("conference", "Anna", "Hello everyone", {"conference [T] <Anna> Hello everyone"});
        everyone("conference in code page letters", "Bob", "Grüße, café — 5 €",
                 {"conference [T] <Bob> Grüße, café — 5 €"});
        everyone("conference, blanks trimmed", "Carl", "   spaced out   ",
                 {"conference [T] <Carl> spaced out"});
        const QString d = Letters(1000);
        everyone("conference of 1000 characters in three pieces", "Anna", d,
                 {"conference [T] <Anna> " + d.left(450), "conference+ " + d.mid(450, 450),
                  "conference+ " + d.mid(900)});
        row("private", "Bob", "/private Anna: psst", {"private [T] <Bob> psst"},
            {"private [T] >Anna: psst"}, {});
        row("private to oneself is shown twice", "Carl", "/private Carl: note to self", {}, {},
            {"private [T] >Carl: note to self", "private [T] <Carl> note to self"});
        row("private of 1000 bytes", "Anna", "/private Bob: " + d, {"private [T] >Bob: " + d},
            {"private [T] <Anna> " + d.left(450), "private+ " + d.mid(450, 450),
             "private+ " + d.mid(900)},
            {});
        const QString hint = QStringLiteral("notice You have to select recipient!");
        row("private to a stranger", "Anna", "/private Zed: anyone?", {hint}, {}, {});
        row("private addressee is case-sensitive", "Bob", "/private anna: hi", {}, {hint}, {});
        // Without a colon the command is malformed: its usage goes to standard error.
        row("private without an addressee", "Carl", "/private no colon here", {}, {}, {});
    }

    void messagesReachTheirReaders()
    {
        QFETCH(QString, sender);
        QFETCH(QString, command);
        QFETCH(QStringList, atAnna);
        QFETCH(QStringList, atBob);
        QFETCH(QStringList, atCarl);
        const std::map<QString, int> marks = Marks();
        Peer(sender).Send(command);
        // Datagrams of one sender arrive in order: once its next message is there, nothing
        // of this one can still be on the way.
        const QString marker = QStringLiteral("end of ") + QLatin1String(QTest::currentDataTag());
        Peer(sender).Send(marker);
        const std::map<QString, QStringList> expected{
            {"Anna", atAnna}, {"Bob", atBob}, {"Carl", atCarl}};
        for (const auto& [name, lines] : expected)
            VERIFY_LINES(Peer(name), marks.at(name), TLineMatch::Exactly,
                         lines + QStringList{"conference [T] <" + sender + "> " + marker});
    }

    void ignoredContactIsSilenced()
    {
        TPeerProcess& anna = Peer("Anna");
        int mark = anna.Mark();
        anna.Send(QStringLiteral("/ignore Carl"));
        anna.Send(QStringLiteral("/contacts"));
        VERIFY_LINES(anna, mark, TLineMatch::Exactly,
                     (QStringList{"contacts 3", "contact Anna 1", "contact Bob 0",
                                  "contact Carl 2 ignored"}));

        mark = anna.Mark();
        const int bobMark = Peer("Bob").Mark();
        Peer("Carl").Send(QStringLiteral("/private Anna: whisper"));
        Peer("Carl").Send(QStringLiteral("can you hear me"));
        VERIFY_LINES(Peer("Bob"), bobMark, TLineMatch::Exactly,
                     QStringList{"conference [T] <Carl> can you hear me"});
        const int carlMark = Peer("Carl").Mark();
        Peer("Bob").Send(QStringLiteral("Bob after Carl"));
        VERIFY_LINES(anna, mark, TLineMatch::Exactly,
                     QStringList{"conference [T] <Bob> Bob after Carl"});
        // Everyone's own lines too, before the marks of the next step are taken.
        VERIFY_LINES(Peer("Bob"), bobMark, TLineMatch::InOrder,
                     QStringList{"conference [T] <Bob> Bob after Carl"});
        VERIFY_LINES(Peer("Carl"), carlMark, TLineMatch::InOrder,
                     QStringList{"conference [T] <Bob> Bob after Carl"});

        mark = anna.Mark();
        anna.Send(QStringLiteral("/ignore Carl"));
        anna.Send(QStringLiteral("/contacts"));
        VERIFY_LINES(anna, mark, TLineMatch::InOrder, QStringList{"contact Carl 2"});
        const std::map<QString, int> marks = Marks();
        Peer("Carl").Send(QStringLiteral("heard again"));
        // At every peer, so that the next test starts from quiet peers.
        for (const auto& [name, from] : marks)
            VERIFY_LINES(Peer(name), from, TLineMatch::Exactly,
                         QStringList{"conference [T] <Carl> heard again"});
    }

    void duplicateNicknameIsRefused()
    {
        const std::map<QString, int> marks = Marks();
        // A nickname in use is refused whatever its case.
        TPeerProcess& dave =
            Launch(QStringLiteral("Dave"), NickArguments(QStringLiteral("anna"), 1));
        VERIFY_LINES(dave, 0, TLineMatch::InOrder,
                     (QStringList{"state Registering...",
                                  "notice This nic is already used. Enter another nic.",
                                  "state Connecting..."}));
        const int mark = dave.Mark();
        dave.Send(QStringLiteral("/nick Dora 1"));
        VERIFY_LINES(dave, mark, TLineMatch::Exactly,
                     (QStringList{"state Registering...", "state Interrogating...",
                                  "conference [T] <Dora> entering chat...", "state Ready"}));
        dave.Send(QStringLiteral("/contacts"));
        VERIFY_LINES(dave, mark, TLineMatch::InOrder,
                     (QStringList{"contacts 4", "contact Anna 1", "contact Bob 0", "contact Carl 2",
                                  "contact Dora 1"}));
        for (const auto& [name, from] : marks)
            VERIFY_LINES(Peer(name), from, TLineMatch::Exactly,
                         QStringList{"conference [T] <Dora> entering chat..."});
    }

    // A command line that is not taken exactly as written is refused before anything is sent.
    void refusedCommandLinesSendNothing_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("error");
        QTest::newRow("option taken as the nickname")
            << QStringList{"--nick", "--broadcast", "127.255.255.255"} << "--nick needs a value";
        QTest::newRow("empty nickname") << QStringList{"--nick", ""} << "--nick needs a value";
        QTest::newRow("stray argument")
            << QStringList{"--nick", "Zoe", "hello"} << "unexpected argument";
        QTest::newRow("unknown single-dash option")
            << QStringList{"--nick", "Zoe", "-q"} << "Unknown option 'q'";
        QTest::newRow("broadcast by name")
            << QStringList{"--nick=Zoe", "--broadcast=localhost"} << "dotted IPv4 address";
        QTest::newRow("gender outside 0..2") << QStringList{"--nick", "Zoe", "--gender", "5"}
                                             << "--gender takes a number from 0 to 2";
    }
    void refusedCommandLinesSendNothing()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, error);
        QUdpSocket listener;
        QVERIFY(listener.bind(QHostAddress::AnyIPv4, TestWirePort(),
                              QUdpSocket::ShareAddress | QUdpSocket::ReuseAddressHint));
        TPeerProcess& zoe = Launch(QStringLiteral("Refused"), arguments);
        QCOMPARE(zoe.WaitForExit(), 2);
        const QByteArray errors = zoe.Errors();
        QVERIFY2(errors.startsWith("zelkit-chat: ") && errors.contains(error.toUtf8()) &&
                     errors.contains("usage: zelkit-chat"),
                 errors.constData());
        QVERIFY(zoe.Lines().isEmpty());
        // Loopback delivers as it sends: anything the process sent is here by now.
        QVERIFY(!listener.hasPendingDatagrams());
        Forget(QStringLiteral("Refused"));
    }

    // Every output line is one JSON object; the end of input still prints the echo of the
    // last message before the peer leaves.
    void jsonLinesAndTheLastEcho()
    {
        const std::map<QString, int> marks = Marks();
        TPeerProcess& jay =
            Launch(QStringLiteral("Json"),
                   NickArguments(QStringLiteral("Jay"), 0) + QStringList{QStringLiteral("--json")});
        QVERIFY2(jay.WaitForLine(QRegularExpression(QStringLiteral("\"state\":\"Ready\""))) >= 0,
                 jay.Describe().constData());
        jay.Send(QStringLiteral("<b>bold</b> & \"quoted\""));
        jay.Send(QStringLiteral("entering chat..."));
        jay.Send(QStringLiteral("last words"));
        jay.CloseInput();
        QVERIFY2(jay.WaitForCleanExit(), jay.Describe().constData());

        QList<QJsonObject> objects;
        for (const QString& line : jay.Lines()) {
            QJsonParseError error{};
            const QJsonDocument doc = QJsonDocument::fromJson(line.toUtf8(), &error);
            QVERIFY2(error.error == QJsonParseError::NoError && doc.isObject(), qPrintable(line));
            objects << doc.object();
        }
        const auto find = [&](const QString& type, const QString& key, const QString& value) {
            for (const QJsonObject& o : objects)
                if (o.value(QLatin1String("type")).toString() == type &&
                    o.value(key).toString() == value)
                    return o;
            return QJsonObject();
        };
        QVERIFY(!find(QStringLiteral("state"), QStringLiteral("state"), QStringLiteral("Ready"))
                     .isEmpty());
        QVERIFY(!find(QStringLiteral("event"), QStringLiteral("text"),
                      QStringLiteral("<Jay> entering chat..."))
                     .isEmpty());
        const QJsonObject typed = find(QStringLiteral("message"), QStringLiteral("text"),
                                       QStringLiteral("entering chat..."));
        QCOMPARE(typed.value(QLatin1String("nick")).toString(), QStringLiteral("Jay"));
        QCOMPARE(typed.value(QLatin1String("view")).toString(), QStringLiteral("conference"));
        QCOMPARE(typed.value(QLatin1String("continuation")).toBool(true), false);
        QVERIFY(!find(QStringLiteral("message"), QStringLiteral("text"),
                      QStringLiteral("<b>bold</b> & \"quoted\""))
                     .isEmpty());
        QVERIFY2(
            !find(QStringLiteral("message"), QStringLiteral("text"), QStringLiteral("last words"))
                 .isEmpty(),
            jay.Describe().constData());
        for (const auto& [name, from] : marks)
            VERIFY_LINES(Peer(name), from, TLineMatch::Exactly,
                         (QStringList{"conference [T] <Jay> entering chat...",
                                      "conference [T] <Jay> <b>bold</b> & \"quoted\"",
                                      "conference [T] <Jay> entering chat...",
                                      "conference [T] <Jay> last words",
                                      "conference [T] <Jay> leaving chat..."}));
        Forget(QStringLiteral("Json"));
    }

    void hangUpLeavesAndAPeerWithoutANameSaysSo()
    {
        const std::map<QString, int> marks = Marks();
        TPeerProcess& hup = Launch(QStringLiteral("Hup"), NickArguments(QStringLiteral("Hugo"), 0));
        VERIFY_LINES(hup, 0, TLineMatch::InOrder, QStringList{"state Ready"});
        hup.Signal(SIGHUP);
        QCOMPARE(hup.WaitForExit(), 0);
        for (const auto& [name, from] : marks)
            VERIFY_LINES(Peer(name), from, TLineMatch::Exactly,
                         (QStringList{"conference [T] <Hugo> entering chat...",
                                      "conference [T] <Hugo> leaving chat..."}));
        Forget(QStringLiteral("Hup"));

        // Refused as in use, and no /nick followed.
        TPeerProcess& twin =
            Launch(QStringLiteral("Twin"), NickArguments(QStringLiteral("bob"), 0));
        VERIFY_LINES(twin, 0, TLineMatch::InOrder,
                     QStringList{"notice This nic is already used. Enter another nic."});
        twin.CloseInput();
        QCOMPARE(twin.WaitForExit(), 3);
        Forget(QStringLiteral("Twin"));
    }

    void peersLeave()
    {
        // Every way out says goodbye: /quit, and the end of input.
        QStringList gone;
        for (const auto& [leaving, nick] :
             {std::pair{"Dave", "Dora"}, {"Carl", "Carl"}, {"Bob", "Bob"}}) {
            const std::map<QString, int> marks = Marks();
            TPeerProcess& peer = Peer(leaving);
            if (gone.isEmpty())
                peer.Send(QStringLiteral("/quit"));
            else
                peer.CloseInput();
            QVERIFY2(peer.WaitForCleanExit(), peer.Describe().constData());
            gone << leaving;
            for (const auto& [name, from] : marks)
                if (!gone.contains(name))
                    VERIFY_LINES(
                        Peer(name), from, TLineMatch::Exactly,
                        QStringList{
                            QStringLiteral("conference [T] <%1> leaving chat...").arg(nick)});
        }
        TPeerProcess& anna = Peer("Anna");
        const int mark = anna.Mark();
        anna.Send(QStringLiteral("/contacts"));
        VERIFY_LINES(anna, mark, TLineMatch::Exactly,
                     (QStringList{"contacts 1", "contact Anna 1"}));
        anna.CloseInput();
        QVERIFY2(anna.WaitForCleanExit(), anna.Describe().constData());

        // None of them had a settings file, and none was written.
        for (const auto& [name, peer] : FPeers)
            QVERIFY2(!QFile::exists(SettingsFile(*peer)), qPrintable(name));
    }

    void settingsFileIsNeverWritten_data()
    {
        QTest::addColumn<bool>("hasFile");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("contact");

        const QStringList eve = NickArguments(QStringLiteral("Eve"), 1);
        QTest::newRow("no file") << false << QByteArray() << eve << "contact Eve 1";
        QTest::newRow("stored profile")
            << true << StoredProfileText() << QStringList() << "contact Stored 2";
        QTest::newRow("stored profile exported from Windows")
            << true << Utf16Export(StoredProfileText()) << QStringList() << "contact Stored 2";
        QTest::newRow("stored profile, nickname from the options")
            << true << StoredProfileText() << eve << "contact Eve 1";
        QTest::newRow("unreadable file")
            << true << QByteArray("this is no registry export\n") << eve << "contact Eve 1";
    }

    void settingsFileIsNeverWritten()
    {
        QFETCH(bool, hasFile);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, arguments);
        QFETCH(QString, contact);
        QTemporaryDir home;
        if (hasFile) {
            QVERIFY(QDir(home.path()).mkpath(QStringLiteral("zelkit-chat")));
            QFile settings(home.path() + QStringLiteral("/zelkit-chat/user.reg"));
            QVERIFY(settings.open(QIODevice::WriteOnly));
            QCOMPARE(settings.write(file), file.size());
        }
        const std::map<QString, QByteArray> before = Snapshot(home.path());

        TPeerProcess& peer = Launch(QStringLiteral("Settings"), arguments, home.path());
        VERIFY_LINES(peer, 0, TLineMatch::InOrder, QStringList{"state Ready"});
        peer.Send(QStringLiteral("/contacts"));
        VERIFY_LINES(peer, 0, TLineMatch::InOrder, QStringList{contact});
        peer.CloseInput();
        QVERIFY2(peer.WaitForCleanExit(), peer.Describe().constData());

        QVERIFY2(Snapshot(home.path()) == before, "the run changed the settings folder");
        QCOMPARE(QFile::exists(SettingsFile(peer)), hasFile);
    }
};

QTEST_GUILESS_MAIN(TestHeadlessE2E)
#include "tst_headless_e2e.moc"
