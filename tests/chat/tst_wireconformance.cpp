// The exact bytes the engine puts on the wire for every kind it sends, against datagrams laid
// out here by hand from the wire layout (literal offsets, not the encoder), so that a fault in
// the encoder or in what the engine fills in cannot hide behind itself.
#include "LanSim.h"

#include <QtTest>

namespace {

constexpr int HeaderSize = 107;

void PutShortString(QByteArray& bytes, int offset, int capacity, const QByteArray& value)
{
    const QByteArray chars = value.left(capacity);
    bytes[offset] = static_cast<char>(chars.size());
    bytes.replace(offset + 1, chars.size(), chars);
}

// Kinds 2 to 9: 107 bytes, zero but for the kind, SenderNick at 1 and Gender at 34.
QByteArray Control(quint8 kind, const QByteArray& nick, quint8 gender)
{
    QByteArray bytes(HeaderSize, '\0');
    bytes[0] = static_cast<char>(kind);
    PutShortString(bytes, 1, 32, nick);
    bytes[34] = static_cast<char>(gender);
    return bytes;
}

QByteArray ListQuery()
{
    QByteArray bytes(HeaderSize, '\0');
    bytes[0] = 8;
    return bytes;
}

struct TPiece {
    QByteArray Marker;
    QByteArray Text;
};

QByteArray Message(quint8 kind, const QByteArray& nick, quint8 gender, const TEditorFont& font,
                   const QByteArray& recipient, const TPiece& piece)
{
    QByteArray bytes = Control(kind, nick, gender);
    for (int i = 0; i < 4; ++i)
        bytes[35 + i] = static_cast<char>((font.Color >> (8 * i)) & 0xFF);
    PutShortString(bytes, 39, 30, piece.Marker);
    bytes[70] = font.Bold ? 1 : 0;
    bytes[71] = font.Italic ? 1 : 0;
    PutShortString(bytes, 72, 32, recipient);
    bytes[105] = static_cast<char>(piece.Text.size() & 0xFF);
    bytes[106] = static_cast<char>(piece.Text.size() >> 8);
    return bytes + piece.Text;
}

// One line of hex per datagram, so a failure names the datagram and shows where it differs.
QByteArrayList Hex(const QByteArrayList& datagrams)
{
    QByteArrayList out;
    for (const QByteArray& d : datagrams)
        out << d.toHex(' ');
    return out;
}

QByteArrayList SentSince(const TSimPeer& peer, size_t from)
{
    QByteArrayList out;
    for (size_t i = from; i < peer.Sent.size(); ++i)
        out << EncodeDatagram(peer.Sent[i]);
    return out;
}

QList<int> Sizes(const QByteArrayList& datagrams)
{
    QList<int> out;
    for (const QByteArray& d : datagrams)
        out << static_cast<int>(d.size());
    return out;
}

// "0123456789" repeated: every piece of a long text is told apart by its first digits.
QByteArray Digits(int length)
{
    QByteArray out;
    for (int i = 0; i < length; ++i)
        out += static_cast<char>('0' + i % 10);
    return out;
}

// Anna (female) and Bob (male), both ready.
struct TTwoPeers {
    TSimLan Lan;
    TSimPeer& Anna = Lan.Add(QStringLiteral("Anna"), 1);
    TSimPeer& Bob = Lan.Add(QStringLiteral("Bob"), 0);
    TTwoPeers()
    {
        Anna.Start();
        Lan.Advance(2000);
        Bob.Start();
        Lan.Advance(2000);
    }
};

} // namespace

