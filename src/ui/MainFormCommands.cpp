// The main window's commands, its keys, and the states of the window (shown, minimized,
// closed).
#include "ui/MainForm.h"

#include "config/Config.h"
#include "config/Globals.h"
#include "conversation/ChCore.h"
#include "conversation/ChatLog.h"
#include "conversation/EditorWidget.h"
#include "conversation/EmoticonMenu.h"
#include "conversation/Emoticons.h"
#include "conversation/HistoryActions.h"
#include "conversation/MessageFont.h"
#include "conversation/Popups.h"
#include "conversation/SessionSave.h"
#include "desktop/X11WindowClass.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "net/NetProc.h"
#include "platform/CodePage.h"
#include "ui/AboutBox.h"
#include "ui/ColorMenuCtrl.h"
#include "ui/ContactView.h"
#include "ui/DesktopHost.h"
#include "ui/MainActions.h"
#include "ui/MainLayoutRules.h"
#include "ui/ProductLinks.h"
#include "ui/RyMenus.h"
#include "ui/TrayIcon.h"
#include "ui/WindowStateRules.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolButton>
#include <QUrl>

namespace {

const char DonationPage[] = "https://zelkit.example.org/chat/donate/";

} // namespace

void TMainForm::WireCommands()
{
    const auto on = [this](const char* name, auto handler) {
        if (QAction* a = FindAction(*this, name))
            connect(a, &QAction::triggered, this, handler);
    };
    const auto button = [this](const char* name, auto handler) {
        if (auto* b = findChild<QToolButton*>(QString::fromLatin1(name)))
            connect(b, &QToolButton::clicked, this, handler);
    };
    for (const char* name : {"miNewUser", "mitrChangeUser"})
        on(name, [this] { FEngine->miNewUserClick(); });
    for (const char* name : {"mitrAntiboss"})
        on(name, [this] { miAntibossClick(); });
    on("mitrExit", [this] { miExitClick(); });
    FTray->OnToggle = [this] { TrayIconClick(Qt::LeftButton, 0); };
    connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState s) {
        if (s == Qt::ApplicationActive)
            FTray->StopAnimation();
    });
    const auto saveSession = [this] {
        const TChatView view =
            PageCtrlMessages->currentIndex() == 1 ? TChatView::Private : TChatView::Conference;
        FFocusedTextArea = &Console(view);
        SaveSession(*Console(view).document(), view, this);
    };
    on("miSaveSession", saveSession);
    on("mipSaveSession", saveSession);
    on("miOpenHistory", [this] { OpenInNotepad(FLog); });
    on("miAntiboss", [this] { miAntibossClick(); });
    on("miExit", [this] { miExitClick(); });
    for (const char* name : {"miPreferences", "mitrPreferences"})
        on(name, [this] { miPreferencesClick(); });
    button("btPreferences", [this] { miPreferencesClick(); });

    const auto copy = [this] {
        if (auto* view = qobject_cast<QTextEdit*>(FFocusedTextArea))
            view->copy();
        else
            edMsg->copy();
    };
    const auto selectAll = [this] {
        if (auto* view = qobject_cast<QTextEdit*>(FFocusedTextArea))
            view->selectAll();
        else
            edMsg->selectAll();
        UpdateEditCommands();
    };
    const auto paste = [this] {
        edMsg->paste();
        UpdateEditCommands();
    };
    for (const char* name : {"miCut", "mipCut"})
        on(name, [this] { edMsg->cut(); });
    for (const char* name : {"miCopy", "mipCopy"})
        on(name, copy);
    for (const char* name : {"miPaste", "mipPaste"})
        on(name, paste);
    for (const char* name : {"miSelectAll", "mipSelectAll"})
        on(name, selectAll);
    on("miClearEditor", [this] { miClearEditorClick(); });
    on("miClearCurrentPage", [this] { miClearCurrentPageClick(); });
    on("miClearAll", [this] { miClearAllClick(); });
    on("mipClearWindow", [this] {
        if (auto* view = qobject_cast<QTextEdit*>(FFocusedTextArea))
            view->clear();
        else
            edMsg->clear();
    });

    for (const char* name : {"miUpdateClients", "mipUpdateList"})
        on(name, [this] { FEngine->miUpdateClientsClick(); });
    on("miFontSizePlus", [this] { FFont->miFontSizePlusClick(); });
    on("miFontSizeMinus", [this] { FFont->miFontSizeMinusClick(); });
    button("btFontSizePlus", [this] { FFont->miFontSizePlusClick(); });
    button("btFontSizeMinus", [this] { FFont->miFontSizeMinusClick(); });
    on("miFont", [this] { FFont->btFontClick(this); });
    button("btFont", [this] { FFont->btFontClick(this); });
    on("miShowNic", [this] { FEngine->miShowNicClick(); });
    for (const char* name : {"miSortByGender", "mipSortByGender"})
        on(name, [this] {
            FEngine->Contacts().SortByGender();
            edMsg->setFocus();
        });
    for (const char* name : {"miSortByNic", "mipSortByNic"})
        on(name, [this] {
            FEngine->Contacts().SortByNick();
            edMsg->setFocus();
        });
    on("miZelkitChatOnTheWeb",
       [] { QDesktopServices::openUrl(QUrl(QLatin1String(ProductHomePage))); });
    on("miDonate", [] { QDesktopServices::openUrl(QUrl(QLatin1String(DonationPage))); });
    for (const char* name : {"miAbout", "mitrAbout"})
        on(name, [this] { miAboutClick(); });

    auto* dropDown = new QMenu(this);
    dropDown->setObjectName(QStringLiteral("PopupMenuColor"));
    ColorMenu = new TColorMenuCtrl(FLang, this);
    ColorMenu->Button = findChild<QToolButton*>(QStringLiteral("btColor"));
    ColorMenu->Menu = dropDown;
    ColorMenu->MenuItem = FindMenu(*this, "miFontColor");
    ColorMenu->DialogParent = this;
    ColorMenu->CurrentColor = [this] { return FFont->EditorColor(); };
    ColorMenu->OnColorChosen = [this] { FFont->ColorChosen(ColorMenu->Color); };
    ColorMenu->Build();

    auto* emoticons = new QMenu(this);
    emoticons->setObjectName(QStringLiteral("PopupMenuEmoticons"));
    BuildEmoticonMenu(*emoticons, FEmoticons->ImageList(), [this](int tag) {
        InsertTextAtCaret(*edMsg, FEmoticons->CodeOf(tag) + QLatin1Char(' '));
        edMsg->setFocus();
    });
    auto* emoticonButton = findChild<QToolButton*>(QStringLiteral("btEmoticons"));
    connect(emoticonButton, &QToolButton::clicked, this,
            [emoticons, emoticonButton] { btEmoticonsClick(*emoticons, *emoticonButton); });

    connect(btSend, &QPushButton::clicked, this, [this] { FChatCore->SendCurrentPage(); });

    QMenu* editors = FindMenu(*this, "PopupMenuEditors");
    connect(editors, &QMenu::aboutToShow, this, [this] { UpdateEditCommands(); });
    edMsg->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(edMsg, &QWidget::customContextMenuRequested, this,
            [this, editors](const QPoint& at) { editors->popup(edMsg->mapToGlobal(at)); });
    connect(edMsg, &QPlainTextEdit::textChanged, this, [this] { UpdateEditCommands(); });
    connect(edMsg, &QPlainTextEdit::selectionChanged, this, [this] { UpdateEditCommands(); });
    for (QTextEdit* view : {edGeneral, edPrivate})
        connect(view, &QTextEdit::selectionChanged, this, [this] { UpdateEditCommands(); });
    connect(qApp, &QApplication::focusChanged, this, [this] { UpdateEditCommands(); });

    QMenu* clients = FindMenu(*this, "PopupMenuClients");
    QAction* ignore = FindAction(*this, "mipIgnore");
    lvClients->SetContactsMenu(clients, [this, ignore](int row) {
        const TContactInfo* contact = FEngine->Contacts().ViewItem(row);
        ignore->setEnabled(contact != nullptr);
        ignore->setChecked(contact && contact->Ignored);
    });
    connect(ignore, &QAction::triggered, this, [this, ignore] {
        if (const TContactInfo* contact = FEngine->Contacts().ViewItem(lvClients->FocusedRow()))
            FEngine->Contacts().SetIgnored(contact->Nick, ignore->isChecked());
        edMsg->setFocus();
    });

    connect(sbUnhideCL, &QToolButton::clicked, this, [this] {
        const TContactPaneState next = RestoreContactPane({true, false, PanelClients->width()});
        sbUnhideCL->hide();
        lvClients->show();
        const QList<int> sizes = SplitterH->sizes();
        SplitterH->setSizes({sizes[0] + sizes[1] - next.Width, next.Width});
        LayoutChanged();
    });
    connect(SplitterH, &QSplitter::splitterMoved, this, [this] { ContactSplitterMoved(); });
    connect(SplitterV, &QSplitter::splitterMoved, this, [this] { LayoutChanged(); });

    QMenu* language = FindMenu(*this, "miLanguage");
    connect(language, &QMenu::aboutToShow, this, [this] { miLanguageClick(); });

    installEventFilter(this);
    for (QWidget* w : {static_cast<QWidget*>(edMsg), static_cast<QWidget*>(edGeneral),
                       static_cast<QWidget*>(edPrivate)})
        w->installEventFilter(this);
}

