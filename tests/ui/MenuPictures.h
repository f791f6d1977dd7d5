#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPalette>
#include <QRect>
#include <QStyle>
#include <QStyleOptionMenuItem>

class QAction;

// Helpers of the menu painter's tests: items painted into a picture and looked at pixel
// by pixel.

// The rectangle of one painted item.
inline const QRect ItemRect(0, 0, 160, 22);

// A 16 x 16 picture of one colour; with a disabled form of another where given.
QIcon Solid(const QColor& color, const QColor& disabled = QColor());
// An item of ItemRect as a menu describes it to its style.
QStyleOptionMenuItem Item(const QString& text, QStyle::State state = QStyle::State_Enabled);
// The item painted by AppMenuPainter on magenta.
QImage Paint(const QStyleOptionMenuItem& option, bool barItem, const QAction* action = nullptr,
             bool withImages = true);

QColor At(const QImage& image, int x, int y);
// A palette's colour as a picture holds it.
QColor Role(QPalette::ColorRole role);
// Whether the area holds a pixel within tolerance of color in each channel.
bool HasColor(const QImage& image, const QRect& area, const QColor& color, int tolerance = 40);
// The columns of the area that hold a pixel darker than half grey.
QList<int> DarkColumns(const QImage& image, const QRect& area);
