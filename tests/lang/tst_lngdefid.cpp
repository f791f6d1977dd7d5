#include "lang/LngDefId.h"

#include <QtTest>

// The built-in texts, written out a second time so that a slip in either copy shows.
class TestLngDefId : public QObject
{
    Q_OBJECT
private slots:
    void texts_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("0") << 0 << QStringLiteral("English");
        QTest::newRow("1") << 1 << QStringLiteral("default");
        QTest::newRow("2") << 2 << QStringLiteral("Conference");
        QTest::newRow("3") << 3 << QStringLiteral("Private");
        QTest::newRow("4") << 4 << QStringLiteral("Choose your nic");
        QTest::newRow("5") << 5 << QStringLiteral("&File");
        QTest::newRow("6") << 6 << QStringLiteral("&Edit");
        QTest::newRow("7") << 7 << QStringLiteral("&View");
        QTest::newRow("8") << 8 << QStringLiteral("&Options");
        QTest::newRow("9") << 9 << QStringLiteral("&?");
        QTest::newRow("10") << 10 << QStringLiteral("&Language");
        QTest::newRow("11") << 11 << QStringLiteral("&Change User...");
        QTest::newRow("12") << 12 << QStringLiteral("&Save Session...");
        QTest::newRow("13") << 13 << QStringLiteral("Open &History");
        QTest::newRow("14") << 14 << QStringLiteral("&Antiboss!");
        QTest::newRow("15") << 15 << QStringLiteral("E&xit");
        QTest::newRow("16") << 16 << QStringLiteral("Cu&t");
        QTest::newRow("17") << 17 << QStringLiteral("&Copy");
        QTest::newRow("18") << 18 << QStringLiteral("&Paste");
        QTest::newRow("19") << 19 << QStringLiteral("Se&lect All");
        QTest::newRow("20") << 20 << QStringLiteral("Clear &Editor");
        QTest::newRow("21") << 21 << QStringLiteral("Clear C&urrent Page");
        QTest::newRow("22") << 22 << QStringLiteral("Clear &All");
        QTest::newRow("23") << 23 << QStringLiteral("&Update Contact List");
        QTest::newRow("24") << 24 << QStringLiteral("&Increase Font Size");
        QTest::newRow("25") << 25 << QStringLiteral("&Decrease Font Size");
        QTest::newRow("26") << 26 << QStringLiteral("Show My &Nic at Status Bar");
        QTest::newRow("27") << 27 << QStringLiteral("Sort Contact List by &Gender");
        QTest::newRow("28") << 28 << QStringLiteral("&Sort Contact List by Nic");
        QTest::newRow("29") << 29 << QStringLiteral("&Preferences...");
        QTest::newRow("30") << 30 << QStringLiteral("&Help Contents");
        QTest::newRow("31") << 31 << QStringLiteral("Zelkit Chat on the &Web");
        QTest::newRow("32") << 32 << QStringLiteral("Check For &Updates...");
        QTest::newRow("33") << 33 << QStringLiteral("&About...");
        QTest::newRow("34") << 34 << QStringLiteral("Select your gender");
        QTest::newRow("35") << 35 << QStringLiteral("Undefined");
        QTest::newRow("36") << 36 << QStringLiteral("Male");
        QTest::newRow("37") << 37 << QStringLiteral("Female");
        QTest::newRow("38") << 38 << QStringLiteral("Message history");
        QTest::newRow("39") << 39 << QStringLiteral("Enable history");
        QTest::newRow("40") << 40 << QStringLiteral("History file name");
        QTest::newRow("41") << 41 << QStringLiteral("Don't ask me again");
        QTest::newRow("42") << 42 << QStringLiteral("OK");
        QTest::newRow("43") << 43 << QStringLiteral("Network Registration");
        QTest::newRow("44") << 44 << QStringLiteral("Zelkit Chat Preferences");
        QTest::newRow("45") << 45 << QStringLiteral("General");
        QTest::newRow("46") << 46 << QStringLiteral("Window");
        QTest::newRow("47") << 47 << QStringLiteral("Network");
        QTest::newRow("48") << 48 << QStringLiteral("History");
        QTest::newRow("49") << 49 << QStringLiteral("Antiboss");
        QTest::newRow("50") << 50 << QStringLiteral("Language");
        QTest::newRow("51") << 51 << QStringLiteral("System hotkey for application");
        QTest::newRow("52") << 52 << QStringLiteral("Send message by pressing");
        QTest::newRow("53") << 53 << QStringLiteral("Don't show registration dialog at startup");
        QTest::newRow("54") << 54 << QStringLiteral("Blink inactive tab on the new message");
        QTest::newRow("55") << 55 << QStringLiteral("Seconds to blink (0 - forever)");
        QTest::newRow("56") << 56 << QStringLiteral("Snap window to desktop borders");
        QTest::newRow("57") << 57 << QStringLiteral("Snap threshold");
        QTest::newRow("58") << 58 << QStringLiteral("Move window inside desktop only");
        QTest::newRow("59") << 59 << QStringLiteral("Broadcast IP");
        QTest::newRow("60") << 60 << QStringLiteral("UDP port");
        QTest::newRow("61") << 61 << QStringLiteral("Default IP");
        QTest::newRow("62") << 62 << QStringLiteral("Default port");
        QTest::newRow("63") << 63
                            << QStringLiteral(
                                   "You have to restart program to enable UDP port settings");
        QTest::newRow("64") << 64 << QStringLiteral("History file size limit");
        QTest::newRow("65") << 65 << QStringLiteral("Enable antiboss");
        QTest::newRow("66") << 66 << QStringLiteral("Antiboss action");
        QTest::newRow("67") << 67 << QStringLiteral("Hide chat from both desktop and taskbar");
        QTest::newRow("68") << 68 << QStringLiteral("Minimize chat");
        QTest::newRow("69") << 69 << QStringLiteral("Clear all messages");
        QTest::newRow("70") << 70 << QStringLiteral("Antiboss hotkey");
        QTest::newRow("71") << 71 << QStringLiteral("OK");
        QTest::newRow("72") << 72 << QStringLiteral("Cancel");
        QTest::newRow("73") << 73 << QStringLiteral("Black");
        QTest::newRow("74") << 74 << QStringLiteral("Blue");
        QTest::newRow("75") << 75 << QStringLiteral("DkGray");
        QTest::newRow("76") << 76 << QStringLiteral("Fuchsia");
        QTest::newRow("77") << 77 << QStringLiteral("Green");
        QTest::newRow("78") << 78 << QStringLiteral("Maroon");
        QTest::newRow("79") << 79 << QStringLiteral("Navy");
        QTest::newRow("80") << 80 << QStringLiteral("Olive");
        QTest::newRow("81") << 81 << QStringLiteral("Purple");
        QTest::newRow("82") << 82 << QStringLiteral("Red");
        QTest::newRow("83") << 83 << QStringLiteral("Teal");
        QTest::newRow("84") << 84 << QStringLiteral("<more...>");
        QTest::newRow("85") << 85 << QStringLiteral("&Color of My Messages");
        QTest::newRow("86") << 86 << QStringLiteral("Select &Font...");
        QTest::newRow("87") << 87 << QStringLiteral("Clear &Window");
        QTest::newRow("88") << 88 << QStringLiteral("&Ignore");
        QTest::newRow("89") << 89 << QStringLiteral("Decrease font size");
        QTest::newRow("90") << 90 << QStringLiteral("Increase font size");
        QTest::newRow("91") << 91 << QStringLiteral("Color of my messages");
        QTest::newRow("92") << 92 << QStringLiteral("Select font");
        QTest::newRow("93") << 93 << QStringLiteral("Preferences");
        QTest::newRow("94") << 94 << QStringLiteral("Current chat state");
        QTest::newRow("95") << 95 << QStringLiteral("Application hotkey");
        QTest::newRow("96") << 96 << QStringLiteral("Local IP-address");
        QTest::newRow("97") << 97 << QStringLiteral("Local host name");
        QTest::newRow("98") << 98 << QStringLiteral("My nicname");
        QTest::newRow("99") << 99 << QStringLiteral("Ready");
        QTest::newRow("100") << 100 << QStringLiteral("Connecting...");
        QTest::newRow("101") << 101 << QStringLiteral("Registering...");
        QTest::newRow("102") << 102 << QStringLiteral("Interrogating...");
        QTest::newRow("103") << 103 << QStringLiteral("New conference started...");
        QTest::newRow("104") << 104 << QStringLiteral("New private session started...");
        QTest::newRow("105") << 105 << QStringLiteral("New session started");
        QTest::newRow("106")
            << 106
            << QStringLiteral("Welcome to the Zelkit Chat, the easiest LAN-chat in the world!");
        QTest::newRow("107")
            << 107
            << QStringLiteral("Please visit https://zelkit.example.org for support & updates.");
        QTest::newRow("108") << 108 << QStringLiteral("Can't create chat socket!");
        QTest::newRow("109") << 109 << QStringLiteral("Data send error.");
        QTest::newRow("110") << 110 << QStringLiteral("Data receive error.");
        QTest::newRow("111") << 111 << QStringLiteral("Network error!");
        QTest::newRow("112") << 112 << QStringLiteral("You have to select recipient!");
        QTest::newRow("113") << 113 << QStringLiteral("Session finished");
        QTest::newRow("114") << 114 << QStringLiteral("Can't close chat socket.");
        QTest::newRow("115") << 115 << QStringLiteral("(private)");
        QTest::newRow("116") << 116
                             << QStringLiteral("This nic is already used. Enter another nic.");
        QTest::newRow("117") << 117 << QStringLiteral("Incorrect File Name");
        QTest::newRow("118") << 118 << QStringLiteral("Incorrect history file name");
        QTest::newRow("119") << 119 << QStringLiteral("Please reenter");
        QTest::newRow("120") << 120 << QStringLiteral("<%s> entering chat...");
        QTest::newRow("121") << 121 << QStringLiteral("<%s> leaving chat...");
        QTest::newRow("122") << 122 << QStringLiteral("Checking for Zelkit Chat updates");
        QTest::newRow("123") << 123 << QStringLiteral("Download");
        QTest::newRow("124") << 124 << QStringLiteral("Retry");
        QTest::newRow("125") << 125 << QStringLiteral("Cancel");
        QTest::newRow("126") << 126 << QStringLiteral("The current version is");
        QTest::newRow("127") << 127 << QStringLiteral("Update procedure started...");
        QTest::newRow("128") << 128 << QStringLiteral("Establishing connection to \"%s\"...");
        QTest::newRow("129") << 129
                             << QStringLiteral("Getting information about the latest version...");
        QTest::newRow("130") << 130
                             << QStringLiteral("Error! Can't establish connection to \"%s\"");
        QTest::newRow("131") << 131
                             << QStringLiteral("Please check your Internet connection and retry.");
        QTest::newRow("132") << 132 << QStringLiteral("New version of Zelkit Chat available:");
        QTest::newRow("133") << 133
                             << QStringLiteral(
                                    "You are already using the latest version of Zelkit Chat.");
        QTest::newRow("134") << 134 << QStringLiteral("Error! Information corrupted.");
        QTest::newRow("135") << 135 << QStringLiteral("About Zelkit Chat");
        QTest::newRow("136") << 136 << QStringLiteral("saving conference");
        QTest::newRow("137") << 137 << QStringLiteral("saving private messages");
        QTest::newRow("138") << 138 << QStringLiteral("Rich text");
        QTest::newRow("139") << 139 << QStringLiteral("All files");
        QTest::newRow("140") << 140 << QStringLiteral("Select history file name");
        QTest::newRow("141") << 141 << QStringLiteral("History files");
        QTest::newRow("142") << 142 << QStringLiteral("All files");
        QTest::newRow("143") << 143 << QStringLiteral("Text files");
        QTest::newRow("144") << 144 << QStringLiteral("Popups");
        QTest::newRow("145") << 145 << QStringLiteral("Enable popup windows");
        QTest::newRow("146") << 146 << QStringLiteral("Popup on private messages only");
        QTest::newRow("147") << 147 << QStringLiteral("Seconds to show (0 - forever)");
        QTest::newRow("148") << 148 << QStringLiteral("Animated appearance");
        QTest::newRow("149") << 149 << QStringLiteral("Autorun with Windows");
        QTest::newRow("150") << 150
                             << QStringLiteral("Show icon in the System Tray (near the clock)");
        QTest::newRow("151") << 151 << QStringLiteral("Don't display button on the Task Bar");
        QTest::newRow("152") << 152 << QStringLiteral("Minimize chat on window closing");
        QTest::newRow("153") << 153 << QStringLiteral("Sounds");
        QTest::newRow("154") << 154 << QStringLiteral("Enable sounds");
        QTest::newRow("155") << 155 << QStringLiteral("Sounds only if chat is not active");
        QTest::newRow("156") << 156 << QStringLiteral("New user in contact list");
        QTest::newRow("157") << 157 << QStringLiteral("Incoming conference message");
        QTest::newRow("158") << 158 << QStringLiteral("Select file...");
        QTest::newRow("159") << 159 << QStringLiteral("Event");
        QTest::newRow("160") << 160 << QStringLiteral("File name");
        QTest::newRow("161") << 161 << QStringLiteral("Select sound file");
        QTest::newRow("162") << 162 << QStringLiteral("Sound files (*.wav)");
        QTest::newRow("163") << 163 << QStringLiteral("Insert emoticon");
        QTest::newRow("164") << 164 << QStringLiteral("Incoming private message");
        QTest::newRow("165") << 165 << QStringLiteral("Send");
        QTest::newRow("166") << 166
                             << QStringLiteral("Popup when someone entering or leaving chat");
        QTest::newRow("167") << 167 << QStringLiteral("&Donate via PayPal");
    }
    void texts()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QVERIFY(DefaultStrings[id] != nullptr);
        QCOMPARE(QString::fromLatin1(DefaultStrings[id]), text);
    }

    // The texts are 8-bit and reach the wire and the history file as they are.
    void textsArePrintableAscii()
    {
        for (int id = 0; id < LngStringCount; ++id)
            for (const char* p = DefaultStrings[id]; *p; ++p)
                QVERIFY2(*p >= 32 && *p < 127, qPrintable(QString::number(id)));
    }

    // The names other units use must point at the texts they mean.
    void constants_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QString>("text");
        QTest::newRow("name") << int(sidLanguageName) << "English";
        QTest::newRow("note") << int(sidLanguageNote) << "default";
        QTest::newRow("conference") << int(sidConference) << "Conference";
        QTest::newRow("ready") << int(sidReady) << "Ready";
        QTest::newRow("connecting") << int(sidConnecting) << "Connecting...";
        QTest::newRow("interrogating") << int(sidInterrogating) << "Interrogating...";
        QTest::newRow("network error") << int(sidNetworkError) << "Network error!";
        QTest::newRow("send error") << int(sidSendError) << "Data send error.";
        QTest::newRow("close error") << int(sidCantCloseSocket) << "Can't close chat socket.";
        QTest::newRow("private") << int(sidPrivateMarker) << "(private)";
        QTest::newRow("nic in use")
            << int(sidNicInUse) << "This nic is already used. Enter another nic.";
        QTest::newRow("entering") << int(sidUserEntering) << "<%s> entering chat...";
        QTest::newRow("leaving") << int(sidUserLeaving) << "<%s> leaving chat...";
        QTest::newRow("colour black") << int(sidColorBlack) << "Black";
        QTest::newRow("colour more") << int(sidColorMore) << "<more...>";
        QTest::newRow("popups") << int(sidPopupOnEnterLeave)
                                << "Popup when someone entering or leaving chat";
        QTest::newRow("last") << int(sidDonate) << "&Donate via PayPal";
    }
    void constants()
    {
        QFETCH(int, id);
        QFETCH(QString, text);
        QCOMPARE(QString::fromLatin1(DefaultStrings[id]), text);
    }
};

QTEST_APPLESS_MAIN(TestLngDefId)
#include "tst_lngdefid.moc"
