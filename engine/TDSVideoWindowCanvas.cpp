#include "engine/TDSVideoWindowCanvas.h"

#include "engine/TDSGraph.h"
#include "engine/TDSVideoWindow.h"
#include "platform/media/ControlInterfaces.h"
#include "platform/media/VideoRendererWindow.h"

#include <QPainter>

namespace {

// The colour key of the graph's video renderer: its first pin's overlay view, if it has one.
bool rendererColorKey(TDSGraph* graph, QRgb& key)
{
    auto builder = graph ? graph->IGraphBuilder() : nullptr;
    if (!builder)
        return false;
    com::Ref<media::IBaseFilter> filter;
    if (FAILED(builder->FindFilterByName(QStringLiteral("Video Renderer"), filter)) || !filter)
        return false;
    com::Ref<media::IEnumPins> pins;
    if (FAILED(filter->EnumPins(pins)) || !pins)
        return false;
    com::Ref<media::IPin> pin;
    uint32_t fetched = 0;
    if (pins->Next(1, &pin, &fetched) != S_OK || !pin)
        return false;
    auto overlay = com::query<media::IOverlay>(pin);
    media::COLORKEY colorKey;
    if (!overlay || FAILED(overlay->GetDefaultColorKey(colorKey)))
        return false;
    const uint32_t bgr = colorKey.LowColorValue;  // 0x00BBGGRR
    key = qRgb(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
    return true;
}

}  // namespace

media::VideoRendererWindow* TDSVideoCanvas::Bind()
{
    media::VideoRendererWindow* renderer = owner_.FindRendererWindow();
    if (!renderer)
        return nullptr;
    if (renderer != renderer_) {
        // A new renderer window starts with nothing drawn over it.
        renderer_ = renderer;
        layer_ = QImage();
    }
    const QSize size = renderer->size().expandedTo(QSize(1, 1));
    if (layer_.isNull() || layer_.width() < size.width() || layer_.height() < size.height()) {
        QImage grown(size.expandedTo(layer_.size()), QImage::Format_ARGB32);
        grown.fill(Qt::transparent);
        if (!layer_.isNull()) {
            QPainter copy(&grown);
            copy.setCompositionMode(QPainter::CompositionMode_Source);
            copy.drawImage(0, 0, layer_);
        }
        layer_ = grown;
    }
    hasKey_ = rendererColorKey(owner_.Graph(), key_);
    if (hasKey_)
        brushColor_ = QColor(key_);
    return renderer;
}

void TDSVideoCanvas::Present(media::VideoRendererWindow* renderer)
{
    shown_ = layer_.copy();
    if (hasKey_) {
        const QRgb opaqueKey = key_ | 0xFF000000u;
        for (int y = 0; y < shown_.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(shown_.scanLine(y));
            for (int x = 0; x < shown_.width(); ++x)
                if (line[x] == opaqueKey)
                    line[x] = 0;
        }
    }
    const QImage picture = shown_;
    renderer->setOverlayPainter([picture](QPainter& painter) { painter.drawImage(0, 0, picture); });
    renderer->update();
}

void TDSVideoCanvas::Draw(const std::function<void(QPainter&)>& operation)
{
    media::VideoRendererWindow* renderer = Bind();
    if (!renderer)
        return;
    {
        QPainter painter(&layer_);
        painter.setPen(pen_);
        painter.setBrush(brushColor_);
        painter.setFont(font_);
        operation(painter);
    }
    Present(renderer);
}

void TDSVideoCanvas::FillRect(const QRect& rect)
{
    Draw([&](QPainter& painter) {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(rect, painter.brush());
    });
}

void TDSVideoCanvas::Rectangle(const QRect& rect)
{
    Draw([&](QPainter& painter) { painter.drawRect(rect.adjusted(0, 0, -1, -1)); });
}

void TDSVideoCanvas::TextOut(int x, int y, const QString& text)
{
    Draw([&](QPainter& painter) {
        const QFontMetrics metrics(painter.font());
        const QRect box(x, y, metrics.horizontalAdvance(text), metrics.height());
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(box, painter.brush());
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
    });
}

void TDSVideoCanvas::Clear()
{
    layer_ = QImage();
    shown_ = QImage();
    if (renderer_) {
        renderer_->setOverlayPainter(nullptr);
        renderer_->update();
    }
}
