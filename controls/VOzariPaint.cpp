#include "controls/VOzariPaint.h"

#include <QPainter>
#include <cmath>

namespace {

using rgn::Round;

QColor rgbOf(const QColor& c)
{
    return c.isValid() ? c.toRgb() : QColor(0, 0, 0);
}

int lighterChannel(int v)
{
    return v >= 224 ? 255 : v + 32;
}

int darkerChannel(int v)
{
    return v < 32 ? 0 : v - 32;
}

}  // namespace

QColor Lighter(const QColor& c)
{
    const QColor x = rgbOf(c);
    return QColor(lighterChannel(x.red()), lighterChannel(x.green()), lighterChannel(x.blue()));
}

QColor Darker(const QColor& c)
{
    const QColor x = rgbOf(c);
    return QColor(darkerChannel(x.red()), darkerChannel(x.green()), darkerChannel(x.blue()));
}

int Brightness(const QColor& c)
{
    const QColor x = rgbOf(c);
    return x.red() + x.green() + x.blue();
}

bool IsDark(const QColor& c)
{
    return Brightness(c) < 361;
}

QColor Interpolate(const QColor& c1, const QColor& c2, int k, int n)
{
    const QColor a = rgbOf(c1), b = rgbOf(c2);
    if (n == 0)
        return a;
    auto ch = [&](int x, int y) { return std::clamp(x + k * (y - x) / n, 0, 255); };
    return QColor(ch(a.red(), b.red()), ch(a.green(), b.green()), ch(a.blue(), b.blue()));
}

QColor ApplyBitmapMode(const QColor& c, int mode)
{
    switch (mode) {
    case -1: return Darker(c);
    case 1: return Lighter(c);
    case 2: return Lighter(Lighter(c));
    default: return rgbOf(c);
    }
}

QColor GradientSource::at(int k, int n) const
{
    if (bitmap.isNull() || bitmap.width() == 0 || bitmap.height() == 0)
        return Interpolate(first, second, k, n);
    // With no steps (a tiny box) the first column stands for the whole gradient.
    const int column = n == 0 ? 0 : std::clamp(int(qint64(k) * bitmap.width() / n), 0, bitmap.width() - 1);
    const int row = (line >= bitmap.height() || line < 0) ? 0 : line;
    return ApplyBitmapMode(QColor(bitmap.pixel(column, row)), mode);
}

std::vector<GradientLine> LinearGradientLines(int w, int h, int angle, const GradientSource& src)
{
    const long double a = rgn::TenthsToRadians(angle);
    const long double s = std::sin(a), c = std::cos(a);
    const long double d = std::sqrt(static_cast<long double>(w) * w + static_cast<long double>(h) * h);
    const int n = Round((std::fabs(w * s) + std::fabs(h * c)) / 3);
    long double p = 0, q = 0;
    if (c >= 0 && s >= 0) {
        p = w * c * c;
        q = -w * s * c;
    } else if (c < 0 && s >= 0) {
        p = h * s * c;
        q = h * c * c;
    } else if (c < 0 && s < 0) {
        p = w * s * s;
        q = w * s * c + h;
    } else {
        p = w - h * s * c;
        q = h * s * s;
    }
    std::vector<GradientLine> lines;
    lines.reserve(std::size_t(std::max(0, n) + 1));
    for (int k = 0; k <= n; ++k) {
        const long double x = p + 3.0L * k * s, y = q + 3.0L * k * c;
        lines.push_back({QPoint(Round(x), Round(y)), QPoint(Round(x - c * d), Round(y + s * d)), src.at(k, n)});
    }
    return lines;
}

void DrawGradient(QPainter& p, TIAGradientKind kind, int w, int h, int angle, const GradientSource& src)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    if (kind == gkLinear) {
        // The lines are 3 pixels apart, but their ends are rounded one by one, so two neighbours of a
        // slanted gradient can lie up to 3 + sqrt(2) apart. A 5-pixel pen leaves no unpainted pixel
        // between them; each line overdraws the edge of the previous one.
        for (const GradientLine& l : LinearGradientLines(w, h, angle, src)) {
            p.setPen(QPen(l.colour, 5, Qt::SolidLine, Qt::SquareCap));
            p.drawLine(l.from, l.to);
        }
    } else if (kind == gkCircular) {
        p.setBrush(QBrush(src.first.isValid() ? src.first : QColor(Qt::black)));
        const int n = Round(std::sqrt(static_cast<long double>(w) * w + static_cast<long double>(h) * h) / 2 / 3);
        for (int k = n; k >= 0; --k) {
            p.setPen(QPen(src.at(k, n), 5));
            p.drawEllipse(QRect(QPoint(w / 2 - 3 * k, h / 2 - 3 * k), QPoint(w / 2 + 3 * k, h / 2 + 3 * k)));
        }
    }
    p.restore();
}

