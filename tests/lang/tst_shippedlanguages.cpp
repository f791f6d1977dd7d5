// The language files the program ships: complete, listed under their own names, and every
// text formatted with a nickname keeps the placeholders and accelerators of its English text.
#include "ShippedLanguages.h"

#include "lang/FormatText.h"
#include "lang/Lang.h"
#include "lang/LangFile.h"
#include "lang/LngDefId.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString English(int id)
{
    return QString::fromLatin1(DefaultStrings[id]);
}

// The specifiers of a text in order: "%s" with its optional index, justification, width and
// precision; "%%" is a percent sign.
QStringList Placeholders(QString text)
{
    static const QRegularExpression specifier(
        QStringLiteral("%(?:\\d+:)?-?\\d*(?:\\.\\d*)?[A-Za-z]"));
    text.remove(QStringLiteral("%%"));
    QStringList found;
    for (const QRegularExpressionMatch& m : specifier.globalMatch(text))
        found << m.captured();
    return found;
}

// "&" before a character other than a blank or a second "&".
int Accelerators(QString text)
{
    static const QRegularExpression accelerator(QStringLiteral("&[^&\\s]"));
    text.remove(QStringLiteral("&&"));
    return int(text.count(accelerator));
}

} // namespace

class TestShippedLanguages : public QObject
{
    Q_OBJECT

private slots:
    void listedUnderTheirNames()
    {
        TLangControl lang([] { return SourceFolder(); });
        QStringList paths, captions;
        lang.ListLanguages(paths, captions);
        QCOMPARE(captions, (QStringList{QStringLiteral("English (default)"),
                                        QStringLiteral("Deutsch (German)"),
                                        QStringLiteral(u"Русский (Russian)")}));
        QCOMPARE(paths.mid(1), ShippedLanguageFiles());
    }

    void complete_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString& path : ShippedLanguageFiles())
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
    }
    void complete()
    {
        QFETCH(QString, path);
        const TLanguageFile file(path, TLangControl::LangKeyWidth);
        QCOMPARE(file.LoadResult(), TLanguageFile::TLoadResult::lrLoaded);
        QCOMPARE(file.EntryCount(), LngStringCount);
        for (int id = 0; id < LngStringCount; ++id) {
            const QString text = file.GetString(id);
            const QByteArray where = QByteArray::number(id) + ": " + text.toUtf8();
            QVERIFY2(!text.isEmpty(), where);
            QVERIFY2(text == text.trimmed(), where);
            QCOMPARE(Placeholders(text), Placeholders(English(id)));
            QVERIFY2(Accelerators(text) == Accelerators(English(id)), where);
        }
        QCOMPARE(file.GetString(LngStringCount), QString());
    }

    // The lines of a peer entering and leaving take the nick in every language.
    void nickLines_data() { complete_data(); }
    void nickLines()
    {
        QFETCH(QString, path);
        const TLanguageFile file(path, TLangControl::LangKeyWidth);
        const QString nick = QStringLiteral("Bob%s");
        for (int id : {sidUserEntering, sidUserLeaving}) {
            const QString pattern = file.GetString(id);
            const QString line = FormatWithNick(pattern, nick);
            QVERIFY2(line != pattern && line.contains(nick), qPrintable(line));
        }
    }
};

QTEST_APPLESS_MAIN(TestShippedLanguages)
#include "tst_shippedlanguages.moc"
