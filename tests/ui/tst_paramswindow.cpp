#include "ParamsProbe.h"
#include "Utf16File.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

namespace {
// Longer than the English texts, one of them far longer.
const QString German =
    QStringLiteral("0000=Deutsch\r\n0001=German\r\n"
                   "0044=Zelkit Chat Einstellungen\r\n0045=Allgemein\r\n0046=Fenster\r\n"
                   "0051=Systemweites Tastenkürzel für das Programm\r\n"
                   "0059=Broadcast-Adresse\r\n0060=UDP-Anschluss\r\n0061=Standard-IP\r\n"
                   "0068=Chat minimieren\r\n0069=Alle Nachrichten löschen\r\n"
                   "0071=Übernehmen\r\n0072=Abbrechen\r\n"
                   "0150=Symbol im Infobereich der Taskleiste anzeigen (neben der Uhr)\r\n"
                   "0159=Ereignis\r\n0164=Eingehende private Nachricht\r\n");
} // namespace

class TestParamsWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> FMainForm;
    std::unique_ptr<TParamsProbe> P;

    QWidget* Page(int index) const { return P->Child<QTabWidget>("pcPref")->widget(index); }
    QRect Geometry(const char* name) const
    {
        return P->Dialog->findChild<QWidget*>(QLatin1String(name))->geometry();
    }
    QString WriteGerman(const QString& text = German) const
    {
        const QString path = P->Folder.filePath(QStringLiteral("Language/de.lng"));
        return WriteBytes(path, Utf16File(text)) ? path : QString();
    }

    // Every control of every page lies inside its page and is as high as it asks to be (the
    // lists aside);
    // labels, check boxes and buttons are as wide as their texts.
    void VerifyNothingClipped() const
    {
        auto* pages = P->Child<QTabWidget>("pcPref");
        for (int i = 0; i < pages->count(); ++i) {
            pages->setCurrentIndex(i);
            QWidget* page = pages->widget(i);
            for (const QWidget* w :
                 page->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
                const QString name = w->objectName();
                QVERIFY2(page->rect().contains(w->geometry()), qPrintable(name));
                // Lists scroll; any height shows some of them.
                if (!qobject_cast<const QAbstractScrollArea*>(w))
                    QVERIFY2(w->height() >= w->sizeHint().height(), qPrintable(name));
                if (name == QLatin1String("btHistoryFileSelect"))
                    QVERIFY(w->fontMetrics().horizontalAdvance(QStringLiteral("...")) <
                            w->width() - 4);
                else if (qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w))
                    QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(name));
            }
        }
        pages->setCurrentIndex(0);
    }

