#pragma once

#include <QObject>

#include <cstdint>
#include <functional>
#include <optional>

class QAction;
class QMenu;
class QToolButton;
class QWidget;
class TLangControl;

// "Color of my messages": the same choice in two lists, the drop-down menu of the tool
// button (Menu) and the submenu of the main menu's item (MenuItem). Eleven colours of the
// colour table as radio items numbered 100 ... 110, a disabled separator numbered 0, and
// "<more...>" numbered 111, which asks the colour dialog. What a chosen colour does is the
// owner's, in OnColorChosen.
class TColorMenuCtrl final : public QObject
{
    Q_OBJECT
public:
    // Picks a colour starting from initial; nothing when the user cancels.
    using TColorChooser = std::function<std::optional<std::uint32_t>(std::uint32_t initial)>;

    explicit TColorMenuCtrl(const TLangControl& lang, QObject* parent = nullptr);

    QToolButton* Button = nullptr;
    QMenu* Menu = nullptr;
    QMenu* MenuItem = nullptr;
    // Run after every choice, also after a cancelled dialog.
    std::function<void()> OnColorChosen;
    // The colour last chosen, 0x00BBGGRR.
    std::uint32_t Color = 0;
    // The colour in use (the message editor's), marked when a list opens; where it is set,
    // the colour dialog starts from it.
    std::function<std::uint32_t()> CurrentColor;
    // empty: the desktop's colour dialog, with the custom colours shown.
    TColorChooser ColorDialog;
    QWidget* DialogParent = nullptr;

    // Fills both lists and gives the button its drop-down; nothing unless OnColorChosen,
    // Menu and MenuItem are set.
    void Build();
    void UpdateCaptions();
    void ItemClick(const QAction& item);
    // Checks the colour's entry in both lists, "<more...>" for a colour not in the table.
    void MarkColor(std::uint32_t color);
    // A list opens: the colour in use is marked.
    void PopupMenuColorPopup();

private:
    void Fill(QMenu& list);
    std::optional<std::uint32_t> AskColor(std::uint32_t initial) const;

    const TLangControl& FLang;
};
