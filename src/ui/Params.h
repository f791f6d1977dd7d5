#pragma once

#include "conversation/FileDialogs.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class TConfig;
class THotKeyEdit;
class TIpAddressEdit;
class TLangControl;
class TNetInterfaceInfoList;
class TPageControl;

// The sound file dialog's filter from the string table's name for it: the name as it is when
// it ends in "(*.wav)", else with " (*.wav)" added.
QString SoundFileFilter(const QString& name);

// "Zelkit Chat Preferences": the settings on eight pages. Every showing loads the settings
// into the controls and opens on the General page; OK refuses a history file that cannot be
// created and otherwise stores every control and the chosen language; Cancel, Escape and the
// title bar's close button store nothing. The dialog applies nothing itself: its caller runs
// ApplyLanguage and ApplySettings after an OK.
//
// Created once and shown again for every request. Main thread only.
class TFormParams final : public QDialog
{
    Q_OBJECT

public:
    // The sound file dialog: returns the chosen existing file, or an empty text when the
    // user cancelled. It starts with `file` when there is one, else in `folder`.
    using TSoundFileChooser = std::function<QString(const QString& file, const QString& folder)>;
    // The history file dialog: returns the name to show (the current one when cancelled).
    using THistoryFileChooser = std::function<QString(const QString& current)>;

    // The dialog is centred over mainForm (its parent) when there is one. `lang` is the
    // string table the program uses: the dialog takes its texts from it and loads the chosen
    // language into it.
    TFormParams(TConfig& config, TLangControl& lang, QWidget* mainForm = nullptr);
    ~TFormParams() override;
    Q_DISABLE_COPY_MOVE(TFormParams)

    // Shows the dialog modally; true when it closed with OK, the settings then holding every
    // control. False for Cancel, or when the dialog was already on screen.
    bool Execute();
    // Set once the values have been stored; cleared at every showing.
    bool ValuesStored() const { return FValuesStored; }

    void ApplyLanguage();
    // Places every control for the dialog's font, style and resolution.
    void Layout();

    // The adapter list the Network page shows; refreshed at every showing. By default the
    // program's list.
    void SetAdapters(TNetInterfaceInfoList& adapters) { FAdapters = &adapters; }
    void SetSoundFileChooser(TSoundFileChooser chooser) { FSoundChooser = std::move(chooser); }
    void SetHistoryFileChooser(THistoryFileChooser chooser)
    {
        FHistoryChooser = std::move(chooser);
    }
    // The refusal of a history file name; by default a warning box.
    void SetMessageBox(TFileMessageFn message) { FMessage = std::move(message); }

    void setVisible(bool visible) override;

    // Handlers, named after the control and the event.
    void FormActivate();
    void FormShow();
    // Whether the dialog may close with that result; an OK with a history file that cannot
    // be created says so and keeps the dialog open on the History page.
    bool FormCloseQuery(bool ok);
    void FormClose(bool ok);
    void cTrayIconClick();
    void cBlinkClick();
    void cSnapClick();
    void cPopupsClick();
    void cEnableSoundsClick();
    void cHistoryClick();
    void cHistoryLimitClick();
    void cAntibossClick();
    void cAntibossHotkeyClick();
    void cbAdaptersChange();
    void btDefIPClick();
    void btDefPortClick();
    void btHistoryFileSelectClick();
    void edHistoryFileEnter();
    void edHistoryFileExit();
    void btSelectSoundFileClick();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    QWidget* CreateGeneralPage();
    QWidget* CreateWindowPage();
    QWidget* CreatePopupsPage();
    QWidget* CreateSoundsPage();
    QWidget* CreateNetworkPage();
    QWidget* CreateHistoryPage();
    QWidget* CreateAntibossPage();
    QWidget* CreateLanguagePage();
    // Every check box and spin edit with its setting.
    std::vector<std::pair<QCheckBox*, int>> CheckSettings() const;
    std::vector<std::pair<QSpinBox*, int>> SpinSettings() const;
    void LoadValues();
    void LoadNetwork();
    void LoadLanguages();
    void StoreValues();
    void StoreLanguage();
    void UpdateDependents(const char* checkBox);
    void PlaceAtCentre();
    void OkClick();
    QString DefaultSoundFileChooser(const QString& file, const QString& folder);

    TConfig& FConfig;
    TLangControl& FLang;
    QWidget* FMainForm = nullptr;
    TNetInterfaceInfoList* FAdapters = nullptr;
    TSoundFileChooser FSoundChooser;
    THistoryFileChooser FHistoryChooser;
    TFileMessageFn FMessage;
    bool FValuesStored = false;
    bool FLaidOut = false;
    // The paths behind the lines of lbLanguage, as listed at the showing.
    QStringList FLanguagePaths;

    // Owned by the dialog through their Qt parents.
    TPageControl* pcPref = nullptr;
    QPushButton* btOK = nullptr;
    QPushButton* btCancel = nullptr;
    QLabel* lblHotkeyToRestore = nullptr;
    THotKeyEdit* hkAppHotkey = nullptr;
    QLabel* lblSendMsgKey = nullptr;
    QComboBox* cbSendMsgKey = nullptr;
    QCheckBox* cSaveUserSettings = nullptr;
    QCheckBox* cAutorun = nullptr;
    QCheckBox* cTrayIcon = nullptr;
    QCheckBox* cNoButtonOnTaskbar = nullptr;
    QCheckBox* cBlink = nullptr;
    QLabel* lblTimesToBlink = nullptr;
    QSpinBox* seTimesToBlink = nullptr;
    QCheckBox* cSnap = nullptr;
    QLabel* lblThreshold = nullptr;
    QSpinBox* seThreshold = nullptr;
    QCheckBox* cMoveInsideDesktop = nullptr;
    QCheckBox* cMinimizeOnClose = nullptr;
    QCheckBox* cPopups = nullptr;
    QCheckBox* cPopupOnEnterLeave = nullptr;
    QCheckBox* cPopupOnPrivate = nullptr;
    QLabel* lblSecondsToShowPopup = nullptr;
    QSpinBox* seTimeToShowPopup = nullptr;
    QCheckBox* cAnimatedPopups = nullptr;
    QCheckBox* cEnableSounds = nullptr;
    QCheckBox* cSoundIfInactive = nullptr;
    QTreeWidget* lvSoundFiles = nullptr;
    QPushButton* btSelectSoundFile = nullptr;
    QComboBox* cbAdapters = nullptr;
    QLabel* lblIP = nullptr;
    TIpAddressEdit* edIP = nullptr;
    QPushButton* btDefIP = nullptr;
    QLabel* lblPort = nullptr;
    QSpinBox* sePort = nullptr;
    QPushButton* btDefPort = nullptr;
    QCheckBox* cHistory = nullptr;
    QLabel* lblHistoryFileName = nullptr;
    QLineEdit* edHistoryFile = nullptr;
    QPushButton* btHistoryFileSelect = nullptr;
    QCheckBox* cHistoryLimit = nullptr;
    QSpinBox* seFileSizeLimit = nullptr;
    QLabel* lblHistoryFileSizeUnits = nullptr;
    QCheckBox* cAntiboss = nullptr;
    QLabel* lblAntibossAction = nullptr;
    QComboBox* cbAntibossAction = nullptr;
    QCheckBox* cAntibossHotkey = nullptr;
    QComboBox* cbAntibossHotkey = nullptr;
    QListWidget* lbLanguage = nullptr;
};
