// Joining, leaving and the nickname claim, on a virtual LAN with a virtual clock.
#include "LanSim.h"

#include <QtTest>

namespace {
QStringList States(const TSimPeer& p)
{
    QStringList out;
    for (const QString& l : p.Lines(QStringLiteral("status0 ")))
        out << l.mid(8);
    return out;
}
QList<int> SentKinds(const TSimPeer& p)
{
    QList<int> out;
    for (const TChatDatagram& d : p.Sent)
        out << d.Kind;
    return out;
}
} // namespace

class TestChatJoin : public QObject
{
    Q_OBJECT
private slots:
    void aloneThePeerWalksThroughEveryState()
    {
        TSimLan lan;
        TSimPeer& anna = lan.Add(QStringLiteral("Anna"), 1);
        anna.Start();
        QCOMPARE(anna.Engine->ChatState(), TChatState::csRegistering);
        QCOMPARE(SentKinds(anna), QList<int>{2});

        lan.Advance(499);
        QCOMPARE(anna.Engine->ChatState(), TChatState::csRegistering);
        lan.Advance(1);
        QCOMPARE(anna.Engine->ChatState(), TChatState::csInterrogating);
        QCOMPARE(SentKinds(anna), (QList<int>{2, 4, 8}));
        QVERIFY(anna.Engine->Registered());

        lan.Advance(999);
        QCOMPARE(anna.Engine->ChatState(), TChatState::csInterrogating);
        lan.Advance(1);
        QCOMPARE(anna.Engine->ChatState(), TChatState::csReady);
        QCOMPARE(States(anna), (QStringList{"Connecting...", "Connecting...", "Registering...",
                                            "Interrogating...", "Ready"}));
        // Its own enter comes back after the list was emptied: it greets itself, no popup.
        QCOMPARE(anna.Lines("event conference <"),
                 QStringList{"event conference <Anna> entering chat..."});
        QVERIFY(anna.Lines("popup").isEmpty());
        QCOMPARE(anna.ContactNames(), QStringList{"Anna"});
        QCOMPARE(anna.Lines("status4 "), QStringList{"status4 Anna"});
    }

    void aJoiningPeerMeetsTheOthersInCaptionOrder()
    {
        TSimLan lan;
        TSimPeer& carl = lan.Add(QStringLiteral("Carl"));
        TSimPeer& bob = lan.Add(QStringLiteral("bob"));
        carl.Start();
        bob.Start();
        lan.Advance(2000);
        TSimPeer& anna = lan.Add(QStringLiteral("Anna"), 1);
        anna.Start();
        lan.Advance(2000);
        QCOMPARE(anna.ContactNames(), (QStringList{"Anna", "bob", "Carl"}));
        QCOMPARE(carl.ContactNames(), (QStringList{"Anna", "bob", "Carl"}));
        QCOMPARE(carl.Lines("event conference <Anna>"),
                 QStringList{"event conference <Anna> entering chat..."});
        // The others do not object: their nicknames differ.
        for (const TSimPeer* p : {&carl, &bob})
            QVERIFY(!SentKinds(*p).contains(3));
    }

    void aNicknameInUseIsRefusedCaseInsensitively()
    {
        TSimLan lan;
        TSimPeer& anna = lan.Add(QStringLiteral("Anna"));
        anna.Start();
        lan.Advance(2000);
        TSimPeer& other = lan.Add(QStringLiteral("ANNA"));
        other.DialogAnswer = std::make_pair(QStringLiteral("Anke"), 1);
        other.Start();
        lan.Advance(10);
        // The objection carries the answering peer's own spelling.
        QCOMPARE(anna.Sent.back().kind(), TDatagramKind::dkNickInUse);
        QCOMPARE(anna.Sent.back().SenderNick, QByteArray("Anna"));
        QCOMPARE(other.Lines("box "),
                 QStringList{"box This nic is already used. Enter another nic."});
        QVERIFY(other.Lines("dialog short").size() == 1);
        // The dialog gave a new nickname and the claim started again.
        QCOMPARE(other.Engine->ChatState(), TChatState::csRegistering);
        QVERIFY(!other.Engine->Registered());
        lan.Advance(2000);
        QCOMPARE(other.Engine->ChatState(), TChatState::csReady);
        QCOMPARE(other.ContactNames(), (QStringList{"Anke", "Anna"}));
        // The refused name never entered.
        QVERIFY(anna.Lines("event conference <ANNA>").isEmpty());
    }

