#include "HeadlessOptions.h"

#include "config/Config.h"
#include "config/RegistryFile.h"

#include <QCommandLineParser>
#include <QRegularExpression>

namespace {

const QString NickName = QStringLiteral("nick");
const QString GenderName = QStringLiteral("gender");
const QString BroadcastName = QStringLiteral("broadcast");
const QString PortName = QStringLiteral("port");

// The parser takes whatever follows "--nick" as its value, another option included; a
// nickname that starts with "-" can still be given as --nick=-x-.
QString OptionTakenAsValue(const QStringList& args)
{
    for (qsizetype i = 0; i + 1 < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--"))
            break;
        const bool takesValue =
            a == QLatin1String("--") + NickName || a == QLatin1String("--") + GenderName ||
            a == QLatin1String("--") + BroadcastName || a == QLatin1String("--") + PortName;
        if (takesValue && args[i + 1].size() > 1 && args[i + 1].startsWith(QLatin1Char('-')))
            return QStringLiteral("%1 needs a value, not the option %2").arg(a, args[i + 1]);
    }
    return QString();
}

std::optional<int> Number(const QCommandLineParser& parser, const QString& name, int setting,
                          QString& error)
{
    if (!parser.isSet(name) || !error.isEmpty())
        return std::nullopt;
    std::int32_t low = 0;
    std::int32_t high = 0;
    TConfig::ValueRange(setting, low, high);
    bool ok = false;
    const int n = parser.value(name).toInt(&ok);
    if (!ok || n < low || n > high) {
        error = QStringLiteral("--%1 takes a number from %2 to %3, not \"%4\"")
                    .arg(name)
                    .arg(low)
                    .arg(high)
                    .arg(parser.value(name));
        return std::nullopt;
    }
    return n;
}

bool IsDottedQuad(const QString& text)
{
    static const QRegularExpression quad(
        QStringLiteral("^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const QRegularExpressionMatch m = quad.match(text);
    if (!m.hasMatch())
        return false;
    for (int i = 1; i <= 4; ++i)
        if (m.captured(i).toInt() > 255)
            return false;
    return true;
}

} // namespace

THeadlessOptions THeadlessOptions::Parse(const QStringList& args)
{
    THeadlessOptions o;
    QCommandLineParser parser;
    parser.addOptions({
        {QStringLiteral("headless"), QString()},
        {{QStringLiteral("h"), QStringLiteral("help")}, QString()},
        {QStringLiteral("version"), QString()},
        {QStringLiteral("json"), QString()},
        {NickName, QString(), QStringLiteral("NAME")},
        {GenderName, QString(), QStringLiteral("0|1|2")},
        {BroadcastName, QString(), QStringLiteral("A.B.C.D")},
        {PortName, QString(), QStringLiteral("N")},
    });
    // The parser wants the program's name first.
    if (!parser.parse(QStringList{QStringLiteral("zelkit-chat")} + args)) {
        o.Error = parser.errorText();
        return o;
    }
    o.Error = OptionTakenAsValue(args);
    for (const QString& name : {NickName, GenderName, BroadcastName, PortName})
        if (o.Error.isEmpty() && parser.isSet(name) && parser.value(name).trimmed().isEmpty())
            o.Error = QStringLiteral("--%1 needs a value").arg(name);
    for (const QString& a : parser.positionalArguments()) {
        if (!o.Error.isEmpty())
            break;
        if (a == QLatin1String("/minimized"))
            o.Rest << a;
        else
            o.Error = QStringLiteral("unexpected argument \"%1\"").arg(a);
    }
    o.Headless = parser.isSet(QStringLiteral("headless"));
    o.Help = parser.isSet(QStringLiteral("help"));
    o.Version = parser.isSet(QStringLiteral("version"));
    o.Json = parser.isSet(QStringLiteral("json"));
    o.Gender = Number(parser, GenderName, user_gender, o.Error);
    o.Port = Number(parser, PortName, udp_port, o.Error);
    if (o.Error.isEmpty() && parser.isSet(NickName))
        o.Nick = parser.value(NickName).trimmed();
    if (o.Error.isEmpty() && parser.isSet(BroadcastName)) {
        o.Broadcast = parser.value(BroadcastName);
        if (!IsDottedQuad(*o.Broadcast))
            o.Error = QStringLiteral("--broadcast takes a dotted IPv4 address such as "
                                     "192.168.1.255, not \"%1\"")
                          .arg(*o.Broadcast);
    }
    return o;
}

void THeadlessOptions::ApplyTo(TConfig& config) const
{
    if (Nick)
        config.SetStr(user_name, *Nick);
    if (Gender)
        config.SetInt(user_gender, *Gender);
    if (Broadcast)
        config.SetStr(broadcast_ip, *Broadcast);
    if (Port)
        config.SetInt(udp_port, *Port);
    // A peer named on the command line joins under that name without asking.
    if (Nick) {
        config.SetBool(first_run, false);
        config.SetBool(save_settings, true);
    }
}

QString HeadlessUsage()
{
    return QStringLiteral(
               "usage: zelkit-chat --headless [--nick NAME] [--gender 0|1|2] [--broadcast "
               "A.B.C.D]\n"
               "                              [--port N] [--json]\n"
               "       zelkit-chat [/minimized]\n"
               "       zelkit-chat --help | --version\n"
               "\n"
               "Runs the chat without windows, for scripts, bots and tests. Each option replaces\n"
               "a stored setting for this run only; the settings file is read, never written.\n"
               "  --nick NAME         the nickname (at most 32 bytes in the code page)\n"
               "  --gender 0|1|2      0 male, 1 female, 2 undefined\n"
               "  --broadcast A.B.C.D the address every datagram goes to\n"
               "  --port N            the setting udp_port, 1..65535; its two bytes are exchanged\n"
               "                      on the wire, as every peer does: --port 41000 (0xA028)\n"
               "                      listens and sends on UDP 10400 (0x28A0)\n"
               "  --json              one JSON object per output line\n"
               "Options take their value as --opt VALUE or --opt=VALUE.\n"
               "\n"
               "Standard input, one command per line:\n"
               "  TEXT                  send TEXT to the conference (//TEXT sends /TEXT)\n"
               "  /private NICK: TEXT   send TEXT to NICK\n"
               "  /nick NAME [GENDER]   change the user\n"
               "  /update               refresh the contact list\n"
               "  /contacts             print the contact list\n"
               "  /ignore NICK          ignore NICK, or stop ignoring\n"
               "  /quit                 leave and exit; so does the end of input, after what is\n"
               "                        queued has gone and the last message's echo is back\n"
               "Standard output, one line per event: state, conference, conference+, private,\n"
               "private+, notice, contacts, contact. Control characters print as '?'.\n"
               "Exit status: 0 after leaving, 2 for a command line refused, 3 when the peer never\n"
               "got a nickname of its own (refused as in use and no /nick followed).\n"
               "\n"
               "Settings: %1, section\n"
               "  [HKEY_CURRENT_USER\\%2]\n"
               "Environment: ZELKIT_CODEPAGE (for example cp1251) names the 8-bit code page of\n"
               "the wire and the history instead of the one of the locale.\n")
        .arg(TRegistryFile::DefaultPath(), QString::fromLatin1(TConfig::KeyPath));
}
