// The preferences dialog: its showing and closing, its texts, its layout and the handlers of
// its controls. The controls are made in ParamsPages.cpp, loaded and stored in
// ParamsValues.cpp.
#include "ui/Params.h"

#include "config/Config.h"
#include "config/Globals.h"
#include "conversation/ChatLog.h"
#include "conversation/HistoryActions.h"
#include "desktop/WindowUtils.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "net/EnumNetworkItfs.h"
#include "net/IpAddress.h"
#include "ui/DialogLayout.h"
#include "ui/IpAddressEdit.h"
#include "ui/PageControl.h"
#include "ui/ParamsLayout.h"
#include "ui/ParamsRules.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace {
constexpr int HistoryPage = 5;
const QString WavPattern = QStringLiteral("(*.wav)");

// Captions of the controls that show one text of the string table as it is.
struct TCaption {
    const char* Control;
    int Id;
};
const TCaption Captions[] = {
    {"lblHotkeyToRestore", sidAppHotkey},
    {"lblSendMsgKey", sidSendMessageBy},
    {"cSaveUserSettings", sidNoRegistrationAtStartup},
    {"cAutorun", sidAutorun},
    {"cTrayIcon", sidTrayIcon},
    {"cNoButtonOnTaskbar", sidNoTaskbarButton},
    {"cBlink", sidBlinkInactiveTab},
    {"lblTimesToBlink", sidSecondsToBlink},
    {"cSnap", sidSnapToBorders},
    {"lblThreshold", sidSnapThreshold},
    {"cMoveInsideDesktop", sidMoveInsideDesktop},
    {"cMinimizeOnClose", sidMinimizeOnClose},
    {"cPopups", sidEnablePopups},
    {"cPopupOnEnterLeave", sidPopupOnEnterLeave},
    {"cPopupOnPrivate", sidPopupOnPrivateOnly},
    {"lblSecondsToShowPopup", sidSecondsToShowPopup},
    {"cAnimatedPopups", sidAnimatedPopups},
    {"cEnableSounds", sidEnableSounds},
    {"cSoundIfInactive", sidSoundIfInactive},
    {"btSelectSoundFile", sidSelectSoundFile},
    {"lblIP", sidBroadcastIp},
    {"btDefIP", sidDefaultIp},
    {"lblPort", sidUdpPort},
    {"btDefPort", sidDefaultPort},
    {"cHistory", sidEnableHistory},
    {"lblHistoryFileName", sidHistoryFileName},
    {"cHistoryLimit", sidHistorySizeLimit},
    {"cAntiboss", sidEnableAntiboss},
    {"lblAntibossAction", sidAntibossAction},
    {"cAntibossHotkey", sidAntibossHotkey},
    {"btOK", sidPreferencesOk},
    {"btCancel", sidPreferencesCancel},
};

const int PageCaptions[ParamsPageCount] = {sidPageGeneral,  sidPageWindow,  sidPagePopups,
                                           sidPageSounds,   sidPageNetwork, sidPageHistory,
                                           sidPageAntiboss, sidPageLanguage};

const int SoundRowCaptions[3] = {sidSoundNewContact, sidSoundConferenceMessage,
                                 sidSoundPrivateMessage};
} // namespace

QString SoundFileFilter(const QString& name)
{
    // The file dialog takes its patterns from the brackets at the end of a filter; a
    // translation without them would otherwise filter by its own words.
    const QString trimmed = name.trimmed();
    if (trimmed.endsWith(WavPattern))
        return trimmed;
    return trimmed.isEmpty() ? WavPattern : trimmed + QLatin1Char(' ') + WavPattern;
}

TFormParams::TFormParams(TConfig& config, TLangControl& lang, QWidget* mainForm)
    : QDialog(mainForm), FConfig(config), FLang(lang), FMainForm(mainForm)
{
    setObjectName(QStringLiteral("FormParams"));
    // A dialog of fixed size that may be minimized along with its window menu.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    FAdapters = &AvailableNetInterfaces();
    FSoundChooser = [this](const QString& file, const QString& folder) {
        return DefaultSoundFileChooser(file, folder);
    };
    FHistoryChooser = [this](const QString& current) { return SelectFile(current, this); };
    FMessage = ShowFileMessage;
    CreateControls();
    ApplyLanguage();
    FormActivate();
}

