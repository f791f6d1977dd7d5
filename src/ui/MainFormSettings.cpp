// The main window's share of the settings and the texts: ApplySettings, ApplyLanguage, the
// message font, the state of the edit commands and the limits of the panes.
#include "ui/MainForm.h"

#include "config/Config.h"
#include "config/Utils.h"
#include "conversation/ChatLog.h"
#include "conversation/HistoryActions.h"
#include "conversation/MessageFont.h"
#include "desktop/HotKeyCode.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "net/BroadcastChoice.h"
#include "net/EnumNetworkItfs.h"
#include "net/NetProc.h"
#include "ui/AboutBox.h"
#include "ui/ColorMenuCtrl.h"
#include "ui/MainActions.h"
#include "ui/MainCaptions.h"
#include "ui/MainLayoutRules.h"
#include "ui/NameEdit.h"
#include "ui/Params.h"
#include "ui/StatusBarHints.h"
#include "ui/TrayIcon.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QFileInfo>
#include <QFontMetrics>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTextEdit>
#include <QToolBar>

namespace {

void Enable(const QObject& root, const char* name, bool on)
{
    if (QAction* a = FindAction(root, name))
        a->setEnabled(on);
}

} // namespace

void TMainForm::ApplyLanguage()
{
    const TLanguageFile* file = FLang.CurrentFile();
    const QString current = FLang.CurrentFileName();
    if (file && !current.isEmpty() &&
        FConfig.GetStr(language_file_name) == QFileInfo(current).fileName())
        return;
    ApplyMainCaptions(*this, FLang);
    if (ColorMenu)
        ColorMenu->UpdateCaptions();
    FNameEdit->ApplyLanguage();
    FStatusHints->ApplyLanguage();
    if (FParams)
        FParams->ApplyLanguage();
    if (auto* about = findChild<TFormAbout*>(QString(), Qt::FindDirectChildrenOnly))
        about->ApplyLanguage(FLang);
    SetStatusText(0, FLang.GetString(ChatStateTextId(FEngine->ChatState())));
    FConfig.SetStr(language_file_name,
                   current.isEmpty() ? QString() : QFileInfo(current).fileName());
}

void TMainForm::ApplySettings()
{
    const auto hotKey = static_cast<TShortCut>(FConfig.GetInt(hot_key));
    SetSysHotKey(hotKey);
    SetStatusText(1, IsSysHotKeyWorking() ? ShortCutToText(hotKey) : QString());
    const int sendKey = FConfig.GetInt(send_key);
    btSend->setToolTip(sendKey == 0 ? QStringLiteral("(Ctrl+Enter)") : QStringLiteral("(Enter)"));
    if (FConfig.GetBool(autorun_chat))
        SetAutorun();
    else
        RemoveAutorun();

    FTray->SetShown(FConfig.GetBool(show_tray_icon));
    SetSnapEnabled(FConfig.GetBool(snap_enabled));
    SetSnapThreshold(FConfig.GetInt(snap_threshold));
    SetMoveInsideDesktop(FConfig.GetBool(move_inside_desktop));

    const TBroadcastChoice destination =
        ChooseBroadcastAddress(FConfig.GetStr(broadcast_ip), AvailableNetInterfaces());
    FConfig.SetStr(broadcast_ip, destination.storedText);
    ChatEndpoint().SetBroadcastAddress(destination.address);

    UpdateOpenHistoryItem(*FindAction(*this, "miOpenHistory"), FConfig.GetStr(history_file_name));
    FLog.SetFileName(FConfig.GetStr(history_file_name));
    FLog.SetSizeLimitKB(FConfig.GetBool(history_limited)
                            ? static_cast<std::uint32_t>(FConfig.GetInt(history_fsize_limit))
                            : 0);
    FLog.SetEnabled(FConfig.GetBool(history_enabled));

    const bool antiboss = FConfig.GetBool(antiboss_enabled);
    Enable(*this, "miAntiboss", antiboss);
    Enable(*this, "mitrAntiboss", antiboss);
    if (QAction* a = FindAction(*this, "miAntiboss")) {
        static const Qt::Key keys[] = {Qt::Key_Escape, Qt::Key_F12, Qt::Key_Pause};
        const int which = FConfig.GetInt(antiboss_hotkey);
        if (!FConfig.GetBool(antiboss_hotkey_enabled))
            a->setShortcut({});
        else if (which >= 0 && which < 3)
            a->setShortcut(QKeySequence(keys[which]));
    }
    if (QAction* a = FindAction(*this, "miShowNic"))
        a->setChecked(FConfig.GetBool(show_nic_at_statusbar));
    const bool byGender = FConfig.GetBool(contact_list_sort_by_gender);
    for (const char* name : {"miSortByGender", "mipSortByGender"})
        if (QAction* a = FindAction(*this, name))
            a->setChecked(byGender);
    for (const char* name : {"miSortByNic", "mipSortByNic"})
        if (QAction* a = FindAction(*this, name))
            a->setChecked(!byGender);
    FFont->ApplyFontSettings();
}

