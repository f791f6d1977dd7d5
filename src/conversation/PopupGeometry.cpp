#include "conversation/PopupGeometry.h"

#include <QtGlobal>

int PopupHeightForText(int textHeight)
{
    const int h = qBound(PopupMinTextHeight, textHeight, PopupMaxTextHeight);
    return PopupTextTop + h + PopupTextLeft + 2;
}

QPoint PopupStartPos(const QRect& screen, const QRect& workArea, int height)
{
    return {screen.x() + screen.width() + 8, workArea.y() + workArea.height() - height};
}

int PopupTargetLeft(const QRect& workArea, int width)
{
    return workArea.x() + workArea.width() - width;
}

TPopupStep NextAppearStep(int left, int width, const QRect& workArea, bool animated)
{
    const int target = PopupTargetLeft(workArea, width);
    if (animated) {
        left -= PopupSlideStep;
        if (left > target)
            return {left, false};
    }
    return {target, true};
}

TPopupStep NextLeaveStep(int left, const QRect& screen, bool animated)
{
    if (animated) {
        left += PopupSlideStep;
        if (left < screen.x() + screen.width())
            return {left, false};
    }
    return {left, true};
}