class TestWireConformance : public QObject
{
    Q_OBJECT
private slots:
    void joinSendsQueryEnterListQueryAndAnswers()
    {
        TTwoPeers n;
        const size_t annaFrom = n.Anna.Sent.size();
        const size_t bobFrom = n.Bob.Sent.size();
        TSimPeer& carl = n.Lan.Add(QStringLiteral("Carl"), 2);
        carl.Start();
        n.Lan.Advance(2000);

        QCOMPARE(Hex(SentSince(carl, 0)), Hex({Control(2, "Carl", 2), Control(4, "Carl", 2),
                                               ListQuery(), Control(9, "Carl", 2)}));
        QCOMPARE(Hex(SentSince(n.Anna, annaFrom)), Hex({Control(9, "Anna", 1)}));
        QCOMPARE(Hex(SentSince(n.Bob, bobFrom)), Hex({Control(9, "Bob", 0)}));
        // The list query names nobody: every byte after the kind is zero.
        QCOMPARE(EncodeDatagram(carl.Sent[2]), QByteArray("\x08") + QByteArray(106, '\0'));
    }

    void nickInUseCarriesTheAnswerersOwnNick()
    {
        TTwoPeers n;
        const size_t annaFrom = n.Anna.Sent.size();
        TSimPeer& upper = n.Lan.Add(QStringLiteral("ANNA"), 0);
        upper.DialogCancels = true; // else it would claim the same nickname again at once
        upper.Start();
        n.Lan.Advance(100);
        QCOMPARE(Hex(SentSince(upper, 0)), Hex({Control(2, "ANNA", 0)}));
        QCOMPARE(Hex(SentSince(n.Anna, annaFrom)), Hex({Control(3, "Anna", 1)}));
    }

    void leaveCarriesTheNickGivenUp_data()
    {
        QTest::addColumn<bool>("changeUser");
        QTest::addColumn<QByteArrayList>("expected");
        QTest::newRow("close") << false << QByteArrayList{Control(5, "Bob", 0)};
        QTest::newRow("change of user")
            << true << QByteArrayList{Control(5, "Bob", 0), Control(2, "Bobby", 2)};
    }

    void leaveCarriesTheNickGivenUp()
    {
        QFETCH(bool, changeUser);
        QFETCH(QByteArrayList, expected);
        TTwoPeers n;
        const size_t from = n.Bob.Sent.size();
        if (changeUser) {
            n.Bob.DialogAnswer = std::make_pair(QStringLiteral("Bobby"), 2);
            n.Bob.Engine->miNewUserClick();
        } else {
            n.Bob.Engine->FormClose();
        }
        QCOMPARE(Hex(SentSince(n.Bob, from)), Hex(expected));
    }

    void listAnswerNeverCarriesTheHiddenMarker()
    {
        TTwoPeers n;
        // Somebody announces that "Anna" has hidden herself: her record is marked, but this
        // program never hides, so her own answers must stay plain.
        n.Lan.Inject(Control(6, "Anna", 0));
        n.Lan.Advance(10);
        const TContactInfo* self = n.Anna.Engine->Contacts().Find("Anna");
        QVERIFY(self && self->Hidden);

        const size_t from = n.Anna.Sent.size();
        n.Bob.Engine->miUpdateClientsClick();
        n.Lan.Advance(2000);
        QCOMPARE(Hex(SentSince(n.Anna, from)), Hex({Control(9, "Anna", 1)}));
    }

