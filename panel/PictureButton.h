#pragma once
// A picture control that reports clicks: it shows a bitmap whose black pixels are transparent,
// sized to its picture, and sinks by a pixel while pressed.
#include <QImage>
#include <QWidget>

class PictureButton : public QWidget {
    Q_OBJECT
public:
    explicit PictureButton(QWidget* parent);

    void SetPicture(const QImage& picture);
    const QImage& Picture() const { return picture_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QImage picture_;  // black made transparent
    bool pressed_ = false;
};

// A copy of `picture` in which black (0x000000) is transparent.
QImage WithBlackTransparent(const QImage& picture);