private slots:
    void init()
    {
        FMainForm = std::make_unique<QWidget>();
        FMainForm->setGeometry(100, 100, 600, 470);
        P = std::make_unique<TParamsProbe>(FMainForm.get());
    }
    void cleanup()
    {
        P.reset();
        FMainForm.reset();
    }

    void layoutAt96Dpi()
    {
        QVERIFY(P->Show());
        if (P->Dialog->logicalDpiX() != 96)
            QSKIP("The screen is not at 96 dots per inch");
        const QSize client = P->Dialog->size();
        QCOMPARE(client.width(), 510);
        const QRect pcPref = Geometry("pcPref");
        QCOMPARE(pcPref.topLeft(), QPoint(8, 8));
        QCOMPARE(pcPref.width(), 494);
        const QRect ok = Geometry("btOK");
        const QRect cancel = Geometry("btCancel");
        QCOMPARE(ok.size(), QSize(104, 28));
        QCOMPARE(cancel.size(), QSize(104, 28));
        QCOMPARE(cancel.right() + 1, 510 - 8);
        QCOMPARE(ok.right() + 1, cancel.left() - 8);
        QCOMPARE(ok.top(), pcPref.bottom() + 1 + 8);
        QCOMPARE(cancel.bottom() + 1, client.height() - 8);

        // The pages end 16 below the General page's last check box, as laid out in advance.
        QWidget* general = Page(0);
        QCOMPARE(general->height(), Geometry("cNoButtonOnTaskbar").bottom() + 1 + 16);

        P->Child<QTabWidget>("pcPref")->setCurrentIndex(3);
        QWidget* sounds = Page(3);
        QTRY_VERIFY(sounds->isVisible());
        QCOMPARE(sounds->size(), general->size());
        const QRect select = Geometry("btSelectSoundFile");
        QCOMPARE(select.size(), QSize(156, 28));
        QCOMPARE(select.bottom() + 1, sounds->height() - 14);
        QCOMPARE(select.right() + 1, sounds->width() - 16);
        QCOMPARE(select.top(), Geometry("lvSoundFiles").bottom() + 1 + 4);
    }

    void nothingClipped()
    {
        QVERIFY(P->Show());
        VerifyNothingClipped();
    }

    void centredOverTheMainWindow()
    {
        FMainForm->show();
        QVERIFY(QTest::qWaitForWindowExposed(FMainForm.get()));
        QVERIFY(P->Show());
        const QPoint main = FMainForm->frameGeometry().center();
        const QPoint dialog = P->Dialog->frameGeometry().center();
        QVERIFY2((main - dialog).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("%1,%2").arg(dialog.x()).arg(dialog.y())));
    }

    void executeIsModal_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<bool>("result");
        QTest::newRow("OK") << "btOK" << true;
        QTest::newRow("Cancel") << "btCancel" << false;
    }
    void executeIsModal()
    {
        QFETCH(QString, button);
        QFETCH(bool, result);
        bool wasModal = false;
        QTimer::singleShot(0, P->Dialog.get(), [&] {
            wasModal = QApplication::activeModalWidget() == P->Dialog.get();
            P->Child<QCheckBox>("cAutorun")->setChecked(false);
            P->Dialog->findChild<QPushButton*>(button)->click();
        });
        QCOMPARE(P->Dialog->Execute(), result);
        QVERIFY(wasModal);
        QCOMPARE(P->Config.GetBool(autorun_chat), !result);
    }

    void languagePage()
    {
        const QString path = WriteGerman();
        QVERIFY(!path.isEmpty());
        QVERIFY(P->Show());
        auto* list = P->Child<QListWidget>("lbLanguage");
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->item(1)->text(), QStringLiteral("Deutsch (German)"));
        QCOMPARE(list->currentRow(), 0);
        list->setCurrentRow(1);
        P->Child<QPushButton>("btOK")->click();
        QCOMPARE(P->Lang.CurrentFileName(), path);

        // The next showing selects the language in use.
        QVERIFY(P->Show());
        QCOMPARE(list->currentRow(), 1);
        list->setCurrentRow(0);
        P->Child<QPushButton>("btOK")->click();
        QVERIFY(!P->Lang.CurrentFile());
    }

    // A file changed while the dialog was open: its line no longer names it, and the built-in
    // texts are used.
    void changedLanguageFolder()
    {
        QVERIFY(P->Lang.LoadLanguage(WriteGerman()));
        QVERIFY(P->Show());
        auto* list = P->Child<QListWidget>("lbLanguage");
        QCOMPARE(list->currentRow(), 1);
        WriteGerman(QStringLiteral("0000=Deutsch\r\n0001=Schweiz\r\n"));
        P->Child<QPushButton>("btOK")->click();
        QVERIFY(!P->Lang.CurrentFile());
    }

    // A language in use that the list does not show (no name and note) stays in use.
    void unlistedLanguageStays()
    {
        const QString path = WriteGerman(QStringLiteral("0045=Allgemein\r\n"));
        QVERIFY(P->Lang.LoadLanguage(path));
        QVERIFY(P->Show());
        auto* list = P->Child<QListWidget>("lbLanguage");
        QCOMPARE(list->count(), 1);
        QVERIFY(list->selectedItems().isEmpty());
        P->Child<QPushButton>("btOK")->click();
        QCOMPARE(P->Lang.CurrentFileName(), path);
    }

    void applyLanguage()
    {
        QVERIFY(P->Lang.LoadLanguage(WriteGerman()));
        QVERIFY(P->Show());
        auto* action = P->Child<QComboBox>("cbAntibossAction");
        QCOMPARE(action->currentIndex(), 1);
        P->Dialog->ApplyLanguage();
        QCOMPARE(P->Dialog->windowTitle(), QStringLiteral("Zelkit Chat Einstellungen"));
        auto* pages = P->Child<QTabWidget>("pcPref");
        QCOMPARE(pages->tabText(0), QStringLiteral("Allgemein"));
        QCOMPARE(pages->tabText(2), QStringLiteral("Popups"));
        QCOMPARE(action->itemText(0), QStringLiteral("Chat minimieren"));
        QCOMPARE(action->itemText(1), QStringLiteral("Alle Nachrichten löschen"));
        QCOMPARE(action->currentIndex(), 1);
        QCOMPARE(P->Child<QPushButton>("btOK")->text(), QStringLiteral("Übernehmen"));
        QCOMPARE(P->Child<QLabel>("lblHistoryFileSizeUnits")->text(), QStringLiteral("Kb"));
        QCOMPARE(P->Child<QComboBox>("cbSendMsgKey")->itemText(0),
                 QStringLiteral("<Ctrl>+<Enter>"));
        auto* sounds = P->Child<QTreeWidget>("lvSoundFiles");
        QCOMPARE(sounds->headerItem()->text(0), QStringLiteral("Ereignis"));
        QCOMPARE(sounds->topLevelItem(2)->text(0), QStringLiteral("Eingehende private Nachricht"));
        // The longer texts are laid out anew.
        VerifyNothingClipped();
    }
};

QTEST_MAIN(TestParamsWindow)
#include "tst_paramswindow.moc"