    void messages_data()
    {
        QTest::addColumn<bool>("isPrivate");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<uint>("color");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<bool>("italic");
        QTest::addColumn<QByteArray>("recipient");
        QTest::addColumn<QByteArrayList>("texts");

        const QByteArrayList thousand{Digits(1000).left(450), Digits(1000).mid(450, 450),
                                      Digits(1000).mid(900)};
        QTest::newRow("conference, bold red") << false << "hello" << 0x0000FFu << true << false
                                              << QByteArray() << QByteArrayList{"hello"};
        QTest::newRow("conference, italic, every colour byte differs")
            << false << "caf\u00e9 \u20ac" << 0x00123456u << false << true << QByteArray()
            << QByteArrayList{"caf\xe9 \x80"};
        QTest::newRow("conference, blanks trimmed")
            << false << "  hi there  " << 0u << false << false << QByteArray()
            << QByteArrayList{"hi there"};
        QTest::newRow("conference, 450 characters in one piece")
            << false << QString::fromLatin1(Digits(450)) << 0u << false << false << QByteArray()
            << QByteArrayList{Digits(450)};
        QTest::newRow("conference, 1000 characters in three pieces")
            << false << QString::fromLatin1(Digits(1000)) << 0x00FF00u << true << true
            << QByteArray() << thousand;
        QTest::newRow("private") << true << "Anna: psst" << 0x00ABCDEFu << false << true
                                 << QByteArray("Anna") << QByteArrayList{"psst"};
        QTest::newRow("private, 1000 bytes in three pieces")
            << true << "Anna: " + QString::fromLatin1(Digits(1000)) << 0u << false << false
            << QByteArray("Anna") << thousand;
    }

    void messages()
    {
        QFETCH(bool, isPrivate);
        QFETCH(QString, editor);
        QFETCH(uint, color);
        QFETCH(bool, bold);
        QFETCH(bool, italic);
        QFETCH(QByteArray, recipient);
        QFETCH(QByteArrayList, texts);
        TTwoPeers n;
        n.Bob.Font = {color, bold, italic};
        const size_t from = n.Bob.Sent.size();
        n.Bob.Type(editor);
        if (isPrivate)
            n.Bob.Engine->SendPrivateCommand();
        else
            n.Bob.Engine->SendConferenceCommand();
        n.Lan.Advance(1000);

        QByteArrayList expected;
        for (qsizetype i = 0; i < texts.size(); ++i)
            expected << Message(isPrivate ? 1 : 0, "Bob", 0, n.Bob.Font, recipient,
                                {i == 0 ? "~" : "MP", texts[i]});
        const QByteArrayList sent = SentSince(n.Bob, from);
        QList<int> sizes;
        for (const QByteArray& t : texts)
            sizes << HeaderSize + static_cast<int>(t.size());
        QCOMPARE(Sizes(sent), sizes);
        QCOMPARE(Hex(sent), Hex(expected));
        // The markers themselves, byte for byte: "~" is 01 7E, "MP" is 02 4D 50.
        QCOMPARE(sent.front().mid(39, 31), QByteArray("\x01~") + QByteArray(29, '\0'));
        if (sent.size() > 1)
            QCOMPARE(sent.back().mid(39, 31), QByteArray("\x02MP") + QByteArray(28, '\0'));
    }

    void nickField_data()
    {
        QTest::addColumn<QString>("nick");
        QTest::addColumn<QByteArray>("field");
        QTest::newRow("short") << "Zed" << QByteArray("Zed");
        QTest::newRow("32 bytes") << QString(32, QLatin1Char('n')) << QByteArray(32, 'n');
        QTest::newRow("40 bytes go as 32")
            << QString::fromLatin1(Digits(40)) << Digits(40).left(32);
        QTest::newRow("code page letter") << "Zo\u00eb" << QByteArray("Zo\xeb");
    }

    void nickField()
    {
        QFETCH(QString, nick);
        QFETCH(QByteArray, field);
        TSimLan lan;
        TSimPeer& peer = lan.Add(nick, 2);
        peer.Start();
        lan.Advance(2000);
        const size_t from = peer.Sent.size();
        peer.Type(QStringLiteral("x"));
        peer.Engine->SendConferenceCommand();
        peer.Engine->FormClose();

        QCOMPARE(Hex(SentSince(peer, 0).mid(0, 2)),
                 Hex({Control(2, field, 2), Control(4, field, 2)}));
        QCOMPARE(Hex(SentSince(peer, from)),
                 Hex({Message(0, field, 2, peer.Font, {}, {"~", "x"}), Control(5, field, 2)}));
    }
};

QTEST_GUILESS_MAIN(TestWireConformance)
#include "tst_wireconformance.moc"
