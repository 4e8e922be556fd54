#pragma once
// The OpenGL video output: a widget filling the renderer window that uploads the decoder's planes
// as textures (YUV 4:2:0, 4:2:2, 4:4:4 and NV12, 8-bit, and their 10-bit forms where the context
// has 16-bit textures), converts them to RGB in a shader with the picture's own matrix and range,
// scales them there to the fitted rectangle (its display aspect kept, black bars around) and lays
// the DVD overlay over them as one more texture. What the window's owner draws over the picture
// is painted by a plain widget laid over this one (PaintedLayer), so that the window system and
// QWidget::grab() both see it. GL calls only on the UI thread; mouse input passes through to the
// renderer window.
#include "platform/media/FrameQueue.h"
#include "platform/media/VideoFrameFormat.h"

#include <QImage>
#include <QOpenGLExtraFunctions>
#include <QOpenGLWidget>

#include <array>
#include <functional>
#include <memory>

class QOpenGLShaderProgram;
class QOpenGLBuffer;

namespace media {

class GlVideoOutput : public QOpenGLWidget, protected QOpenGLExtraFunctions {
public:
    // `take`: moves the latest frame (and its overlay) into the given frame; false when none.
    GlVideoOutput(QWidget* parent, std::function<bool(AVFrame*, QImage&)> take, bool sixteenBit);
    ~GlVideoOutput() override;

    // The rectangle the picture fills, in this widget's coordinates (empty before a picture).
    QRect pictureRect() const;
    // The picture as drawn (overlay included), at its shown size; null before a picture.
    QImage picture();

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    void release();
    void upload();
    void uploadOverlay();

    std::function<bool(AVFrame*, QImage&)> take_;
    const bool sixteenBit_;
    FramePtr frame_;  // the picture on show, kept to upload again after the context changes
    QImage overlay_;
    std::optional<FrameLayout> layout_;
    ColourConversion conversion_;
    std::unique_ptr<QOpenGLShaderProgram> program_;
    std::unique_ptr<QOpenGLBuffer> quad_;
    std::array<unsigned, 4> textures_{};  // Y, U (or UV), V, overlay
    std::array<QSize, 4> textureSizes_{};
    std::array<int, 4> textureFormats_{};  // internal formats: a picture of another depth remakes them
    bool uploaded_ = false;
    qint64 overlayKey_ = 0;
    QMetaObject::Connection contextGoing_;  // the context's aboutToBeDestroyed
    double aspect_ = 0;
};

// A transparent widget over the OpenGL output, painting what the window's owner draws over the
// picture; mouse input passes through it.
class PaintedLayer : public QWidget {
public:
    explicit PaintedLayer(QWidget* parent);
    void setPaint(std::function<void(QPainter&)> paint);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::function<void(QPainter&)> paint_;
};

}  // namespace media