QRegion FrameRegion(const QRegion& region)
{
    const QRegion inner = region & region.translated(1, 0) & region.translated(-1, 0) & region.translated(0, 1) &
                          region.translated(0, -1);
    return region - inner;
}

namespace {

// The part of `from` that lies inside src and, once moved to `at`, inside dst.
struct Span {
    QRect src;
    QPoint dst;
};

Span clipCopy(const QImage& dst, QPoint at, const QImage& src, const QRect& from)
{
    QRect s = from & src.rect();
    const QPoint shift = at - from.topLeft();
    const QRect d = s.translated(shift) & dst.rect();
    s = d.translated(-shift);
    return {s, s.topLeft() + shift};
}

}  // namespace

void CopyGlyph(QImage& dst, QPoint at, const QImage& src, const QRect& from, bool colourKey)
{
    if (src.isNull() || dst.isNull())
        return;
    const Span sp = clipCopy(dst, at, src, from);
    if (sp.src.isEmpty())
        return;
    const uchar* keyPx = src.constScanLine(0);
    const uchar key[3] = {keyPx[0], keyPx[1], keyPx[2]};
    for (int y = 0; y < sp.src.height(); ++y) {
        const uchar* in = src.constScanLine(sp.src.top() + y) + 3 * sp.src.left();
        uchar* out = dst.scanLine(sp.dst.y() + y) + 3 * sp.dst.x();
        for (int x = 0; x < sp.src.width(); ++x, in += 3, out += 3) {
            if (colourKey && in[0] == key[0] && in[1] == key[1] && in[2] == key[2])
                continue;
            out[0] = in[0];
            out[1] = in[1];
            out[2] = in[2];
        }
    }
}

void MergeCopyGlyph(QImage& dst, QPoint at, const QImage& src, const QRect& from, const QColor& brush)
{
    if (src.isNull() || dst.isNull())
        return;
    const Span sp = clipCopy(dst, at, src, from);
    const QColor b = brush.isValid() ? brush.toRgb() : QColor(0, 0, 0);
    const uchar mask[3] = {uchar(b.red()), uchar(b.green()), uchar(b.blue())};
    for (int y = 0; y < sp.src.height(); ++y) {
        const uchar* in = src.constScanLine(sp.src.top() + y) + 3 * sp.src.left();
        uchar* out = dst.scanLine(sp.dst.y() + y) + 3 * sp.dst.x();
        for (int x = 0; x < 3 * sp.src.width(); ++x)
            out[x] = in[x] & mask[x % 3];
    }
}

std::vector<CaptionPiece> CaptionPieces(const QString& caption)
{
    std::vector<CaptionPiece> pieces;
    QString plain;
    auto flush = [&] {
        if (!plain.isEmpty())
            pieces.push_back({plain, false});
        plain.clear();
    };
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] != u'&') {
            plain += caption[i];
            continue;
        }
        if (i + 1 < caption.size() && caption[i + 1] == u'&') {
            plain += u'&';
            ++i;
            continue;
        }
        flush();
        if (i + 1 < caption.size()) {
            pieces.push_back({QString(caption[i + 1]), true});
            ++i;
        } else {
            pieces.push_back({QStringLiteral(" "), true});
        }
    }
    flush();
    return pieces;
}

RotatedTextBox TextBox(int q, int r, int angle)
{
    const long double t = rgn::TenthsToRadians(angle);
    const long double s = std::sin(t), c = std::cos(t);
    const long double as = std::fabs(s), ac = std::fabs(c);
    RotatedTextBox box;
    box.width = Round(ac * q + as * r);
    box.height = Round(as * q + ac * r);
    if (s > 0 && c > 0)
        box.corner = QPoint(0, Round(as * q));
    else if (s > 0)
        box.corner = QPoint(Round(ac * q), box.height);
    else if (c > 0)
        box.corner = QPoint(Round(as * r), 0);
    else
        box.corner = QPoint(box.width, Round(ac * r));
    return box;
}

QImage To24Bit(const QImage& image)
{
    if (image.isNull() || image.height() == 0)
        return {};
    return image.convertToFormat(QImage::Format_RGB888);
}
