// The main window's controls and how the pieces of the program are put together at its
// creation; the commands and the window's states are in MainFormCommands.cpp, settings and
// texts in MainFormSettings.cpp.
#include "ui/MainForm.h"

#include "config/Config.h"
#include "config/Globals.h"
#include "conversation/ChCore.h"
#include "conversation/ChatLog.h"
#include "conversation/ChatSound.h"
#include "conversation/Console.h"
#include "conversation/ConsoleLinkClick.h"
#include "conversation/ConsoleScroll.h"
#include "conversation/EditorWidget.h"
#include "conversation/EmoticonMenu.h"
#include "conversation/Emoticons.h"
#include "conversation/HistoryActions.h"
#include "conversation/MessageFont.h"
#include "conversation/Popups.h"
#include "conversation/RichEditMouse.h"
#include "desktop/WindowUtils.h"
#include "lang/Lang.h"
#include "net/NetProc.h"
#include "platform/CodePage.h"
#include "ui/CaretRest.h"
#include "ui/ContactView.h"
#include "ui/DesktopHost.h"
#include "ui/MainActions.h"
#include "ui/MainLayoutRules.h"
#include "ui/NameEdit.h"
#include "ui/Params.h"
#include "ui/ProgramImages.h"
#include "ui/StatusBarHints.h"
#include "ui/TrayIcon.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int DesignClientWidth = 562;
constexpr int DesignClientHeight = 535;
constexpr int StatusPanelWidths[5] = {100, 150, 100, 100, 50};

QTextEdit* MakeConsole(const char* name, QWidget* parent)
{
    auto* view = new QTextEdit(parent);
    view->setObjectName(QString::fromLatin1(name));
    TConsoleWriter::SetupConsole(*view);
    view->setFrameShape(QFrame::NoFrame);
    return view;
}

QWidget* Page(const char* name, QWidget* content)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(content);
    return page;
}

} // namespace

TMainForm::TMainForm(TConfig& config, TLangControl& lang, TChatLog& log, QWidget* parent)
    : TFormWithSticker(parent), FConfig(config), FLang(lang), FLog(log)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Zelkit Chat"));
    setWindowIcon(AppIcon());
    setMinimumSize(450, 240);
    resize(DesignClientWidth, DesignClientHeight);
    CreateControls();
    BuildMainMenus(*this);
    CreateToolBar();
    CreateStatusBar();
    FormCreate();
    WireCommands();
}

TMainForm::~TMainForm()
{
    // The children and the application still signal while they are taken down, when only
    // the QWidget of this window is left to receive.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
    FormDestroy();
}

void TMainForm::CreateControls()
{
    SplitterH = new QSplitter(Qt::Horizontal, this);
    SplitterH->setObjectName(QStringLiteral("SplitterH"));
    SplitterH->setChildrenCollapsible(false);
    setCentralWidget(SplitterH);

    PanelMessages = new QWidget(SplitterH);
    PanelMessages->setObjectName(QStringLiteral("PanelMessages"));
    auto* messages = new QVBoxLayout(PanelMessages);
    messages->setContentsMargins(0, 0, 0, 0);
    SplitterV = new QSplitter(Qt::Vertical, PanelMessages);
    SplitterV->setObjectName(QStringLiteral("SplitterV"));
    SplitterV->setChildrenCollapsible(false);
    SplitterV->setHandleWidth(3);
    messages->addWidget(SplitterV);

    PageCtrlMessages = new QTabWidget(SplitterV);
    PageCtrlMessages->setObjectName(QStringLiteral("PageCtrlMessages"));
    PageCtrlMessages->setDocumentMode(true);
    edGeneral = MakeConsole("edGeneral", PageCtrlMessages);
    edPrivate = MakeConsole("edPrivate", PageCtrlMessages);
    PageCtrlMessages->addTab(Page("tsGeneral", edGeneral), QString());
    PageCtrlMessages->addTab(Page("tsPrivate", edPrivate), QString());

    TabCtrlMsgEdit = new QWidget(SplitterV);
    TabCtrlMsgEdit->setObjectName(QStringLiteral("TabCtrlMsgEdit"));
    // The splitter's limit until UpdateEditorMinHeight knows the font; without it the
    // editor's own minimum would keep a restored editor height from being restored.
    TabCtrlMsgEdit->setMinimumHeight(70);
    auto* editorArea = new QVBoxLayout(TabCtrlMsgEdit);
    editorArea->setContentsMargins(0, 2, 0, 0);
    editorArea->setSpacing(2);
    auto* bar = new QWidget(TabCtrlMsgEdit);
    bar->setObjectName(QStringLiteral("PanelCtrlBar"));
    bar->setFixedHeight(29);
    auto* barLayout = new QHBoxLayout(bar);
    barLayout->setContentsMargins(0, 0, 0, 0);
    ToolBarMain = new QToolBar(bar);
    ToolBarMain->setObjectName(QStringLiteral("ToolBarMain"));
    ToolBarMain->setIconSize(QSize(16, 16));
    btSend = new QPushButton(bar);
    btSend->setObjectName(QStringLiteral("btSend"));
    btSend->setFixedWidth(124);
    barLayout->addWidget(ToolBarMain, 1);
    barLayout->addWidget(btSend);
    editorArea->addWidget(bar);
    edMsg = new QPlainTextEdit(TabCtrlMsgEdit);
    edMsg->setObjectName(QStringLiteral("edMsg"));
    editorArea->addWidget(edMsg, 1);
    SplitterV->addWidget(PageCtrlMessages);
    SplitterV->addWidget(TabCtrlMsgEdit);
    SplitterV->setStretchFactor(0, 1);
    SplitterV->setStretchFactor(1, 0);

    PanelClients = new QWidget(SplitterH);
    PanelClients->setObjectName(QStringLiteral("PanelClients"));
    auto* clients = new QVBoxLayout(PanelClients);
    clients->setContentsMargins(0, 0, 0, 0);
    lvClients = new TContactView(PanelClients);
    sbUnhideCL = new QToolButton(PanelClients);
    sbUnhideCL->setObjectName(QStringLiteral("sbUnhideCL"));
    sbUnhideCL->setAutoRaise(true);
    sbUnhideCL->setIcon(UnhideGlyph());
    sbUnhideCL->setCursor(Qt::PointingHandCursor);
    sbUnhideCL->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    sbUnhideCL->hide();
    clients->addWidget(lvClients);
    clients->addWidget(sbUnhideCL);
    // The pane may shrink to the strip of the unhide button; the list has no width of its own.
    lvClients->setMinimumWidth(0);
    PanelClients->setMinimumWidth(CollapsedPaneWidth);
    sbUnhideCL->setMinimumWidth(0);
    SplitterH->addWidget(PanelMessages);
    SplitterH->addWidget(PanelClients);
    SplitterH->setStretchFactor(0, 1);
    SplitterH->setStretchFactor(1, 0);
}