void TMainForm::ContactSplitterMoved()
{
    const TContactPaneState before{sbUnhideCL->isVisible(), FContactListJustCollapsed,
                                   PanelClients->width()};
    const TContactPaneState next = ::ContactSplitterMoved(before, PanelClients->width());
    FContactListJustCollapsed = next.JustCollapsed;
    lvClients->setVisible(!next.Collapsed);
    sbUnhideCL->setVisible(next.Collapsed);
    if (next.Width != PanelClients->width()) {
        const QList<int> sizes = SplitterH->sizes();
        SplitterH->setSizes({sizes[0] + sizes[1] - next.Width, next.Width});
    }
    LayoutChanged();
}

void TMainForm::miLanguageClick()
{
    QMenu* menu = FindMenu(*this, "miLanguage");
    QAction* builtIn = FindAction(*this, "miDefLanguage");
    for (QAction* a : menu->actions())
        if (a != builtIn)
            menu->removeAction(a), a->deleteLater();
    // One group for the menu's whole life; its entries come and go with each opening.
    auto* group = menu->findChild<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly);
    if (!group) {
        group = new QActionGroup(menu);
        group->addAction(builtIn);
    }
    QStringList paths;
    QStringList captions;
    FLang.ListLanguages(paths, captions);
    // The check mark stands on the texts in force: after a file that failed to load it
    // goes back where it was.
    const auto markCurrent = [menu, builtIn, captions, this] {
        const QString current = FLang.CurrentCaption();
        const QList<QAction*> items = menu->actions();
        for (int i = 0; i < captions.size() && i < items.size(); ++i)
            if (captions[i] == current) {
                (i == 0 ? builtIn : items[i])->setChecked(true);
                return;
            }
    };
    for (int i = 1; i < paths.size(); ++i) {
        QAction* item = menu->addAction(captions[i]);
        item->setCheckable(true);
        item->setData(paths[i]);
        SetMenuItemTag(*item, i);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, markCurrent, path = paths[i]] {
            if (FLang.CurrentFileName() == path)
                return;
            if (FLang.LoadLanguage(path))
                ApplyLanguage();
            else
                markCurrent();
        });
    }
    disconnect(builtIn, nullptr, this, nullptr);
    connect(builtIn, &QAction::triggered, this, [this] {
        if (FLang.CurrentFileName().isEmpty())
            return;
        FLang.UseDefaultLanguage();
        ApplyLanguage();
    });
    markCurrent();
    AppMenuPainter().Attach(menu);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
            (key->modifiers() & Qt::ControlModifier)) {
            if (event->type() == QEvent::KeyPress) {
                PageCtrlMessages->setCurrentIndex(1 - PageCtrlMessages->currentIndex());
                FChatCore->PageChanged();
            }
            event->accept();
            return true;
        }
    }
    return TFormWithSticker::eventFilter(watched, event);
}

