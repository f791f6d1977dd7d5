#include "ParamsProbe.h"

#include "conversation/ChatLog.h"
#include "ui/HotKeyEdit.h"
#include "ui/IpAddressEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QtTest>

#include <memory>

class TestParams : public QObject
{
    Q_OBJECT

    std::unique_ptr<TParamsProbe> P;

    QCheckBox* Check(const char* name) const { return P->Child<QCheckBox>(name); }
    QSpinBox* Spin(const char* name) const { return P->Child<QSpinBox>(name); }
    QComboBox* Combo(const char* name) const { return P->Child<QComboBox>(name); }
    QTreeWidget* Sounds() const { return P->Child<QTreeWidget>("lvSoundFiles"); }
    QLineEdit* HistoryFile() const { return P->Child<QLineEdit>("edHistoryFile"); }
    QLineEdit* Ip() const { return P->Child<QLineEdit>("edIP"); }
    void Click(const char* button) const { P->Child<QAbstractButton>(button)->click(); }

private slots:
    void init()
    {
        P = std::make_unique<TParamsProbe>();
        QVERIFY(P->Show());
    }
    void cleanup() { P.reset(); }

    void loadsTheSettings()
    {
        QCOMPARE(P->Page(), QStringLiteral("tsGeneral"));
        QCOMPARE(P->Child<THotKeyEdit>("hkAppHotkey")->text(), QStringLiteral("Ctrl+Q"));
        QCOMPARE(Combo("cbSendMsgKey")->currentIndex(), 1);
        QVERIFY(!Check("cSaveUserSettings")->isChecked());
        QVERIFY(Check("cAutorun")->isChecked());
        QVERIFY(Check("cMoveInsideDesktop")->isChecked());
        QCOMPARE(Spin("seTimesToBlink")->value(), 7);
        QCOMPARE(Spin("seThreshold")->value(), 12);
        QCOMPARE(Spin("seTimeToShowPopup")->value(), 9);
        QCOMPARE(Spin("sePort")->value(), 4321);
        QCOMPARE(Spin("seFileSizeLimit")->value(), 64);
        QCOMPARE(Combo("cbAntibossAction")->currentIndex(), 1);
        QCOMPARE(Combo("cbAntibossHotkey")->currentIndex(), 2);
        QCOMPARE(HistoryFile()->text(), P->Config.GetStr(history_file_name));
        QCOMPARE(Sounds()->topLevelItem(0)->text(1), QStringLiteral("/sounds/new.wav"));
        QCOMPARE(Sounds()->topLevelItem(1)->text(1), QString());
        QCOMPARE(Sounds()->topLevelItem(2)->text(1), QStringLiteral("/sounds/private.wav"));
        QCOMPARE(Sounds()->topLevelItem(1)->checkState(0), Qt::Unchecked);
        QCOMPARE(Ip()->text(), QStringLiteral("10.255.255.255"));
        // The adapter whose broadcast address is the stored one.
        QCOMPARE(Combo("cbAdapters")->count(), 2);
        QCOMPARE(Combo("cbAdapters")->currentText(),
                 QStringLiteral("Adapter #2 (10.0.0.5 / 255.0.0.0) Broadcast: 10.255.255.255"));
        auto* languages = P->Child<QListWidget>("lbLanguage");
        QCOMPARE(languages->count(), 1);
        QCOMPARE(languages->item(0)->text(), QStringLiteral("English (default)"));
        QCOMPARE(languages->currentRow(), 0);
    }

