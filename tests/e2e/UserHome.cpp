#include "UserHome.h"

#include "config/Config.h"

#include <QDir>
#include <QFile>

namespace {
const QString ConfigFolder = QStringLiteral(".config");
const QString RuntimeFolder = QStringLiteral("runtime");
} // namespace

TUserHome::TUserHome() = default;

bool TUserHome::WriteSettings(const QString& nick, const TSettingRows& rows, QString& why)
{
    const QString folder = FDir.filePath(ConfigFolder + QStringLiteral("/zelkit-chat"));
    const QString runtime = FDir.filePath(RuntimeFolder);
    if (!FDir.isValid() || !QDir().mkpath(folder) || !QDir().mkpath(runtime) ||
        !QFile::setPermissions(runtime, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner)) {
        why = QStringLiteral("cannot make the home of %1").arg(nick);
        return false;
    }
    // What a user has once the registration dialog was answered: the window starts the chat
    // at once.
    const TSettingRows registered{{first_run, false},
                                  {save_settings, true},
                                  {user_name, nick},
                                  {history_enabled, true},
                                  {history_file_name, HistoryPath()},
                                  {autorun_chat, false}};
    TConfig config(folder + QStringLiteral("/user.reg"));
    config.OpenRegistryKey(QString::fromLatin1(TConfig::KeyPath));
    for (const auto& [id, value] : registered + rows) {
        switch (config.Item(id).Kind) {
        case skString:
            config.SetStr(id, value.toString());
            break;
        case skBoolean:
            config.SetBool(id, value.toBool());
            break;
        default:
            config.SetInt(id, value.toInt());
        }
    }
    if (!config.SaveAll()) {
        why = QStringLiteral("settings of %1: %2").arg(nick, config.ErrorString());
        return false;
    }
    return true;
}

QProcessEnvironment TUserHome::Environment(const QByteArray& display) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    // CTest's offscreen platform is for the test itself; no session manager or other display
    // of the real user is this user's.
    for (const char* name : {"QT_QPA_PLATFORM", "SESSION_MANAGER", "WAYLAND_DISPLAY", "XAUTHORITY"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
    // No session bus either, but one named that is not there: without a name, libdbus tries
    // to start a bus for the X display (dbus-launch), and the failed try leaks a buffer that
    // the leak checker of a sanitizer build reports at the program's exit.
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                       QStringLiteral("unix:path=") + FDir.filePath(QStringLiteral("no-bus")));
    environment.insert(QStringLiteral("HOME"), FDir.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), FDir.filePath(ConfigFolder));
    environment.insert(QStringLiteral("XDG_DATA_HOME"),
                       FDir.filePath(QStringLiteral(".local/share")));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), FDir.filePath(QStringLiteral(".cache")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), FDir.filePath(RuntimeFolder));
    environment.insert(QStringLiteral("ZELKIT_CODEPAGE"), QStringLiteral("cp1252"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    return environment;
}
