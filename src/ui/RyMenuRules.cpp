#include "ui/RyMenuRules.h"

#include "conversation/ColorTable.h"

#include <QKeySequence>

#include <algorithm>

namespace {

int LightenChannel(int c, int percent)
{
    const int scaled = (255 - c) * percent;
    int step = scaled / 100;
    const int rest = scaled % 100;
    if (rest > 50 || (rest == 50 && step % 2 != 0))
        ++step;
    return std::clamp(c + step, 0, 255);
}

// A separator is a thin line, or a wider gap between taller items.
int SeparatorHeight(int rowHeight)
{
    return rowHeight <= 20 ? 5 : 11;
}

} // namespace

QColor LightenColor(const QColor& color, int percent)
{
    const QColor rgb = color.toRgb();
    return QColor(LightenChannel(rgb.red(), percent), LightenChannel(rgb.green(), percent),
                  LightenChannel(rgb.blue(), percent));
}

QSize MeasureMenuItem(const TMenuItemMetrics& item)
{
    if (item.ImageSize.isEmpty()) {
        const int height = std::max(item.LetterHeight, item.MinHeight);
        return {std::max(item.TextWidth + 35, item.MinWidth),
                item.Separator ? SeparatorHeight(height) : height};
    }
    const int imageWidth = item.ImageSize.width();
    const int gutter = imageWidth > 7 ? imageWidth + 8 : 16;
    const int width = std::max(item.TextWidth + gutter + 15, item.MinWidth);
    if (item.Separator)
        return {width, SeparatorHeight(std::max(item.MinHeight, item.ImageSize.height()))};
    const int height =
        std::max(std::max(item.LetterHeight, item.ImageSize.height()) + 4, item.MinHeight);
    return {width, height};
}

int MenuGutterWidth(const TMenuItemMetrics& item, int itemHeight)
{
    if (!item.ImageSize.isEmpty())
        return item.ImageSize.width() + 9;
    if (item.Separator)
        return std::max(item.LetterHeight, item.MinHeight) + 4;
    return itemHeight + 4;
}

const QList<QPoint>& CheckMarkGlyphPixels()
{
    static const QList<QPoint> pixels = {
        {2, 6}, {3, 7}, {4, 8}, {5, 9}, {6, 8},  {7, 7},  {3, 6}, {4, 7}, {5, 8},
        {6, 7}, {7, 6}, {8, 5}, {9, 4}, {10, 3}, {11, 2}, {3, 5}, {4, 6}, {5, 7},
    };
    return pixels;
}

const QList<QPoint>& RadioGlyphPixels()
{
    static const QList<QPoint> pixels = {
        {3, 5}, {3, 6}, {4, 7}, {5, 8}, {6, 8}, {7, 7}, {8, 6}, {8, 5},
        {7, 4}, {6, 3}, {5, 3}, {4, 4}, {4, 5}, {4, 6}, {5, 7}, {6, 7},
        {7, 6}, {7, 5}, {6, 4}, {5, 4}, {5, 5}, {5, 6}, {6, 6}, {6, 5},
    };
    return pixels;
}

TMenuRect ToMenuRect(const QRect& rect)
{
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

QRect ToQRect(const TMenuRect& rect)
{
    return {rect.Left, rect.Top, rect.Right - rect.Left, rect.Bottom - rect.Top};
}

// Centred in the gutter of the item itself: an item that does not start at the menu's left
// edge (a menu with a frame) keeps its mark inside its own gutter.
TMenuRect MenuCheckBox(const TMenuRect& item, int gutter)
{
    const int x = item.Left + (gutter - 1) / 2;
    const int y = (item.Top + item.Bottom) / 2;
    const int half = MenuCheckBoxSize / 2;
    return {x - half, y - half, x + half, y + half};
}

QPoint MenuCheckGlyphOrigin(const TMenuRect& item, int gutter)
{
    return {item.Left + (gutter - 1 - MenuGlyphSize) / 2,
            (item.Top + item.Bottom - MenuGlyphSize) / 2};
}

TMenuRect MenuCheckedGlyphField(const TMenuRect& item, int gutter)
{
    return {item.Left + 2, item.Top, item.Left + gutter - 3, item.Bottom};
}

TMenuCaptionStyle MenuCaptionStyle(int tag, bool enabled, bool defaultItem)
{
    if (tag >= ColorItemFirstTag && tag < ColorItemFirstTag + ColorTableCount)
        return {ColorFromValue(ColorTable()[tag - ColorItemFirstTag].Value), true, false};
    if (tag == ColorItemMoreTag)
        return {QColor(), false, true};
    return {enabled ? QColor(Qt::black) : QColor(0x80, 0x80, 0x80), defaultItem, false};
}

QString MenuShortcutText(const QKeySequence& shortcut)
{
    if (shortcut.count() == 1 && shortcut[0] == QKeyCombination(Qt::Key_Pause))
        return QStringLiteral("Pause");
    return shortcut.toString(QKeySequence::NativeText);
}
