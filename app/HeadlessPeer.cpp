#include "HeadlessPeer.h"

#include "chat/ConsoleText.h"
#include "chat/EditorText.h"
#include "config/Config.h"
#include "config/Utils.h"
#include "conversation/ChatLog.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "net/NetProc.h"
#include "platform/CodePage.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdio>
#include <unistd.h>

THeadlessPeer::THeadlessPeer(TChatSocket& socket, TConfig& config, TLangControl& lang,
                             TChatLog& log, bool json)
    : TChatHostBase(socket), FConfig(config), FLang(lang), FLog(log), FOutput(STDOUT_FILENO),
      FEvents(FOutput, json)
{
    FEchoTimer.setSingleShot(true);
    connect(&FEchoTimer, &QTimer::timeout, this, [this] { Quit(); });
    FEngine = std::make_unique<TChatEngine>(*this, FConfig, FLang);
    AttachEngine(*FEngine);
}

void THeadlessPeer::TimerHandled(TChatTimer timer)
{
    if (timer == TChatTimer::ConferenceFlood || timer == TChatTimer::PrivateFlood ||
        timer == TChatTimer::PieceTimer)
        SchedulePump();
}

THeadlessPeer::~THeadlessPeer()
{
    StopReceiveThread();
}

void THeadlessPeer::Start()
{
    FInput = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    connect(FInput.get(), &QSocketNotifier::activated, this, [this] { ReadInput(); });
    WarnIfChanged("the nickname", FConfig.GetStr(user_name), Datagram::NickCapacity);
    FEngine->FormCreate();
    FEngine->FormActivate({});
}

void THeadlessPeer::Quit()
{
    if (FQuitting)
        return;
    FQuitting = true;
    FInput.reset();
    FEchoTimer.stop();
    const bool nameless = FRefused && !FEverRegistered && !FEngine->Registered();
    FEngine->FormClose();
    FEngine->FormDestroy();
    StopReceiveThread();
    QCoreApplication::exit(nameless ? ExitNoNickname : 0);
}

void THeadlessPeer::DatagramSent(const TChatDatagram& datagram)
{
    if (datagram.kind() == TDatagramKind::dkConferenceMsg) {
        FAwaitedEcho = GetDatagramText(datagram);
        FLastConferenceSendMs = MonotonicMs();
    }
}

QString THeadlessPeer::TimeStamp() const
{
    const qint64 second = QDateTime::currentMSecsSinceEpoch() / 1000;
    if (second != FStampSecond) {
        FStampSecond = second;
        FStamp = ConsoleTimeStamp(LocalNow().time());
    }
    return FStamp;
}

void THeadlessPeer::AddChatMessage(const TChatMessage& m)
{
    FEvents.Message(m, m.ShowTime ? TimeStamp() : QString(), LocalNow());
    if (FAwaitedEcho && m.View == TChatView::Conference && m.Nick == FEngine->OwnNick() &&
        m.Text == *FAwaitedEcho) {
        FAwaitedEcho.reset();
        if (FEnding)
            SchedulePump();
    }
}

void THeadlessPeer::AddEventMessage(TChatView view, bool showTime, const QString& text)
{
    FEvents.Event(view, showTime ? TimeStamp() : QString(), LocalNow(), text);
}

void THeadlessPeer::AddNoticeMessage(TChatView view, const QString& text)
{
    FEvents.Notice(view, text);
}

void THeadlessPeer::AddErrorMessage(TChatView view, const QString& text, int errorCode)
{
    FEvents.Error(view, ComposeErrorLine(FLang.GetString(sidNetworkError), text, errorCode), text,
                  errorCode);
}

void THeadlessPeer::WriteMessage(const QByteArray& nick, const QByteArray& text)
{
    if (!FLog.WriteMessage(nick, text))
        std::fprintf(stderr, "zelkit-chat: history: %s\n", qPrintable(FLog.LastError()));
}

void THeadlessPeer::WriteSessionEvent(const QString& text, bool emptyLineAfter)
{
    if (!FLog.WriteSessionEvent(text, emptyLineAfter))
        std::fprintf(stderr, "zelkit-chat: history: %s\n", qPrintable(FLog.LastError()));
}

