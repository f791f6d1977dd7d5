#include "net/ChatDatagram.h"

#include "DatagramToString.h"

#include <QtTest>

using namespace Datagram;

namespace {

// Expected wire bytes, written field by field from the layout table into a zero buffer.
class TWire
{
public:
    explicit TWire(int textLength) : FBytes(HeaderSize + textLength, '\0') {}
    TWire& Put(int offset, const QByteArray& bytes)
    {
        FBytes.replace(offset, bytes.size(), bytes);
        return *this;
    }
    TWire& Byte(int offset, int value) { return Put(offset, QByteArray(1, char(value))); }
    // A short string: its length byte, then its characters.
    TWire& Short(int offset, const QByteArray& chars)
    {
        return Byte(offset, int(chars.size())).Put(offset + 1, chars);
    }
    operator QByteArray() const { return FBytes; }

private:
    QByteArray FBytes;
};

TChatDatagram Message(TDatagramKind kind, const QByteArray& marker, const QByteArray& text)
{
    TChatDatagram d;
    d.Kind = std::uint8_t(kind);
    d.SenderNick = "Alice";
    d.Gender = 1;
    d.TextColor = 0x00332211;
    d.PartMarker = marker;
    d.Bold = 1;
    SetDatagramText(text, d);
    return d;
}

} // namespace

class TestChatDatagram : public QObject
{
    Q_OBJECT
private slots:
    void encode_data();
    void encode();
    void decodeClamps_data();
    void decodeClamps();
    void decodeAnyLength();
    void roundTrip();
};

void TestChatDatagram::encode_data()
{
    QTest::addColumn<TChatDatagram>("datagram");
    QTest::addColumn<QByteArray>("wire");

    const QByteArray longNick(40, 'n');
    const QByteArray fullText(450, 't');
    // Fields every message carries: Alice, female, colour 11 22 33 (red low), bold.
    auto message = [](int textLength, const QByteArray& marker) {
        return TWire(textLength)
            .Short(1, "Alice")
            .Byte(34, 1)
            .Put(35, QByteArray::fromHex("11223300"))
            .Put(39, marker)
            .Byte(70, 1);
    };

    QTest::newRow("0 conference") << Message(TDatagramKind::dkConferenceMsg, "~", "Hello")
                                  << QByteArray(message(5, QByteArray::fromHex("017e"))
                                                    .Put(105, QByteArray::fromHex("0500"))
                                                    .Put(107, "Hello"));
    QTest::newRow("0 empty text is 107 bytes")
        << Message(TDatagramKind::dkConferenceMsg, "~", "")
        << QByteArray(message(0, QByteArray::fromHex("017e")));
    {
        TChatDatagram d = Message(TDatagramKind::dkPrivateMsg, "MP", fullText);
        d.Italic = 1;
        d.RecipientNick = "Bob";
        QTest::newRow("1 private, 450 bytes is 557")
            << d
            << QByteArray(message(450, QByteArray::fromHex("024d50"))
                              .Byte(0, 1)
                              .Byte(71, 1)
                              .Short(72, "Bob")
                              .Put(105, QByteArray::fromHex("c201"))
                              .Put(107, fullText));
    }
    QTest::newRow("0 text beyond 450 is cut")
        << Message(TDatagramKind::dkConferenceMsg, "~", fullText + "XYZ")
        << QByteArray(message(450, QByteArray::fromHex("017e"))
                          .Put(105, QByteArray::fromHex("c201"))
                          .Put(107, fullText));
    QTest::newRow("2 nick query, 40-byte nick")
        << MakeShortCommand(TDatagramKind::dkNickQuery, longNick, 2)
        << QByteArray(TWire(0).Byte(0, 2).Byte(1, 32).Put(2, longNick.left(32)).Byte(34, 2));
    QTest::newRow("3 nick in use") << MakeShortCommand(TDatagramKind::dkNickInUse, "Bob", 0)
                                   << QByteArray(TWire(0).Byte(0, 3).Short(1, "Bob"));
    QTest::newRow("4 enter, low byte of value")
        << MakeShortCommand(TDatagramKind::dkEnter, "Bob", 0x102)
        << QByteArray(TWire(0).Byte(0, 4).Short(1, "Bob").Byte(34, 2));
    QTest::newRow("5 leave") << MakeShortCommand(TDatagramKind::dkLeave, "Bob", 1)
                             << QByteArray(TWire(0).Byte(0, 5).Short(1, "Bob").Byte(34, 1));
    {
        TChatDatagram d;
        d.Kind = std::uint8_t(TDatagramKind::dkListQuery);
        QTest::newRow("8 list query, zero after kind") << d << QByteArray(TWire(0).Byte(0, 8));
    }
    {
        TChatDatagram d = MakeShortCommand(TDatagramKind::dkListAnswer, "Bob", 2);
        QTest::newRow("9 list answer")
            << d << QByteArray(TWire(0).Byte(0, 9).Short(1, "Bob").Byte(34, 2));
        d.RecipientNick = HiddenMarker;
        QTest::newRow("9 list answer, hidden marker")
            << d
            << QByteArray(TWire(0).Byte(0, 9).Short(1, "Bob").Byte(34, 2).Byte(72, 18).Put(
                   73, "@@@@@@@@@IAmHidden"));
    }
    {
        TChatDatagram d = Message(TDatagramKind::dkConferenceMsg, QByteArray(35, 'm'), "");
        QTest::newRow("marker cut to 30")
            << d << QByteArray(message(0, QByteArray(1, 30) + QByteArray(30, 'm')));
    }
}