void TMainForm::miClearEditorClick()
{
    edMsg->clear();
    UpdateEditCommands();
}

void TMainForm::miClearCurrentPageClick()
{
    edGeneral->clear();
    edMsg->setFocus();
}

void TMainForm::miClearAllClick()
{
    miClearEditorClick();
    miClearCurrentPageClick();
    edPrivate->clear();
    edMsg->setFocus();
}

void TMainForm::miAntibossClick()
{
    switch (FConfig.GetInt(antiboss_action)) {
    case 0:
        QMetaObject::invokeMethod(
            this, [this] { Minimize(); }, Qt::QueuedConnection);
        break;
    case 1:
        miClearAllClick();
        FPopup->HidePopupMessage();
        break;
    default:
        break;
    }
}

void TMainForm::miAboutClick()
{
    // Guarded: the program may end while the box is up, and the window then frees it.
    QPointer<TFormAbout> box = new TFormAbout(this);
    box->ApplyLanguage(FLang);
    box->exec();
    delete box;
}

void TMainForm::miExitClick()
{
    FClosing = true;
    close();
}

bool TMainForm::MinimizeHidesInTray() const
{
    return ::MinimizeHidesInTray(FConfig.GetBool(show_tray_icon),
                                 FConfig.GetBool(no_button_on_taskbar), TTrayIcon::IsAvailable());
}