    void aRefusedPeerWhoseDialogGivesNothingWaits()
    {
        TSimLan lan;
        TSimPeer& anna = lan.Add(QStringLiteral("Anna"));
        anna.Start();
        lan.Advance(2000);
        TSimPeer& other = lan.Add(QStringLiteral("anna"));
        other.Start();
        other.DialogCancels = true;
        lan.Advance(3000);
        QCOMPARE(other.Engine->ChatState(), TChatState::csConnecting);
        QCOMPARE(SentKinds(other), QList<int>{2});
    }

    void twoPeersClaimingTogetherDoNotObject()
    {
        TSimLan lan;
        TSimPeer& a = lan.Add(QStringLiteral("Anna"));
        TSimPeer& b = lan.Add(QStringLiteral("Anna"));
        a.Start();
        lan.Advance(200);
        b.Start();
        lan.Advance(3000);
        QCOMPARE(a.Engine->ChatState(), TChatState::csReady);
        QCOMPARE(b.Engine->ChatState(), TChatState::csReady);
        QVERIFY(!SentKinds(a).contains(3) && !SentKinds(b).contains(3));
        QCOMPARE(a.ContactNames(), QStringList{"Anna"});
    }

    void changeOfUser_data()
    {
        QTest::addColumn<QString>("newNick");
        QTest::addColumn<int>("newGender");
        QTest::addColumn<bool>("leaves");
        QTest::newRow("same nick and gender") << "bob" << 0 << false;
        QTest::newRow("only the case differs") << "Bob" << 0 << true;
        QTest::newRow("only the gender differs") << "bob" << 2 << true;
        QTest::newRow("another nick") << "Rob" << 0 << true;
    }
    void changeOfUser()
    {
        QFETCH(QString, newNick);
        QFETCH(int, newGender);
        QFETCH(bool, leaves);
        TSimLan lan;
        TSimPeer& bob = lan.Add(QStringLiteral("bob"));
        TSimPeer& watcher = lan.Add(QStringLiteral("Watcher"));
        watcher.Start();
        bob.Start();
        lan.Advance(2000);
        const size_t before = bob.Sent.size();
        bob.DialogAnswer = std::make_pair(newNick, newGender);
        bob.Engine->miNewUserClick();
        if (!leaves) {
            QCOMPARE(bob.Sent.size(), before);
            QCOMPARE(bob.Engine->ChatState(), TChatState::csReady);
            return;
        }
        QCOMPARE(bob.Sent[before].kind(), TDatagramKind::dkLeave);
        QCOMPARE(bob.Sent[before].SenderNick, QByteArray("bob"));
        QCOMPARE(bob.Sent[before + 1].kind(), TDatagramKind::dkNickQuery);
        QCOMPARE(bob.Sent[before + 1].SenderNick, newNick.toLatin1());
        lan.Advance(2000);
        QCOMPARE(watcher.ContactNames(), (QStringList{newNick, "Watcher"}));
        QCOMPARE(watcher.Lines("event conference <bob> leaving").size(), 1);
    }

    // The dialog is modal, but datagrams are dispatched while it is open: a message from a
    // stranger starts a refresh under it, and the claim that follows the dialog must still
    // end in the entry of the new name.
    void changeOfUserWhoseDialogOutlivesARefresh()
    {
        TSimLan lan;
        TSimPeer& bob = lan.Add(QStringLiteral("bob"));
        TSimPeer& watcher = lan.Add(QStringLiteral("Watcher"));
        watcher.Start();
        bob.Start();
        lan.Advance(2000);
        bob.DialogAnswer = std::make_pair(QStringLiteral("Rob"), 0);
        bob.WhileDialogOpen = [&] {
            TChatDatagram m;
            m.Kind = static_cast<std::uint8_t>(TDatagramKind::dkConferenceMsg);
            m.SenderNick = "Zed";
            SetDatagramText("hello?", m);
            lan.Inject(EncodeDatagram(m));
            lan.Advance(100);
            QCOMPARE(bob.Engine->ChatState(), TChatState::csInterrogating);
        };
        const size_t before = bob.Sent.size();
        bob.Engine->miNewUserClick();
        lan.Advance(3000);
        QCOMPARE(bob.Engine->ChatState(), TChatState::csReady);
        QVERIFY(bob.Engine->Registered());
        QList<int> kinds;
        for (size_t i = before; i < bob.Sent.size(); ++i)
            kinds << bob.Sent[i].Kind;
        QVERIFY2(kinds.contains(int(TDatagramKind::dkEnter)), "the new name was never announced");
        QVERIFY(!kinds.contains(int(TDatagramKind::dkNickInUse)));
        QCOMPARE(watcher.ContactNames(), (QStringList{"Rob", "Watcher"}));
        QCOMPARE(bob.ContactNames(), (QStringList{"Rob", "Watcher"}));
    }

