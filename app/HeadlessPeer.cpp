#include "HeadlessPeer.h"

#include "chat/ConsoleText.h"
#include "chat/EditorText.h"
#include "config/Config.h"
#include "config/Utils.h"
#include "conversation/ChatLog.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "net/NetProc.h"
#include "net/RecThread.h"
#include "platform/CodePage.h"

#include <QCoreApplication>

#include <cstdio>
#include <unistd.h>

namespace {

// One event is one output line: a nickname or a text from the network may hold any byte,
// and a line break inside it must not forge a second event.
QString OneLine(QString text)
{
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = QLatin1Char('?');
    return text;
}

} // namespace

THeadlessPeer::THeadlessPeer(TChatSocket& socket, TConfig& config, TLangControl& lang,
                             TChatLog& log)
    : FSocket(socket), FConfig(config), FLang(lang), FLog(log), FOutput(STDOUT_FILENO)
{
    FClock.start();
    FEngine = std::make_unique<TChatEngine>(*this, FConfig, FLang);
    FThread = std::make_unique<TRecThread>(FSocket, this, [this] { FEngine->RecTimerTimer(); });
    for (int i = 0; i < ChatTimerCount; ++i) {
        FTimers[i].setSingleShot(true);
        FTimers[i].setTimerType(Qt::PreciseTimer);
        connect(&FTimers[i], &QTimer::timeout, this, [this, i] {
            const auto timer = static_cast<TChatTimer>(i);
            FEngine->TimerExpired(timer);
            if (timer == TChatTimer::ConferenceFlood || timer == TChatTimer::PrivateFlood)
                SchedulePump();
        });
    }
}

THeadlessPeer::~THeadlessPeer()
{
    FThread->Stop();
}

void THeadlessPeer::Start()
{
    FInput = std::make_unique<QSocketNotifier>(STDIN_FILENO, QSocketNotifier::Read);
    connect(FInput.get(), &QSocketNotifier::activated, this, [this] { ReadInput(); });
    FEngine->FormCreate();
    FEngine->FormActivate({});
}

void THeadlessPeer::Quit()
{
    if (FQuitting)
        return;
    FQuitting = true;
    FInput.reset();
    FEngine->FormClose();
    FEngine->FormDestroy();
    FThread->Stop();
    QCoreApplication::exit(0);
}

bool THeadlessPeer::OpenChatSocket(int& error)
{
    return FSocket.Open(error);
}

bool THeadlessPeer::CloseChatSocket(int& error)
{
    return FSocket.Close(error);
}

bool THeadlessPeer::SendDatagram(const TChatDatagram& datagram, int& error)
{
    return FSocket.Send(datagram, error);
}

bool THeadlessPeer::ReceiveDatagram(QByteArray& bytes, int& error)
{
    return FSocket.Receive(bytes, error);
}

QString THeadlessPeer::LocalAddressText() const
{
    return FSocket.LocalIpText();
}

QString THeadlessPeer::LocalHostName() const
{
    return FSocket.HostName();
}

void THeadlessPeer::ResumeReceiveThread()
{
    if (!FThread->isRunning())
        FThread->start();
}

qint64 THeadlessPeer::MonotonicMs() const
{
    return FClock.elapsed();
}

QDateTime THeadlessPeer::LocalNow() const
{
    return QDateTime::currentDateTime();
}

void THeadlessPeer::StartTimer(TChatTimer timer, int intervalMs)
{
    FTimers[static_cast<int>(timer)].start(intervalMs);
}

void THeadlessPeer::StopTimer(TChatTimer timer)
{
    FTimers[static_cast<int>(timer)].stop();
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

QString THeadlessPeer::ViewPrefix(TChatView view) const
{
    return view == TChatView::Conference ? QStringLiteral("conference") : QStringLiteral("private");
}

void THeadlessPeer::AddChatMessage(const TChatMessage& m)
{
    const TConsoleLine line = ComposeChatLine(m, TimeStamp());
    Emit(ViewPrefix(m.View) + (m.IsContinuation ? QStringLiteral("+ ") : QStringLiteral(" ")) +
         line.Whole());
}

void THeadlessPeer::AddEventMessage(TChatView view, bool showTime, const QString& text)
{
    Emit(ViewPrefix(view) + QLatin1Char(' ') + (showTime ? TimeStamp() : QString()) + text);
}

void THeadlessPeer::AddNoticeMessage(TChatView view, const QString& text)
{
    Emit(ViewPrefix(view) + QLatin1Char(' ') + text);
}

void THeadlessPeer::AddErrorMessage(TChatView view, const QString& text, int errorCode)
{
    Emit(ViewPrefix(view) + QLatin1Char(' ') +
         ComposeErrorLine(FLang.GetString(sidNetworkError), text, errorCode));
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
    Emit(QStringLiteral("state ") + text);
    SchedulePump();
}

void THeadlessPeer::ShowNickInUse(const QString& text)
{
    Emit(QStringLiteral("notice ") + text);
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
    Emit(QStringLiteral("notice ") + text);
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

void THeadlessPeer::Emit(const QString& line) const
{
    FOutput.Write(OneLine(line).toUtf8() + '\n');
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
        Quit();
}

void THeadlessPeer::Execute(const QString& line)
{
    if (!line.startsWith(QLatin1Char('/'))) {
        FEditor = line;
        FEngine->SendConferenceCommand();
        return;
    }
    const QString command = line.section(QLatin1Char(' '), 0, 0);
    const QString rest = line.section(QLatin1Char(' '), 1);
    if (command == QLatin1String("/private")) {
        FEditor = rest;
        FEngine->SendPrivateCommand();
    } else if (command == QLatin1String("/nick")) {
        const QStringList words = rest.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        bool ok = true;
        const int gender = words.size() > 1 ? words[1].toInt(&ok) : FConfig.GetInt(user_gender);
        if (words.isEmpty() || !ok || gender < 0 || gender > 2) {
            std::fprintf(stderr, "zelkit-chat: usage: /nick NAME [0|1|2]\n");
            return;
        }
        FPendingNick = std::make_pair(words[0], gender);
        FEngine->miNewUserClick();
        FPendingNick.reset();
    } else if (command == QLatin1String("/update")) {
        FEngine->miUpdateClientsClick();
    } else if (command == QLatin1String("/contacts")) {
        PrintContacts();
    } else if (command == QLatin1String("/ignore")) {
        const QByteArray nick = ToAnsi(rest);
        if (const TContactInfo* c = FEngine->Contacts().Find(nick))
            FEngine->Contacts().SetIgnored(nick, !c->Ignored);
        else
            std::fprintf(stderr, "zelkit-chat: no contact %s\n", rest.toLocal8Bit().constData());
    } else if (command == QLatin1String("/quit")) {
        Quit();
    } else {
        std::fprintf(stderr, "zelkit-chat: unknown command %s\n",
                     command.toLocal8Bit().constData());
    }
}

void THeadlessPeer::PrintContacts() const
{
    const auto contacts = FEngine->Contacts().ViewOrder();
    Emit(QStringLiteral("contacts ") + QString::number(contacts.size()));
    for (const TContactInfo* c : contacts)
        Emit(QStringLiteral("contact ") + FromAnsi(c->Nick) + QLatin1Char(' ') +
             QString::number(c->Gender) + (c->Ignored ? QStringLiteral(" ignored") : QString()) +
             (c->Hidden ? QStringLiteral(" hidden") : QString()));
}
