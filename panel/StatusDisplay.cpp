// The status display: lines drawn at fixed points, each replacing what was under it.
#include "panel/StatusDisplay.h"

#include <QPainter>
#include <QResizeEvent>

StatusDisplay::StatusDisplay(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StatusDisplay::EnsureCanvas()
{
    if (canvas_.size() == size())
        return;
    // The surface keeps what was drawn when it grows or shrinks.
    QImage resized(size(), QImage::Format_ARGB32_Premultiplied);
    resized.fill(Qt::transparent);
    if (!canvas_.isNull()) {
        QPainter painter(&resized);
        painter.drawImage(0, 0, canvas_);
    }
    canvas_ = resized;
}

void StatusDisplay::TextOut(int x, int y, const QString& text)
{
    EnsureCanvas();
    QPainter painter(&canvas_);
    const QFontMetrics metrics(font());
    // A text-out fills its character cells: what stood on the line before is gone, from x to the
    // right edge, so a time never lands on the last one.
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.fillRect(QRect(x, y, canvas_.width() - x, metrics.height()), Qt::transparent);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setFont(font());
    painter.setPen(textColour_);
    // A text-out places the top of the character cell at y.
    painter.drawText(QPoint(x, y + metrics.ascent()), text);
    lines_ << text;
    update();
}

void StatusDisplay::Clear()
{
    EnsureCanvas();
    canvas_.fill(Qt::transparent);
    lines_.clear();
    update();
}

void StatusDisplay::paintEvent(QPaintEvent*)
{
    EnsureCanvas();
    QPainter painter(this);
    painter.drawImage(0, 0, canvas_);
}

void StatusDisplay::resizeEvent(QResizeEvent*)
{
    EnsureCanvas();
}