void TMainForm::miPreferencesClick()
{
    if (!Params().Execute())
        return;
    ApplyLanguage();
    ApplySettings();
}

void TMainForm::SaveFontSettings()
{
    FFont->SaveFontSettings();
}

void TMainForm::UpdateEditCommands()
{
    for (const char* name : {"miSelectAll", "miCut", "miCopy", "miPaste"})
        Enable(*this, name, false);
    QWidget* focus = QApplication::focusWidget();
    QWidget* areas[] = {edMsg, edGeneral, edPrivate};
    QWidget* focused = nullptr;
    for (QWidget* w : areas)
        if (w == focus)
            focused = w;
    FFocusedTextArea = focused ? focused : edMsg;
    if (focused) {
        const bool isEditor = focused == edMsg;
        const bool selection = isEditor
                                   ? edMsg->textCursor().hasSelection()
                                   : static_cast<QTextEdit*>(focused)->textCursor().hasSelection();
        const bool empty = isEditor ? edMsg->document()->isEmpty()
                                    : static_cast<QTextEdit*>(focused)->document()->isEmpty();
        Enable(*this, "miCopy", selection);
        Enable(*this, "miCut", selection && isEditor);
        const QMimeData* clip = QApplication::clipboard()->mimeData();
        Enable(*this, "miPaste", isEditor && clip && clip->hasText());
        Enable(*this, "miSelectAll", !empty);
    }
    for (const auto& [popup, twin] : {std::pair{"mipCut", "miCut"},
                                      {"mipCopy", "miCopy"},
                                      {"mipPaste", "miPaste"},
                                      {"mipSelectAll", "miSelectAll"}})
        Enable(*this, popup, FindAction(*this, twin)->isEnabled());
}

QObject* TMainForm::FocusedTextArea() const
{
    return FFocusedTextArea;
}

void TMainForm::LayoutChanged()
{
    const QList<int> v = SplitterV->sizes();
    const int half = MaxEditorAreaHeight(PanelMessages->height());
    if (v.size() == 2 && v[1] > half)
        SplitterV->setSizes({v[0] + v[1] - half, half});
    const QList<int> h = SplitterH->sizes();
    const int widest = MaxContactPaneWidth(centralWidget()->width());
    if (h.size() == 2 && h[1] > widest)
        SplitterH->setSizes({h[0] + h[1] - widest, widest});
}

void TMainForm::UpdateEditorMinHeight()
{
    const QFontMetrics metrics(edMsg->font());
    const int frame = edMsg->height() - edMsg->viewport()->height();
    const int minimum = metrics.boundingRect(QStringLiteral("HIg")).height() + frame +
                        ToolBarMain->height() + 2 + 1;
    const bool atMinimum = TabCtrlMsgEdit->height() == TabCtrlMsgEdit->minimumHeight();
    const int oldEditorHeight = edMsg->height();
    TabCtrlMsgEdit->setMinimumHeight(minimum);
    const QList<int> v = SplitterV->sizes();
    if (v.size() == 2 && (v[1] < minimum || atMinimum))
        SplitterV->setSizes({v[0] + v[1] - minimum, minimum});
    // The font buttons sit above the editor, so a taller editor pushes them up under a
    // pointer that has just clicked one: the pointer follows, but only while it is over
    // this window, never a pointer the user has taken elsewhere.
    const int shift = oldEditorHeight - edMsg->height();
    const QPoint pointer = QCursor::pos();
    if (shift != 0 && isVisible() && frameGeometry().contains(pointer))
        QCursor::setPos(pointer.x(), pointer.y() + shift);
}
