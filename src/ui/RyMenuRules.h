#pragma once

#include <QColor>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

class QKeySequence;

// The numbers of the owner-drawn menus, apart from any painting: the colours, the sizes of
// the items, the strip of the glyphs and the two small glyphs of a checked item without a
// picture of its own.

// The colour moved percent per cent of the way to white, each channel rounded to the
// nearest whole number and a half to the even neighbour.
QColor LightenColor(const QColor& color, int percent);

// What an item's measure depends on. ImageSize is the size of the menu's pictures when the
// menu has any (an empty size when it has none).
struct TMenuItemMetrics {
    int TextWidth = 0;    // the caption followed by the shortcut's text
    int LetterHeight = 0; // the height of "W" in the menu font
    QSize ImageSize;      // empty: the menu has no pictures
    bool Separator = false;
    int MinWidth = 0;
    int MinHeight = 18;
};

QSize MeasureMenuItem(const TMenuItemMetrics& item);

// The width of the strip at the left of a pop-up item where its glyph or check mark stands.
// itemHeight is the height of the item's rectangle.
int MenuGutterWidth(const TMenuItemMetrics& item, int itemHeight);

// A checked item with no picture of its own shows one of these glyphs, 12 x 12, black
// points on white, in a 20 x 20 square.
inline constexpr int MenuGlyphSize = 12;
inline constexpr int MenuCheckBoxSize = 20;
const QList<QPoint>& CheckMarkGlyphPixels();
const QList<QPoint>& RadioGlyphPixels();

// An item's rectangle as the menus measure it: right and bottom lie just outside.
struct TMenuRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    bool operator==(const TMenuRect&) const = default;
};
TMenuRect ToMenuRect(const QRect& rect);
QRect ToQRect(const TMenuRect& rect);

// The square of the check mark, centred in the gutter, and the glyph's top left corner in
// it, for an item of gutter width gutter.
TMenuRect MenuCheckBox(const TMenuRect& item, int gutter);
QPoint MenuCheckGlyphOrigin(const TMenuRect& item, int gutter);
// The field behind a checked item's own picture: rounded for a radio item.
TMenuRect MenuCheckedGlyphField(const TMenuRect& item, int gutter);

// The number of an item: the colour items of the choice are 100 ... 110 and "<more...>"
// 111; every other item is below 100.
inline constexpr int ColorItemFirstTag = 100;
inline constexpr int ColorItemMoreTag = 111;

struct TMenuCaptionStyle {
    QColor Color;
    bool Bold = false;
    // The colour is the desktop's colour of menu texts, not Color.
    bool MenuText = false;
};

// How an item's caption is written, by its number.
TMenuCaptionStyle MenuCaptionStyle(int tag, bool enabled, bool defaultItem);

// The text of a shortcut as the menus show it: "Pause" for the Pause key.
QString MenuShortcutText(const QKeySequence& shortcut);
