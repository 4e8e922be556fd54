// The panel's picture buttons.
#include "panel/PictureButton.h"

#include <QMouseEvent>
#include <QPainter>

QImage WithBlackTransparent(const QImage& picture)
{
    QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0xFFFFFF) == 0)
                row[x] = 0;
    }
    return image;
}

PictureButton::PictureButton(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void PictureButton::SetPicture(const QImage& picture)
{
    picture_ = WithBlackTransparent(picture);
    resize(picture_.size());
    update();
}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(pressed_ ? QPoint(1, 1) : QPoint(0, 0), picture_);
}

void PictureButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    pressed_ = true;
    update();
}

void PictureButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_)
        return QWidget::mouseReleaseEvent(event);
    pressed_ = false;
    update();
    if (rect().contains(event->position().toPoint()))
        emit clicked();
}