void TMainForm::Minimize()
{
    if (MinimizeHidesInTray()) {
        FConfig.SetBool(window_maximized, isMaximized());
        hide();
        return;
    }
    showMinimized();
}

void TMainForm::ShowChat(bool maximized)
{
    FConfig.SetBool(window_maximized, maximized);
    FTray->StopAnimation();
    if (maximized)
        showMaximized();
    else
        showNormal();
    raise();
    activateWindow();
}

void TMainForm::TrayIconClick(Qt::MouseButton button, int x)
{
    if (button == Qt::RightButton)
        return;
    const TWindowCommand command =
        ToggleCommand(FHost->IsWindowCovered(), FConfig.GetBool(window_maximized));
    if (command != TWindowCommand::Minimize && ToggledPage(x) >= 0) {
        PageCtrlMessages->setCurrentIndex(ToggledPage(x));
        FChatCore->PageChanged();
    }
    // Posted: the click that asked is handled to its end first.
    QMetaObject::invokeMethod(
        this,
        [this, command] {
            if (command == TWindowCommand::Minimize)
                Minimize();
            else
                ShowChat(command == TWindowCommand::Maximize);
        },
        Qt::QueuedConnection);
}

void TMainForm::showEvent(QShowEvent* event)
{
    TFormWithSticker::showEvent(event);
    if (!event->spontaneous())
        SetX11WindowClass(*this, QByteArrayLiteral("zelkit-chat"),
                          QByteArrayLiteral("ZELKIT_CHAT_WINDOW"));
    if (FActivated)
        return;
    FActivated = true;
    FEngine->FormActivate(Arguments);
    // With the start of the chat, once the window has its size.
    QMetaObject::invokeMethod(
        this,
        [this] {
            ::RestoreWindowLayout(*this, *this, FConfig);
            LayoutChanged();
            UpdateEditorMinHeight();
        },
        Qt::QueuedConnection);
}

void TMainForm::HotKeyPressed()
{
    TrayIconClick(Qt::LeftButton, 0);
}

int TMainForm::ActivePage() const
{
    return PageCtrlMessages->currentIndex();
}

void TMainForm::SetActivePage(int page)
{
    PageCtrlMessages->setCurrentIndex(page == 1 ? 1 : 0);
    FChatCore->PageChanged();
}

int TMainForm::MsgEditorHeight() const
{
    return TabCtrlMsgEdit->height();
}

void TMainForm::SetMsgEditorHeight(int height)
{
    const QList<int> v = SplitterV->sizes();
    SplitterV->setSizes({v[0] + v[1] - height, height});
}

bool TMainForm::ContactListHidden() const
{
    return sbUnhideCL->isVisible();
}

void TMainForm::CollapseContactList()
{
    SetContactListWidth(ContactPaneMinWidth);
    ContactSplitterMoved();
}

int TMainForm::ContactListWidth() const
{
    return PanelClients->width();
}

void TMainForm::SetContactListWidth(int width)
{
    const QList<int> h = SplitterH->sizes();
    SplitterH->setSizes({h[0] + h[1] - width, width});
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    if (!FClosing && CloseCommand(FConfig.GetBool(minimize_on_close)) == TWindowCommand::Minimize) {
        event->ignore();
        Minimize();
        return;
    }
    if (!FClosed) {
        FClosed = true;
        FEngine->FormClose();
        ::SaveWindowLayout(*this, *this, FConfig);
    }
    FTray->SetShown(false);
    event->accept();
}

void TMainForm::EndSession()
{
    if (!FClosed) {
        FClosed = true;
        FEngine->FormClose();
        ::SaveWindowLayout(*this, *this, FConfig);
    }
    SaveFontSettings();
    FConfig.SaveAll();
}

void TMainForm::changeEvent(QEvent* event)
{
    TFormWithSticker::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    if (!isMinimized()) {
        FConfig.SetBool(window_maximized, isMaximized());
        return;
    }
    // Minimized by the title bar or the window manager: into the tray where there is one.
    if (MinimizeHidesInTray())
        QMetaObject::invokeMethod(
            this, [this] { hide(); }, Qt::QueuedConnection);
}
