#include "ui/NickValidator.h"

#include <QtTest>

// The tests run with ZELKIT_CODEPAGE=cp1252: "é" is one byte there (two in UTF-8), a
// character the page lacks becomes one "?", and so does a surrogate pair.
class TestNickValidator : public QObject
{
    Q_OBJECT

private slots:
    void validate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<bool>("refused");
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("empty") << QString() << true << false;
        QTest::newRow("plain") << "Bob" << true << false;
        QTest::newRow("comma") << "Bob,Al" << false << true;
        QTest::newRow("less") << "<Bob" << false << true;
        QTest::newRow("greater") << "Bob>" << false << true;
        QTest::newRow("32 bytes") << QString(32, 'a') << true << false;
        QTest::newRow("33 bytes") << QString(33, 'a') << false << false;
        QTest::newRow("32 accented letters, one byte each") << QString(32, u'é') << true << false;
        QTest::newRow("33 accented letters") << QString(33, u'é') << false << false;
        QTest::newRow("Cyrillic outside the page") << QString(32, u'Ж') << true << false;
        QTest::newRow("31 + a pair: 32 bytes, 33 units")
            << QString(31, 'a') + emoji << true << false;
        QTest::newRow("32 + a pair") << QString(32, 'a') + emoji << false << false;
    }
    void validate()
    {
        QFETCH(QString, text);
        QFETCH(bool, accepted);
        QFETCH(bool, refused);
        TNickValidator validator;
        int beeps = 0;
        validator.OnRefused = [&beeps] { ++beeps; };
        int pos = 0;
        QCOMPARE(validator.validate(text, pos) == QValidator::Acceptable, accepted);
        QCOMPARE(beeps, refused ? 1 : 0);
    }

    void fit_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
        QTest::newRow("short") << "alice"
                               << "alice";
        QTest::newRow("cut to 32") << QString(40, 'x') << QString(32, 'x');
        QTest::newRow("refused characters dropped") << "a,b<c>d"
                                                    << "abcd";
        QTest::newRow("dropped before cutting")
            << QString(",,,") + QString(32, 'y') << QString(32, 'y');
        QTest::newRow("a pair is never split")
            << QString(31, 'a') + emoji + emoji << QString(31, 'a') + emoji;
    }
    void fit()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(TNickValidator::Fit(text), expected);
    }
};

QTEST_APPLESS_MAIN(TestNickValidator)
#include "tst_nickvalidator.moc"
