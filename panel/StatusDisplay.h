#pragma once
// The panel's status display surface.
#include "model/Interfaces.h"

#include <QImage>
#include <QWidget>

// The panel's status display surface: a transparent canvas over the coloured panel. Lines are
// drawn at fixed points, each filling its character cells from its point to the right edge, so a
// line never shows two texts; clearing fills the whole surface with the surface's brush
// (transparent, so the panel's colour shows again).
class StatusDisplay : public QWidget, public IStatusDisplay {
    Q_OBJECT
public:
    explicit StatusDisplay(QWidget* parent);

    void TextOut(int x, int y, const QString& text) override;
    void Clear() override;
    void SetTextColour(const QColor& colour) { textColour_ = colour; }

    // What has been written since the last clear, in order (read by tests and by the tray tooltip).
    const QStringList& Lines() const { return lines_; }
    QImage Canvas() const { return canvas_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void EnsureCanvas();

    QImage canvas_;
    QColor textColour_ = Qt::black;
    QStringList lines_;
};
