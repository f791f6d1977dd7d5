// The shipped translations on the main window: every text of the menus comes from the file,
// and within one menu no two items share an accelerator.
#include "MainFormProbe.h"
#include "ShippedLanguages.h"

#include "lang/LngDefId.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

namespace {

// The accelerator of a menu text, lower case; a null character when it has none.
QChar Accelerator(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != u'&')
            continue;
        if (text[i + 1] != u'&')
            return text[i + 1].toLower();
        ++i;
    }
    return {};
}

// Where two items of one list of actions share an accelerator: their texts; empty when none.
QString Clash(const QList<QAction*>& items)
{
    QHash<QChar, QString> seen;
    for (const QAction* a : items) {
        if (a->isSeparator() || !a->isVisible())
            continue;
        const QChar key = Accelerator(a->text());
        if (key.isNull())
            continue;
        if (seen.contains(key))
            return seen[key] + QStringLiteral(" / ") + a->text();
        seen.insert(key, a->text());
    }
    return {};
}

} // namespace

class TestMainFormLanguages : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void menus_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString& path : ShippedLanguageFiles())
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
    }
    void menus()
    {
        QFETCH(QString, path);
        TMainFormProbe p;
        QVERIFY(p.Lang.LoadLanguage(path));
        p.Form->ApplyLanguage();
        const TLanguageFile& file = *p.Lang.CurrentFile();

        QString clash = Clash(p.Form->menuBar()->actions());
        QVERIFY2(clash.isEmpty(), qPrintable(clash));
        const QList<QMenu*> menus = p.Form->findChildren<QMenu*>();
        QVERIFY(menus.size() >= 8);
        for (const QMenu* menu : menus) {
            clash = Clash(menu->actions());
            QVERIFY2(clash.isEmpty(), qPrintable(menu->objectName() + ": " + clash));
        }
        QCOMPARE(p.Action("miFile")->text(), file.GetString(sidMenuFile));
        QCOMPARE(p.Action("mitrAbout")->text(), file.GetString(sidAboutMenu));
        QCOMPARE(p.Action("miDonate")->text(), file.GetString(sidDonate));
    }
};

QTEST_MAIN(TestMainFormLanguages)
#include "tst_mainformlanguages.moc"
