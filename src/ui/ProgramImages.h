#pragma once

#include <QIcon>

// The program's own pictures, from the resources built out of assets/.
// Glyph of MenuImages by its index (0 antiboss ... 16 emoticons); a null icon outside.
QIcon MenuGlyph(int index);
// ImageListGender: the seven contact images of TContactList::ContactImageIndex.
QIcon ContactImage(int index);
QIcon AppIcon();
// The glyph of sbUnhideCL.
QIcon UnhideGlyph();
