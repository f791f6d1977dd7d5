// Conference and private messages, flood control, long messages, sounds and popups, on a
// virtual LAN with a virtual clock.
#include "LanSim.h"

#include <QtTest>

namespace {
struct TThreePeers {
    TSimLan Lan;
    TSimPeer& Anna = Lan.Add(QStringLiteral("Anna"), 1);
    TSimPeer& Bob = Lan.Add(QStringLiteral("Bob"));
    TSimPeer& bob = Lan.Add(QStringLiteral("bob"));
    TThreePeers()
    {
        for (auto& p : Lan.Peers)
            p->Start();
        Lan.Advance(2000);
    }
};

TChatDatagram Message(int kind, const QByteArray& from, const QByteArray& text,
                      const QByteArray& to = {}, const QByteArray& marker = "~")
{
    TChatDatagram d;
    d.Kind = static_cast<std::uint8_t>(kind);
    d.SenderNick = from;
    d.RecipientNick = to;
    d.PartMarker = marker;
    d.Text = text;
    return d;
}
} // namespace

class TestChatMessages : public QObject
{
    Q_OBJECT
private slots:
    void aConferenceMessageReachesEveryoneOnceThroughItsEcho()
    {
        TThreePeers n;
        n.Anna.Type(QStringLiteral("  hello all "));
        n.Anna.Engine->SendConferenceCommand();
        QCOMPARE(n.Anna.Editor, QString());
        // The sender shows nothing until its own datagram comes back.
        QVERIFY(n.Anna.Lines("conference <").isEmpty());
        n.Lan.Advance(1);
        for (auto& p : n.Lan.Peers) {
            QCOMPARE(p->Lines("conference <"), QStringList{"conference <Anna> hello all"});
            QCOMPARE(p->Lines("history <"), QStringList{"history <Anna> hello all"});
        }
        QCOMPARE(n.Anna.Sent.back().TextColor, 0x0000FFu);
        QCOMPARE(n.Anna.Sent.back().Bold, 1);
    }

    void theOwnEchoIsDroppedWithinTwoSeconds()
    {
        TThreePeers n;
        const QByteArray echo = EncodeDatagram(Message(0, "Anna", "same"));
        n.Lan.Inject(echo);
        n.Lan.Advance(1000);
        n.Lan.Inject(echo); // 1 s later: dropped by Anna, shown by the others
        n.Lan.Advance(1000);
        n.Lan.Inject(echo); // 2 s after the last shown one: shown
        n.Lan.Advance(1);
        QCOMPARE(n.Anna.Lines("conference <").size(), 2);
        QCOMPARE(n.Bob.Lines("conference <").size(), 3);
    }

    void identicalMessagesOfAnotherPeerAreAllShown()
    {
        TThreePeers n;
        const QByteArray d = EncodeDatagram(Message(0, "Bob", "again"));
        n.Lan.Inject(d);
        n.Lan.Inject(d);
        n.Lan.Advance(1);
        QCOMPARE(n.Anna.Lines("conference <Bob> again").size(), 2);
    }

    void aMessageFromAStrangerRefreshesTheList()
    {
        TThreePeers n;
        n.Lan.Inject(EncodeDatagram(Message(0, "Zed", "who am I")));
        n.Lan.Advance(0);
        for (auto& p : n.Lan.Peers) {
            QVERIFY(p->Lines("conference <Zed>").isEmpty());
            QCOMPARE(p->Engine->ChatState(), TChatState::csInterrogating);
            QCOMPARE(p->Sent.back().kind(), TDatagramKind::dkListQuery);
        }
        n.Lan.Advance(1000);
        QCOMPARE(n.Anna.ContactNames(), (QStringList{"Anna", "Bob", "bob"}));
    }