TFormParams::~TFormParams() = default;

bool TFormParams::Execute()
{
    // One showing at a time: a second request while the dialog is up has nothing to add.
    if (isVisible())
        return false;
    return exec() == QDialog::Accepted;
}

void TFormParams::ApplyLanguage()
{
    const auto text = [this](int id) { return FLang.GetString(id); };
    setWindowTitle(text(sidPreferencesCaption));
    for (int page = 0; page < ParamsPageCount; ++page)
        pcPref->setTabText(page, text(PageCaptions[page]));
    for (const TCaption& caption : Captions) {
        QWidget* control = findChild<QWidget*>(QLatin1String(caption.Control));
        if (auto* label = qobject_cast<QLabel*>(control))
            label->setText(text(caption.Id));
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            button->setText(text(caption.Id));
    }
    // setItemText keeps the selected line.
    cbAntibossAction->setItemText(0, text(sidMinimizeChat));
    cbAntibossAction->setItemText(1, text(sidClearAllMessages));
    lvSoundFiles->setHeaderLabels({text(sidSoundEventColumn), text(sidSoundFileColumn)});
    for (int row = 0; row < 3; ++row)
        lvSoundFiles->topLevelItem(row)->setText(0, text(SoundRowCaptions[row]));
    if (FLaidOut)
        Layout();
}