void THeadlessPeer::SetStatusText(int panel, const QString& text)
{
    if (panel != 0)
        return;
    FEverRegistered = FEverRegistered || FEngine->Registered();
    FEvents.State(text);
    SchedulePump();
}

void THeadlessPeer::ShowNickInUse(const QString& text)
{
    FRefused = true;
    FEvents.Notice(std::nullopt, text);
}

bool THeadlessPeer::ShowRegistrationDialog(bool changeUserMode)
{
    if (FPendingNick) {
        FConfig.SetStr(user_name, FPendingNick->first);
        FConfig.SetInt(user_gender, FPendingNick->second);
        FPendingNick.reset();
        FAwaitingNick = false;
        return true;
    }
    // The first showing confirms what the settings or the options hold, as a user pressing
    // OK would; the dialog proposes the login name for an empty nickname.
    if (!changeUserMode) {
        if (FConfig.GetStr(user_name).trimmed().isEmpty())
            FConfig.SetStr(user_name, GetLoginUserName().left(32));
        return true;
    }
    FAwaitingNick = true;
    std::fprintf(stderr, "zelkit-chat: choose another nickname with /nick NAME [GENDER]\n");
    SchedulePump();
    return false;
}

void THeadlessPeer::ShowRecipientHint(const QString& text)
{
    FEvents.Notice(std::nullopt, text);
}

void THeadlessPeer::PostStartChat()
{
    QMetaObject::invokeMethod(
        this, [this] { FEngine->StartChat(); }, Qt::QueuedConnection);
}

TEditorFont THeadlessPeer::EditorFont() const
{
    return {static_cast<std::uint32_t>(FConfig.GetInt(msg_color)), FConfig.GetBool(font_is_bold),
            FConfig.GetBool(font_is_italic)};
}

void THeadlessPeer::WarnIfChanged(const char* what, const QString& text, int maxBytes) const
{
    const QByteArray bytes = ToAnsi(text);
    const QByteArray sent = maxBytes > 0 ? bytes.left(maxBytes) : bytes;
    const QString shown = FromAnsi(sent);
    if (shown == text)
        return;
    QStringList why;
    if (FromAnsi(bytes) != text)
        why << QStringLiteral("characters %1 cannot hold become ?")
                   .arg(QString::fromLatin1(TCodePage::Ansi().Name()));
    if (sent.size() < bytes.size())
        why << QStringLiteral("cut to %1 bytes").arg(maxBytes);
    std::fprintf(stderr, "zelkit-chat: warning: %s goes out as \"%s\" (%s)\n", what,
                 shown.toLocal8Bit().constData(),
                 why.join(QStringLiteral("; ")).toLocal8Bit().constData());
}

void THeadlessPeer::ReadInput()
{
    char chunk[4096];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n <= 0) {
        FEndOfInput = true;
        FInput.reset();
    } else {
        FInputBuffer.append(chunk, n);
    }
    qsizetype eol;
    while ((eol = FInputBuffer.indexOf('\n')) >= 0) {
        QByteArray line = FInputBuffer.left(eol);
        FInputBuffer.remove(0, eol + 1);
        if (line.endsWith('\r'))
            line.chop(1);
        FLines.push_back(QString::fromUtf8(line));
    }
    if (FEndOfInput && !FInputBuffer.isEmpty()) {
        FLines.push_back(QString::fromUtf8(FInputBuffer));
        FInputBuffer.clear();
    }
    SchedulePump();
}

void THeadlessPeer::SchedulePump()
{
    if (FPumpScheduled)
        return;
    FPumpScheduled = true;
    QMetaObject::invokeMethod(
        this, [this] { Pump(); }, Qt::QueuedConnection);
}

bool THeadlessPeer::ReadyForInput() const
{
    // Commands wait while the peer is joining and while a repeated text is held back, so a
    // script's lines are neither refused nor lost.
    if (FEngine->ConferenceFlood().IsBusy() || FEngine->PrivateFlood().IsBusy())
        return false;
    return FEngine->ChatState() == TChatState::csReady || FAwaitingNick;
}

