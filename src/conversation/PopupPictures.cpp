#include "conversation/PopupPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {
QPixmap Canvas(int size, qreal dpr)
{
    QPixmap pixmap(QSize(size, size) * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    return pixmap;
}
} // namespace

QPixmap LetterPicture(qreal devicePixelRatio)
{
    QPixmap pixmap = Canvas(LetterPictureSize, devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);

    // The envelope keeps to the upper left of the square: the caption begins to its right
    // and the message text below it.
    const QRectF body(0.5, 2.5, 20, 14);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 36));
    p.drawRoundedRect(body.translated(0.5, 1), 2.5, 2.5);

    QLinearGradient fill(body.topLeft(), body.bottomLeft());
    fill.setColorAt(0, QColor(0x5B, 0x9B, 0xEA));
    fill.setColorAt(1, QColor(0x2C, 0x6C, 0xC4));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0x22, 0x58, 0xA5), 1));
    p.drawRoundedRect(body, 2.5, 2.5);

    // The folds towards the lower corners, and the flap.
    p.setPen(QPen(QColor(255, 255, 255, 110), 1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(2, 15), QPointF(7.5, 10));
    p.drawLine(QPointF(19, 15), QPointF(13.5, 10));
    QPainterPath flap;
    flap.moveTo(2, 4.5);
    flap.lineTo(10.5, 11);
    flap.lineTo(19, 4.5);
    p.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(flap);
    return pixmap;
}

QPixmap CloseCrossPicture(qreal devicePixelRatio, const QColor& color)
{
    QPixmap pixmap = Canvas(CloseCrossSize, devicePixelRatio);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(color, 1.6, Qt::SolidLine, Qt::RoundCap));
    const qreal a = 1.5;
    const qreal b = CloseCrossSize - 1.5;
    p.drawLine(QPointF(a, a), QPointF(b, b));
    p.drawLine(QPointF(a, b), QPointF(b, a));
    return pixmap;
}
