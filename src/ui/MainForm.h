#pragma once

#include "chat/ChatEngine.h"
#include "desktop/PosSaver.h"
#include "desktop/Sticker.h"

#include <QMainWindow>
#include <QStringList>

#include <array>
#include <memory>

class QLabel;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QSplitter;
class QTabWidget;
class QTextEdit;
class QToolBar;
class QToolButton;
class TChatCore;
class TChatLog;
class TColorMenuCtrl;
class TConfig;
class TConsoleAutoScroll;
class TConsoleLinkClick;
class TConsoleWriter;
class TContactView;
class TDesktopHost;
class TEmoticonStorage;
class TFormNameEdit;
class TFormParams;
class TFormPopupMsg;
class TLangControl;
class TMessageFont;
class TStatusBarHints;
class TTrayIcon;

// The chat's one top-level window: the conference and private consoles on two pages, the
// message editor with its tool bar and Send button, the contact pane, the status bar and
// the menus. It owns the chat engine and the desktop host that drives it, and puts the
// conversation pieces together; what each piece does lives in that piece.
class TMainForm final : public TFormWithSticker, public IWindowLayoutParts
{
    Q_OBJECT
public:
    TMainForm(TConfig& config, TLangControl& lang, TChatLog& log, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The program's arguments without its name; "/minimized" first minimizes the window.
    QStringList Arguments;

    TChatEngine& Engine() { return *FEngine; }
    TDesktopHost& Host() { return *FHost; }

    // The controls, under their names in the program.
    QTextEdit* edGeneral = nullptr;
    QTextEdit* edPrivate = nullptr;
    QPlainTextEdit* edMsg = nullptr;
    QTabWidget* PageCtrlMessages = nullptr;
    QSplitter* SplitterH = nullptr;
    QSplitter* SplitterV = nullptr;
    QWidget* PanelMessages = nullptr;
    QWidget* PanelClients = nullptr;
    QWidget* TabCtrlMsgEdit = nullptr;
    TContactView* lvClients = nullptr;
    QToolButton* sbUnhideCL = nullptr;
    QToolBar* ToolBarMain = nullptr;
    QPushButton* btSend = nullptr;
    std::array<QLabel*, 5> StatusPanels{};
    // The colour of my messages, in btColor's drop-down and miFontColor's submenu.
    TColorMenuCtrl* ColorMenu = nullptr;

    TConsoleWriter& Consoles() { return *FConsoles; }
    TChatCore& ChatCore() { return *FChatCore; }
    TFormPopupMsg& Popup() { return *FPopup; }
    TMessageFont& MessageFont() { return *FFont; }
    TFormNameEdit& NameEdit() { return *FNameEdit; }
    // The preferences dialog, made at its first use.
    TFormParams& Params();
    bool AutoScroll() const;
    QTextEdit& Console(TChatView view) const;

    void ApplyLanguage();
    void ApplySettings();
    void SaveFontSettings();
    void UpdateEditCommands();
    void LayoutChanged() override;
    void UpdateEditorMinHeight();
    void SetStatusText(int panel, const QString& text);

    // The one show-or-hide toggle (tray icon, hot key, a second start, a popup click): a
    // covered, minimized or hidden chat comes forward (x 5000: on the conference page,
    // 10000: on the private page), one in plain view is minimized.
    void TrayIconClick(Qt::MouseButton button, int x);
    void Minimize();
    // Brings the chat back, maximized or not, and stops the tray's blinking.
    void ShowChat(bool maximized);
    // The desktop session ends (or the program is asked to end): the leave is announced and
    // everything is saved, as at a close.
    void EndSession();
    TTrayIcon& Tray() { return *FTray; }

    // The commands of the menus.
    void miExitClick();
    void miClearEditorClick();
    void miClearCurrentPageClick();
    void miClearAllClick();
    void miAntibossClick();
    // The preferences dialog; after an OK the texts and then the settings are applied.
    void miPreferencesClick();
    // The About box, modal, made for this showing.
    void miAboutClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void CreateToolBar();
    void CreateStatusBar();
    void WireCommands();
    void FormCreate();
    void FormDestroy();
    void miLanguageClick();
    void ContactSplitterMoved();
    void HotKeyPressed() override;
    // IWindowLayoutParts
    int ActivePage() const override;
    void SetActivePage(int page) override;
    int MsgEditorHeight() const override;
    void SetMsgEditorHeight(int height) override;
    bool ContactListHidden() const override;
    void CollapseContactList() override;
    int ContactListWidth() const override;
    void SetContactListWidth(int width) override;
    bool MinimizeHidesInTray() const;
    QObject* FocusedTextArea() const;

    TConfig& FConfig;
    TLangControl& FLang;
    TChatLog& FLog;
    std::unique_ptr<TEmoticonStorage> FEmoticons;
    std::unique_ptr<TConsoleWriter> FConsoles;
    TConsoleAutoScroll* FAutoScroll = nullptr;
    TConsoleLinkClick* FLinkClick = nullptr;
    std::unique_ptr<TMessageFont> FFont;
    std::unique_ptr<TChatCore> FChatCore;
    std::unique_ptr<TFormPopupMsg> FPopup;
    TFormNameEdit* FNameEdit = nullptr;
    TFormParams* FParams = nullptr;
    std::unique_ptr<TDesktopHost> FHost;
    std::unique_ptr<TChatEngine> FEngine;
    QObject* FFocusedTextArea = nullptr;
    bool FActivated = false;
    bool FClosing = false;
    bool FClosed = false;
    TTrayIcon* FTray = nullptr;
    TStatusBarHints* FStatusHints = nullptr;
    bool FContactListJustCollapsed = false;
};
