// A peer that lies: datagrams whose lengths, kinds and fields no honest sender produces,
// nicknames of 255 bytes, markup, control characters and the hidden marker, sent over the
// loopback network to a real main window. What the conference view and the history file
// show must be the text as it came, made visible, never interpreted, and the chat must go
// on answering.
#include "MainFormProbe.h"

#include "ui/ContactView.h"

#include <QFile>
#include <QTextEdit>
#include <QUdpSocket>
#include <QtTest>

namespace {

// A datagram's header, with every field settable, in the layout peers exchange.
struct TLie {
    quint8 Kind = 0;
    QByteArray Nick = "Liar";
    int NickLengthByte = -1; // -1: the nick's own length
    QByteArray Marker = "~";
    QByteArray Recipient;
    int TextLength = -1; // -1: the text's own length
    QByteArray Text;
    int Size = -1; // bytes on the wire; -1: header and text

    QByteArray Bytes() const
    {
        QByteArray d(107, '\0');
        d[0] = char(Kind);
        d[1] = char(NickLengthByte >= 0 ? NickLengthByte : Nick.size());
        d.replace(2, qMin<qsizetype>(Nick.size(), 32), Nick.left(32));
        d[34] = 2;
        d[39] = char(Marker.size());
        d.replace(40, Marker.size(), Marker);
        d[72] = char(Recipient.size());
        d.replace(73, Recipient.size(), Recipient);
        const int length = TextLength >= 0 ? TextLength : int(Text.size());
        d[105] = char(length & 0xFF);
        d[106] = char(length >> 8);
        d += Text;
        if (Size >= 0)
            d = d.left(Size).leftJustified(Size, '\0');
        return d;
    }
};

quint16 WirePort()
{
    const quint16 setting = TMainFormProbe::TestPort();
    return static_cast<quint16>((setting >> 8) | (setting << 8));
}

} // namespace

class TestHostilePeer : public QObject
{
    Q_OBJECT

    QUdpSocket FLiar;

    void Send(const TLie& lie)
    {
        const QByteArray bytes = lie.Bytes();
        QCOMPARE(
            FLiar.writeDatagram(bytes, QHostAddress(QStringLiteral("127.255.255.255")), WirePort()),
            bytes.size());
    }

    // Everything sent before it has been handled once an honest line after it shows.
    static bool Settled(const TMainFormProbe& p, const QByteArray& mark)
    {
        return QTest::qWaitFor(
            [&] { return p.Form->edGeneral->toPlainText().contains(QLatin1String(mark)); }, 5000);
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void liesShownAsText_data()
    {
        QTest::addColumn<QByteArray>("datagram");
        QTest::addColumn<QString>("shown");     // in the conference view
        QTest::addColumn<QString>("notShown");  // anywhere in it
        QTest::addColumn<QByteArray>("logged"); // in the history file

        TLie markup;
        markup.Text = "<b>bold</b> <img src=\"/etc/passwd\"> &amp; <a href=\"x\">y</a>";
        QTest::newRow("markup") << markup.Bytes()
                                << QStringLiteral("<b>bold</b> <img src=\"/etc/passwd\"> &amp;")
                                << QString() << markup.Text;
        TLie control;
        control.Text = "bell\x07 escape\x1b[31mred tab\tend";
        QTest::newRow("control characters")
            << control.Bytes() << QStringLiteral("bell\u2407 escape\u241b[31mred")
            << QStringLiteral("\x1b") << QByteArray("[31mred");
        TLie longer;
        longer.Text = "claims more than it has";
        longer.TextLength = 65535;
        QTest::newRow("length beyond the datagram")
            << longer.Bytes() << QStringLiteral("claims more than it has") << QString()
            << longer.Text;
        TLie hugeNick;
        hugeNick.Nick = QByteArray(40, 'N');
        hugeNick.NickLengthByte = 255;
        hugeNick.Text = "from a long nick";
        QTest::newRow("nick length byte 255")
            << hugeNick.Bytes() << QString(QString(32, u'N') + QStringLiteral("> from a long nick"))
            << QString(33, u'N') << QByteArray("from a long nick");
        TLie oversize;
        oversize.Text = "oversize " + QByteArray(1500, 'o');
        oversize.TextLength = 450;
        QTest::newRow("datagram of 1600 bytes")
            << oversize.Bytes() << QStringLiteral("oversize ooo") << QString(451, u'o')
            << QByteArray("oversize ooo");
        TLie unknown;
        unknown.Kind = 200;
        unknown.Text = "kind two hundred";
        QTest::newRow("unknown kind")
            << unknown.Bytes() << QString() << QStringLiteral("kind two hundred") << QByteArray();
        TLie stub;
        stub.Size = 3;
        QTest::newRow("three bytes") << stub.Bytes() << QString() << QString() << QByteArray();
        TLie hidden;
        hidden.Recipient = "@@@@@@@@@IAmHidden";
        hidden.Text = "hidden marker as addressee";
        QTest::newRow("hidden marker in a conference message")
            << hidden.Bytes() << QString() << QString() << QByteArray();
    }
    void liesShownAsText()
    {
        QFETCH(QByteArray, datagram);
        QFETCH(QString, shown);
        QFETCH(QString, notShown);
        QFETCH(QByteArray, logged);
        QTemporaryDir folder;
        const QString history = folder.filePath(QStringLiteral("chat.log"));
        TMainFormProbe p({{history_enabled, 1}, {history_file_name, history}});
        QVERIFY(p.Show());
        QVERIFY(FLiar.state() == QAbstractSocket::BoundState ||
                FLiar.bind(QHostAddress(QStringLiteral("127.0.0.1")), 0));

        QCOMPARE(FLiar.writeDatagram(datagram, QHostAddress(QStringLiteral("127.255.255.255")),
                                     WirePort()),
                 datagram.size());
        TLie honest;
        honest.Nick = "Honest";
        honest.Text = "settled";
        Send(honest);
        QVERIFY(Settled(p, "settled"));

        const QString view = p.Form->edGeneral->toPlainText();
        if (!shown.isEmpty())
            QVERIFY2(view.contains(shown), qPrintable(view));
        if (!notShown.isEmpty())
            QVERIFY2(!view.contains(notShown), qPrintable(view));
        // Never as markup: no bold, no picture the peer named, no link but the nick's.
        QVERIFY(!p.Form->edGeneral->toHtml().contains(QLatin1String("passwd\"")) ||
                view.contains(QLatin1String("passwd")));

        p.Exit();
        QFile file(history);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        if (!logged.isEmpty())
            QVERIFY2(text.contains(logged), text.constData());
        // A history read in a terminal must not be able to drive it: no control byte but
        // the line breaks.
        for (const char c : text)
            QVERIFY2(static_cast<unsigned char>(c) >= 0x20 || c == '\r' || c == '\n' || c == '\t',
                     qPrintable(QStringLiteral("control byte %1 in the history")
                                    .arg(int(static_cast<unsigned char>(c)))));
    }
};

QTEST_MAIN(TestHostilePeer)
#include "tst_hostilepeer.moc"
