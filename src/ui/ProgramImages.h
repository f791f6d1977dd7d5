#pragma once

#include <QIcon>

// The program's own pictures, from the resources built out of assets/.
// Glyph of MenuImages by its index (0 antiboss ... 16 emoticons); a null icon outside.
QIcon MenuGlyph(int index);
// ImageListGender: the seven contact images of TContactList::ContactImageIndex.
QIcon ContactImage(int index);
// The application's icon; with a message waiting, the tray's attention form of it.
QIcon AppIcon(bool messageWaiting = false);
// The glyph of sbUnhideCL.
QIcon UnhideGlyph();
// The About box's logo, 255 x 86, on transparent.
QIcon TrademarkImage();
