#include "conversation/BlinkImages.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {
struct TBubbleShade {
    QColor Fill;
    QColor Outline;
};

// The bright bubble draws the eye; the pale one stays visible, so that the tab's caption
// does not jump sideways while it blinks.
const TBubbleShade Shades[BlinkImageCount] = {
    {QColor(0xff, 0x8c, 0x1a), QColor(0xb3, 0x50, 0x00)},
    {QColor(0xff, 0xe0, 0xb8), QColor(0xd9, 0xa0, 0x6c)},
};

QPainterPath BubblePath()
{
    QPainterPath path;
    path.addRoundedRect(QRectF(1.5, 1.5, 13, 9.5), 3, 3);
    QPainterPath tail;
    tail.moveTo(4, 10);
    tail.lineTo(3.5, 14.5);
    tail.lineTo(8.5, 10);
    tail.closeSubpath();
    return path.united(tail);
}
} // namespace

QImage BlinkImage(int index)
{
    if (index < 0 || index >= BlinkImageCount)
        return {};
    QImage image(BlinkImageSize, BlinkImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Shades[index].Outline, 1));
    painter.setBrush(Shades[index].Fill);
    painter.drawPath(BubblePath());
    // Three dots of text in the bubble.
    painter.setPen(Qt::NoPen);
    painter.setBrush(Shades[index].Outline);
    for (int dot = 0; dot < 3; ++dot)
        painter.drawEllipse(QPointF(5 + dot * 3, 6.25), 1, 1);
    return image;
}

QIcon BlinkIcon(int index)
{
    const QImage image = BlinkImage(index);
    return image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(image));
}
