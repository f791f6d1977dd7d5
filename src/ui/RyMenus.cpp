#include "ui/RyMenus.h"

#include "ui/RyMenuRules.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QSet>
#include <QStyleOptionMenuItem>

#include <algorithm>

namespace {

const char TagProperty[] = "zelkitMenuTag";
const char ImagesProperty[] = "zelkitMenuImages";

// The desktop gives an owner-drawn item a check mark's width more than the item asks for;
// that is the gap between a caption and its shortcut, and the room of a submenu's arrow.
constexpr int ItemExtraWidth = 12;

QImage MakeGlyph(const QList<QPoint>& pixels)
{
    QImage glyph(MenuGlyphSize, MenuGlyphSize, QImage::Format_ARGB32_Premultiplied);
    glyph.fill(Qt::transparent);
    for (const QPoint& p : pixels)
        glyph.setPixel(p, qRgb(0, 0, 0));
    return glyph;
}

// A rectangle with a border of one pixel, the right and bottom edges outside.
void FillFramed(QPainter& painter, const TMenuRect& r, const QColor& border, const QColor& fill)
{
    const QRect outer = ToQRect(r);
    painter.fillRect(outer, border);
    painter.fillRect(outer.adjusted(1, 1, -1, -1), fill);
}

// The part of the text after a tab: the shortcut as the menu put it into the option.
QString ShortcutPart(const QString& text)
{
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    return tab < 0 ? QString() : text.mid(tab + 1);
}

QString CaptionPart(const QString& text)
{
    const qsizetype tab = text.indexOf(QLatin1Char('\t'));
    return tab < 0 ? text : text.left(tab);
}

// What QMenu adds to the widest item for the shortcuts, found the way QMenu finds it.
int ReservedShortcutWidth(const QMenu& menu)
{
    const QFontMetrics fm = menu.fontMetrics();
    int widest = 0;
    for (const QAction* a : menu.actions()) {
        if (!a->isVisible() || a->isSeparator())
            continue;
        const QString text = a->text();
        if (text.contains(QLatin1Char('\t')))
            widest = std::max(widest, fm.horizontalAdvance(ShortcutPart(text)));
        else if (a->isShortcutVisibleInContextMenu() && !a->shortcut().isEmpty())
            widest = std::max(
                widest, fm.horizontalAdvance(a->shortcut().toString(QKeySequence::NativeText)));
    }
    return widest;
}

const QAction* ItemAt(const QWidget* widget, const QRect& rect)
{
    if (const auto* menu = qobject_cast<const QMenu*>(widget))
        return menu->actionAt(rect.center());
    if (const auto* bar = qobject_cast<const QMenuBar*>(widget))
        return bar->actionAt(rect.center());
    return nullptr;
}

void DrawSubmenuArrow(QPainter& painter, const TMenuRect& r, const QColor& color)
{
    const qreal midY = (r.Top + r.Bottom) / 2.0;
    QPainterPath arrow;
    arrow.moveTo(r.Right - 12, midY - 4);
    arrow.lineTo(r.Right - 8, midY);
    arrow.lineTo(r.Right - 12, midY + 4);
    arrow.closeSubpath();
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillPath(arrow, color);
    painter.restore();
}

} // namespace

TRyMenu::TRyMenu()
    : CheckMarkGlyph(MakeGlyph(CheckMarkGlyphPixels())), RadioGlyph(MakeGlyph(RadioGlyphPixels()))
{
    const QPalette palette = QApplication::palette();
    MenuFont = QApplication::font("QMenu");
    GutterColor = palette.color(QPalette::Button);
    ItemColor = LightenColor(GutterColor, 85);
    const QColor highlight = palette.color(QPalette::Highlight);
    SelectedColor = LightenColor(highlight, 65);
    CheckedColor = LightenColor(highlight, 75);
    ShadowColor = LightenColor(highlight, 30);
}

void TRyMenu::Attach(QWidget* menu, QAction* item, bool withImages)
{
    QSet<QWidget*> seen;
    const auto attach = [&](auto& self, QWidget* w) -> void {
        if (!w || seen.contains(w))
            return;
        seen.insert(w);
        w->setStyle(this);
        w->setFont(MenuFont);
        w->setProperty(ImagesProperty, withImages);
        for (QAction* a : w->actions())
            self(self, a->menu());
    };
    attach(attach, menu);
    if (item)
        attach(attach, item->menu());
}

void TRyMenu::SetMenuFont(const QFont& font)
{
    MenuFont = font;
    for (QWidget* w : QApplication::allWidgets())
        if (w->style() == this)
            w->setFont(MenuFont);
}

