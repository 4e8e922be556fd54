// The OpenGL video output: textures, shader, fitted drawing.
#include "platform/media/GlVideoOutput.h"

#include "platform/media/VideoRenderer.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <QOpenGLBuffer>
#include <QOpenGLContext>
#include <QOpenGLShaderProgram>
#include <QPainter>

#ifndef GL_RED
#define GL_RED 0x1903
#endif
#ifndef GL_RG
#define GL_RG 0x8227
#endif
#ifndef GL_R8
#define GL_R8 0x8229
#endif
#ifndef GL_RG8
#define GL_RG8 0x822B
#endif
#ifndef GL_R16
#define GL_R16 0x822A
#endif
#ifndef GL_RG16
#define GL_RG16 0x822C
#endif
#ifndef GL_UNPACK_ROW_LENGTH
#define GL_UNPACK_ROW_LENGTH 0x0CF2
#endif

namespace media {
namespace {

const char* const vertexShader = R"(
attribute vec2 position;
attribute vec2 texCoord;
varying vec2 uv;
void main()
{
    uv = texCoord;
    gl_Position = vec4(position, 0.0, 1.0);
}
)";

const char* const fragmentShader = R"(
#ifdef GL_ES
precision highp float;
#endif
varying vec2 uv;
uniform sampler2D planeY;
uniform sampler2D planeU;
uniform sampler2D planeV;
uniform sampler2D overlay;
uniform float interleaved;
uniform float overlayShown;
uniform mat3 conversion;
uniform vec3 offset;
void main()
{
    float y = texture2D(planeY, uv).r;
    vec2 c = mix(vec2(texture2D(planeU, uv).r, texture2D(planeV, uv).r), texture2D(planeU, uv).rg, interleaved);
    vec3 rgb = clamp(conversion * vec3(y, c) + offset, 0.0, 1.0);
    vec4 over = texture2D(overlay, uv) * overlayShown;
    gl_FragColor = vec4(mix(rgb, over.rgb, over.a), 1.0);
}
)";

// A full-viewport quad as a strip: position x, y, then texture u, v (row 0 at the top).
const float quadVertices[] = {-1, -1, 0, 1, 1, -1, 1, 1, -1, 1, 0, 0, 1, 1, 1, 0};

}  // namespace

GlVideoOutput::GlVideoOutput(QWidget* parent, std::function<bool(AVFrame*, QImage&)> take, bool sixteenBit)
    : QOpenGLWidget(parent), take_(std::move(take)), sixteenBit_(sixteenBit), frame_(allocFrame())
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

GlVideoOutput::~GlVideoOutput()
{
    // The context goes with the base class, after this object: its last word must not reach us.
    QObject::disconnect(contextGoing_);
    if (context()) {
        makeCurrent();
        release();
        doneCurrent();
    }
}

// Frees what belongs to the current context (it is going away, or so is this widget).
void GlVideoOutput::release()
{
    if (textures_[0])
        glDeleteTextures(GLsizei(textures_.size()), textures_.data());
    textures_ = {};
    textureSizes_ = {};
    textureFormats_ = {};
    program_.reset();
    quad_.reset();
    uploaded_ = false;
    overlayKey_ = 0;
}

void GlVideoOutput::initializeGL()
{
    initializeOpenGLFunctions();
    // Moving the window to another top-level makes a new context: everything is made again there.
    QObject::disconnect(contextGoing_);
    contextGoing_ = connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
        makeCurrent();
        release();
        doneCurrent();
    });
    release();
    program_ = std::make_unique<QOpenGLShaderProgram>();
    if (!program_->addShaderFromSourceCode(QOpenGLShader::Vertex, vertexShader)
        || !program_->addShaderFromSourceCode(QOpenGLShader::Fragment, fragmentShader) || !program_->link()) {
        program_.reset();
        return;
    }
    quad_ = std::make_unique<QOpenGLBuffer>(QOpenGLBuffer::VertexBuffer);
    quad_->create();
    quad_->bind();
    quad_->allocate(quadVertices, int(sizeof quadVertices));
    quad_->release();
    glGenTextures(GLsizei(textures_.size()), textures_.data());
    for (size_t i = 0; i < textures_.size(); ++i) {
        glBindTexture(GL_TEXTURE_2D, textures_[i]);
        // The overlay keeps its pixels sharp, as the CPU output lays them.
        const GLint filter = i == 3 ? GL_NEAREST : GL_LINEAR;
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
}

QRect GlVideoOutput::pictureRect() const
{
    if (!(aspect_ > 0))
        return {};
    return fitPicture(size(), aspect_);
}

QImage GlVideoOutput::picture()
{
    const QRect rect = pictureRect();
    if (rect.isEmpty())
        return {};
    const QImage frame = grabFramebuffer();
    const double ratio = frame.width() > 0 && width() > 0 ? double(frame.width()) / width() : 1.0;
    const QRect device(int(rect.x() * ratio), int(rect.y() * ratio), int(rect.width() * ratio),
                       int(rect.height() * ratio));
    return frame.copy(device).convertToFormat(QImage::Format_RGB32);
}