    void aPrivateMessageReachesOnlyItsExactAddressee()
    {
        TThreePeers n;
        n.Anna.Type(QStringLiteral("Bob: see you"));
        n.Anna.Engine->SendPrivateCommand();
        QCOMPARE(n.Anna.Editor, QStringLiteral("Bob: "));
        QCOMPARE(n.Anna.Lines("private "), QStringList{"private >Bob: see you"});
        QCOMPARE(n.Anna.Lines("history <"), QStringList{"history <Anna> (private) Bob: see you"});
        n.Lan.Advance(1);
        QCOMPARE(n.Bob.Lines("private "), QStringList{"private <Anna> see you"});
        QCOMPARE(n.Bob.Lines("history <"), QStringList{"history <Anna> (private) see you"});
        QCOMPARE(n.Bob.Lines("blink private").size(), 1);
        QVERIFY(n.bob.Lines("private ").isEmpty());
        QCOMPARE(n.Anna.Lines("private ").size(), 1);
    }

    void aPrivateMessageToOneselfShowsTwice()
    {
        TThreePeers n;
        n.Anna.Type(QStringLiteral("Anna: note to self"));
        n.Anna.Engine->SendPrivateCommand();
        n.Lan.Advance(1);
        QCOMPARE(n.Anna.Lines("private "),
                 (QStringList{"private >Anna: note to self", "private <Anna> note to self"}));
    }