    // Every control goes into its setting; the settings hold the opposite of each.
    void okStoresEveryControl()
    {
        P->Child<THotKeyEdit>("hkAppHotkey")->SetShortCut(0x2000 | 0x8000 | 'H');
        Combo("cbSendMsgKey")->setCurrentIndex(0);
        for (QCheckBox* box : P->Dialog->findChildren<QCheckBox*>())
            box->setChecked(!box->isChecked());
        Spin("seTimesToBlink")->setValue(3);
        Spin("seThreshold")->setValue(20);
        Spin("seTimeToShowPopup")->setValue(0);
        Spin("sePort")->setValue(5000);
        Spin("seFileSizeLimit")->setValue(1000);
        Combo("cbAntibossAction")->setCurrentIndex(0);
        Combo("cbAntibossHotkey")->setCurrentIndex(1);
        Sounds()->topLevelItem(1)->setText(1, QStringLiteral("/sounds/other.wav"));
        Sounds()->topLevelItem(0)->setCheckState(0, Qt::Checked);
        Ip()->setText(QStringLiteral("192.168.1.255"));
        const QString history = P->Folder.filePath(QStringLiteral("other.history"));
        HistoryFile()->setText(history);
        Click("btOK");

        QVERIFY(!P->Dialog->isVisible());
        QCOMPARE(P->Dialog->result(), int(QDialog::Accepted));
        QVERIFY(P->Dialog->ValuesStored());
        const TConfig& c = P->Config;
        QCOMPARE(c.GetInt(hot_key), 0x2000 | 0x8000 | 'H');
        QCOMPARE(c.GetInt(send_key), 0);
        QCOMPARE(c.GetInt(blink_tab_count), 3);
        QCOMPARE(c.GetInt(snap_threshold), 20);
        QCOMPARE(c.GetInt(popup_show_time), 0);
        QCOMPARE(c.GetInt(udp_port), 5000);
        QCOMPARE(c.GetInt(history_fsize_limit), 1000);
        QCOMPARE(c.GetInt(antiboss_action), 0);
        QCOMPARE(c.GetInt(antiboss_hotkey), 1);
        for (int id : {save_settings, snap_enabled, enable_popups, popups_animated, enable_sounds,
                       sound_only_if_chat_inactive, history_limited, antiboss_enabled,
                       antiboss_hotkey_enabled, show_tray_icon, no_button_on_taskbar,
                       blink_inactive_tab_on_msg, popup_on_enter_leave, minimize_on_close})
            QVERIFY2(c.GetBool(id), c.Item(id).Key.constData());
        for (int id : {autorun_chat, move_inside_desktop, popup_on_private_only, history_enabled})
            QVERIFY2(!c.GetBool(id), c.Item(id).Key.constData());
        QVERIFY(c.GetBool(sound_enabled_new_contact));
        QVERIFY(!c.GetBool(sound_enabled_incoming_msg));
        QCOMPARE(c.GetStr(sound_file_incoming_msg), QStringLiteral("/sounds/other.wav"));
        QCOMPARE(c.GetStr(sound_file_new_contact), QStringLiteral("/sounds/new.wav"));
        QCOMPARE(c.GetStr(broadcast_ip), QStringLiteral("192.168.1.255"));
        QCOMPARE(c.GetStr(history_file_name), history);
        QVERIFY(P->Messages.isEmpty());
    }

