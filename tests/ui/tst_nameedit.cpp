#include "NameEditProbe.h"

#include "conversation/ChatLog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QtTest>

#include <memory>

class TestNameEdit : public QObject
{
    Q_OBJECT

    std::unique_ptr<TNameEditProbe> P;

private slots:
    void init() { P = std::make_unique<TNameEditProbe>(); }
    void cleanup() { P.reset(); }

    void controlsByName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("className");
        const std::pair<const char*, const char*> controls[] = {
            {"lblNic", "QLabel"},
            {"edNic", "QLineEdit"},
            {"gbGender", "QGroupBox"},
            {"PanelGender", "QWidget"},
            {"imGenderUndef", "QLabel"},
            {"imMale", "QLabel"},
            {"imFemale", "QLabel"},
            {"rbUndefined", "QRadioButton"},
            {"rbMale", "QRadioButton"},
            {"rbFemale", "QRadioButton"},
            {"gbHistory", "QGroupBox"},
            {"PanelHistory", "QWidget"},
            {"cbEnableHistory", "QCheckBox"},
            {"lblHistoryFileName", "QLabel"},
            {"edHistoryFileName", "QLineEdit"},
            {"btHistoryFileSelect", "QPushButton"},
            {"cbSaveSettings", "QCheckBox"},
            {"HLine", "QFrame"},
            {"btRegister", "QPushButton"},
        };
        for (const auto& [name, className] : controls)
            QTest::newRow(name) << name << className;
    }
    void controlsByName()
    {
        QFETCH(QString, name);
        QFETCH(QString, className);
        const QWidget* widget = P->Dialog->findChild<QWidget*>(name);
        QVERIFY(widget);
        QCOMPARE(widget->metaObject()->className(), className);
    }

    void captions()
    {
        QCOMPARE(P->Dialog->windowTitle(), QStringLiteral("Network Registration"));
        QCOMPARE(P->Child<QLabel>("lblNic")->text(), QStringLiteral("Choose your nic"));
        QCOMPARE(P->Child<QGroupBox>("gbGender")->title(), QStringLiteral("Select your gender"));
        QCOMPARE(P->Child<QCheckBox>("cbSaveSettings")->text(),
                 QStringLiteral("Don't ask me again"));
        QCOMPARE(P->Child<QPushButton>("btHistoryFileSelect")->text(), QStringLiteral("..."));
        QCOMPARE(P->Ok()->text(), QStringLiteral("OK"));
        QVERIFY(P->Ok()->isDefault());
        QVERIFY(!(P->Ok()->focusPolicy() & Qt::TabFocus));
        QVERIFY(P->Child<QRadioButton>("rbUndefined")->isChecked());
        QVERIFY(!P->Dialog->ChangeUserMode());
    }

    void loading_data()
    {
        QTest::addColumn<bool>("changeUserMode");
        QTest::addColumn<int>("gender");
        QTest::addColumn<QString>("checked");
        QTest::newRow("full, male") << false << 0 << "rbMale";
        QTest::newRow("full, female") << false << 1 << "rbFemale";
        QTest::newRow("full, undefined") << false << 2 << "rbUndefined";
        QTest::newRow("full, 5 is undefined") << false << 5 << "rbUndefined";
        QTest::newRow("nick only, male") << true << 0 << "rbMale";
        QTest::newRow("nick only, -1 is undefined") << true << -1 << "rbUndefined";
    }
    void loading()
    {
        QFETCH(bool, changeUserMode);
        QFETCH(int, gender);
        QFETCH(QString, checked);
        P->Config.SetInt(user_gender, gender);
        P->Config.SetBool(history_enabled, true);
        P->Config.SetBool(save_settings, true);
        QVERIFY(P->Show(changeUserMode));

        QCOMPARE(P->Nick()->text(), QStringLiteral("Bob"));
        QCOMPARE(P->Nick()->selectedText(), QStringLiteral("Bob"));
        QVERIFY(P->Dialog->findChild<QRadioButton*>(checked)->isChecked());
        const bool full = !changeUserMode;
        QCOMPARE(P->Child<QGroupBox>("gbHistory")->isVisible(), full);
        QCOMPARE(P->Child<QCheckBox>("cbSaveSettings")->isVisible(), full);
        QCOMPARE(P->Child<QWidget>("HLine")->isVisible(), full);
        if (full) {
            QVERIFY(P->Child<QCheckBox>("cbEnableHistory")->isChecked());
            QCOMPARE(P->HistoryFile()->text(), QStringLiteral("/tmp/known.history"));
            QVERIFY(P->Child<QCheckBox>("cbSaveSettings")->isChecked());
        }
        QVERIFY(P->Ok()->isEnabled());
    }

    // A second showing loads the settings again, whatever was typed before.
    void reloadsAtEachShowing()
    {
        QVERIFY(P->Show(false));
        P->Nick()->setText(QStringLiteral("Carol"));
        QVERIFY(P->Dialog->FormClose());
        P->Dialog->accept();
        P->Config.SetStr(user_name, QStringLiteral("Dave"));
        QVERIFY(P->Show(true));
        QCOMPARE(P->Nick()->text(), QStringLiteral("Dave"));
        QVERIFY(!P->Child<QGroupBox>("gbHistory")->isVisible());
    }

    // Switching to another window and back is no new showing: the typed nick stays.
    void activationKeepsTyping()
    {
        QVERIFY(P->Show(false));
        P->Nick()->setText(QStringLiteral("Carol"));
        QEvent deactivate(QEvent::WindowDeactivate);
        QApplication::sendEvent(P->Dialog.get(), &deactivate);
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(P->Dialog.get(), &activate);
        QCOMPARE(P->Nick()->text(), QStringLiteral("Carol"));
    }

    void refusedCharacters_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("beeps");
        QTest::newRow("less") << "<"
                              << "Bob" << 1;
        QTest::newRow("greater") << ">"
                                 << "Bob" << 1;
        QTest::newRow("comma") << ","
                               << "Bob" << 1;
        QTest::newRow("among others") << "a<b>c,d"
                                      << "Bobabcd" << 3;
        QTest::newRow("other punctuation passes") << ".:;-_!"
                                                  << "Bob.:;-_!" << 0;
    }
    void refusedCharacters()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QFETCH(int, beeps);
        QVERIFY(P->Show(false));
        P->Nick()->end(false);
        Type(P->Nick(), typed);
        QCOMPARE(P->Nick()->text(), expected);
        QCOMPARE(P->Beeps, beeps);
    }

    // A pasted text with a refused character does not enter at all.
    void refusedInPaste()
    {
        QVERIFY(P->Show(false));
        P->Nick()->end(false);
        P->Nick()->insert(QStringLiteral("x<y"));
        QCOMPARE(P->Nick()->text(), QStringLiteral("Bob"));
        QCOMPARE(P->Beeps, 1);
    }

    // The tests run with ZELKIT_CODEPAGE=cp1252, where "é" is one byte.
    void byteLimit_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("32 letters") << QString(34, 'a') << QString(32, 'a');
        QTest::newRow("32 accented letters") << QString(34, u'é') << QString(32, u'é');
    }
    void byteLimit()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QVERIFY(P->Show(false));
        P->Nick()->clear();
        Type(P->Nick(), typed);
        QCOMPARE(P->Nick()->text(), expected);
        QCOMPARE(P->Beeps, 0);
    }

    void logonNameProposal_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty nick") << ""
                                    << "alice"
                                    << "alice";
        QTest::newRow("cut to 32") << "" << QString(40, 'L') << QString(32, 'L');
        QTest::newRow("refused characters left out") << ""
                                                     << "a,b<c>"
                                                     << "abc";
        QTest::newRow("a stored nick wins") << "Bob"
                                            << "alice"
                                            << "Bob";
        QTest::newRow("no login name") << ""
                                       << ""
                                       << "";
    }
    void logonNameProposal()
    {
        QFETCH(QString, stored);
        QFETCH(QString, login);
        QFETCH(QString, expected);
        P->Config.SetStr(user_name, stored);
        P->LoginName = login;
        QVERIFY(P->Show(true));
        QCOMPARE(P->Nick()->text(), expected);
        QCOMPARE(P->Nick()->selectedText(), expected);
        QCOMPARE(P->Ok()->isEnabled(), !expected.isEmpty());
        QCOMPARE(P->Beeps, 0);
    }

    void blankNickDoesNotClose_data()
    {
        QTest::addColumn<QString>("nick");
        QTest::newRow("empty") << "";
        QTest::newRow("blanks") << "   ";
    }
    void blankNickDoesNotClose()
    {
        QFETCH(QString, nick);
        QVERIFY(P->Show(false));
        P->Nick()->setText(nick);
        QVERIFY(!P->Ok()->isEnabled());
        QTest::keyClick(P->Nick(), Qt::Key_Return);
        QVERIFY(P->Dialog->isVisible());
        QVERIFY(!P->Dialog->close());
        QVERIFY(P->Dialog->isVisible());
        QVERIFY(!P->Dialog->FormClose());
        QCOMPARE(P->Config.GetStr(user_name), QStringLiteral("Bob"));
    }

    void escapeDoesNothing()
    {
        QVERIFY(P->Show(false));
        P->Nick()->setText(QStringLiteral("Carol"));
        QTest::keyClick(P->Nick(), Qt::Key_Escape);
        QTest::keyClick(P->Dialog.get(), Qt::Key_Escape);
        QVERIFY(P->Dialog->isVisible());
        QCOMPARE(P->Config.GetStr(user_name), QStringLiteral("Bob"));
    }

    // OK, Enter and the title bar's close button store the same values.
    void closingStores_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("OK") << 0;
        QTest::newRow("Enter") << 1;
        QTest::newRow("close button") << 2;
    }
    void closingStores()
    {
        QFETCH(int, how);
        QVERIFY(P->Show(false));
        P->Nick()->setText(QStringLiteral("  Carol  "));
        P->Child<QRadioButton>("rbMale")->setChecked(true);
        P->Child<QCheckBox>("cbEnableHistory")->setChecked(true);
        P->HistoryFile()->setText(QStringLiteral(" /tmp/typed.history"));
        P->Child<QCheckBox>("cbSaveSettings")->setChecked(true);
        if (how == 0)
            QTest::mouseClick(P->Ok(), Qt::LeftButton);
        else if (how == 1)
            QTest::keyClick(P->Nick(), Qt::Key_Return);
        else
            QVERIFY(P->Dialog->close());
        QVERIFY(!P->Dialog->isVisible());
        QCOMPARE(P->Dialog->result(), int(QDialog::Accepted));
        QCOMPARE(P->Config.GetStr(user_name), QStringLiteral("Carol"));
        QCOMPARE(P->Config.GetInt(user_gender), 0);
        QVERIFY(P->Config.GetBool(history_enabled));
        QCOMPARE(P->Config.GetStr(history_file_name), QStringLiteral(" /tmp/typed.history"));
        QVERIFY(P->Config.GetBool(save_settings));
    }

    void genderStored_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("gender");
        QTest::newRow("male") << "rbMale" << 0;
        QTest::newRow("female") << "rbFemale" << 1;
        QTest::newRow("undefined") << "rbUndefined" << 2;
    }
    void genderStored()
    {
        QFETCH(QString, button);
        QFETCH(int, gender);
        P->Config.SetInt(user_gender, 5);
        QVERIFY(P->Show(true));
        P->Dialog->findChild<QRadioButton*>(button)->setChecked(true);
        QVERIFY(P->Dialog->close());
        QCOMPARE(P->Config.GetInt(user_gender), gender);
    }

    void pictureChecksItsButton_data()
    {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QString>("button");
        QTest::newRow("undefined") << "imGenderUndef"
                                   << "rbUndefined";
        QTest::newRow("male") << "imMale"
                              << "rbMale";
        QTest::newRow("female") << "imFemale"
                                << "rbFemale";
    }
    void pictureChecksItsButton()
    {
        QFETCH(QString, picture);
        QFETCH(QString, button);
        P->Config.SetInt(user_gender, picture == "imMale" ? 1 : 0);
        QVERIFY(P->Show(false));
        auto* image = P->Dialog->findChild<QLabel*>(picture);
        QVERIFY(!image->pixmap().isNull());
        QTest::mouseClick(image, Qt::LeftButton);
        auto* radio = P->Dialog->findChild<QRadioButton*>(button);
        QVERIFY(radio->isChecked());
        QTRY_VERIFY(radio->hasFocus());
    }

    void nickShownAsTyped_data()
    {
        QTest::addColumn<bool>("showNic");
        QTest::newRow("status bar shows the nick") << true;
        QTest::newRow("status bar does not") << false;
    }
    void nickShownAsTyped()
    {
        QFETCH(bool, showNic);
        P->Config.SetBool(show_nic_at_statusbar, showNic);
        QVERIFY(P->Show(false));
        P->Nick()->end(false);
        Type(P->Nick(), QStringLiteral(" x"));
        if (showNic)
            QCOMPARE(P->NicksShown.mid(P->NicksShown.size() - 2), (QStringList{"Bob", "Bob x"}));
        else
            QVERIFY(P->NicksShown.isEmpty());
    }
};

QTEST_MAIN(TestNameEdit)
#include "tst_nameedit.moc"
