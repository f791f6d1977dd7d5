#include "NameEditProbe.h"
#include "Utf16File.h"

#include "lang/Lang.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {
// Longer than the English texts throughout, one of them far longer than the dialog's base
// width, so that the dialog has to grow.
const QString German =
    QStringLiteral("0000=Deutsch\r\n0001=German\r\n"
                   "0004=Wählen Sie Ihren Spitznamen\r\n"
                   "0034=Wählen Sie Ihr Geschlecht\r\n"
                   "0035=Unbestimmt\r\n0036=Männlich\r\n0037=Weiblich\r\n"
                   "0038=Nachrichtenverlauf\r\n0039=Verlauf aufzeichnen\r\n"
                   "0040=Name der Verlaufsdatei\r\n"
                   "0041=Nicht mehr fragen und diese Angaben bei jedem weiteren Start verwenden\r\n"
                   "0042=Anmelden\r\n0043=Netzwerkanmeldung\r\n");

struct TCaption {
    const char* Control;
    QString English;
    QString Translated;
};

QString CaptionOf(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    return qobject_cast<const QAbstractButton*>(widget)->text();
}
} // namespace

class TestNameEditWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<QWidget> FMainForm;
    std::unique_ptr<TNameEditProbe> P;
    std::unique_ptr<QTemporaryDir> FDir;

    // Every control shown lies inside its parent and is at least as large as it asks to be,
    // so that no text is cut.
    void VerifyNothingClipped() const
    {
        for (const QWidget* w : P->Dialog->findChildren<QWidget*>()) {
            if (!w->isVisibleTo(P->Dialog.get()) || w->objectName().isEmpty())
                continue;
            const QWidget* parent = w->parentWidget();
            const QRect room =
                qobject_cast<const QGroupBox*>(parent) ? parent->contentsRect() : parent->rect();
            QVERIFY2(room.contains(w->geometry()), qPrintable(w->objectName()));
            const QSize hint = w->sizeHint();
            QVERIFY2(w->height() >= hint.height(), qPrintable(w->objectName()));
            // The browse button is square by design; its three dots must still fit.
            if (w->objectName() == QLatin1String("btHistoryFileSelect"))
                QVERIFY(w->fontMetrics().horizontalAdvance(QStringLiteral("...")) < w->width() - 4);
            else if (qobject_cast<const QLabel*>(w) || qobject_cast<const QAbstractButton*>(w))
                QVERIFY2(w->width() >= hint.width(), qPrintable(w->objectName()));
        }
    }

