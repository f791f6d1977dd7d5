#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QProxyStyle>

class QAction;
class QMenu;
class QPainter;
class QStyleOptionMenuItem;
struct TMenuItemMetrics;
struct TMenuRect;

// The chat's own look of its menus: a grey gutter behind the glyphs and check marks, a
// light item background, a framed selection, a raised glyph with its shadow under the
// pointer and coloured captions for the colour choices. It is a style given to each menu
// (and the menu bar) it is attached to; everything else keeps the application's style.
//
// An item's number (its tag) tells the painter how to colour its caption; see
// MenuCaptionStyle. A menu attached with pictures lays its items out around the pictures'
// gutter even where an item has none, as the menus of the main window do.
class TRyMenu final : public QProxyStyle
{
    Q_OBJECT
public:
    TRyMenu();

    QFont MenuFont;
    QColor GutterColor;
    QColor ItemColor;
    QColor SelectedColor;
    QColor CheckedColor;
    QColor ShadowColor;
    int MinWidth = 0;
    int MinHeight = 18;
    // The size of the menus' pictures (MenuImages); their disabled forms are the icons'
    // disabled mode.
    QSize ImageSize{16, 16};

    // A menu (QMenu or QMenuBar) with all its submenus, or an item's submenu with all of
    // its own; either may be absent. withImages: the menu's items are laid out for pictures.
    void Attach(QWidget* menu, QAction* item = nullptr, bool withImages = true);
    void SetMenuFont(const QFont& font);

    // The measure of a pop-up item, from what the menu tells of it.
    QSize MeasureItem(const QStyleOptionMenuItem& option, const QWidget* menu) const;
    // Paints a pop-up or menu-bar item; the action is the item painted, when known.
    void DrawItem(QPainter& painter, const QStyleOptionMenuItem& option, const QAction* action,
                  bool barItem, bool withImages) const;

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                           const QWidget* widget) const override;
    int pixelMetric(PixelMetric metric, const QStyleOption* option = nullptr,
                    const QWidget* widget = nullptr) const override;

    // Made at start-up: black points on a clear ground.
    const QImage CheckMarkGlyph;
    const QImage RadioGlyph;

private:
    int EmptyAreaGutter(bool withImages) const;
    TMenuItemMetrics Metrics(const QStyleOptionMenuItem& option, bool withImages) const;
    void DrawBackground(QPainter& painter, const QStyleOptionMenuItem& option,
                        const TMenuRect& rect, int gutter, bool barItem) const;
    void DrawCheck(QPainter& painter, const QStyleOptionMenuItem& option, const TMenuRect& rect,
                   int gutter, bool hasGlyph) const;
    void DrawGlyph(QPainter& painter, const QStyleOptionMenuItem& option,
                   const TMenuRect& rect) const;
    void DrawCaption(QPainter& painter, const QStyleOptionMenuItem& option, const QAction* action,
                     const TMenuRect& rect, int gutter, bool barItem) const;
};

// The program's one menu painter, made with the application's colours at its first use.
TRyMenu& AppMenuPainter();

// The number of an item (0 unless set).
int MenuItemTag(const QAction& item);
void SetMenuItemTag(QAction& item, int tag);
// Whether a menu was attached with pictures.
bool MenuHasImages(const QWidget* menu);
