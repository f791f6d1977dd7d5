#pragma once

#include <QDialog>

#include <functional>

class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TConfig;
class TNickValidator;

// "Network Registration": where the user chooses the nickname and gender the chat announces,
// and at the first showing of a run also the history file and whether to ask again. It only
// edits settings; the caller reads them once the dialog is gone.
//
// There is no cancel: OK, Enter and the title bar's close button all store the values, and
// none of them closes the dialog while the nickname is blank. Escape does nothing.
//
// Created once and shown again for every change of user. Main thread only.
class TFormNameEdit final : public QDialog
{
    Q_OBJECT

public:
    // Returns the file the user chose, or an empty text when the choice was cancelled.
    using TFileChooser = std::function<QString(const QString& current)>;
    using TLoginNameSource = std::function<QString()>;
    using TNickShown = std::function<void(const QString& nick)>;
    using TBeep = std::function<void()>;

    // The dialog is centred over mainForm (its parent) when there is one.
    explicit TFormNameEdit(TConfig& config, QWidget* mainForm = nullptr);
    ~TFormNameEdit() override;
    Q_DISABLE_COPY_MOVE(TFormNameEdit)

    // Shows the dialog modally; changeUserMode asks for nickname and gender only. True once
    // it has closed with a nickname, the settings then holding the choice; false when it was
    // taken down otherwise (the program ending under it) or was already on screen.
    bool Execute(bool changeUserMode);

    bool ChangeUserMode() const { return FChangeUserMode; }
    void SetChangeUserMode(bool on) { FChangeUserMode = on; }

    // Every caption from the string table in use; a dialog on screen is laid out anew.
    void ApplyLanguage();

    // The "..." button's file dialog; by default a plain save dialog.
    void SetFileChooser(TFileChooser chooser) { FFileChooser = std::move(chooser); }
    // Proposed as the nickname when none is stored; by default the login name.
    void SetLoginNameSource(TLoginNameSource source) { FLoginName = std::move(source); }
    // Shows the nickname as typed on the main window's status bar; called only while
    // show_nic_at_statusbar is on.
    void SetOnNickChange(TNickShown handler) { FOnNickChange = std::move(handler); }
    // Run for a refused character; by default the desktop's beep.
    void SetBeep(TBeep beep) { FBeep = std::move(beep); }

    void setVisible(bool visible) override;

    // The places of every control for the dialog's font, style and mode; run at creation, at
    // each showing and when the font or the texts change.
    void Layout();

    // Handlers, named after the control and the event.
    void FormShow();
    void FormActivate();
    // Stores the values and allows the closing, or refuses it while the nickname is blank.
    bool FormClose();
    void edNicChange();
    void RadioButtonLabelClick(int picture);
    void cbEnableHistoryClick();
    void btHistoryFileSelectClick();
    void edHistoryFileNameEnter();
    void edHistoryFileNameExit();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void PlaceAtCentre();
    int CheckedGender() const;
    void CheckGender(int gender);
    QString DefaultFileChooser(const QString& current);

    TConfig& FConfig;
    QWidget* FMainForm = nullptr;
    bool FChangeUserMode = false;
    bool FLaidOut = false;
    TFileChooser FFileChooser;
    TLoginNameSource FLoginName;
    TNickShown FOnNickChange;
    TBeep FBeep;

    // Owned by the dialog through their Qt parents.
    QLabel* lblNic = nullptr;
    QLineEdit* edNic = nullptr;
    TNickValidator* FNickValidator = nullptr;
    QGroupBox* gbGender = nullptr;
    QWidget* PanelGender = nullptr;
    QLabel* imGenderUndef = nullptr;
    QLabel* imMale = nullptr;
    QLabel* imFemale = nullptr;
    QRadioButton* rbUndefined = nullptr;
    QRadioButton* rbMale = nullptr;
    QRadioButton* rbFemale = nullptr;
    QGroupBox* gbHistory = nullptr;
    QWidget* PanelHistory = nullptr;
    QCheckBox* cbEnableHistory = nullptr;
    QLabel* lblHistoryFileName = nullptr;
    QLineEdit* edHistoryFileName = nullptr;
    QPushButton* btHistoryFileSelect = nullptr;
    QCheckBox* cbSaveSettings = nullptr;
    QFrame* HLine = nullptr;
    QPushButton* btRegister = nullptr;
};