void TMainForm::CreateToolBar()
{
    auto button = [this](const char* name, int glyph) {
        auto* b = new QToolButton(ToolBarMain);
        b->setObjectName(QString::fromLatin1(name));
        b->setIcon(MenuGlyph(glyph));
        b->setAutoRaise(true);
        b->setFixedSize(25, 24);
        ToolBarMain->addWidget(b);
        return b;
    };
    button("btEmoticons", 16);
    ToolBarMain->addSeparator();
    button("btFontSizeMinus", 4);
    button("btFontSizePlus", 5);
    ToolBarMain->addSeparator();
    button("btColor", 9)->setPopupMode(QToolButton::InstantPopup);
    button("btFont", 10);
    ToolBarMain->addSeparator();
    button("btPreferences", 13);
}

void TMainForm::CreateStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName(QStringLiteral("StatusBar"));
    bar->setSizeGripEnabled(true);
    for (int i = 0; i < 5; ++i) {
        auto* panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusPanel%1").arg(i));
        panel->setMinimumWidth(StatusPanelWidths[i]);
        panel->setAlignment((i == 1 || i == 2 ? Qt::AlignHCenter : Qt::AlignLeft) |
                            Qt::AlignVCenter);
        panel->setTextFormat(Qt::PlainText);
        bar->addWidget(panel, i == 4 ? 1 : 0);
        StatusPanels[i] = panel;
    }
    FStatusHints = new TStatusBarHints(*bar, StatusPanels, FLang);
}

