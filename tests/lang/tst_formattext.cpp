#include "lang/FormatText.h"

#include <QtTest>

class TestFormatText : public QObject
{
    Q_OBJECT
private slots:
    void format_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("nick");
        QTest::addColumn<QString>("result");
        // Patterns that take the nick.
        QTest::newRow("entering") << "<%s> entering chat..."
                                  << "Bob"
                                  << "<Bob> entering chat...";
        QTest::newRow("no placeholder") << "nobody"
                                        << "Bob"
                                        << "nobody";
        QTest::newRow("empty pattern") << ""
                                       << "Bob"
                                       << "";
        QTest::newRow("upper-case S") << "<%S>"
                                      << "Bob"
                                      << "<Bob>";
        QTest::newRow("index 0") << "<%0:s>"
                                 << "Bob"
                                 << "<Bob>";
        QTest::newRow("index 0 twice") << "%0:s+%0:s"
                                       << "Bob"
                                       << "Bob+Bob";
        QTest::newRow("percent sign") << "100%% %s"
                                      << "Bob"
                                      << "100% Bob";
        QTest::newRow("only percent signs") << "%%%%"
                                            << "Bob"
                                            << "%%";
        QTest::newRow("width") << "[%5s]"
                               << "Bob"
                               << "[  Bob]";
        QTest::newRow("left-justified") << "[%-5s]"
                                        << "Bob"
                                        << "[Bob  ]";
        QTest::newRow("width below length") << "[%2s]"
                                            << "Bob"
                                            << "[Bob]";
        QTest::newRow("precision") << "[%.2s]"
                                   << "Bob"
                                   << "[Bo]";
        QTest::newRow("empty precision") << "[%.s]"
                                         << "Bob"
                                         << "[]";
        QTest::newRow("width and precision") << "[%-4.1s]"
                                             << "Bob"
                                             << "[B   ]";
        QTest::newRow("index and width") << "[%0:-4s]"
                                         << "Bob"
                                         << "[Bob ]";
        QTest::newRow("empty nick") << "<%s>"
                                    << ""
                                    << "<>";
        QTest::newRow("wide nick")
            << QStringLiteral(u"«%s»") << QStringLiteral(u"Ёжик") << QStringLiteral(u"«Ёжик»");
        // A nick is text, never a pattern.
        QTest::newRow("nick with %s") << "<%s> in"
                                      << "%s%s"
                                      << "<%s%s> in";
        QTest::newRow("nick with %n") << "<%s>"
                                      << "%n%d%"
                                      << "<%n%d%>";
        // Patterns that do not fit one string: left as they are.
        QTest::newRow("integer") << "<%d> entering"
                                 << "Bob"
                                 << "<%d> entering";
        QTest::newRow("second argument") << "%s and %s"
                                         << "Bob"
                                         << "%s and %s";
        QTest::newRow("index 1") << "<%1:s>"
                                 << "Bob"
                                 << "<%1:s>";
        QTest::newRow("index then next") << "%0:s %s"
                                         << "Bob"
                                         << "%0:s %s";
        QTest::newRow("star width") << "[%*s]"
                                    << "Bob"
                                    << "[%*s]";
        QTest::newRow("star precision") << "[%.*s]"
                                        << "Bob"
                                        << "[%.*s]";
        QTest::newRow("trailing percent") << "50%"
                                          << "Bob"
                                          << "50%";
        QTest::newRow("unknown type") << "%z"
                                      << "Bob"
                                      << "%z";
        QTest::newRow("float") << "%f %s"
                               << "Bob"
                               << "%f %s";
        QTest::newRow("minus after width") << "%5-s"
                                           << "Bob"
                                           << "%5-s";
        QTest::newRow("unfinished specifier") << "<%-5"
                                              << "Bob"
                                              << "<%-5";
        QTest::newRow("huge width") << "[%99999999999s]"
                                    << "Bob"
                                    << "[%99999999999s]";
        QTest::newRow("width over limit") << "[%1001s]"
                                          << "Bob"
                                          << "[%1001s]";
        QTest::newRow("huge index") << "[%99999999999:s]"
                                    << "Bob"
                                    << "[%99999999999:s]";
        QTest::newRow("C-style flags") << "[%#s]"
                                       << "Bob"
                                       << "[%#s]";
    }
    void format()
    {
        QFETCH(QString, pattern);
        QFETCH(QString, nick);
        QFETCH(QString, result);
        QCOMPARE(FormatWithNick(pattern, nick), result);
    }

    void widthAtLimit()
    {
        const QString line = FormatWithNick(QStringLiteral("%1000s"), QStringLiteral("Bob"));
        QCOMPARE(line.size(), 1000);
        QVERIFY(line.endsWith(QStringLiteral(" Bob")));
    }
};

QTEST_APPLESS_MAIN(TestFormatText)
#include "tst_formattext.moc"
