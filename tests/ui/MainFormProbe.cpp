#include "MainFormProbe.h"

#include "ui/DesktopHost.h"
#include "ui/MainActions.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTextEdit>
#include <QtTest>

#include <unistd.h>

namespace {

QByteArray HexUnits(const QString& text)
{
    QByteArray bytes;
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
        bytes.append(static_cast<char>(c.unicode() >> 8));
    }
    bytes.append(2, '\0');
    return "hex:" + bytes.toHex(',');
}

} // namespace

QByteArray RegistryText(const TSettingRows& rows)
{
    const TConfig defaults{QString()};
    QByteArray text = "Windows Registry Editor Version 5.00\n\n"
                      "[HKEY_CURRENT_USER\\SOFTWARE\\Quorbane Software\\Zelkit Chat]\n";
    for (const auto& [id, value] : rows) {
        const TConfigValue& item = defaults.Item(id);
        const QByteArray data =
            item.Kind == skString
                ? HexUnits(value.toString())
                : "dword:" + QByteArray::number(value.toUInt(), 16).rightJustified(8, '0');
        text += '"' + item.Key + "\"=" + data + '\n';
    }
    return text;
}

quint16 TMainFormProbe::TestPort()
{
    return static_cast<quint16>(40000 + ::getpid() % 1000);
}

TMainFormProbe::TMainFormProbe(const TSettingRows& settings)
{
    // Autorun entries and the registry live below it; nothing of the user's is touched.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(Home.path()));
    TSettingRows rows{{first_run, 0},
                      {save_settings, 1},
                      {user_name, QStringLiteral("Tester")},
                      {history_enabled, 0},
                      {autorun_chat, 0}};
    rows += settings;
    rows += TSettingRows{{broadcast_ip, QStringLiteral("127.255.255.255")},
                         {udp_port, int(TestPort())}};
    QDir(Home.path()).mkpath(QStringLiteral("zelkit-chat"));
    RegistryPath = Home.filePath(QStringLiteral("zelkit-chat/user.reg"));
    QFile file(RegistryPath);
    if (file.open(QIODevice::WriteOnly))
        file.write(RegistryText(rows));
    file.close();
    Config = std::make_unique<TConfig>(RegistryPath);
    Form = std::make_unique<TMainForm>(*Config, Lang, Log);
    Form->Host().RegistrationDialog = [this](bool changeUserMode) {
        RegistrationRequests << changeUserMode;
        return true;
    };
}

TMainFormProbe::~TMainFormProbe()
{
    if (Form)
        Exit();
}

bool TMainFormProbe::Show()
{
    // Showing opens the socket and broadcasts: never to anything but the loopback network.
    if (Config->GetStr(broadcast_ip) != QLatin1String("127.255.255.255"))
        return false;
    Form->ApplyLanguage();
    Form->show();
    Form->activateWindow();
    if (!QTest::qWaitForWindowActive(Form.get()))
        return false;
    return QTest::qWaitFor([this] { return !Form->edPrivate->document()->isEmpty(); }, 2000);
}

void TMainFormProbe::Exit()
{
    Form->miExitClick();
    Form.reset();
}

QAction* TMainFormProbe::Action(const char* name) const
{
    return FindAction(*Form, name);
}

QString TMainFormProbe::Panel(int index) const
{
    return Form->StatusPanels[index]->text();
}

std::unique_ptr<TConfig> TMainFormProbe::StoredSettings() const
{
    auto stored = std::make_unique<TConfig>(RegistryPath);
    stored->SetReadOnly(true);
    stored->OpenRegistryKey(QString::fromLatin1(TConfig::KeyPath));
    stored->LoadAll();
    return stored;
}