    void cancelThenReopenShowsTheStoredValues_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("Cancel") << "Cancel";
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("close button") << "close";
    }
    void cancelThenReopenShowsTheStoredValues()
    {
        QFETCH(QString, how);
        Check("cAutorun")->setChecked(false);
        Spin("sePort")->setValue(7777);
        Ip()->setText(QStringLiteral("1.2.3.4"));
        HistoryFile()->setText(QStringLiteral("/elsewhere.history"));
        P->Child<QTabWidget>("pcPref")->setCurrentIndex(4);
        if (how == QLatin1String("Cancel"))
            Click("btCancel");
        else if (how == QLatin1String("Escape"))
            QTest::keyClick(Spin("sePort"), Qt::Key_Escape);
        else
            P->Dialog->close();
        QVERIFY(!P->Dialog->isVisible());
        QCOMPARE(P->Dialog->result(), int(QDialog::Rejected));
        QVERIFY(!P->Dialog->ValuesStored());
        QVERIFY(P->Config.GetBool(autorun_chat));
        QCOMPARE(P->Config.GetInt(udp_port), 4321);

        QVERIFY(P->Show());
        QCOMPARE(P->Page(), QStringLiteral("tsGeneral"));
        QVERIFY(Check("cAutorun")->isChecked());
        QCOMPARE(Spin("sePort")->value(), 4321);
        QCOMPARE(Ip()->text(), QStringLiteral("10.255.255.255"));
        QCOMPARE(HistoryFile()->text(), P->Config.GetStr(history_file_name));
    }

    // Unchecking a box disables what depends on it at once and keeps their marks; checking
    // it again enables them. A nested box counts only while its group is on.
    void enabledStates_data()
    {
        QTest::addColumn<QString>("checkBox");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QStringList>("dependents");
        QTest::newRow("tray icon") << "cTrayIcon"
                                   << "" << QStringList{"cNoButtonOnTaskbar"};
        QTest::newRow("blink") << "cBlink"
                               << "" << QStringList{"lblTimesToBlink", "seTimesToBlink"};
        QTest::newRow("snap") << "cSnap"
                              << "" << QStringList{"lblThreshold", "seThreshold"};
        QTest::newRow("popups") << "cPopups"
                                << ""
                                << QStringList{"cPopupOnEnterLeave", "cPopupOnPrivate",
                                               "lblSecondsToShowPopup", "seTimeToShowPopup",
                                               "cAnimatedPopups"};
        QTest::newRow("sounds") << "cEnableSounds"
                                << ""
                                << QStringList{"cSoundIfInactive", "lvSoundFiles",
                                               "btSelectSoundFile"};
        QTest::newRow("history") << "cHistory"
                                 << ""
                                 << QStringList{"lblHistoryFileName", "edHistoryFile",
                                                "btHistoryFileSelect", "cHistoryLimit"};
        QTest::newRow("history limit")
            << "cHistoryLimit"
            << "cHistory" << QStringList{"seFileSizeLimit", "lblHistoryFileSizeUnits"};
        QTest::newRow("antiboss") << "cAntiboss"
                                  << ""
                                  << QStringList{"lblAntibossAction", "cbAntibossAction",
                                                 "cAntibossHotkey"};
        QTest::newRow("antiboss hotkey") << "cAntibossHotkey"
                                         << "cAntiboss" << QStringList{"cbAntibossHotkey"};
    }
    void enabledStates()
    {
        QFETCH(QString, checkBox);
        QFETCH(QString, group);
        QFETCH(QStringList, dependents);
        QCheckBox* box = Check(qPrintable(checkBox));
        QCheckBox* outer = group.isEmpty() ? nullptr : Check(qPrintable(group));
        const auto verifyEnabled = [&](bool expected) {
            for (const QString& name : dependents) {
                const auto* w = P->Dialog->findChild<QWidget*>(name);
                QVERIFY2(w, qPrintable(name));
                QVERIFY2(w->isEnabled() == expected, qPrintable(name));
            }
        };
        if (outer)
            outer->setChecked(true);
        box->setChecked(true);
        verifyEnabled(true);
        auto* dependentBox = P->Dialog->findChild<QCheckBox*>(dependents.first());
        if (dependentBox)
            dependentBox->setChecked(true);
        box->click();
        verifyEnabled(false);
        if (dependentBox)
            QVERIFY(dependentBox->isChecked());
        box->click();
        verifyEnabled(true);
        if (outer) {
            outer->click();
            verifyEnabled(false);
            QVERIFY(box->isChecked());
            outer->click();
            verifyEnabled(true);
        }
    }

    // Disabled spin edits, drop-downs and the history file edit take the button face.
    void disabledFieldsLookDisabled()
    {
        Check("cSnap")->setChecked(false);
        Check("cHistory")->setChecked(false);
        for (const char* name : {"seThreshold", "edHistoryFile"}) {
            const auto* w = P->Dialog->findChild<QWidget*>(QLatin1String(name));
            QCOMPARE(w->palette().color(QPalette::Disabled, QPalette::Base),
                     w->palette().color(QPalette::Active, QPalette::Button));
        }
    }

    void loadedMarksSetTheStates()
    {
        // Stored: history on, its limit off; antiboss off.
        QVERIFY(HistoryFile()->isEnabled());
        QVERIFY(!Spin("seFileSizeLimit")->isEnabled());
        QVERIFY(!Combo("cbAntibossAction")->isEnabled());
        QVERIFY(!Check("cAntibossHotkey")->isEnabled());
        QVERIFY(!Check("cNoButtonOnTaskbar")->isEnabled());
    }

    void defaultPort()
    {
        Click("btDefPort");
        QCOMPARE(Spin("sePort")->value(), 9567);
        Click("btOK");
        QCOMPARE(P->Config.GetInt(udp_port), 9567);
    }

    void portAndNumbersKeepToTheirRanges()
    {
        QCOMPARE(Spin("sePort")->minimum(), 1);
        QCOMPARE(Spin("sePort")->maximum(), 65535);
        for (const char* name :
             {"seTimesToBlink", "seThreshold", "seTimeToShowPopup", "seFileSizeLimit"}) {
            QCOMPARE(Spin(name)->minimum(), 0);
            QCOMPARE(Spin(name)->maximum(), std::numeric_limits<int>::max());
        }
    }

    void choosingAnAdapterPutsItsBroadcastAddress()
    {
        QComboBox* adapters = Combo("cbAdapters");
        adapters->setFocus();
        QTest::keyClick(adapters, Qt::Key_Up);
        QCOMPARE(adapters->currentIndex(), 0);
        QCOMPARE(Ip()->text(), QStringLiteral("192.168.1.255"));
        Ip()->setText(QStringLiteral("1.1.1.1"));
        Click("btDefIP");
        QCOMPARE(Ip()->text(), QStringLiteral("192.168.1.255"));
        Click("btOK");
        QCOMPARE(P->Config.GetStr(broadcast_ip), QStringLiteral("192.168.1.255"));
    }

    // A stored address of no adapter: the first adapter is selected, the field keeps it.
    void storedAddressOfNoAdapter()
    {
        P->Dialog->reject();
        P->Config.SetStr(broadcast_ip, QStringLiteral("172.16.255.255"));
        QVERIFY(P->Show());
        QCOMPARE(Combo("cbAdapters")->currentIndex(), 0);
        QCOMPARE(Ip()->text(), QStringLiteral("172.16.255.255"));
    }

    void withoutAdapters()
    {
        P->Dialog->reject();
        P->RawAdapters.clear();
        QVERIFY(P->Show());
        QCOMPARE(Combo("cbAdapters")->count(), 0);
        QVERIFY(!Combo("cbAdapters")->isEnabled());
        Click("btDefIP");
        QCOMPARE(Ip()->text(), QStringLiteral("10.255.255.255"));
        Ip()->setText(QStringLiteral("192.168."));
        Click("btOK");
        QCOMPARE(P->Config.GetStr(broadcast_ip), QStringLiteral("192.168.0.0"));
    }

    void uncreatableHistoryFileIsRefused()
    {
        const QString bad = P->Folder.filePath(QStringLiteral("no such folder/chat.history"));
        P->Child<QTabWidget>("pcPref")->setCurrentIndex(1);
        HistoryFile()->setText(bad);
        Click("btOK");
        QCOMPARE(P->Messages.size(), 1);
        QCOMPARE(P->Messages[0][0], QStringLiteral("Incorrect File Name"));
        QCOMPARE(P->Messages[0][1], QStringLiteral("Incorrect history file name\n") + bad +
                                        QStringLiteral("\nPlease reenter"));
        QVERIFY(P->Dialog->isVisible());
        QVERIFY(!P->Dialog->ValuesStored());
        QCOMPARE(P->Page(), QStringLiteral("tsHistory"));
        QTRY_COMPARE(QApplication::focusWidget(), HistoryFile());
        QCOMPARE(P->Config.GetStr(history_file_name), P->Folder.filePath("known.history"));

        // With history off the same name is stored without a question.
        Check("cHistory")->setChecked(false);
        Click("btOK");
        QCOMPARE(P->Messages.size(), 1);
        QVERIFY(!P->Dialog->isVisible());
        QCOMPARE(P->Config.GetStr(history_file_name), bad);
        QVERIFY(!P->Config.GetBool(history_enabled));
    }

    void emptyHistoryFileTakesTheDefault()
    {
        HistoryFile()->clear();
        Check("cHistory")->setChecked(false);
        QCOMPARE(HistoryFile()->text(), QString());
        Check("cHistory")->setChecked(true);
        QCOMPARE(HistoryFile()->text(), TChatLog::DefaultFileName());
        // OK without leaving the field: the name is replaced all the same.
        HistoryFile()->setText(QStringLiteral("  "));
        Check("cHistory")->setChecked(false);
        Click("btOK");
        QCOMPARE(P->Config.GetStr(history_file_name), TChatLog::DefaultFileName());
    }

    void historyFileSelect()
    {
        const QString chosen = P->Folder.filePath(QStringLiteral("chosen.history"));
        P->HistoryChoice = chosen;
        Click("btHistoryFileSelect");
        QCOMPARE(P->HistoryRequests, QStringList{P->Folder.filePath("known.history")});
        QCOMPARE(HistoryFile()->text(), chosen);
    }

    void selectSoundFile_data()
    {
        QTest::addColumn<int>("selectedRow");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("startFile");
        QTest::newRow("nothing selected: row 0") << -1 << 0 << "/sounds/new.wav";
        QTest::newRow("a row without file: the Sounds folder") << 1 << 1 << "";
        QTest::newRow("a row with a file") << 2 << 2 << "/sounds/private.wav";
    }
    void selectSoundFile()
    {
        QFETCH(int, selectedRow);
        QFETCH(int, row);
        QFETCH(QString, startFile);
        Check("cEnableSounds")->setChecked(true);
        if (selectedRow >= 0)
            Sounds()->setCurrentItem(Sounds()->topLevelItem(selectedRow));
        P->SoundChoice = QStringLiteral("/chosen/beep.wav");
        Click("btSelectSoundFile");
        QCOMPARE(P->SoundRequests.size(), 1);
        QCOMPARE(P->SoundRequests[0][0], startFile);
        QCOMPARE(P->SoundRequests[0][1], P->AppFolderPath + QStringLiteral("Sounds/"));
        QCOMPARE(Sounds()->currentItem(), Sounds()->topLevelItem(row));
        QCOMPARE(Sounds()->topLevelItem(row)->text(1), QStringLiteral("/chosen/beep.wav"));

        // Cancelled: the row keeps its file.
        P->SoundChoice.clear();
        Click("btSelectSoundFile");
        QCOMPARE(Sounds()->topLevelItem(row)->text(1), QStringLiteral("/chosen/beep.wav"));
    }

    void doubleClickSelectsAFile()
    {
        QTreeWidget* list = Sounds();
        Check("cEnableSounds")->setChecked(true);
        P->Child<QTabWidget>("pcPref")->setCurrentIndex(3);
        QTRY_VERIFY(list->viewport()->isVisible() &&
                    list->visualItemRect(list->topLevelItem(2)).isValid());
        const QRect second = list->visualItemRect(list->topLevelItem(2));
        // The first click of the two selects the row, as a mouse does.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, second.center());
        QCOMPARE(P->SoundRequests.size(), 1);
        QCOMPARE(P->SoundRequests[0][0], QStringLiteral("/sounds/private.wav"));
    }

    void soundFileFilter_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("filter");
        QTest::newRow("built-in") << "Sound files (*.wav)"
                                  << "Sound files (*.wav)";
        QTest::newRow("without the pattern") << "Klangdateien"
                                             << "Klangdateien (*.wav)";
        QTest::newRow("empty") << ""
                               << "(*.wav)";
    }
    void soundFileFilter()
    {
        QFETCH(QString, name);
        QFETCH(QString, filter);
        QCOMPARE(SoundFileFilter(name), filter);
    }

    void soundsOffSelectNothing()
    {
        QVERIFY(!P->Child<QPushButton>("btSelectSoundFile")->isEnabled());
        Click("btSelectSoundFile");
        QVERIFY(P->SoundRequests.isEmpty());
    }

    void aSecondExecuteWhileShownDoesNothing()
    {
        QVERIFY(!P->Dialog->Execute());
        QVERIFY(P->Dialog->isVisible());
    }
};

QTEST_MAIN(TestParams)
#include "tst_params.moc"
