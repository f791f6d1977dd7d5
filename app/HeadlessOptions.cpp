#include "HeadlessOptions.h"

#include "config/Config.h"

THeadlessOptions THeadlessOptions::Parse(const QStringList& args)
{
    THeadlessOptions o;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size()) {
                o.Error = a + QStringLiteral(" needs a value");
                return std::nullopt;
            }
            return args[++i];
        };
        auto number = [&](int low, int high) -> std::optional<int> {
            const std::optional<QString> v = value();
            if (!v)
                return std::nullopt;
            bool ok = false;
            const int n = v->toInt(&ok);
            if (!ok || n < low || n > high) {
                o.Error = a + QStringLiteral(" takes a number from %1 to %2").arg(low).arg(high);
                return std::nullopt;
            }
            return n;
        };
        if (a == QLatin1String("--headless"))
            o.Headless = true;
        else if (a == QLatin1String("--help") || a == QLatin1String("-h"))
            o.Help = true;
        else if (a == QLatin1String("--version"))
            o.Version = true;
        else if (a == QLatin1String("--nick"))
            o.Nick = value();
        else if (a == QLatin1String("--gender"))
            o.Gender = number(0, 2);
        else if (a == QLatin1String("--broadcast"))
            o.Broadcast = value();
        else if (a == QLatin1String("--port"))
            o.Port = number(1, 65535);
        else if (a.startsWith(QLatin1String("--")))
            o.Error = QStringLiteral("unknown option ") + a;
        else
            o.Rest << a;
        if (!o.Error.isEmpty())
            break;
    }
    if (o.Error.isEmpty() && o.Nick && o.Nick->trimmed().isEmpty())
        o.Error = QStringLiteral("--nick needs a nickname");
    return o;
}

void THeadlessOptions::ApplyTo(TConfig& config) const
{
    if (Nick)
        config.SetStr(user_name, Nick->trimmed());
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
        "usage: zelkit-chat --headless [--nick NAME] [--gender 0|1|2] [--broadcast A.B.C.D]\n"
        "                              [--port N]\n"
        "Runs the chat without windows. Standard input, one command per line:\n"
        "  TEXT              send TEXT to the conference\n"
        "  /private NICK: TEXT   send TEXT to NICK\n"
        "  /nick NAME [GENDER]   change the user\n"
        "  /update           refresh the contact list\n"
        "  /contacts         print the contact list\n"
        "  /ignore NICK      ignore NICK, or stop ignoring\n"
        "  /quit             leave and exit (so does the end of input)\n"
        "Standard output, one line per event: state, conference, conference+, private,\n"
        "private+, notice, contacts, contact. Control characters print as '?'.\n");
}
