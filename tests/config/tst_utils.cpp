#include "config/Utils.h"

#include <QtTest>

#include <pwd.h>
#include <unistd.h>

Q_DECLARE_METATYPE(TStackedWindow)

class TestUtils : public QObject
{
    Q_OBJECT
private slots:
    void links_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("link");
        QTest::newRow("ftp") << "ftp://host/file" << true;
        QTest::newRow("http") << "http://example.org" << true;
        QTest::newRow("file") << "file:///tmp/x" << true;
        QTest::newRow("network path") << "\\\\server\\share" << true;
        QTest::newRow("mailto") << "mailto:a@b.c" << true;
        QTest::newRow("www") << "www.example.org" << true;
        QTest::newRow("https") << "https://example.org" << false;
        QTest::newRow("upper case") << "HTTP://example.org" << false;
        QTest::newRow("one backslash") << "\\server" << false;
        QTest::newRow("leading blank") << " http://x" << false;
        QTest::newRow("empty") << "" << false;
    }
    void links()
    {
        QFETCH(QString, text);
        QFETCH(bool, link);
        QCOMPARE(IsUrl(text), link);
    }

    void minInt()
    {
        QCOMPARE(MinInt(3, -4), -4);
        QCOMPARE(MinInt(-4, 3), -4);
        QCOMPARE(MinInt(5, 5), 5);
    }

    void toCodePage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("codePage");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("empty") << "" << 1252 << QByteArray();
        QTest::newRow("plain") << "abc" << 1252 << QByteArray("abc");
        QTest::newRow("composed from parts")
            << QString::fromUtf16(u"e\u0301") << 1252 << QByteArray("\xE9");
        QTest::newRow("mark without composed form")
            << QString::fromUtf16(u"x\u0301y") << 1252 << QByteArray("xy");
        QTest::newRow("cyrillic") << QString::fromUtf16(u"\u0416") << 1251 << QByteArray("\xC6");
        QTest::newRow("not in the page")
            << QString::fromUtf16(u"\u0416") << 1252 << QByteArray("?");
        QTest::newRow("process page") << QString::fromUtf16(u"\u20ac") << 0 << QByteArray("\x80");
    }
    void toCodePage()
    {
        QFETCH(QString, text);
        QFETCH(int, codePage);
        QFETCH(QByteArray, bytes);
        QCOMPARE(WideToAnsiCodePage(text, codePage), bytes);
    }

    void centersDialogs_data()
    {
        QTest::addColumn<QSize>("dialog");
        QTest::addColumn<QRect>("main");
        QTest::addColumn<bool>("mainHidden");
        QTest::addColumn<QPoint>("expected");
        const QSize dialog(200, 101);
        // Work area for every row: (0, 30) 1000 x 700.
        QTest::newRow("over the main window")
            << dialog << QRect(100, 100, 501, 400) << false << QPoint(250, 249);
        QTest::newRow("rounds toward zero")
            << dialog << QRect(10, 40, 199, 100) << false << QPoint(10, 40);
        QTest::newRow("would leave at the left")
            << dialog << QRect(-300, 100, 400, 300) << false << QPoint(400, 329);
        QTest::newRow("would leave at the bottom")
            << dialog << QRect(100, 600, 400, 300) << false << QPoint(400, 329);
        QTest::newRow("touching the right edge")
            << dialog << QRect(800, 100, 200, 101) << false << QPoint(800, 100);
        QTest::newRow("main minimized")
            << dialog << QRect(100, 100, 501, 400) << true << QPoint(400, 329);
        QTest::newRow("dialog bigger than the area")
            << QSize(1100, 800) << QRect(0, 30, 1000, 700) << false << QPoint(-50, -20);
    }
    void centersDialogs()
    {
        QFETCH(QSize, dialog);
        QFETCH(QRect, main);
        QFETCH(bool, mainHidden);
        QFETCH(QPoint, expected);
        QCOMPARE(CenterOverMainForm(dialog, main, QRect(0, 30, 1000, 700), mainHidden), expected);
    }

    void coveredWindows_data()
    {
        QTest::addColumn<bool>("foreground");
        QTest::addColumn<bool>("minimized");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<QList<TStackedWindow>>("above");
        QTest::addColumn<bool>("covered");
        // The window is at (100, 100), 300 x 200.
        const TStackedWindow big{QRect(0, 0, 1000, 1000)};
        QTest::newRow("foreground, overlapped") << true << false << true << QList{big} << false;
        QTest::newRow("minimized") << false << true << true << QList<TStackedWindow>{} << true;
        QTest::newRow("invisible") << false << false << false << QList<TStackedWindow>{} << true;
        QTest::newRow("nothing above")
            << false << false << true << QList<TStackedWindow>{} << false;
        QTest::newRow("20 x 20") << false << false << true
                                 << QList{TStackedWindow{QRect(380, 280, 50, 50)}} << true;
        QTest::newRow("25 x 19") << false << false << true
                                 << QList{TStackedWindow{QRect(375, 281, 50, 50)}} << false;
        QTest::newRow("19 x 25") << false << false << true
                                 << QList{TStackedWindow{QRect(381, 0, 50, 125)}} << false;
        QTest::newRow("next to it")
            << false << false << true << QList{TStackedWindow{QRect(400, 100, 50, 50)}} << false;
        QTest::newRow("hidden one skipped")
            << false << false << true << QList{TStackedWindow{big.Rect, false, false}} << false;
        QTest::newRow("minimized one skipped")
            << false << false << true << QList{TStackedWindow{big.Rect, true, true}} << false;
        QTest::newRow("found further down") << false << false << true
                                            << QList{TStackedWindow{QRect(0, 0, 10, 10)},
                                                     TStackedWindow{big.Rect, false, false}, big}
                                            << true;
    }
    void coveredWindows()
    {
        QFETCH(bool, foreground);
        QFETCH(bool, minimized);
        QFETCH(bool, visible);
        QFETCH(QList<TStackedWindow>, above);
        QFETCH(bool, covered);
        QCOMPARE(IsWindowCovered(QRect(100, 100, 300, 200), foreground, minimized, visible, above),
                 covered);
    }

    void autorunEntry_data()
    {
        QTest::addColumn<QString>("program");
        QTest::addColumn<QByteArray>("exec");
        QTest::newRow("plain") << "/usr/bin/zelkit-chat"
                               << QByteArray("Exec=\"/usr/bin/zelkit-chat\" /minimized");
        QTest::newRow("blank in path")
            << "/opt/Zelkit Chat/zelkit-chat"
            << QByteArray("Exec=\"/opt/Zelkit Chat/zelkit-chat\" /minimized");
        QTest::newRow("characters quoted")
            << "/home/a\"b$c`d\\e%f/zc"
            << QByteArray("Exec=\"/home/a\\\\\"b\\\\$c\\\\`d\\\\\\\\e%%f/zc\" /minimized");
    }
    void autorunEntry()
    {
        QFETCH(QString, program);
        QFETCH(QByteArray, exec);
        const QList<QByteArray> lines = AutorunEntryText(program).split('\n');
        QCOMPARE(lines.first(), QByteArray("[Desktop Entry]"));
        QVERIFY(lines.contains("Type=Application"));
        QVERIFY(lines.contains("Name=Zelkit Chat"));
        QVERIFY2(lines.contains(exec), AutorunEntryText(program).constData());
    }

    void autorunFollowsTheSetting()
    {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
        const QString entry = home.filePath(QStringLiteral("autostart/zelkit-chat.desktop"));
        QCOMPARE(AutorunEntryPath(), entry);
        QVERIFY(RemoveAutorun()); // nothing there: no error
        QVERIFY(SetAutorun(QStringLiteral("/usr/bin/zelkit-chat")));
        QFile file(entry);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), AutorunEntryText(QStringLiteral("/usr/bin/zelkit-chat")));
        QVERIFY(SetAutorun(QStringLiteral("/usr/bin/moved"))); // rewritten at every start
        QVERIFY(RemoveAutorun());
        QVERIFY(!QFileInfo::exists(entry));
        QCOMPARE(QDir(home.filePath("autostart")).entryList(QDir::Files), QStringList{});
        qunsetenv("XDG_CONFIG_HOME");
    }

    void userFolders()
    {
        QVERIFY(GetPersonalFolder().endsWith(u'/'));
        const QString name = GetLoginUserName();
        QVERIFY(!name.isEmpty());
        QVERIFY(name.size() <= 253);
        QCOMPARE(name, QString::fromLocal8Bit(::getpwuid(::getuid())->pw_name));
    }
};

QTEST_APPLESS_MAIN(TestUtils)
#include "tst_utils.moc"