    // Only the claim compares without case, and with an 8-bit upper-casing: "ß" has no
    // capital of one letter, so "Straße" and "STRASSE" are different names.
    void nicknameClaimComparesWithEightBitCase_data()
    {
        QTest::addColumn<QString>("present");
        QTest::addColumn<QString>("claim");
        QTest::addColumn<bool>("objects");
        QTest::newRow("sharp s is not SS") << u8"strasse" << u8"Straße" << false;
        QTest::newRow("sharp s upper-cased to itself") << u8"STRAßE" << u8"straße" << true;
        QTest::newRow("accented letters") << u8"émile" << u8"ÉMILE" << true;
        QTest::newRow("y with diaeresis") << u8"ÿves" << u8"Ÿves" << true;
    }
    void nicknameClaimComparesWithEightBitCase()
    {
        QFETCH(QString, present);
        QFETCH(QString, claim);
        QFETCH(bool, objects);
        TSimLan lan;
        TSimPeer& first = lan.Add(present);
        first.Start();
        lan.Advance(2000);
        TSimPeer& second = lan.Add(claim);
        second.DialogCancels = true;
        second.Start();
        lan.Advance(2000);
        QCOMPARE(SentKinds(first).contains(int(TDatagramKind::dkNickInUse)), objects);
        QCOMPARE(second.Engine->ChatState(),
                 objects ? TChatState::csConnecting : TChatState::csReady);
    }

    void changeOfUserIsRefusedWhileJoining()
    {
        TSimLan lan;
        TSimPeer& bob = lan.Add(QStringLiteral("bob"));
        bob.Start();
        bob.DialogAnswer = std::make_pair(QStringLiteral("Rob"), 0);
        bob.Engine->miNewUserClick(); // registering
        lan.Advance(600);
        bob.Engine->miNewUserClick(); // interrogating
        QCOMPARE(bob.Lines("dialog").size(), 0);
    }

    void startUpShowsTheDialogWhenAsked_data()
    {
        QTest::addColumn<bool>("firstRun");
        QTest::addColumn<bool>("saveSettings");
        QTest::addColumn<bool>("dialog");
        QTest::addColumn<int>("notices");
        QTest::newRow("first run") << true << true << true << 2;
        QTest::newRow("do not save") << false << false << true << 0;
        QTest::newRow("stored nick") << false << true << false << 0;
    }
    void startUpShowsTheDialogWhenAsked()
    {
        QFETCH(bool, firstRun);
        QFETCH(bool, saveSettings);
        QFETCH(bool, dialog);
        QFETCH(int, notices);
        TSimLan lan;
        TSimPeer& p = lan.Add(QStringLiteral("Anna"));
        p.Config.SetBool(first_run, firstRun);
        p.Config.SetBool(save_settings, saveSettings);
        p.Start({QStringLiteral("/minimized")});
        QCOMPARE(p.Lines("dialog full").size(), dialog ? 1 : 0);
        QCOMPARE(p.Engine->ChatState(), TChatState::csRegistering);
        QCOMPARE(p.Lines("notice ").size(), notices);
        if (notices)
            QCOMPARE(p.Lines("notice ").first(),
                     "notice Welcome to the Zelkit Chat, the easiest LAN-chat in the world!");
        QCOMPARE(p.Lines("minimize").size(), 1);
        QVERIFY(p.Lines("event conference ").first().endsWith(" - New conference started..."));
        QVERIFY(p.Lines("event private ").first().endsWith(" - New private session started..."));
        QCOMPARE(p.Lines("history-event "), QStringList{"history-event New session started"});
    }

    void aFailedOpenStillReachesReady()
    {
        TSimLan lan;
        TSimPeer& p = lan.Add(QStringLiteral("Anna"));
        p.FailOpen = true;
        p.Start();
        lan.Advance(1600);
        QCOMPARE(p.Engine->ChatState(), TChatState::csReady);
        const QStringList errors = p.Lines("error ");
        QCOMPARE(errors.first(), "error Can't create chat socket! #98");
        QCOMPARE(errors.at(1), "error Data send error. #0");
        QVERIFY(p.ContactNames().isEmpty());
    }

    void closingAnnouncesTheLeaveInEveryState()
    {
        TSimLan lan;
        TSimPeer& p = lan.Add(QStringLiteral("Anna"), 1);
        p.Start();
        p.Engine->FormClose();
        QCOMPARE(p.Sent.back(), MakeShortCommand(TDatagramKind::dkLeave, "Anna", 1));
        QVERIFY(!p.SocketOpen);
        p.Engine->FormDestroy();
        QCOMPARE(p.Lines("history-event ").last(), "history-event Session finished +");
        QCOMPARE(p.Config.GetBool(first_run), false);
    }

