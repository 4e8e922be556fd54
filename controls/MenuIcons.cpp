#include "controls/MenuIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

QPolygonF Triangle(qreal x, qreal y, qreal w, qreal h, bool right)
{
    if (right)
        return QPolygonF({QPointF(x, y), QPointF(x + w, y + h / 2), QPointF(x, y + h)});
    return QPolygonF({QPointF(x + w, y), QPointF(x, y + h / 2), QPointF(x + w, y + h)});
}

void Draw(QPainter& p, const QString& name)
{
    const QColor ink(30, 60, 140);
    p.setPen(Qt::NoPen);
    p.setBrush(ink);
    if (name == QLatin1String("play")) {
        p.drawPolygon(Triangle(4, 2, 10, 12, true));
    } else if (name == QLatin1String("pause")) {
        p.drawRect(QRectF(3, 2, 3.5, 12));
        p.drawRect(QRectF(9.5, 2, 3.5, 12));
    } else if (name == QLatin1String("stop")) {
        p.drawRect(QRectF(3, 3, 10, 10));
    } else if (name == QLatin1String("next")) {
        p.drawPolygon(Triangle(2, 3, 8, 10, true));
        p.drawRect(QRectF(11, 3, 2.5, 10));
    } else if (name == QLatin1String("previous")) {
        p.drawRect(QRectF(2.5, 3, 2.5, 10));
        p.drawPolygon(Triangle(6, 3, 8, 10, false));
    } else if (name == QLatin1String("forward")) {
        p.drawPolygon(Triangle(1, 3, 7, 10, true));
        p.drawPolygon(Triangle(8, 3, 7, 10, true));
    } else if (name == QLatin1String("rewind")) {
        p.drawPolygon(Triangle(1, 3, 7, 10, false));
        p.drawPolygon(Triangle(8, 3, 7, 10, false));
    } else if (name == QLatin1String("menu")) {
        for (int i = 0; i < 3; ++i)
            p.drawRect(QRectF(3, 3 + i * 4, 10, 2));
    } else if (name == QLatin1String("volume")) {
        p.drawPolygon(QPolygonF({QPointF(2, 6), QPointF(5, 6), QPointF(9, 2), QPointF(9, 14), QPointF(5, 10), QPointF(2, 10)}));
        p.setPen(QPen(ink, 1.4));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(7, 4, 6, 8), -60 * 16, 120 * 16);
        p.drawArc(QRectF(7, 2, 8, 12), -60 * 16, 120 * 16);
    } else if (name == QLatin1String("fullscreen")) {
        p.setPen(QPen(ink, 1.6));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(2, 3, 12, 10));
        p.drawLine(QPointF(5, 6), QPointF(11, 10));
    } else if (name == QLatin1String("open")) {
        p.setBrush(QColor(220, 170, 60));
        p.drawPolygon(QPolygonF({QPointF(1, 4), QPointF(6, 4), QPointF(7, 5), QPointF(14, 5), QPointF(14, 13), QPointF(1, 13)}));
    } else if (name == QLatin1String("internet")) {
        p.setPen(QPen(ink, 1.2));
        p.setBrush(QColor(120, 180, 240));
        p.drawEllipse(QRectF(2, 2, 12, 12));
        p.drawLine(QPointF(2, 8), QPointF(14, 8));
        p.drawEllipse(QRectF(5.5, 2, 5, 12));
    } else if (name == QLatin1String("quit")) {
        p.setPen(QPen(QColor(180, 30, 30), 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    }
}

}  // namespace

QIcon MenuIcon(const QString& name)
{
    static const QStringList known{"play", "pause", "stop", "next", "previous", "menu", "forward",
                                   "rewind", "volume", "fullscreen", "open", "internet", "quit"};
    if (!known.contains(name))
        return {};
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    Draw(painter, name);
    painter.end();
    return QIcon(pixmap);
}