void TMainForm::FormCreate()
{
    InitAppFolder();
    FConfig.OpenRegistryKey(QString::fromLatin1(TConfig::KeyPath));
    FConfig.LoadAll();
    for (const QString& problem : FConfig.Problems())
        qWarning("%s", qPrintable(problem));
    FillDefaultSoundFiles(FConfig, AppFolder);
    FLang.SetAppFolder([] { return AppFolder; });
    FLang.LoadLanguage(FConfig.GetStr(language_file_name));
    // Emptied so that the first ApplyLanguage, once every window exists, sets every text.
    FConfig.SetStr(language_file_name, QString());

    FEmoticons = std::make_unique<TEmoticonStorage>();
    FConsoles = std::make_unique<TConsoleWriter>(*FEmoticons);
    FConsoles->SetConsoleParams(1024, 50, 0x808080, 0x008000, 0xFF00FF, 0x0000FF);
    FAutoScroll = new TConsoleAutoScroll(this);
    FAutoScroll->Watch(*edGeneral);
    FAutoScroll->Watch(*edPrivate);

    FHost = std::make_unique<TDesktopHost>(*this, FConfig, FLog);
    FEngine = std::make_unique<TChatEngine>(*FHost, FConfig, FLang);
    FHost->AttachEngine(*FEngine);
    FHost->CoveredTest = [this] { return ::IsWindowCovered(*this); };

    FChatCore = std::make_unique<TChatCore>(FConfig);
    FChatCore->PageControl = PageCtrlMessages;
    FChatCore->Editor = edMsg;
    FChatCore->OnSendConference = [this](TChatCore&) { FEngine->SendConferenceCommand(); };
    FChatCore->OnSendPrivate = [this](TChatCore&) { FEngine->SendPrivateCommand(); };
    LimitEditorLength(*edMsg);
    FChatCore->Initialize();

    new TCaretRest(this);
    FTray = new TTrayIcon(*this);
    FTray->StopAnimation();
    FHost->OnStartTrayAnimation = [this] { FTray->StartAnimation(); };
    FPopup = std::make_unique<TFormPopupMsg>();
    FPopup->SetOnClick([this](TChatView page) {
        TrayIconClick(Qt::LeftButton, page == TChatView::Private ? 10000 : 5000);
    });

    FNameEdit = new TFormNameEdit(FConfig, this);
    FNameEdit->SetFileChooser(
        [this](const QString& current) { return SelectFile(current, FNameEdit); });
    FNameEdit->SetOnNickChange([this](const QString& nick) { SetStatusText(4, nick); });
    FHost->RegistrationDialog = [this](bool changeUserMode) {
        return FNameEdit->Execute(changeUserMode);
    };

    FFont = std::make_unique<TMessageFont>(*edMsg, *edGeneral, *edPrivate, FConfig);
    FFont->IncreaseCommands = {FindAction(*this, "miFontSizePlus"),
                               findChild<QToolButton*>(QStringLiteral("btFontSizePlus"))};
    FFont->DecreaseCommands = {FindAction(*this, "miFontSizeMinus"),
                               findChild<QToolButton*>(QStringLiteral("btFontSizeMinus"))};
    FFont->OnUpdateEditorMinHeight = [this] { UpdateEditorMinHeight(); };

    TContactList& contacts = FEngine->Contacts();
    contacts.OnAddressContact = [this](const QByteArray& nick) {
        InsertAddressee(*edMsg, FromAnsi(nick), [this](const QString& n) {
            return FEngine->Contacts().Find(ToAnsi(n)) != nullptr;
        });
        edMsg->setFocus();
    };
    contacts.OnQuoteContact = [this](const QByteArray& nick) {
        InsertQuotedText(*edMsg, FromAnsi(nick));
        edMsg->setFocus();
    };
    lvClients->SetContactList(&contacts);
    contacts.AttachView(lvClients);

    FLinkClick = new TConsoleLinkClick(
        *edMsg, [this](const QString& nick) { return FEngine->Contacts().Find(ToAnsi(nick)); }, {},
        this);
    for (QTextEdit* view : {edGeneral, edPrivate}) {
        TRichEditMouse* mouse = TRichEditMouse::Watch(*view);
        connect(mouse, &TRichEditMouse::LinkClicked, FLinkClick,
                &TConsoleLinkClick::ConsoleURLClick);
        connect(mouse, &TRichEditMouse::MouseUp, this,
                [this](Qt::MouseButton button, const QPoint& at) {
                    RichEditMouseUp(*FindMenu(*this, "PopupMenuEditors"), button, at);
                });
    }

    FLog.SetOnFirstWrite([this](TChatLog&) {
        UpdateOpenHistoryItem(*FindAction(*this, "miOpenHistory"),
                              FConfig.GetStr(history_file_name));
    });
    FFocusedTextArea = edMsg;
    // The port is read once: a changed port takes effect at the next start. A socket left open
    // by an earlier window of this process is closed, not forgotten with its descriptor.
    int closeError = 0;
    ChatEndpoint().Close(closeError);
    ChatEndpoint().SetChatPort(static_cast<quint16>(FConfig.GetInt(udp_port)));
    FEngine->FormCreate();
    ApplySettings();
    ::RestoreWindowPlacement(*this, FConfig);
}

void TMainForm::FormDestroy()
{
    if (!FEngine)
        return;
    FHost->StopReceiveThread();
    FEngine->FormDestroy();
    SaveFontSettings();
    FConfig.SaveAll();
    FLog.SetOnFirstWrite(nullptr);
}

TFormParams& TMainForm::Params()
{
    // Made at its first use: a start that never opens the preferences does not pay for
    // their eight pages.
    if (!FParams)
        FParams = new TFormParams(FConfig, FLang, this);
    return *FParams;
}

QTextEdit& TMainForm::Console(TChatView view) const
{
    return view == TChatView::Private ? *edPrivate : *edGeneral;
}

bool TMainForm::AutoScroll() const
{
    return FAutoScroll->AutoScroll();
}

void TMainForm::SetStatusText(int panel, const QString& text)
{
    if (panel >= 0 && panel < int(StatusPanels.size()))
        StatusPanels[panel]->setText(text);
}
