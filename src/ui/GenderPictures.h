#pragma once

#include <QPixmap>

// The 16 x 16 gender pictures, drawn here rather than shipped so that they stay sharp at any
// device pixel ratio. gender is the wire code: 0 male, 1 female, anything else undefined.
QPixmap GenderPicture(int gender, qreal devicePixelRatio);
