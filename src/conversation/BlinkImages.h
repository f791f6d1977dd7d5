#pragma once

#include <QIcon>
#include <QImage>

// The two 16 x 16 pictures a blinking tab alternates between: a speech bubble, bright
// (index 0) and pale (index 1). Drawn here, so that no picture file is needed.
inline constexpr int BlinkImageSize = 16;
inline constexpr int BlinkImageCount = 2;

// The picture of index 0 or 1; any other index gives a null image.
QImage BlinkImage(int index);
// The tab icon of an image index; -1 (and any index without a picture) gives no icon.
QIcon BlinkIcon(int index);
