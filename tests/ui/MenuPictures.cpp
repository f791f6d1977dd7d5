#include "MenuPictures.h"

#include "ui/RyMenus.h"

#include <QApplication>
#include <QPainter>
#include <QPixmap>

#include <cstdlib>

QIcon Solid(const QColor& color, const QColor& disabled)
{
    QPixmap normal(16, 16);
    normal.fill(color);
    QIcon icon(normal);
    if (disabled.isValid()) {
        QPixmap off(16, 16);
        off.fill(disabled);
        icon.addPixmap(off, QIcon::Disabled);
    }
    return icon;
}

QStyleOptionMenuItem Item(const QString& text, QStyle::State state)
{
    QStyleOptionMenuItem option;
    option.rect = ItemRect;
    option.text = text;
    option.state = state;
    option.palette = QApplication::palette();
    option.menuItemType = QStyleOptionMenuItem::Normal;
    option.checkType = QStyleOptionMenuItem::NotCheckable;
    return option;
}

QImage Paint(const QStyleOptionMenuItem& option, bool barItem, const QAction* action,
             bool withImages)
{
    QImage image(ItemRect.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::magenta);
    QPainter painter(&image);
    AppMenuPainter().DrawItem(painter, option, action, barItem, withImages);
    return image;
}

QColor At(const QImage& image, int x, int y)
{
    return QColor(image.pixel(x, y));
}

QColor Role(QPalette::ColorRole role)
{
    return QColor(QApplication::palette().color(role).rgb());
}

namespace {

bool Near(const QColor& a, const QColor& b, int tolerance)
{
    return std::abs(a.red() - b.red()) <= tolerance &&
           std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

} // namespace

bool HasColor(const QImage& image, const QRect& area, const QColor& color, int tolerance)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (Near(At(image, x, y), color, tolerance))
                return true;
    return false;
}

QList<int> DarkColumns(const QImage& image, const QRect& area)
{
    QList<int> columns;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (qGray(image.pixel(x, y)) < 128) {
                columns << x;
                break;
            }
    return columns;
}