    void refreshTwiceSendsOneQuery()
    {
        TSimLan lan;
        TSimPeer& p = lan.Add(QStringLiteral("Anna"));
        p.Start();
        lan.Advance(2000);
        const size_t before = p.Sent.size();
        p.Engine->miUpdateClientsClick();
        p.Engine->miUpdateClientsClick();
        QCOMPARE(p.Sent.size(), before + 1);
        QCOMPARE(p.Sent.back().kind(), TDatagramKind::dkListQuery);
    }

    void refreshRestoresIgnoredContactsThatAnswerInTime()
    {
        TSimLan lan;
        TSimPeer& a = lan.Add(QStringLiteral("Anna"));
        TSimPeer& b = lan.Add(QStringLiteral("Bob"));
        a.Start();
        b.Start();
        lan.Advance(2000);
        QVERIFY(a.Engine->Contacts().SetIgnored("Bob", true));
        a.Engine->miUpdateClientsClick();
        lan.Advance(1000);
        QVERIFY(a.Engine->Contacts().Find("Bob")->Ignored);
        // An answer after the window closed is not taken.
        a.Engine->miUpdateClientsClick();
        lan.LatencyMs = 1200;
        lan.Advance(3000);
        QCOMPARE(a.ContactNames(), QStringList{});
    }

    void hiddenPeersAreMarked()
    {
        TSimLan lan;
        TSimPeer& a = lan.Add(QStringLiteral("Anna"));
        a.Start();
        lan.Advance(600);
        TChatDatagram answer;
        answer.Kind = 9;
        answer.SenderNick = "Ghost";
        answer.RecipientNick = Datagram::HiddenMarker;
        lan.Inject(EncodeDatagram(answer));
        lan.Advance(1000);
        QVERIFY(a.Engine->Contacts().Find("Ghost")->Hidden);
        lan.Inject(EncodeDatagram(MakeShortCommand(TDatagramKind::dkVisible, "Ghost", 0)));
        lan.Advance(1);
        QVERIFY(!a.Engine->Contacts().Find("Ghost")->Hidden);
        TChatDatagram hidden = MakeShortCommand(TDatagramKind::dkHidden, "Ghost", 0);
        lan.Inject(EncodeDatagram(hidden));
        lan.Advance(1);
        QVERIFY(a.Engine->Contacts().Find("Ghost")->Hidden);
    }

    void forgedEntersCannotGrowTheListWithoutEnd()
    {
        TSimLan lan;
        TSimPeer& a = lan.Add(QStringLiteral("Anna"));
        a.Start();
        lan.Advance(2000);
        for (int i = 0; i < TChatEngine::MaxContacts + 50; ++i)
            a.Engine->DispatchDatagram(EncodeDatagram(
                MakeShortCommand(TDatagramKind::dkEnter, "x" + QByteArray::number(i), 0)));
        QCOMPARE(a.Engine->Contacts().Count(), TChatEngine::MaxContacts);
    }

    void enterAndLeaveOfOthers()
    {
        TSimLan lan;
        TSimPeer& a = lan.Add(QStringLiteral("Anna"));
        a.Start();
        lan.Advance(2000);
        a.Covered = true;
        a.Config.SetBool(sound_only_if_chat_inactive, false);
        a.Config.SetStr(sound_file_new_contact, QStringLiteral("/s/new.wav"));
        a.Existing << QStringLiteral("/s/new.wav");
        const QByteArray enter = EncodeDatagram(MakeShortCommand(TDatagramKind::dkEnter, "Bob", 0));
        lan.Inject(enter);
        lan.Inject(enter);
        lan.Advance(1);
        // The sound plays for both, the line and the popup only once.
        QCOMPARE(a.Lines("sound ").size(), 2);
        QCOMPARE(a.Lines("event conference <Bob>"),
                 QStringList{"event conference <Bob> entering chat..."});
        QCOMPARE(a.Lines("popup"), QStringList{"popup <Bob> <Bob> entering chat..."});
        lan.Inject(EncodeDatagram(MakeShortCommand(TDatagramKind::dkLeave, "Bob", 0)));
        lan.Inject(EncodeDatagram(MakeShortCommand(TDatagramKind::dkLeave, "Nobody", 0)));
        lan.Advance(1);
        QCOMPARE(a.Lines("event conference <Bob> leaving"),
                 QStringList{"event conference <Bob> leaving chat..."});
        QVERIFY(a.Lines("event conference <Nobody>").isEmpty());
        QCOMPARE(a.ContactNames(), QStringList{"Anna"});
    }
};

QTEST_APPLESS_MAIN(TestChatJoin)
#include "tst_chatjoin.moc"
