#pragma once

#include "chat/EditorText.h"

#include <QPointer>
#include <QtGlobal>

#include <functional>

class QObject;
class QPlainTextEdit;
class QTabWidget;
class QTimer;
class TConfig;

// The controller between the page control PageCtrlMessages (page 0 tsGeneral, the
// conference; page 1 tsPrivate, the private page) and the message editor edMsg:
// - each page keeps its own editor text and selection; they are swapped when the page
//   changes;
// - the send key (setting send_key) runs the send action of the page shown;
// - the tab of a page that is not shown blinks when a message arrives for it
//   (blink_inactive_tab_on_msg, blink_tab_count).
//
// The settings are read at each use, so changes in the preferences act at once. The Qt
// objects it makes (the blink timer, the key filter) are children of the widgets and are
// removed with the controller; nothing of it outlives the widgets. Main thread only.
class TChatCore final
{
public:
    using TSendAction = std::function<void(TChatCore&)>;

    // send_key values.
    enum : int { SendByCtrlReturn = 0, SendByReturn = 1, SendByCtrlKey = 2 };
    static constexpr int BlinkIntervalMs = 500;
    static constexpr int NoImage = -1;

    explicit TChatCore(const TConfig& config);
    ~TChatCore();
    Q_DISABLE_COPY_MOVE(TChatCore)

    // Filled in by the main window before Initialize.
    QPointer<QTabWidget> PageControl;
    QPointer<QPlainTextEdit> Editor;
    TSendAction OnSendConference;
    TSendAction OnSendPrivate;

    // Hooks the page change and the editor's keys, empties both kept texts and the editor,
    // stops all blinking and starts BlinkTimer (500 ms, always running). Once more after
    // new widgets were given: the old hooks go.
    void Initialize();

    // The page control's current page changed: the editor content of the page left is
    // kept and that of the page shown is restored; its blinking stops at once; the editor
    // gets the focus. Nothing is swapped when the editor already holds the page's content.
    void PageChanged();

    // A key pressed in the editor (Qt key code, modifiers). The send key of send_key runs
    // SendCurrentPage and sets key to 0: the editor does not see it. Return and Enter
    // count alike.
    void EditorKeyDown(int& key, Qt::KeyboardModifiers shift);

    // OnSendPrivate when the private page is shown, else OnSendConference.
    void SendCurrentPage();

    // A message was written to that page's view: its tab blinks, for blink_tab_count
    // seconds (0: until the page is shown), unless the page is shown or blinking is off.
    // A message for a tab that blinks already starts its count again.
    void StartConferenceBlink();
    void StartPrivateBlink();

    // One step of BlinkTimer.
    void BlinkTick();

    // Whether a Return with these modifiers, not taken as the send key, makes a line break:
    // it does unless send_key is 1; Ctrl+Return always does, except as the send key.
    bool ReturnMakesLineBreak(Qt::KeyboardModifiers shift) const;

    QTimer* BlinkTimer() const { return FBlinkTimer.data(); }
    bool ConferenceBlinking() const { return FTabs[0].Blinking; }
    bool PrivateBlinking() const { return FTabs[1].Blinking; }
    int ConferenceBlinkTicks() const { return FTabs[0].Ticks; }
    int PrivateBlinkTicks() const { return FTabs[1].Ticks; }
    // The image index of the tab of page 0 or 1: 0 or 1 in BlinkImages, NoImage for none.
    int TabImageIndex(int page) const;

    // The content kept for the page that is not shown.
    const TEditorText& ConferenceEdit() const { return FTabs[0].Edit; }
    const TEditorText& PrivateEdit() const { return FTabs[1].Edit; }

private:
    struct TTabState {
        TEditorText Edit;
        bool Blinking = false;
        int Ticks = 0;
        int Image = NoImage;
    };

    int ActivePage() const;
    void StartBlink(int page);
    void StepTab(int page);
    void SetTabImage(int page, int image);
    void Unhook();

    const TConfig& FConfig;
    TTabState FTabs[2];
    // The page whose content the editor holds.
    int FEditorPage = 0;
    QPointer<QTimer> FBlinkTimer;
    QPointer<QObject> FKeyFilter;
};

// The program's one controller, on the program's settings.
TChatCore& AppChatCore();
