#include "conversation/ChCore.h"

#include "config/Config.h"
#include "config/DefConfig.h"
#include "conversation/BlinkImages.h"
#include "conversation/EditorWidget.h"
#include "conversation/KeyPressFilter.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <cstdint>
#include <limits>

namespace {
constexpr int ConferencePage = 0;
constexpr int PrivatePage = 1;

bool IsReturn(int key)
{
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}
} // namespace

TChatCore::TChatCore(const TConfig& config) : FConfig(config) {}

TChatCore::~TChatCore()
{
    Unhook();
}

void TChatCore::Initialize()
{
    Unhook();
    for (TTabState& tab : FTabs)
        tab = TTabState();
    if (Editor) {
        Editor->clear();
        FKeyFilter = new TKeyPressFilter(*Editor, [this](QKeyEvent& event) {
            int key = event.key();
            const Qt::KeyboardModifiers shift = event.modifiers();
            EditorKeyDown(key, shift);
            if (key == 0)
                return true;
            // The editor itself makes nothing of Ctrl+Return.
            if (IsReturn(key) && (shift & Qt::ControlModifier) && ReturnMakesLineBreak(shift)) {
                Editor->insertPlainText(QStringLiteral("\n"));
                return true;
            }
            return false;
        });
    }
    FEditorPage = ActivePage();
    QObject* owner = PageControl ? static_cast<QObject*>(PageControl.data()) : Editor.data();
    if (!owner)
        return;
    FBlinkTimer = new QTimer(owner);
    FBlinkTimer->setInterval(BlinkIntervalMs);
    QObject::connect(FBlinkTimer, &QTimer::timeout, FBlinkTimer, [this] { BlinkTick(); });
    if (PageControl) {
        PageControl->setIconSize(QSize(BlinkImageSize, BlinkImageSize));
        QObject::connect(PageControl, &QTabWidget::currentChanged, FBlinkTimer,
                         [this] { PageChanged(); });
        SetTabImage(ConferencePage, NoImage);
        SetTabImage(PrivatePage, NoImage);
    }
    FBlinkTimer->start();
}

void TChatCore::PageChanged()
{
    const int page = ActivePage();
    if (Editor && page != FEditorPage) {
        FTabs[FEditorPage].Edit = ReadEditorText(*Editor);
        LoadEditorText(*Editor, FTabs[page].Edit);
    }
    FEditorPage = page;
    FTabs[page].Blinking = false;
    SetTabImage(page, NoImage);
    if (Editor)
        Editor->setFocus();
}

void TChatCore::EditorKeyDown(int& key, Qt::KeyboardModifiers shift)
{
    const bool ctrl = shift.testFlag(Qt::ControlModifier);
    bool send = false;
    switch (FConfig.GetInt(send_key)) {
    case SendByCtrlReturn:
        send = IsReturn(key) && ctrl;
        break;
    case SendByReturn:
        send = IsReturn(key) && !ctrl;
        break;
    case SendByCtrlKey:
        send = key == Qt::Key_Control;
        break;
    default:
        break;
    }
    if (!send)
        return;
    SendCurrentPage();
    key = 0;
}

bool TChatCore::ReturnMakesLineBreak(Qt::KeyboardModifiers shift) const
{
    const int sendKey = FConfig.GetInt(send_key);
    if (shift.testFlag(Qt::ControlModifier))
        return sendKey != SendByCtrlReturn;
    return sendKey != SendByReturn;
}

void TChatCore::SendCurrentPage()
{
    const TSendAction& action = ActivePage() == PrivatePage ? OnSendPrivate : OnSendConference;
    if (action)
        action(*this);
}

void TChatCore::StartConferenceBlink()
{
    StartBlink(ConferencePage);
}

void TChatCore::StartPrivateBlink()
{
    StartBlink(PrivatePage);
}

void TChatCore::BlinkTick()
{
    StepTab(ConferencePage);
    StepTab(PrivatePage);
}

int TChatCore::TabImageIndex(int page) const
{
    return page == ConferencePage || page == PrivatePage ? FTabs[page].Image : NoImage;
}

int TChatCore::ActivePage() const
{
    return PageControl && PageControl->currentIndex() > 0 ? PrivatePage : ConferencePage;
}

void TChatCore::StartBlink(int page)
{
    if (!FConfig.GetBool(blink_inactive_tab_on_msg) || ActivePage() == page)
        return;
    // Two steps a second; a count below 0 never runs out, like 0.
    const std::int64_t ticks = std::int64_t(FConfig.GetInt(blink_tab_count)) * 2;
    FTabs[page].Blinking = true;
    FTabs[page].Ticks = static_cast<int>(std::clamp<std::int64_t>(
        ticks, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

void TChatCore::StepTab(int page)
{
    TTabState& tab = FTabs[page];
    if (!tab.Blinking) {
        if (tab.Image != NoImage)
            SetTabImage(page, NoImage);
        return;
    }
    if (tab.Image == NoImage) {
        SetTabImage(page, 0);
        return;
    }
    SetTabImage(page, 1 - tab.Image);
    if (tab.Ticks > 0 && --tab.Ticks == 0)
        tab.Blinking = false;
}

void TChatCore::SetTabImage(int page, int image)
{
    FTabs[page].Image = image;
    if (PageControl && page < PageControl->count())
        PageControl->setTabIcon(page, BlinkIcon(image));
}

void TChatCore::Unhook()
{
    delete FBlinkTimer.data();
    delete FKeyFilter.data();
}

TChatCore& AppChatCore()
{
    static TChatCore core(AppConfig());
    return core;
}