void GlVideoOutput::upload()
{
    layout_ = frameLayout(frame_->format, sixteenBit_);
    if (!layout_ || frame_->width <= 0 || frame_->height <= 0)
        return;
    const FrameLayout& l = *layout_;
    conversion_ = colourConversion(*frame_, l);
    const AVRational sar = frame_->sample_aspect_ratio;
    const double pixelAspect = sar.num > 0 && sar.den > 0 ? double(sar.num) / sar.den : 1.0;
    aspect_ = frame_->width * pixelAspect / frame_->height;
    const int chromaWidth = -((-frame_->width) >> l.chromaShiftX);
    const int chromaHeight = -((-frame_->height) >> l.chromaShiftY);
    const GLenum type = l.bytesPerSample == 2 ? GL_UNSIGNED_SHORT : GL_UNSIGNED_BYTE;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int i = 0; i < l.planes; ++i) {
        const bool pair = l.planes == 2 && i == 1;  // interleaved U and V
        const QSize size = i == 0 ? QSize(frame_->width, frame_->height) : QSize(chromaWidth, chromaHeight);
        const GLenum format = pair ? GL_RG : GL_RED;
        const GLint internal = l.bytesPerSample == 2 ? (pair ? GL_RG16 : GL_R16) : (pair ? GL_RG8 : GL_R8);
        glBindTexture(GL_TEXTURE_2D, textures_[size_t(i)]);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, frame_->linesize[i] / (l.bytesPerSample * (pair ? 2 : 1)));
        if (textureSizes_[size_t(i)] != size || textureFormats_[size_t(i)] != internal || !uploaded_) {
            glTexImage2D(GL_TEXTURE_2D, 0, internal, size.width(), size.height(), 0, format, type, frame_->data[i]);
            textureSizes_[size_t(i)] = size;
            textureFormats_[size_t(i)] = internal;
        } else {
            glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, size.width(), size.height(), format, type, frame_->data[i]);
        }
    }
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glBindTexture(GL_TEXTURE_2D, 0);
    uploaded_ = true;
}

void GlVideoOutput::uploadOverlay()
{
    if (overlay_.isNull() || overlay_.cacheKey() == overlayKey_)
        return;
    const QImage rgba = overlay_.convertToFormat(QImage::Format_RGBA8888);
    glBindTexture(GL_TEXTURE_2D, textures_[3]);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, int(rgba.bytesPerLine() / 4));
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, rgba.width(), rgba.height(), 0, GL_RGBA, GL_UNSIGNED_BYTE,
                 rgba.constBits());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    overlayKey_ = overlay_.cacheKey();
}

void GlVideoOutput::paintGL()
{
    const bool fresh = take_ && take_(frame_.get(), overlay_);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    if (program_ && frame_->width > 0 && (fresh || !uploaded_))
        upload();
    if (program_ && uploaded_ && layout_) {
        uploadOverlay();
        const QRect rect = pictureRect();
        const double ratio = devicePixelRatioF();
        // GL counts rows from the bottom.
        glViewport(int(rect.x() * ratio), int((height() - rect.bottom() - 1) * ratio), int(rect.width() * ratio),
                   int(rect.height() * ratio));
        program_->bind();
        quad_->bind();
        program_->enableAttributeArray("position");
        program_->enableAttributeArray("texCoord");
        program_->setAttributeBuffer("position", GL_FLOAT, 0, 2, 4 * sizeof(float));
        program_->setAttributeBuffer("texCoord", GL_FLOAT, 2 * sizeof(float), 2, 4 * sizeof(float));
        const bool pair = layout_->planes == 2;
        for (int unit = 0; unit < 4; ++unit) {
            glActiveTexture(GLenum(GL_TEXTURE0 + unit));
            unsigned texture = textures_[size_t(unit)];
            if (unit == 2 && pair)
                texture = textures_[1];
            if (unit == 3 && overlay_.isNull())
                texture = textures_[0];
            glBindTexture(GL_TEXTURE_2D, texture);
        }
        program_->setUniformValue("planeY", 0);
        program_->setUniformValue("planeU", 1);
        program_->setUniformValue("planeV", 2);
        program_->setUniformValue("overlay", 3);
        program_->setUniformValue("interleaved", pair ? 1.0f : 0.0f);
        program_->setUniformValue("overlayShown", overlay_.isNull() ? 0.0f : 1.0f);
        program_->setUniformValue("conversion", QMatrix3x3(conversion_.matrix.data()));
        program_->setUniformValue("offset", conversion_.offset[0], conversion_.offset[1], conversion_.offset[2]);
        glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
        program_->disableAttributeArray("position");
        program_->disableAttributeArray("texCoord");
        quad_->release();
        program_->release();
        for (int unit = 3; unit >= 0; --unit) {
            glActiveTexture(GLenum(GL_TEXTURE0 + unit));
            glBindTexture(GL_TEXTURE_2D, 0);
        }
        glViewport(0, 0, int(width() * ratio), int(height() * ratio));
    }
}

PaintedLayer::PaintedLayer(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    setVisible(false);
}

void PaintedLayer::setPaint(std::function<void(QPainter&)> paint)
{
    paint_ = std::move(paint);
    setVisible(bool(paint_));  // nothing to lay over: the picture alone is composed
    update();
}

void PaintedLayer::paintEvent(QPaintEvent*)
{
    if (!paint_)
        return;
    QPainter painter(this);
    paint_(painter);
}

}  // namespace media
