#include "desktop/StickerRules.h"

#include <cstdlib>

namespace {
bool Near(int a, int b, int threshold)
{
    return std::abs(a - b) <= threshold;
}
} // namespace

QPoint SnapWindowPos(const QRect& proposed, QSize currentSize, const QRect& workArea,
                     const TStickerRules& rules)
{
    int x = proposed.x();
    int y = proposed.y();
    const int width = proposed.width();
    const int height = proposed.height();
    const int left = workArea.x();
    const int top = workArea.y();
    const int right = workArea.x() + workArea.width();
    const int bottom = workArea.y() + workArea.height();
    const int threshold = rules.SnapThreshold;

    if (rules.SnapEnabled && proposed.size() == currentSize) {
        if (Near(x, left, threshold))
            x = left;
        if (Near(x + width, right, threshold))
            x = right - width;
        if (Near(y, top, threshold))
            y = top;
        if (Near(y + height, bottom, threshold))
            y = bottom - height;
    }
    if (rules.MoveInsideDesktop) {
        if (x < left)
            x = left;
        if (x + width > right)
            x = right - width;
        if (y < top)
            y = top;
        if (y + height > bottom)
            y = bottom - height;
    }
    return {x, y};
}

QRect FitRectToWorkArea(const QRect& window, const QRect& workArea, const TStickerRules& rules)
{
    QRect fitted = window;
    const int threshold = rules.SnapThreshold;
    if (rules.MoveInsideDesktop) {
        if (fitted.width() > workArea.width())
            fitted.setWidth(workArea.width());
        if (fitted.height() > workArea.height())
            fitted.setHeight(workArea.height());
    }
    if (rules.SnapEnabled) {
        if (Near(fitted.width(), workArea.width(), threshold))
            fitted.setWidth(workArea.width());
        if (Near(fitted.height(), workArea.height(), threshold))
            fitted.setHeight(workArea.height());
        if (Near(fitted.x(), workArea.x(), threshold))
            fitted.moveLeft(workArea.x());
        if (Near(fitted.y(), workArea.y(), threshold))
            fitted.moveTop(workArea.y());
        const int right = workArea.x() + workArea.width();
        const int bottom = workArea.y() + workArea.height();
        if (Near(fitted.x() + fitted.width(), right, threshold))
            fitted.moveLeft(right - fitted.width());
        if (Near(fitted.y() + fitted.height(), bottom, threshold))
            fitted.moveTop(bottom - fitted.height());
    }
    return fitted;
}

QRect SettleWindowRect(const QRect& window, QSize sizeBefore, const QRect& workArea,
                       const TStickerRules& rules)
{
    QRect moved = window;
    moved.moveTopLeft(SnapWindowPos(window, sizeBefore, workArea, rules));
    QRect fitted = FitRectToWorkArea(moved, workArea, rules);
    if (fitted != moved)
        fitted.moveTopLeft(SnapWindowPos(fitted, moved.size(), workArea, rules));
    return fitted;
}
