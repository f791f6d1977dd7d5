#pragma once

#include "host/ChatHostBase.h"

#include <functional>

class TChatLog;
class TChatSoundPlayer;
class TConfig;
class TMainForm;

// The chat engine's host in the desktop program: the socket, timers and clock of the base,
// and for everything else the main window's consoles, editor, status bar, popups, sounds
// and dialogs.
class TDesktopHost final : public TChatHostBase
{
    Q_OBJECT
public:
    TDesktopHost(TMainForm& form, TConfig& config, TChatLog& log);
    ~TDesktopHost() override;

    // The modal registration dialog; set by whoever owns it. Without it the dialog
    // confirms what the settings hold.
    std::function<bool(bool changeUserMode)> RegistrationDialog;
    // The window stack's answer to "is the window out of sight?"; without it, a window that
    // is not active counts as covered.
    std::function<bool()> CoveredTest;
    // Tray blinking and the task bar's attention.
    std::function<void()> OnStartTrayAnimation;

    void AddChatMessage(const TChatMessage& message) override;
    void AddEventMessage(TChatView view, bool showTime, const QString& text) override;
    void AddNoticeMessage(TChatView view, const QString& text) override;
    void AddErrorMessage(TChatView view, const QString& text, int errorCode) override;
    void WriteMessage(const QByteArray& nick, const QByteArray& text) override;
    void WriteSessionEvent(const QString& text, bool emptyLineAfter) override;
    void StartConferenceBlink() override;
    void StartPrivateBlink() override;
    bool FileExists(const QString& path) const override;
    void PlayChatSound(TChatSound sound, const QString& file) override;
    void ShowPopupMessage(const QByteArray& nick, const QByteArray& text, std::uint32_t color,
                          bool animated, int showTimeSeconds, bool isPrivate) override;
    bool IsApplicationActive() const override;
    bool IsWindowCovered() const override;
    bool IsWindowMinimizedOrHidden() const override;
    void StartTrayAnimation() override;
    void FlashTaskbarButton() override;
    void SetStatusText(int panel, const QString& text) override;
    void ShowNickInUse(const QString& text) override;
    bool ShowRegistrationDialog(bool changeUserMode) override;
    void ShowRecipientHint(const QString& text) override;
    void HideRecipientHint() override;
    void PostStartChat() override;
    void PostMinimize() override;
    QString EditorText() const override;
    void SetEditorText(const QString& text, int caret) override;
    TEditorFont EditorFont() const override;
    void FocusEditor() override;
    void UpdateEditCommands() override;

private:
    TMainForm& FForm;
    TConfig& FConfig;
    TChatLog& FLog;
    std::unique_ptr<TChatSoundPlayer> FPlayer;
};
