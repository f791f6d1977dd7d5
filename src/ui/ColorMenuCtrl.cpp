#include "ui/ColorMenuCtrl.h"

#include "conversation/ColorTable.h"
#include "lang/Lang.h"
#include "lang/LngDefId.h"
#include "ui/RyMenuRules.h"
#include "ui/RyMenus.h"

#include <QAction>
#include <QActionGroup>
#include <QColorDialog>
#include <QMenu>
#include <QToolButton>

TColorMenuCtrl::TColorMenuCtrl(const TLangControl& lang, QObject* parent)
    : QObject(parent), FLang(lang)
{
}

void TColorMenuCtrl::Build()
{
    if (!OnColorChosen || !Menu || !MenuItem)
        return;
    for (QMenu* list : {Menu, MenuItem}) {
        list->clear();
        qDeleteAll(list->findChildren<QActionGroup*>(QString(), Qt::FindDirectChildrenOnly));
        Fill(*list);
        connect(list, &QMenu::aboutToShow, this, &TColorMenuCtrl::PopupMenuColorPopup,
                Qt::UniqueConnection);
    }
    // The drop-down has no pictures: its items are laid out around their check marks only.
    AppMenuPainter().Attach(Menu, nullptr, false);
    if (Button) {
        Button->setMenu(Menu);
        Button->setPopupMode(QToolButton::InstantPopup);
    }
    UpdateCaptions();
}

void TColorMenuCtrl::Fill(QMenu& list)
{
    auto* group = new QActionGroup(&list);
    const auto radio = [&](int tag) {
        QAction* item = list.addAction(QString());
        item->setCheckable(true);
        SetMenuItemTag(*item, tag);
        group->addAction(item);
        connect(item, &QAction::triggered, this, [this, item] { ItemClick(*item); });
    };
    for (int i = 0; i < ColorTableCount; ++i)
        radio(ColorItemFirstTag + i);
    QAction* separator = list.addSeparator();
    separator->setText(QStringLiteral("-"));
    separator->setEnabled(false);
    SetMenuItemTag(*separator, 0);
    radio(ColorItemMoreTag);
}

void TColorMenuCtrl::UpdateCaptions()
{
    for (QMenu* list : {Menu, MenuItem}) {
        if (!list)
            continue;
        for (QAction* item : list->actions()) {
            const int tag = MenuItemTag(*item);
            if (tag >= ColorItemFirstTag && tag < ColorItemFirstTag + ColorTableCount)
                item->setText(FLang.GetString(ColorTable()[tag - ColorItemFirstTag].CaptionId));
            else if (tag == ColorItemMoreTag)
                item->setText(FLang.GetString(sidColorMore));
        }
    }
}

void TColorMenuCtrl::ItemClick(const QAction& item)
{
    const int tag = MenuItemTag(item);
    if (tag >= ColorItemFirstTag && tag < ColorItemFirstTag + ColorTableCount) {
        Color = ColorTable()[tag - ColorItemFirstTag].Value;
    } else if (tag == ColorItemMoreTag) {
        // From the colour in use: a cancelled dialog then leaves the user's colour as it is,
        // even before anything was chosen in this run.
        if (CurrentColor)
            Color = CurrentColor();
        if (const std::optional<std::uint32_t> chosen = AskColor(Color))
            Color = *chosen;
    } else {
        return;
    }
    if (OnColorChosen)
        OnColorChosen();
}

std::optional<std::uint32_t> TColorMenuCtrl::AskColor(std::uint32_t initial) const
{
    if (ColorDialog)
        return ColorDialog(initial);
    const QColor chosen = QColorDialog::getColor(ColorFromValue(initial), DialogParent);
    if (!chosen.isValid())
        return std::nullopt;
    return ColorValue(chosen);
}

void TColorMenuCtrl::MarkColor(std::uint32_t color)
{
    const int index = ColorMenuIndexOf(color);
    const int wanted = index < ColorTableCount ? ColorItemFirstTag + index : ColorItemMoreTag;
    for (QMenu* list : {Menu, MenuItem})
        if (list)
            for (QAction* item : list->actions())
                if (!item->isSeparator() && MenuItemTag(*item) == wanted)
                    item->setChecked(true);
}

void TColorMenuCtrl::PopupMenuColorPopup()
{
    if (CurrentColor)
        MarkColor(CurrentColor());
}
