#pragma once

#include <cstdint>

// The kind letter at the start of a definition text; any letter other than "I" and "B"
// counts as a string.
enum SettingKind : std::uint8_t {
    skInteger = 0,
    skBoolean = 1,
    skString = 2,
};

// Setting ids, named after their registry keys, so that callers read like the key they mean:
// `AppConfig().GetStr(user_name)`, `config.GetInt(udp_port)`. The value of each name is its
// row in DefaultSettings and its position in the store.
enum TSettingId : int {
    window_x = 0,
    window_y = 1,
    window_width = 2,
    window_height = 3,
    window_maximized = 4,
    snap_enabled = 5,
    snap_threshold = 6,
    move_inside_desktop = 7,
    contact_list_width = 8,
    contact_list_hidden = 9,
    contact_list_sort_by_gender = 10,
    msg_editor_height = 11,
    active_page = 12,
    first_run = 13,
    user_name = 14,
    user_gender = 15,
    save_settings = 16,
    history_enabled = 17,
    history_file_name = 18,
    history_limited = 19,
    history_fsize_limit = 20,
    blink_inactive_tab_on_msg = 21,
    blink_tab_count = 22,
    hot_key = 23,
    send_key = 24,
    autorun_chat = 25,
    show_tray_icon = 26,
    no_button_on_taskbar = 27,
    minimize_on_close = 28,
    show_nic_at_statusbar = 29,
    enable_popups = 30,
    popup_on_enter_leave = 31,
    popup_on_private_only = 32,
    popup_show_time = 33,
    popups_animated = 34,
    enable_sounds = 35,
    sound_only_if_chat_inactive = 36,
    sound_file_new_contact = 37,
    sound_file_incoming_msg = 38,
    sound_file_incoming_private_msg = 39,
    sound_enabled_new_contact = 40,
    sound_enabled_incoming_msg = 41,
    sound_enabled_incoming_private_msg = 42,
    msg_color = 43,
    font_name = 44,
    font_pitch = 45,
    font_size = 46,
    font_charset = 47,
    font_is_bold = 48,
    font_is_italic = 49,
    font_is_underline = 50,
    language_file_name = 51,
    broadcast_ip = 52,
    udp_port = 53,
    antiboss_enabled = 54,
    antiboss_action = 55,
    antiboss_hotkey_enabled = 56,
    antiboss_hotkey = 57,
};

inline constexpr int SettingCount = 58;

// One built-in default: "<kind letter>/<key>/<default value>". The key ends at the second
// "/", so a key never holds "/" while a string default may.
struct TDefConfigValue {
    std::uint8_t id;
    const char* definition;
};

extern const TDefConfigValue DefaultSettings[SettingCount];