void THeadlessPeer::Pump()
{
    FPumpScheduled = false;
    while (!FQuitting && !FLines.empty() && ReadyForInput()) {
        const QString line = FLines.front();
        FLines.pop_front();
        Execute(line);
    }
    if (!FQuitting && FLines.empty() && FEndOfInput && ReadyForInput())
        FinishWhenDone();
}

void THeadlessPeer::FinishWhenDone()
{
    FEnding = true;
    if (FEngine->PiecesPending())
        return; // the piece timer pumps again
    if (!FAwaitedEcho || !FEngine->Registered()) {
        Quit();
        return;
    }
    if (!FEchoTimer.isActive()) {
        const qint64 waited = MonotonicMs() - FLastConferenceSendMs;
        FEchoTimer.start(int(std::max<qint64>(0, TChatEngine::EchoWindowMs - waited)));
    }
}

void THeadlessPeer::SendConference(const QString& text)
{
    WarnIfChanged("the message", text);
    FEditor = text;
    FEngine->SendConferenceCommand();
}

void THeadlessPeer::SendPrivate(const QString& text)
{
    if (!text.contains(QLatin1Char(':'))) {
        std::fprintf(stderr, "zelkit-chat: usage: /private NICK: TEXT\n");
        return;
    }
    WarnIfChanged("the message", text);
    FEditor = text;
    FEngine->SendPrivateCommand();
}

void THeadlessPeer::ToggleIgnore(const QString& nick)
{
    if (nick.isEmpty()) {
        std::fprintf(stderr, "zelkit-chat: usage: /ignore NICK\n");
        return;
    }
    const QByteArray bytes = ToAnsi(nick);
    const TContactInfo* c = FEngine->Contacts().Find(bytes);
    if (!c) {
        std::fprintf(stderr, "zelkit-chat: no contact %s\n", nick.toLocal8Bit().constData());
        return;
    }
    const bool ignored = !c->Ignored;
    FEngine->Contacts().SetIgnored(bytes, ignored);
    std::fprintf(stderr,
                 ignored ? "zelkit-chat: ignoring %s\n" : "zelkit-chat: no longer ignoring %s\n",
                 nick.toLocal8Bit().constData());
}

void THeadlessPeer::Execute(const QString& line)
{
    // "//text" is the way to say a text that starts with a slash.
    if (!line.startsWith(QLatin1Char('/')) || line.startsWith(QLatin1String("//"))) {
        SendConference(line.startsWith(QLatin1Char('/')) ? line.mid(1) : line);
        return;
    }
    const QString command = line.section(QLatin1Char(' '), 0, 0);
    const QString rest = line.section(QLatin1Char(' '), 1);
    if (command == QLatin1String("/private")) {
        SendPrivate(rest);
    } else if (command == QLatin1String("/nick")) {
        const QStringList words = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok = true;
        const int gender = words.size() > 1 ? words[1].toInt(&ok) : FConfig.GetInt(user_gender);
        if (words.isEmpty() || words.size() > 2 || !ok || gender < 0 || gender > 2) {
            std::fprintf(stderr, "zelkit-chat: usage: /nick NAME [0|1|2]\n");
            return;
        }
        WarnIfChanged("the nickname", words[0], Datagram::NickCapacity);
        FPendingNick = std::make_pair(words[0], gender);
        FEngine->miNewUserClick();
        FPendingNick.reset();
    } else if (command == QLatin1String("/update")) {
        FEngine->miUpdateClientsClick();
    } else if (command == QLatin1String("/contacts")) {
        FEvents.Contacts(FEngine->Contacts().ViewOrder());
    } else if (command == QLatin1String("/ignore")) {
        ToggleIgnore(rest.trimmed());
    } else if (command == QLatin1String("/quit")) {
        Quit();
    } else {
        std::fprintf(stderr,
                     "zelkit-chat: unknown command %s (//TEXT sends a text that starts "
                     "with /)\n",
                     command.toLocal8Bit().constData());
    }
}
