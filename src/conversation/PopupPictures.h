#pragma once

#include <QColor>
#include <QPixmap>

// The popup's two pictures, drawn here rather than shipped, so that they stay sharp at any
// device pixel ratio. Sizes are in logical pixels.

inline constexpr int LetterPictureSize = 32;
inline constexpr int CloseCrossSize = 10;

// A closed envelope in the program's blue, for the corner of the popup.
QPixmap LetterPicture(qreal devicePixelRatio);

// The small cross of the close button, in the given colour.
QPixmap CloseCrossPicture(qreal devicePixelRatio, const QColor& color);