void TFormParams::Layout()
{
    ensurePolished();
    TParamsMetrics m;
    m.DefaultDpi = IsDefaultDpi(logicalDpiX());
    for (int page = 0; page < pcPref->count(); ++page)
        for (const QWidget* w :
             pcPref->widget(page)->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
            m.Hints[w->objectName()] = w->sizeHint();
    // The frame around the pages depends on the width only through the tabs.
    pcPref->setGeometry(0, 0, ParamsClientWidth(m.DefaultDpi) - 16, 400);
    m.PageFrame = pcPref->PageFrame();
    const TParamsLayout l = LayoutParams(m);

    for (int page = 0; page < pcPref->count(); ++page)
        for (QWidget* w :
             pcPref->widget(page)->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
            const auto found = l.Controls.find(w->objectName());
            if (found != l.Controls.end())
                w->setGeometry(found->second);
        }
    pcPref->setGeometry(l.pcPref);
    btOK->setGeometry(l.btOK);
    btCancel->setGeometry(l.btCancel);
    setFixedSize(l.Client);
    lvSoundFiles->resizeColumnToContents(0);
    FLaidOut = true;
}

void TFormParams::setVisible(bool visible)
{
    // Once per showing rather than at every activation: coming back from the file dialog,
    // the message box or another program must not take the user off the page they are on.
    if (visible && !isVisible()) {
        FormShow();
        FormActivate();
    }
    QDialog::setVisible(visible);
}

void TFormParams::FormActivate()
{
    FValuesStored = false;
    pcPref->setCurrentIndex(0);
    Layout();
}

void TFormParams::FormShow()
{
    Layout();
    PlaceAtCentre();
    LoadValues();
}

void TFormParams::PlaceAtCentre()
{
    if (!FMainForm)
        return;
    // The frame is known only once the window exists.
    winId();
    ::CenterOverMainForm(*this, *FMainForm);
}

void TFormParams::OkClick()
{
    // Enter closes without leaving the field, so the empty name is replaced here too.
    edHistoryFileExit();
    if (!FormCloseQuery(true))
        return;
    FormClose(true);
    accept();
}

bool TFormParams::FormCloseQuery(bool ok)
{
    if (!ok || !cHistory->isChecked())
        return true;
    const QString name = edHistoryFile->text();
    if (TChatLog::CanCreateFile(name))
        return true;
    if (FMessage)
        FMessage(this, FLang.GetString(sidIncorrectFileNameTitle),
                 FLang.GetString(sidIncorrectHistoryFileName) + QLatin1Char('\n') + name +
                     QLatin1Char('\n') + FLang.GetString(sidPleaseReenter));
    pcPref->setCurrentIndex(HistoryPage);
    edHistoryFile->setFocus(Qt::OtherFocusReason);
    return false;
}

void TFormParams::FormClose(bool ok)
{
    if (!ok)
        return;
    StoreValues();
    StoreLanguage();
    FValuesStored = true;
}

void TFormParams::UpdateDependents(const char* checkBox)
{
    const auto isChecked = [this](const char* name) {
        const auto* box = findChild<QCheckBox*>(QLatin1String(name));
        return box && box->isChecked();
    };
    for (const TDependentControl& rule : ParamsDependentControls()) {
        if (!DependsOn(rule, checkBox))
            continue;
        QWidget* control = findChild<QWidget*>(QLatin1String(rule.Control));
        if (!control)
            continue;
        const bool on = DependentEnabled(rule, isChecked);
        if (qobject_cast<QAbstractSpinBox*>(control) || qobject_cast<QComboBox*>(control) ||
            qobject_cast<QLineEdit*>(control))
            SetSpinEnabled(*control, on);
        else
            control->setEnabled(on);
    }
}

void TFormParams::cTrayIconClick()
{
    UpdateDependents("cTrayIcon");
}

void TFormParams::cBlinkClick()
{
    UpdateDependents("cBlink");
}

void TFormParams::cSnapClick()
{
    UpdateDependents("cSnap");
}

void TFormParams::cPopupsClick()
{
    UpdateDependents("cPopups");
}

void TFormParams::cEnableSoundsClick()
{
    UpdateDependents("cEnableSounds");
}

void TFormParams::cHistoryClick()
{
    UpdateDependents("cHistory");
    if (cHistory->isChecked() && edHistoryFile->text().trimmed().isEmpty())
        edHistoryFile->setText(TChatLog::DefaultFileName());
}

void TFormParams::cHistoryLimitClick()
{
    UpdateDependents("cHistoryLimit");
}

void TFormParams::cAntibossClick()
{
    UpdateDependents("cAntiboss");
}

void TFormParams::cAntibossHotkeyClick()
{
    UpdateDependents("cAntibossHotkey");
}

void TFormParams::cbAdaptersChange()
{
    const int index = cbAdapters->currentIndex();
    if (index >= 0 && index < FAdapters->Count())
        edIP->setText(AddressToDotted(FAdapters->Item(index).Broadcast));
}

void TFormParams::btDefIPClick()
{
    cbAdaptersChange();
}

void TFormParams::btDefPortClick()
{
    sePort->setValue(FConfig.GetDefaultInt(udp_port));
}

void TFormParams::btHistoryFileSelectClick()
{
    if (FHistoryChooser)
        edHistoryFile->setText(FHistoryChooser(edHistoryFile->text()));
}

void TFormParams::edHistoryFileEnter()
{
    edHistoryFile->selectAll();
}

void TFormParams::edHistoryFileExit()
{
    if (edHistoryFile->text().trimmed().isEmpty())
        edHistoryFile->setText(TChatLog::DefaultFileName());
}

void TFormParams::btSelectSoundFileClick()
{
    QTreeWidgetItem* row = lvSoundFiles->currentItem();
    if (!row || !row->isSelected()) {
        row = lvSoundFiles->topLevelItem(0);
        lvSoundFiles->setCurrentItem(row);
    }
    if (!FSoundChooser)
        return;
    const QString file = row->text(1);
    const QString chosen = FSoundChooser(file.trimmed().isEmpty() ? QString() : file,
                                         AppFolder + QStringLiteral("Sounds/"));
    if (!chosen.isEmpty())
        row->setText(1, chosen);
}

QString TFormParams::DefaultSoundFileChooser(const QString& file, const QString& folder)
{
    QFileDialog dialog(this, FLang.GetString(sidSoundFileDialogTitle));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(SoundFileFilter(FLang.GetString(sidSoundFilesFilter)));
    dialog.setDefaultSuffix(QStringLiteral("wav"));
    if (file.isEmpty()) {
        dialog.setDirectory(folder);
    } else {
        dialog.setDirectory(QFileInfo(file).absolutePath());
        dialog.selectFile(file);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

void TFormParams::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (FLaidOut && (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange))
        Layout();
}

bool TFormParams::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edHistoryFile) {
        if (event->type() == QEvent::FocusIn)
            edHistoryFileEnter();
        else if (event->type() == QEvent::FocusOut)
            edHistoryFileExit();
    }
    return QDialog::eventFilter(watched, event);
}
