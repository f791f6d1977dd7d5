#include "config/Config.h"
#include "config/DefConfig.h"

#include <QtTest>

// The table below is written from the settings list by hand, independently of
// DefConfig.cpp, so that a typo in either shows up here.
class TestDefConfig : public QObject
{
    Q_OBJECT
private slots:
    void definitions_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<QByteArray>("key");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("value"); // the default as the list gives it
        auto row = [](int id, const char* key, int kind, const char* value) {
            QTest::newRow(key) << id << QByteArray(key) << kind << QString::fromUtf8(value);
        };
        const int I = skInteger, B = skBoolean, S = skString;
        row(window_x, "window_x", I, "0");
        row(window_y, "window_y", I, "0");
        row(window_width, "window_width", I, "600");
        row(window_height, "window_height", I, "470");
        row(window_maximized, "window_maximized", B, "0");
        row(snap_enabled, "snap_enabled", B, "1");
        row(snap_threshold, "snap_threshold", I, "5");
        row(move_inside_desktop, "move_inside_desktop", B, "0");
        row(contact_list_width, "contact_list_width", I, "120");
        row(contact_list_hidden, "contact_list_hidden", B, "0");
        row(contact_list_sort_by_gender, "contact_list_sort_by_gender", B, "1");
        row(msg_editor_height, "msg_editor_height", I, "120");
        row(active_page, "active_page", I, "0");
        row(first_run, "first_run", B, "1");
        row(user_name, "user_name", S, "");
        row(user_gender, "user_gender", I, "0");
        row(save_settings, "save_settings", B, "1");
        row(history_enabled, "history_enabled", B, "1");
        row(history_file_name, "history_file_name", S, "");
        row(history_limited, "history_limited", B, "1");
        row(history_fsize_limit, "history_fsize_limit", I, "500");
        row(blink_inactive_tab_on_msg, "blink_inactive_tab_on_msg", B, "1");
        row(blink_tab_count, "blink_tab_count", I, "0");
        row(hot_key, "hot_key", I, "24666");
        row(send_key, "send_key", I, "0");
        row(autorun_chat, "autorun_chat", B, "0");
        row(show_tray_icon, "show_tray_icon", B, "1");
        row(no_button_on_taskbar, "no_button_on_taskbar", B, "1");
        row(minimize_on_close, "minimize_on_close", B, "1");
        row(show_nic_at_statusbar, "show_nic_at_statusbar", B, "1");
        row(enable_popups, "enable_popups", B, "1");
        row(popup_on_enter_leave, "popup_on_enter_leave", B, "1");
        row(popup_on_private_only, "popup_on_private_only", B, "0");
        row(popup_show_time, "popup_show_time", I, "4");
        row(popups_animated, "popups_animated", B, "1");
        row(enable_sounds, "enable_sounds", B, "1");
        row(sound_only_if_chat_inactive, "sound_only_if_chat_inactive", B, "1");
        row(sound_file_new_contact, "sound_file_new_contact", S, "");
        row(sound_file_incoming_msg, "sound_file_incoming_msg", S, "");
        row(sound_file_incoming_private_msg, "sound_file_incoming_private_msg", S, "");
        row(sound_enabled_new_contact, "sound_enabled_new_contact", B, "1");
        row(sound_enabled_incoming_msg, "sound_enabled_incoming_msg", B, "1");
        row(sound_enabled_incoming_private_msg, "sound_enabled_incoming_private_msg", B, "1");
        row(msg_color, "msg_color", I, "0");
        row(font_name, "font_name", S, "Arial");
        row(font_pitch, "font_pitch", I, "0");
        row(font_size, "font_size", I, "12");
        row(font_charset, "font_charset", I, "0");
        row(font_is_bold, "font_is_bold", B, "0");
        row(font_is_italic, "font_is_italic", B, "0");
        row(font_is_underline, "font_is_underline", B, "0");
        row(language_file_name, "language_file_name", S, "");
        row(broadcast_ip, "broadcast_ip", S, "");
        row(udp_port, "udp_port", I, "9567");
        row(antiboss_enabled, "antiboss_enabled", B, "1");
        row(antiboss_action, "antiboss_action", I, "0");
        row(antiboss_hotkey_enabled, "antiboss_hotkey_enabled", B, "1");
        row(antiboss_hotkey, "antiboss_hotkey", I, "0");
    }
    void definitions()
    {
        QFETCH(int, id);
        QFETCH(QByteArray, key);
        QFETCH(int, kind);
        QFETCH(QString, value);
        QVERIFY(id >= 0 && id < SettingCount);

        const char letter = kind == skInteger ? 'I' : kind == skBoolean ? 'B' : 'S';
        const QByteArray expected = letter + QByteArray("/") + key + "/" + value.toUtf8();
        QCOMPARE(DefaultSettings[id].id, id);
        QCOMPARE(QByteArray(DefaultSettings[id].definition), expected);

        const TConfig config(QString{});
        const TConfigValue& item = config.Item(id);
        QCOMPARE(int(item.Id), id);
        QCOMPARE(item.Key, key);
        QCOMPARE(int(item.Kind), kind);
        switch (kind) {
        case skInteger:
            QCOMPARE(config.GetInt(id), value.toInt());
            QCOMPARE(config.GetDefaultInt(id), value.toInt());
            break;
        case skBoolean:
            QCOMPARE(config.GetBool(id), value == QLatin1String("1"));
            break;
        default:
            QCOMPARE(config.GetStr(id), value);
        }
    }

    void tableHoldsEveryIdOnce()
    {
        QCOMPARE(int(std::size(DefaultSettings)), 58);
        const TConfig config(QString{});
        QCOMPARE(config.Count(), 58);
        QSet<QByteArray> keys;
        for (int i = 0; i < SettingCount; ++i) {
            QCOMPARE(int(DefaultSettings[i].id), i);
            keys.insert(config.Item(i).Key);
        }
        QCOMPARE(keys.size(), 58);
    }
};

QTEST_APPLESS_MAIN(TestDefConfig)
#include "tst_defconfig.moc"