    void privateWithoutAKnownRecipientShowsTheHint_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("hint");
        QTest::newRow("no colon") << "just text" << true;
        QTest::newRow("unknown contact") << "Zed: hi" << true;
        QTest::newRow("empty body") << "Bob:   " << false;
    }
    void privateWithoutAKnownRecipientShowsTheHint()
    {
        QFETCH(QString, text);
        QFETCH(bool, hint);
        TThreePeers n;
        const size_t before = n.Anna.Sent.size();
        n.Anna.Type(text);
        n.Anna.Engine->SendPrivateCommand();
        QCOMPARE(n.Anna.Sent.size(), before);
        QCOMPARE(n.Anna.Editor, text);
        QCOMPARE(n.Anna.Lines("hint You").size(), hint ? 1 : 0);
        if (!hint)
            return;
        n.Lan.Advance(1499);
        QVERIFY(n.Anna.Lines("hint-off").size() == 1); // the old hint goes before a new one
        n.Lan.Advance(1);
        QCOMPARE(n.Anna.Lines("hint-off").size(), 2);
    }

    void floodControlHoldsRepeatedTexts()
    {
        TThreePeers n;
        auto send = [&](const QString& text) {
            n.Anna.Type(text);
            n.Anna.Engine->SendConferenceCommand();
        };
        auto sentAt = [&]() { return n.Lan.Wire.size(); };
        const size_t start = sentAt();
        send(QStringLiteral("hi"));
        QCOMPARE(sentAt(), start + 1);
        send(QStringLiteral("hi"));
        QCOMPARE(sentAt(), start + 1);
        n.Lan.Advance(99);
        send(QStringLiteral("hi")); // refused while holding; the text stays
        QCOMPARE(n.Anna.Editor, QStringLiteral("hi"));
        QCOMPARE(sentAt(), start + 1);
        n.Lan.Advance(1);
        QCOMPARE(sentAt(), start + 2);
        send(QStringLiteral("hi"));
        n.Lan.Advance(199);
        QCOMPARE(sentAt(), start + 2);
        n.Lan.Advance(1);
        QCOMPARE(sentAt(), start + 3);
        send(QStringLiteral("hello"));
        QCOMPARE(sentAt(), start + 4);
        QCOMPARE(n.Anna.Engine->ConferenceFlood().Interval(), 100);
        // A leading blank makes another text for the flood control.
        send(QStringLiteral(" hello"));
        QCOMPARE(sentAt(), start + 5);
    }

    void aLongMessageTravelsInPiecesAndIsJoined()
    {
        TThreePeers n;
        QString text;
        for (int i = 0; i < 1000; ++i)
            text += QChar(u'a' + i % 26);
        n.Anna.Type(text);
        n.Anna.Engine->SendConferenceCommand();
        QCOMPARE(n.Anna.Sent.back().Text.size(), 450);
        n.Lan.Advance(119);
        QCOMPARE(n.Anna.Sent.back().PartMarker, QByteArray("~"));
        n.Lan.Advance(1);
        QCOMPARE(n.Anna.Sent.back().PartMarker, QByteArray("MP"));
        n.Lan.Advance(120);
        const TChatDatagram last = n.Anna.Sent.back();
        QCOMPARE(last.PartMarker, QByteArray("MP"));
        QCOMPARE(last.Text.size(), 100);
        n.Lan.Advance(500);
        QCOMPARE(n.Bob.Lines("conference"), (QStringList{"conference <Anna> " + text.left(450),
                                                         "conference+ " + text.mid(450, 450),
                                                         "conference+ " + text.mid(900)}));
    }

    void theSenderSeesEveryPieceEvenWhenPiecesRepeat()
    {
        TThreePeers n;
        const QString dashes(1000, u'-');
        n.Anna.Type(dashes);
        n.Anna.Engine->SendConferenceCommand();
        n.Lan.Advance(500);
        QCOMPARE(n.Anna.Lines("conference"), (QStringList{"conference <Anna> " + dashes.left(450),
                                                          "conference+ " + dashes.left(450),
                                                          "conference+ " + dashes.left(100)}));
    }

    void aLongPrivateMessageIsShownOnceAndSentInPieces()
    {
        TThreePeers n;
        const QString body(900, u'x');
        n.Anna.Type(QStringLiteral("Bob: ") + body);
        n.Anna.Engine->SendPrivateCommand();
        n.Lan.Advance(500);
        QCOMPARE(n.Anna.Lines("private "), QStringList{"private >Bob: " + body});
        QCOMPARE(n.Bob.Lines("private"),
                 (QStringList{"private <Anna> " + body.left(450), "private+ " + body.left(450)}));
    }

    void ignoredContactsAreSilencedOnlyWhenReady()
    {
        TThreePeers n;
        QVERIFY(n.Anna.Engine->Contacts().SetIgnored("Bob", true));
        n.Anna.Config.SetBool(sound_only_if_chat_inactive, false);
        n.Anna.Config.SetStr(sound_file_incoming_private_msg, QStringLiteral("/p.wav"));
        n.Anna.Existing << QStringLiteral("/p.wav");
        const QByteArray d = EncodeDatagram(Message(1, "Bob", "psst", "Anna"));
        n.Lan.Inject(d);
        n.Lan.Advance(1);
        QVERIFY(n.Anna.Lines("private ").isEmpty());
        QCOMPARE(n.Anna.Lines("sound ").size(), 1); // the sound comes before the ignore rule
        n.Anna.Engine->miUpdateClientsClick();
        n.Lan.Inject(d);
        n.Lan.Advance(0);
        QCOMPARE(n.Anna.Lines("private "), QStringList{"private <Bob> psst"});
    }

    void soundsFollowTheirSettings_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::addColumn<bool>("active");
        QTest::addColumn<bool>("onlyInactive");
        QTest::addColumn<bool>("fileExists");
        QTest::addColumn<QString>("sound");
        QTest::newRow("conference from another")
            << 0 << QByteArray("Bob") << QByteArray() << false << true << true << "sound 1 /m.wav";
        QTest::newRow("own conference echo")
            << 0 << QByteArray("Anna") << QByteArray() << false << true << true << "";
        QTest::newRow("private to me") << 1 << QByteArray("Bob") << QByteArray("Anna") << false
                                       << true << true << "sound 2 /p.wav";
        QTest::newRow("private to another")
            << 1 << QByteArray("Bob") << QByteArray("bob") << false << true << true << "";
        QTest::newRow("active and only inactive")
            << 0 << QByteArray("Bob") << QByteArray() << true << true << true << "";
        QTest::newRow("active, always")
            << 0 << QByteArray("Bob") << QByteArray() << true << false << true << "sound 1 /m.wav";
        QTest::newRow("missing file")
            << 0 << QByteArray("Bob") << QByteArray() << false << true << false << "";
    }
    void soundsFollowTheirSettings()
    {
        QFETCH(int, kind);
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        QFETCH(bool, active);
        QFETCH(bool, onlyInactive);
        QFETCH(bool, fileExists);
        QFETCH(QString, sound);
        TThreePeers n;
        TSimPeer& a = n.Anna;
        a.Active = active;
        a.Config.SetBool(sound_only_if_chat_inactive, onlyInactive);
        a.Config.SetStr(sound_file_incoming_msg, QStringLiteral("/m.wav"));
        a.Config.SetStr(sound_file_incoming_private_msg, QStringLiteral("/p.wav"));
        if (fileExists)
            a.Existing << QStringLiteral("/m.wav") << QStringLiteral("/p.wav");
        n.Lan.Inject(EncodeDatagram(Message(kind, from, "x", to)));
        n.Lan.Advance(1);
        QCOMPARE(a.Lines("sound "), sound.isEmpty() ? QStringList{} : QStringList{sound});
    }

    void popupsAndAttentionWhenTheWindowIsCovered_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<bool>("covered");
        QTest::addColumn<bool>("privateOnly");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("conference, covered")
            << 0 << true << false << QStringList{"popup <Bob> x", "tray", "flash"};
        QTest::newRow("conference, private only")
            << 0 << true << true << QStringList{"tray", "flash"};
        QTest::newRow("private, private only")
            << 1 << true << true << QStringList{"popup private <Bob> x", "tray", "flash"};
        QTest::newRow("not covered") << 0 << false << false << QStringList{};
    }
    void popupsAndAttentionWhenTheWindowIsCovered()
    {
        QFETCH(int, kind);
        QFETCH(bool, covered);
        QFETCH(bool, privateOnly);
        QFETCH(QStringList, expected);
        TThreePeers n;
        n.Anna.Covered = covered;
        n.Anna.Config.SetBool(popup_on_private_only, privateOnly);
        const qsizetype before = n.Anna.Log.size();
        n.Anna.Lan.Inject(EncodeDatagram(Message(kind, "Bob", "x", kind == 1 ? "Anna" : "")));
        n.Lan.Advance(1);
        QStringList seen;
        for (const QString& l : n.Anna.Log.mid(before))
            if (l.startsWith("popup") || l == "tray" || l == "flash")
                seen << l;
        QCOMPARE(seen, expected);
    }

    void presenceLinesNeverInterpretTheNickname()
    {
        TThreePeers n;
        n.Lan.Inject(EncodeDatagram(MakeShortCommand(TDatagramKind::dkEnter, "%s%n%d<b>", 0)));
        n.Lan.Advance(1);
        QCOMPARE(n.Anna.Lines("event conference <%"),
                 QStringList{"event conference <%s%n%d<b>> entering chat..."});
    }

    void messagesOutsideReadySkipTheFilter()
    {
        TSimLan lan;
        TSimPeer& a = lan.Add(QStringLiteral("Anna"));
        a.Start();
        lan.Advance(600); // interrogating
        lan.Inject(EncodeDatagram(Message(0, "Stranger", "hi")));
        lan.Advance(0);
        QCOMPARE(a.Lines("conference <"), QStringList{"conference <Stranger> hi"});
        QCOMPARE(a.Engine->ChatState(), TChatState::csInterrogating);
    }

    void sendingIsRefusedBeforeRegistration()
    {
        TSimLan lan;
        TSimPeer& a = lan.Add(QStringLiteral("Anna"));
        a.Start();
        a.Type(QStringLiteral("too early"));
        a.Engine->SendConferenceCommand();
        QCOMPARE(a.Editor, QStringLiteral("too early"));
        QCOMPARE(a.Sent.size(), size_t(1));
    }
};

QTEST_APPLESS_MAIN(TestChatMessages)
#include "tst_chatmessages.moc"
