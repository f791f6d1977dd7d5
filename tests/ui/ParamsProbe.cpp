#include "ParamsProbe.h"

#include "config/Globals.h"
#include "net/IpAddress.h"

#include <QDir>
#include <QTabWidget>
#include <QtTest>

TParamsProbe::TParamsProbe(QWidget* mainForm)
{
    AppFolderPath = Folder.path() + QLatin1Char('/');
    AppFolder = AppFolderPath;
    QDir(Folder.path()).mkpath(QStringLiteral("Language"));
    QDir(Folder.path()).mkpath(QStringLiteral("Sounds"));
    RawAdapters = {
        {TRawNetInterface::Up, DottedToAddress(u"192.168.1.20"), DottedToAddress(u"255.255.255.0")},
        {TRawNetInterface::Up, DottedToAddress(u"10.0.0.5"), DottedToAddress(u"255.0.0.0")},
    };
    const std::pair<int, int> numbers[] = {
        {hot_key, 0x4000 | 'Q'},   {send_key, 1},        {blink_tab_count, 7},
        {snap_threshold, 12},      {popup_show_time, 9}, {udp_port, 4321},
        {history_fsize_limit, 64}, {antiboss_action, 1}, {antiboss_hotkey, 2},
    };
    for (const auto& [id, value] : numbers)
        Config.SetInt(id, value);
    // Every switch the other way round from its default.
    for (int id :
         {save_settings, snap_enabled, enable_popups, popups_animated, enable_sounds,
          sound_only_if_chat_inactive, history_limited, antiboss_enabled, antiboss_hotkey_enabled,
          sound_enabled_incoming_msg, show_tray_icon, no_button_on_taskbar,
          blink_inactive_tab_on_msg, popup_on_enter_leave, minimize_on_close,
          sound_enabled_new_contact, sound_enabled_incoming_private_msg})
        Config.SetBool(id, false);
    for (int id : {autorun_chat, move_inside_desktop, popup_on_private_only, history_enabled})
        Config.SetBool(id, true);
    Config.SetStr(sound_file_new_contact, QStringLiteral("/sounds/new.wav"));
    Config.SetStr(sound_file_incoming_msg, QString());
    Config.SetStr(sound_file_incoming_private_msg, QStringLiteral("/sounds/private.wav"));
    Config.SetStr(broadcast_ip, QStringLiteral("10.255.255.255"));
    Config.SetStr(history_file_name, Folder.filePath(QStringLiteral("known.history")));

    Dialog = std::make_unique<TFormParams>(Config, Lang, mainForm);
    Dialog->SetAdapters(Adapters);
    Dialog->SetMessageBox([this](QWidget*, const QString& caption, const QString& text) {
        Messages << QStringList{caption, text};
    });
    Dialog->SetSoundFileChooser([this](const QString& file, const QString& folder) {
        SoundRequests << QStringList{file, folder};
        return SoundChoice;
    });
    Dialog->SetHistoryFileChooser([this](const QString& current) {
        HistoryRequests << current;
        return HistoryChoice.isEmpty() ? current : HistoryChoice;
    });
}

TParamsProbe::~TParamsProbe()
{
    Dialog.reset();
    AppFolder.clear();
}

bool TParamsProbe::Show()
{
    Dialog->show();
    Dialog->activateWindow();
    return QTest::qWaitForWindowActive(Dialog.get());
}

QString TParamsProbe::Page() const
{
    const auto* pages = Child<QTabWidget>("pcPref");
    return pages->currentWidget()->objectName();
}