void TestChatDatagram::encode()
{
    QFETCH(TChatDatagram, datagram);
    QFETCH(QByteArray, wire);
    QCOMPARE(EncodeDatagram(datagram).toHex(' '), wire.toHex(' '));
}

void TestChatDatagram::decodeClamps_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<TChatDatagram>("expected");

    {
        TChatDatagram d;
        d.Kind = 0;
        d.Text = QByteArray(450, 'x');
        QTest::newRow("TextLength 65535, 600 bytes")
            << QByteArray(
                   TWire(493).Put(105, QByteArray::fromHex("ffff")).Put(107, QByteArray(493, 'x')))
            << d;
    }
    {
        TChatDatagram d;
        d.Text = "0123456789abc";
        QTest::newRow("TextLength 300, 13 bytes received")
            << QByteArray(TWire(0).Put(105, QByteArray::fromHex("2c01")) + "0123456789abc") << d;
    }
    {
        TChatDatagram d;
        d.SenderNick = QByteArray(32, 's');
        d.PartMarker = QByteArray(30, 'm');
        d.RecipientNick = QByteArray(32, 'r');
        QTest::newRow("length bytes 200 clamped to capacity")
            << QByteArray(TWire(0)
                              .Byte(1, 200)
                              .Put(2, QByteArray(32, 's'))
                              .Byte(34, 0)
                              .Byte(39, 200)
                              .Put(40, QByteArray(30, 'm'))
                              .Byte(72, 200)
                              .Put(73, QByteArray(32, 'r')))
            << d;
    }
    {
        // Cut inside the sender's name: the missing characters read as zero bytes.
        TChatDatagram d;
        d.Kind = 4;
        d.SenderNick = QByteArray("Bob") + QByteArray(7, '\0');
        QTest::newRow("cut after 5 bytes") << QByteArray::fromHex("040a426f62") << d;
    }
    QTest::newRow("nothing received") << QByteArray() << TChatDatagram();
    {
        TChatDatagram d;
        d.Kind = 1;
        d.Gender = 2;
        d.TextColor = 0x00ccbbaa;
        QTest::newRow("cut inside the colour")
            << QByteArray(TWire(0).Byte(0, 1).Byte(34, 2).Put(35, QByteArray::fromHex("aabbcc")))
                   .left(38)
            << d;
    }
}

void TestChatDatagram::decodeClamps()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TChatDatagram, expected);
    QCOMPARE(DecodeDatagram(bytes), expected);
}

void TestChatDatagram::decodeAnyLength()
{
    // Every length a hostile sender could produce, with every length field at its maximum.
    for (int size = 0; size <= 600; ++size) {
        const QByteArray bytes(size, '\xff');
        const TChatDatagram d = DecodeDatagram(bytes);
        const int textRoom = std::max(0, size - HeaderSize);
        QVERIFY2(d.Text.size() == std::min(textRoom, MaxTextLength),
                 qPrintable(QString::number(size)));
        QVERIFY(d.SenderNick.size() == (size > OffSenderNick ? NickCapacity : 0));
        QVERIFY(d.PartMarker.size() == (size > OffPartMarker ? MarkerCapacity : 0));
        QVERIFY(d.RecipientNick.size() == (size > OffRecipientNick ? NickCapacity : 0));
    }
}

void TestChatDatagram::roundTrip()
{
    TChatDatagram d = Message(TDatagramKind::dkPrivateMsg, "MP", QByteArray("\x00\xff text", 7));
    d.RecipientNick = "Bob";
    d.Italic = 1;
    QCOMPARE(DecodeDatagram(EncodeDatagram(d)), d);
}

QTEST_APPLESS_MAIN(TestChatDatagram)
#include "tst_chatdatagram.moc"
