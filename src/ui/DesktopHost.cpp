#include "ui/DesktopHost.h"

#include "config/Config.h"
#include "conversation/ChCore.h"
#include "conversation/ChatLog.h"
#include "conversation/ChatSound.h"
#include "conversation/ChatSoundPlayer.h"
#include "conversation/Console.h"
#include "conversation/EditorWidget.h"
#include "conversation/MessageFont.h"
#include "conversation/Popups.h"
#include "net/NetProc.h"
#include "platform/CodePage.h"
#include "ui/MainForm.h"

#include <QApplication>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolTip>

TDesktopHost::TDesktopHost(TMainForm& form, TConfig& config, TChatLog& log)
    : TChatHostBase(ChatEndpoint(), &form), FForm(form), FConfig(config), FLog(log)
{
}

TDesktopHost::~TDesktopHost() = default;

void TDesktopHost::AddChatMessage(const TChatMessage& message)
{
    FForm.Consoles().AddChatMessage(FForm.Console(message.View), FForm.AutoScroll(), message);
}

void TDesktopHost::AddEventMessage(TChatView view, bool showTime, const QString& text)
{
    FForm.Consoles().AddEventMessage(FForm.Console(view), showTime, FForm.AutoScroll(), text);
}

void TDesktopHost::AddNoticeMessage(TChatView view, const QString& text)
{
    FForm.Consoles().AddNoticeMessage(FForm.Console(view), FForm.AutoScroll(), text);
}

void TDesktopHost::AddErrorMessage(TChatView view, const QString& text, int errorCode)
{
    FForm.Consoles().AddErrorMessage(FForm.Console(view), FForm.AutoScroll(), text, errorCode);
}

void TDesktopHost::WriteMessage(const QByteArray& nick, const QByteArray& text)
{
    FLog.WriteMessage(nick, text);
}

void TDesktopHost::WriteSessionEvent(const QString& text, bool emptyLineAfter)
{
    FLog.WriteSessionEvent(text, emptyLineAfter);
}

void TDesktopHost::StartConferenceBlink()
{
    FForm.ChatCore().StartConferenceBlink();
}

void TDesktopHost::StartPrivateBlink()
{
    FForm.ChatCore().StartPrivateBlink();
}

bool TDesktopHost::FileExists(const QString& path) const
{
    return SoundFileExists(path);
}

void TDesktopHost::PlayChatSound(TChatSound, const QString& file)
{
    // Whether the event sounds at all the engine has decided; the player is made at the
    // first sound, so a chat that never sounds never loads the sound back end.
    if (!FPlayer)
        FPlayer = std::make_unique<TChatSoundPlayer>();
    FPlayer->Play(file);
}

void TDesktopHost::ShowPopupMessage(const QByteArray& nick, const QByteArray& text,
                                    std::uint32_t color, bool animated, int showTimeSeconds,
                                    bool isPrivate)
{
    FForm.Popup().ShowPopupMessage(FromAnsi(nick), FromAnsi(text), color, animated, showTimeSeconds,
                                   isPrivate);
}

bool TDesktopHost::IsApplicationActive() const
{
    return QApplication::activeWindow() != nullptr;
}

bool TDesktopHost::IsWindowCovered() const
{
    if (CoveredTest)
        return CoveredTest();
    return IsWindowMinimizedOrHidden() || !FForm.isActiveWindow();
}

bool TDesktopHost::IsWindowMinimizedOrHidden() const
{
    return !FForm.isVisible() || FForm.isMinimized();
}

void TDesktopHost::StartTrayAnimation()
{
    if (OnStartTrayAnimation)
        OnStartTrayAnimation();
}

void TDesktopHost::FlashTaskbarButton()
{
    QApplication::alert(&FForm);
}

void TDesktopHost::SetStatusText(int panel, const QString& text)
{
    FForm.SetStatusText(panel, text);
}

void TDesktopHost::ShowNickInUse(const QString& text)
{
    QMessageBox box(QMessageBox::Warning, FForm.windowTitle(), text, QMessageBox::Ok, &FForm);
    box.setTextFormat(Qt::PlainText);
    box.exec();
}

bool TDesktopHost::ShowRegistrationDialog(bool changeUserMode)
{
    return RegistrationDialog ? RegistrationDialog(changeUserMode) : true;
}

void TDesktopHost::ShowRecipientHint(const QString& text)
{
    QPlainTextEdit& editor = *FForm.edMsg;
    QToolTip::showText(editor.mapToGlobal(editor.cursorRect().bottomLeft()), text, &editor);
}

void TDesktopHost::HideRecipientHint()
{
    QToolTip::hideText();
}

void TDesktopHost::PostStartChat()
{
    QMetaObject::invokeMethod(
        &FForm, [this] { FForm.Engine().StartChat(); }, Qt::QueuedConnection);
}

void TDesktopHost::PostMinimize()
{
    QMetaObject::invokeMethod(
        &FForm, [this] { FForm.Minimize(); }, Qt::QueuedConnection);
}

QString TDesktopHost::EditorText() const
{
    return FForm.edMsg->toPlainText();
}

void TDesktopHost::SetEditorText(const QString& text, int caret)
{
    TEditorText value{text, caret, 0};
    WriteEditorText(*FForm.edMsg, value);
}

TEditorFont TDesktopHost::EditorFont() const
{
    const QFont font = FForm.edMsg->font();
    return {FForm.MessageFont().EditorColor(), font.bold(), font.italic()};
}

void TDesktopHost::FocusEditor()
{
    FForm.edMsg->setFocus();
}

void TDesktopHost::UpdateEditCommands()
{
    FForm.UpdateEditCommands();
}