TMenuItemMetrics TRyMenu::Metrics(const QStyleOptionMenuItem& option, bool withImages) const
{
    const QFontMetrics fm(MenuFont);
    TMenuItemMetrics m;
    const QString caption = CaptionPart(option.text);
    m.TextWidth = fm.size(Qt::TextSingleLine | Qt::TextShowMnemonic, caption).width() +
                  fm.horizontalAdvance(ShortcutPart(option.text));
    m.LetterHeight = fm.height();
    m.ImageSize = withImages ? ImageSize : QSize();
    m.Separator = option.menuItemType == QStyleOptionMenuItem::Separator;
    m.MinWidth = MinWidth;
    m.MinHeight = MinHeight;
    return m;
}

QSize TRyMenu::MeasureItem(const QStyleOptionMenuItem& option, const QWidget* menu) const
{
    return MeasureMenuItem(Metrics(option, MenuHasImages(menu)));
}

int TRyMenu::EmptyAreaGutter(bool withImages) const
{
    QStyleOptionMenuItem plain;
    plain.menuItemType = QStyleOptionMenuItem::Normal;
    const TMenuItemMetrics m = Metrics(plain, withImages);
    return MenuGutterWidth(m, MeasureMenuItem(m).height());
}

void TRyMenu::DrawItem(QPainter& painter, const QStyleOptionMenuItem& option, const QAction* action,
                       bool barItem, bool withImages) const
{
    painter.save();
    painter.setFont(MenuFont);
    const TMenuRect r = ToMenuRect(option.rect);
    const int gutter = MenuGutterWidth(Metrics(option, withImages), r.Bottom - r.Top);
    DrawBackground(painter, option, r, gutter, barItem);
    const bool hasGlyph = withImages && !option.icon.isNull();
    if (!barItem && option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked)
        DrawCheck(painter, option, r, gutter, hasGlyph);
    if (hasGlyph && !barItem)
        DrawGlyph(painter, option, r);
    DrawCaption(painter, option, action, r, gutter, barItem);
    painter.restore();
}

void TRyMenu::DrawBackground(QPainter& painter, const QStyleOptionMenuItem& option,
                             const TMenuRect& r, int gutter, bool barItem) const
{
    const bool enabled = option.state & State_Enabled;
    // On the bar the item of an open menu is the selected one; one only under the pointer
    // is hot.
    const bool selected = option.state & (barItem ? State_Sunken : State_Selected);
    const bool hot = barItem && (option.state & State_Selected) && !selected;
    if (selected && enabled)
        FillFramed(painter, r, Qt::black, SelectedColor);
    else if (!barItem) {
        painter.fillRect(QRect(r.Left, r.Top, gutter, r.Bottom - r.Top), GutterColor);
        painter.fillRect(QRect(r.Left + gutter, r.Top, r.Right - r.Left - gutter, r.Bottom - r.Top),
                         ItemColor);
    } else if (hot)
        FillFramed(painter, r, option.palette.color(QPalette::Dark), SelectedColor);
    else
        painter.fillRect(ToQRect(r), GutterColor);
}

void TRyMenu::DrawCheck(QPainter& painter, const QStyleOptionMenuItem& option, const TMenuRect& r,
                        int gutter, bool hasGlyph) const
{
    const bool radio = option.checkType == QStyleOptionMenuItem::Exclusive;
    if (hasGlyph) {
        const TMenuRect field = MenuCheckedGlyphField(r, gutter);
        if (!radio) {
            FillFramed(painter, field, Qt::black, CheckedColor);
            return;
        }
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(CheckedColor);
        painter.drawRoundedRect(QRectF(ToQRect(field)).adjusted(0.5, 0.5, -0.5, -0.5), 3, 3);
        painter.restore();
        return;
    }
    FillFramed(painter, MenuCheckBox(r, gutter), Qt::black, CheckedColor);
    painter.drawImage(MenuCheckGlyphOrigin(r, gutter), radio ? RadioGlyph : CheckMarkGlyph);
}

void TRyMenu::DrawGlyph(QPainter& painter, const QStyleOptionMenuItem& option,
                        const TMenuRect& r) const
{
    const int y0 = (r.Top + r.Bottom - ImageSize.height()) / 2;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    if (!(option.state & State_Enabled)) {
        painter.drawPixmap(r.Left + 4, y0, option.icon.pixmap(ImageSize, ratio, QIcon::Disabled));
        return;
    }
    const QPixmap image = option.icon.pixmap(ImageSize, ratio);
    if ((option.state & State_Selected) && !option.checked) {
        QImage shadow = image.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QPainter shape(&shadow);
        shape.setCompositionMode(QPainter::CompositionMode_SourceIn);
        shape.fillRect(shadow.rect(), ShadowColor);
        shape.end();
        painter.drawImage(QPoint(r.Left + 5, y0 + 1), shadow);
        painter.drawPixmap(r.Left + 3, y0 - 1, image);
        return;
    }
    painter.drawPixmap(r.Left + 4, y0, image);
}