private slots:
    void init()
    {
        FDir = std::make_unique<QTemporaryDir>();
        QVERIFY(FDir->isValid());
        FMainForm = std::make_unique<QWidget>();
        FMainForm->setGeometry(100, 100, 600, 470);
        P = std::make_unique<TNameEditProbe>(FMainForm.get());
    }
    void cleanup()
    {
        P.reset();
        FMainForm.reset();
        AppLang().UseDefaultLanguage();
    }

    void executeReturnsTheChoice_data()
    {
        QTest::addColumn<bool>("changeUserMode");
        QTest::newRow("full") << false;
        QTest::newRow("nick only") << true;
    }
    void executeReturnsTheChoice()
    {
        QFETCH(bool, changeUserMode);
        FMainForm->show();
        bool wasModal = false;
        bool historyShown = false;
        bool secondShowing = true;
        QTimer::singleShot(0, P->Dialog.get(), [&] {
            secondShowing = P->Dialog->Execute(!changeUserMode);
            wasModal =
                P->Dialog->isVisible() && QApplication::activeModalWidget() == P->Dialog.get();
            historyShown = P->Child<QGroupBox>("gbHistory")->isVisible();
            P->Child<QLineEdit>("edNic")->setText(QStringLiteral("Carol"));
            P->Child<QPushButton>("btRegister")->click();
        });
        QVERIFY(P->Dialog->Execute(changeUserMode));
        QVERIFY(wasModal);
        QVERIFY(!secondShowing);
        QCOMPARE(historyShown, !changeUserMode);
        QCOMPARE(P->Dialog->ChangeUserMode(), changeUserMode);
        QCOMPARE(P->Config.GetStr(user_name), QStringLiteral("Carol"));
    }

    void centring_data()
    {
        QTest::addColumn<bool>("mainShown");
        QTest::addColumn<bool>("mainMinimized");
        QTest::newRow("over the main window") << true << false;
        QTest::newRow("main window hidden") << false << false;
        QTest::newRow("main window minimized") << true << true;
    }
    void centring()
    {
        QFETCH(bool, mainShown);
        QFETCH(bool, mainMinimized);
        if (mainShown)
            FMainForm->show();
        if (mainMinimized)
            FMainForm->showMinimized();
        P->Dialog->show();
        const QRect area = mainShown && !mainMinimized ? FMainForm->frameGeometry()
                                                       : FMainForm->screen()->availableGeometry();
        const QRect dialog = P->Dialog->frameGeometry();
        QCOMPARE(dialog.left(), area.left() + (area.width() - dialog.width()) / 2);
        QCOMPARE(dialog.top(), area.top() + (area.height() - dialog.height()) / 2);
    }

    void layoutOnScreen_data()
    {
        QTest::addColumn<bool>("changeUserMode");
        QTest::addColumn<bool>("translated");
        QTest::newRow("full, English") << false << false;
        QTest::newRow("nick only, English") << true << false;
        QTest::newRow("full, long translation") << false << true;
        QTest::newRow("nick only, long translation") << true << true;
    }
    void layoutOnScreen()
    {
        QFETCH(bool, changeUserMode);
        QFETCH(bool, translated);
        if (translated) {
            QVERIFY(WriteBytes(FDir->filePath("de.lng"), Utf16File(German)));
            QVERIFY(AppLang().LoadLanguage(FDir->filePath("de.lng")));
            P->Dialog->ApplyLanguage();
        }
        P->Dialog->SetChangeUserMode(changeUserMode);
        P->Dialog->show();
        VerifyNothingClipped();

        const QPushButton* ok = P->Child<QPushButton>("btRegister");
        if (P->Dialog->logicalDpiX() == 96)
            QCOMPARE(ok->size(), QSize(104, 28));
        QCOMPARE(ok->x(), (P->Dialog->width() - ok->width()) / 2);
        QCOMPARE(P->Dialog->height(), ok->geometry().bottom() + 1 + 8);
        const char* above = changeUserMode ? "gbGender" : "HLine";
        QCOMPARE(ok->y(), P->Child<QWidget>(above)->geometry().bottom() + 1 + 8);
        QCOMPARE(P->Dialog->minimumSize(), P->Dialog->maximumSize());
    }

    // A language switch relabels the dialog at once, on screen or not, and back again.
    void languageSwitch()
    {
        const TCaption captions[] = {
            {"lblNic", "Choose your nic", "Wählen Sie Ihren Spitznamen"},
            {"gbGender", "Select your gender", "Wählen Sie Ihr Geschlecht"},
            {"rbUndefined", "Undefined", "Unbestimmt"},
            {"rbMale", "Male", "Männlich"},
            {"rbFemale", "Female", "Weiblich"},
            {"gbHistory", "Message history", "Nachrichtenverlauf"},
            {"cbEnableHistory", "Enable history", "Verlauf aufzeichnen"},
            {"lblHistoryFileName", "History file name", "Name der Verlaufsdatei"},
            {"cbSaveSettings", "Don't ask me again",
             "Nicht mehr fragen und diese Angaben bei jedem weiteren Start verwenden"},
            {"btRegister", "OK", "Anmelden"},
        };
        P->Dialog->show();
        const int englishWidth = P->Dialog->width();
        QVERIFY(WriteBytes(FDir->filePath("de.lng"), Utf16File(German)));
        QVERIFY(AppLang().LoadLanguage(FDir->filePath("de.lng")));
        P->Dialog->ApplyLanguage();
        QCOMPARE(P->Dialog->windowTitle(), QStringLiteral("Netzwerkanmeldung"));
        for (const TCaption& c : captions)
            QCOMPARE(CaptionOf(P->Child<QWidget>(c.Control)), c.Translated);
        QVERIFY(P->Dialog->width() > englishWidth);
        VerifyNothingClipped();

        AppLang().UseDefaultLanguage();
        P->Dialog->ApplyLanguage();
        QCOMPARE(P->Dialog->windowTitle(), QStringLiteral("Network Registration"));
        for (const TCaption& c : captions)
            QCOMPARE(CaptionOf(P->Child<QWidget>(c.Control)), c.English);
        QCOMPARE(P->Dialog->width(), englishWidth);
    }

    // Texts of a language file are shown as they are, never as markup.
    void captionsArePlainText()
    {
        QVERIFY(
            WriteBytes(FDir->filePath("x.lng"), Utf16File(QStringLiteral("0004=<b>bold</b>\r\n"))));
        QVERIFY(AppLang().LoadLanguage(FDir->filePath("x.lng")));
        P->Dialog->ApplyLanguage();
        const QLabel* label = P->Child<QLabel>("lblNic");
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->text(), QStringLiteral("<b>bold</b>"));
    }
};

QTEST_MAIN(TestNameEditWindow)
#include "tst_nameeditwindow.moc"
