// What the preferences dialog loads at each showing and stores after an OK: every control
// and its setting, the adapters of the Network page and the languages of the Language page.
#include "ui/Params.h"

#include "config/Config.h"
#include "conversation/ChatSound.h"
#include "lang/Lang.h"
#include "net/EnumNetworkItfs.h"
#include "ui/HotKeyEdit.h"
#include "ui/IpAddressEdit.h"
#include "ui/ParamsRules.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>

namespace {

const TChatSound SoundRows[3] = {TChatSound::seNewContact, TChatSound::seIncomingMessage,
                                 TChatSound::seIncomingPrivateMessage};

// A line of a drop-down by its number; a number without a line selects none.
void SelectItem(QComboBox& box, int index)
{
    box.setCurrentIndex(index >= 0 && index < box.count() ? index : -1);
}

// With no line selected (a stored number without a line) the setting keeps its value.
void StoreItem(TConfig& config, int id, const QComboBox& box)
{
    if (box.currentIndex() >= 0)
        config.SetInt(id, box.currentIndex());
}

QString SamePath(const QString& path)
{
    return path.isEmpty() ? QString() : QDir::cleanPath(QDir(path).absolutePath());
}

} // namespace

std::vector<std::pair<QCheckBox*, int>> TFormParams::CheckSettings() const
{
    return {
        {cSaveUserSettings, save_settings},
        {cAutorun, autorun_chat},
        {cTrayIcon, show_tray_icon},
        {cNoButtonOnTaskbar, no_button_on_taskbar},
        {cBlink, blink_inactive_tab_on_msg},
        {cSnap, snap_enabled},
        {cMoveInsideDesktop, move_inside_desktop},
        {cMinimizeOnClose, minimize_on_close},
        {cPopups, enable_popups},
        {cPopupOnEnterLeave, popup_on_enter_leave},
        {cPopupOnPrivate, popup_on_private_only},
        {cAnimatedPopups, popups_animated},
        {cEnableSounds, enable_sounds},
        {cSoundIfInactive, sound_only_if_chat_inactive},
        {cHistory, history_enabled},
        {cHistoryLimit, history_limited},
        {cAntiboss, antiboss_enabled},
        {cAntibossHotkey, antiboss_hotkey_enabled},
    };
}

std::vector<std::pair<QSpinBox*, int>> TFormParams::SpinSettings() const
{
    return {
        {seTimesToBlink, blink_tab_count},      {seThreshold, snap_threshold},
        {seTimeToShowPopup, popup_show_time},   {sePort, udp_port},
        {seFileSizeLimit, history_fsize_limit},
    };
}

void TFormParams::LoadValues()
{
    // The history name first: switching history on fills an empty name.
    edHistoryFile->setText(FConfig.GetStr(history_file_name));
    hkAppHotkey->SetShortCut(static_cast<TShortCut>(FConfig.GetInt(hot_key)));
    SelectItem(*cbSendMsgKey, FConfig.GetInt(send_key));
    for (const auto& [box, id] : CheckSettings())
        box->setChecked(FConfig.GetBool(id));
    for (const auto& [spin, id] : SpinSettings())
        spin->setValue(FConfig.GetInt(id));
    for (int row = 0; row < 3; ++row) {
        const TSoundSettings sound = SoundSettingsOf(SoundRows[row]);
        QTreeWidgetItem* item = lvSoundFiles->topLevelItem(row);
        item->setText(1, FConfig.GetStr(sound.File));
        item->setCheckState(0, FConfig.GetBool(sound.Enabled) ? Qt::Checked : Qt::Unchecked);
    }
    lvSoundFiles->setCurrentItem(nullptr);
    lvSoundFiles->clearSelection();
    LoadNetwork();
    SelectItem(*cbAntibossAction, FConfig.GetInt(antiboss_action));
    SelectItem(*cbAntibossHotkey, FConfig.GetInt(antiboss_hotkey));
    LoadLanguages();

    // The enabled states follow the loaded marks whether or not a mark changed.
    cTrayIconClick();
    cBlinkClick();
    cSnapClick();
    cPopupsClick();
    cEnableSoundsClick();
    cHistoryClick();
    cHistoryLimitClick();
    cAntibossClick();
    cAntibossHotkeyClick();
}

void TFormParams::LoadNetwork()
{
    const QString stored = FConfig.GetStr(broadcast_ip);
    edIP->SetAddress(stored);
    FAdapters->Refresh();
    cbAdapters->clear();
    for (int i = 0; i < FAdapters->Count(); ++i)
        cbAdapters->addItem(FAdapters->Describe(FAdapters->Item(i)));
    const TNetInterfaceInfo* chosen = FAdapters->FindByBroadcast(stored.trimmed());
    cbAdapters->setCurrentIndex(chosen ? FAdapters->IndexOf(chosen) : -1);
    // Without adapters there is nothing to choose and no default to take; the field keeps
    // the stored address.
    const bool any = FAdapters->Count() > 0;
    cbAdapters->setEnabled(any);
    btDefIP->setEnabled(any);
}

void TFormParams::LoadLanguages()
{
    QStringList captions;
    FLang.ListLanguages(FLanguagePaths, captions);
    lbLanguage->clear();
    lbLanguage->addItems(captions);
    int row = 0;
    if (FLang.CurrentFile()) {
        const QString current = SamePath(FLang.CurrentFileName());
        row = -1;
        for (int i = 0; i < FLanguagePaths.size() && row < 0; ++i)
            if (SamePath(FLanguagePaths[i]) == current)
                row = i;
    }
    lbLanguage->setCurrentRow(row);
}

void TFormParams::StoreValues()
{
    FConfig.SetInt(hot_key, hkAppHotkey->ShortCut());
    StoreItem(FConfig, send_key, *cbSendMsgKey);
    for (const auto& [box, id] : CheckSettings())
        FConfig.SetBool(id, box->isChecked());
    // Whole numbers already: a spin edit holds nothing else.
    for (const auto& [spin, id] : SpinSettings())
        FConfig.SetInt(id, spin->value());
    for (int row = 0; row < 3; ++row) {
        const TSoundSettings sound = SoundSettingsOf(SoundRows[row]);
        const QTreeWidgetItem* item = lvSoundFiles->topLevelItem(row);
        FConfig.SetStr(sound.File, item->text(1));
        FConfig.SetBool(sound.Enabled, item->checkState(0) == Qt::Checked);
    }
    FConfig.SetStr(broadcast_ip, edIP->Address());
    FConfig.SetStr(history_file_name, edHistoryFile->text());
    StoreItem(FConfig, antiboss_action, *cbAntibossAction);
    StoreItem(FConfig, antiboss_hotkey, *cbAntibossHotkey);
}

void TFormParams::StoreLanguage()
{
    const int row = lbLanguage->currentRow();
    const QListWidgetItem* line = lbLanguage->item(row);
    if (!line || !line->isSelected()) {
        // Nothing selected: the language in use is one the list does not show (a file
        // without a name and a note), and an OK made for another page keeps it.
        return;
    }
    QStringList paths;
    QStringList captions;
    FLang.ListLanguages(paths, captions);
    // The folder may have changed while the dialog was open.
    if (row < captions.size() && captions[row] == line->text())
        FLang.LoadLanguage(paths[row]);
    else
        FLang.UseDefaultLanguage();
}