void TRyMenu::DrawCaption(QPainter& painter, const QStyleOptionMenuItem& option,
                          const QAction* action, const TMenuRect& r, int gutter, bool barItem) const
{
    const int left = barItem ? r.Left : r.Left + gutter + 5;
    if (!barItem && option.menuItemType == QStyleOptionMenuItem::Separator) {
        painter.fillRect(QRect(left, (r.Top + r.Bottom) / 2, r.Right - left, 1),
                         option.palette.color(QPalette::Dark));
        return;
    }
    const TMenuCaptionStyle style =
        MenuCaptionStyle(action ? MenuItemTag(*action) : 0, option.state & State_Enabled,
                         option.menuItemType == QStyleOptionMenuItem::DefaultItem);
    const QColor color = style.MenuText ? option.palette.color(QPalette::WindowText) : style.Color;
    QFont font = MenuFont;
    font.setBold(style.Bold);
    painter.setFont(font);
    painter.setPen(color);
    const QFontMetrics fm(font);
    const QRect text(left, r.Top, r.Right - left, r.Bottom - r.Top);
    const int flags = Qt::TextSingleLine | Qt::TextShowMnemonic | Qt::AlignVCenter;
    const QString caption =
        fm.elidedText(CaptionPart(option.text), Qt::ElideRight, text.width(), Qt::TextShowMnemonic);
    painter.drawText(text, flags | (barItem ? Qt::AlignHCenter : Qt::AlignLeft), caption);
    if (barItem)
        return;
    QString shortcut = ShortcutPart(option.text);
    if (!shortcut.isEmpty() && action && !action->shortcut().isEmpty())
        shortcut = MenuShortcutText(action->shortcut());
    if (!shortcut.isEmpty())
        painter.drawText(text.adjusted(0, 0, -5, 0),
                         Qt::TextSingleLine | Qt::AlignVCenter | Qt::AlignRight, shortcut);
    if (option.menuItemType == QStyleOptionMenuItem::SubMenu)
        DrawSubmenuArrow(painter, r, color);
}

void TRyMenu::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                          const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    switch (element) {
    case CE_MenuItem:
    case CE_MenuBarItem:
        if (item) {
            DrawItem(*painter, *item, ItemAt(widget, item->rect), element == CE_MenuBarItem,
                     MenuHasImages(widget));
            return;
        }
        break;
    case CE_MenuEmptyArea: {
        painter->fillRect(option->rect, ItemColor);
        const int frame = pixelMetric(PM_MenuPanelWidth, option, widget);
        painter->fillRect(QRect(option->rect.left() + frame, option->rect.top(),
                                EmptyAreaGutter(MenuHasImages(widget)), option->rect.height()),
                          GutterColor);
        return;
    }
    case CE_MenuBarEmptyArea:
        painter->fillRect(option->rect, GutterColor);
        return;
    default:
        break;
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

void TRyMenu::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const
{
    switch (element) {
    case PE_PanelMenu:
        painter->fillRect(option->rect, ItemColor);
        return;
    case PE_FrameMenu: {
        const QRect r = option->rect;
        painter->save();
        painter->setPen(option->palette.color(QPalette::Dark));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(r.adjusted(0, 0, -1, -1));
        painter->restore();
        return;
    }
    case PE_PanelMenuBar:
        painter->fillRect(option->rect, GutterColor);
        return;
    default:
        break;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

QSize TRyMenu::sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                                const QWidget* widget) const
{
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    const auto* menu = qobject_cast<const QMenu*>(widget);
    if (type != CT_MenuItem || !item || !menu)
        return QProxyStyle::sizeFromContents(type, option, size, widget);
    // QMenu widens every item by its widest shortcut; taken off here, the widest item is
    // as wide as it measures.
    QSize measured = MeasureItem(*item, widget);
    measured.setWidth(
        std::max(1, measured.width() - ReservedShortcutWidth(*menu) + ItemExtraWidth));
    return measured;
}

int TRyMenu::pixelMetric(PixelMetric metric, const QStyleOption* option,
                         const QWidget* widget) const
{
    switch (metric) {
    case PM_MenuPanelWidth:
        return 1;
    case PM_MenuHMargin:
        return 0;
    case PM_MenuVMargin:
        return 2;
    case PM_MenuBarPanelWidth:
        return 0;
    default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
}

TRyMenu& AppMenuPainter()
{
    static QPointer<TRyMenu> painter;
    if (!painter) {
        painter = new TRyMenu;
        painter->setParent(qApp);
    }
    return *painter;
}

int MenuItemTag(const QAction& item)
{
    return item.property(TagProperty).toInt();
}

void SetMenuItemTag(QAction& item, int tag)
{
    item.setProperty(TagProperty, tag);
}

bool MenuHasImages(const QWidget* menu)
{
    return menu && menu->property(ImagesProperty).toBool();
}
