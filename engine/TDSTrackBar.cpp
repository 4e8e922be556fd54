#include "engine/TDSTrackBar.h"

#include "engine/ApplicationException.h"
#include "engine/TDSFilterGraph2.h"
#include "engine/TDSTrackBarTimer.h"

#include <QProxyStyle>
#include <QStyleOptionSlider>
#include <QStylePainter>

#include <algorithm>
#include <cmath>
#include <limits>

using media::REFERENCE_TIME;

namespace {

// The thumb is ThumbLength pixels across the channel and about half as wide, as the platform's
// track bar draws it. Each bar has a style of its own (styles ask for these metrics without
// saying for which widget).
class TrackBarStyle : public QProxyStyle {
public:
    explicit TrackBarStyle(const TDSTrackBar* bar) : bar_(bar) {}

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override
    {
        if (metric == PM_SliderThickness || metric == PM_SliderControlThickness)
            return bar_->ThumbLength();
        if (metric == PM_SliderLength)
            return std::max(bar_->ThumbLength() / 2 + 3, 5);
        return QProxyStyle::pixelMetric(metric, option, widget);
    }

private:
    const TDSTrackBar* bar_;
};

// A timer tick has no caller to hand an error to: the application's handler shows it.
template <class Work>
void RunGuarded(Work work)
{
    try {
        work();
    } catch (...) {
        HandleApplicationException(std::current_exception());
    }
}

int clampToInt(int64_t v)
{
    return int(std::clamp<int64_t>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

TDSTrackBar::TDSTrackBar(QWidget* parent)
    : QSlider(Qt::Horizontal, parent), timerWindow_(std::make_unique<TDSTrackBarTimerWindow>())
{
    style_ = new TrackBarStyle(this);
    style_->setParent(this);
    setStyle(style_);
    setTickPosition(QSlider::NoTicks);
    setSingleStep(1);
    setPageStep(2);
    setRange(0, 10);
    resize(150, 25);
    timerWindow_->OnTimer = [this](int id) {
        if (id == ProgressTimerId)
            RunGuarded([this] { UpdateProgress(); });
    };
    connect(this, &QAbstractSlider::valueChanged, this, [this] { Changed(); });
}

TDSTrackBar::~TDSTrackBar()
{
    timerWindow_->KillTimer(ProgressTimerId);
    timerWindow_.reset();
    Unbind();
    setStyle(nullptr);  // the proxy style dies with this bar; let go of it first
}

bool TDSTrackBar::HasSeeking() const
{
    return graph_ && graph_->IMediaSeeking();
}

void TDSTrackBar::SetGraph(TDSFilterGraph2* value)
{
    Unbind();
    graph_ = value;
    if (!value)
        return;
    value->SetTrackBar(this);
    graphGone_ = connect(value, &QObject::destroyed, this, [this] { GraphDestroyed(); });

    if (!HasSeeking())
        return;
    const TDSAMSeekingKind caps = Capabilities();
    if (!caps.Contains(TDSAMSeeking::CanSeekAbsolute) || !caps.Contains(TDSAMSeeking::CanGetDuration)) {
        SetTimerEnabled(false);
        SetSelEnd(0);
        setEnabled(false);
        return;
    }
    SetSelStart(0);
    SetMin(0);
    REFERENCE_TIME start = 0;
    graph_->IMediaSeeking()->SetPositions(&start, media::AM_SEEKING_AbsolutePositioning, nullptr,
                                          media::AM_SEEKING_NoPositioning);
    setEnabled(true);
    SetPosition(0);
    SetTimerEnabled(true);
    UpdateTimer();
}

void TDSTrackBar::Unbind()
{
    if (!graph_)
        return;
    // Another bar may have taken the graph since; its binding is not ours to clear.
    if (graph_->TrackBar() == this)
        graph_->SetTrackBar<TDSTrackBar>(nullptr);
    QObject::disconnect(graphGone_);
    graph_ = nullptr;
}

void TDSTrackBar::GraphDestroyed()
{
    // The graph is going away: forget it without touching it.
    graph_ = nullptr;
    QObject::disconnect(graphGone_);
    timerWindow_->KillTimer(ProgressTimerId);
}

TDSAMSeekingKind TDSTrackBar::Capabilities() const
{
    if (!HasSeeking())
        return {};
    uint32_t bits = 0;
    if (FAILED(graph_->IMediaSeeking()->GetCapabilities(bits)))
        return {};
    return TDSAMSeekingKind(uint16_t(bits));
}

double TDSTrackBar::Rate() const
{
    if (!HasSeeking())
        return 0.0;
    double rate = 0.0;
    if (FAILED(graph_->IMediaSeeking()->GetRate(rate)))
        return 0.0;
    return rate;
}

void TDSTrackBar::SetRate(double value)
{
    if (value == 0.0 || std::isnan(value) || !HasSeeking())
        return;
    graph_->IMediaSeeking()->SetRate(value);
    UpdateTimer();
}

void TDSTrackBar::SetTimerEnabled(bool value)
{
    if (value == timerEnabled_)
        return;
    timerEnabled_ = value;
    UpdateTimer();
}

bool TDSTrackBar::StartProgressTimer(uint32_t interval)
{
    return timerWindow_->SetTimer(ProgressTimerId, interval);
}

void TDSTrackBar::UpdateTimer()
{
    // The old timer goes first, so that a bar whose graph lost its seeking interface does not go
    // on refreshing for nothing.
    timerWindow_->KillTimer(ProgressTimerId);
    if (!HasSeeking())
        return;
    REFERENCE_TIME duration = 0;
    graph_->IMediaSeeking()->GetDuration(duration);
    timerInterval_ = trackbar::progressInterval(duration, Rate(), Max());
    if (timerInterval_ != 0 && timerEnabled_ && !StartProgressTimer(timerInterval_))
        throw EOutOfResources("Pas assez de timers disponibles");
}

void TDSTrackBar::UpdateProgress()
{
    if (!HasSeeking())
        return;
    auto seeking = graph_->IMediaSeeking();
    REFERENCE_TIME position = 0;
    REFERENCE_TIME duration = 0;
    seeking->GetCurrentPosition(position);
    seeking->GetDuration(duration);
    SetSelStart(0);
    SetSelEnd(duration > 0 ? clampToInt(trackbar::scaleRounded(position, Max(), duration)) : 0);
}

void TDSTrackBar::Changed()
{
    if (OnChange)
        OnChange(this);
    if (!HasSeeking() || Max() == 0)
        return;
    auto seeking = graph_->IMediaSeeking();
    REFERENCE_TIME duration = 0;
    seeking->GetDuration(duration);
    REFERENCE_TIME target = trackbar::scaleRounded(Position(), duration, Max());
    seeking->SetPositions(&target, media::AM_SEEKING_AbsolutePositioning, nullptr,
                          media::AM_SEEKING_NoPositioning);
    UpdateProgress();
}

void TDSTrackBar::HandleComplete()
{
    if (graph_ && graph_->IMediaControl())
        graph_->IMediaControl()->Stop();
    SetPosition(0);
    SetSelEnd(0);
}

void TDSTrackBar::SetSelStart(int value)
{
    if (value == selStart_)
        return;
    selStart_ = value;
    update();
}

void TDSTrackBar::SetSelEnd(int value)
{
    if (value == selEnd_)
        return;
    selEnd_ = value;
    update();
}

void TDSTrackBar::SetThumbLength(int value)
{
    if (value == thumbLength_ || value < 1)
        return;
    thumbLength_ = value;
    updateGeometry();
    update();
}

QRect TDSTrackBar::ChannelRect() const
{
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    // A narrow band through the thumb's middle, over the whole of the thumb's travel.
    const int left = PixelOf(minimum()) - handle.width() / 2;
    const int right = PixelOf(maximum()) + handle.width() / 2;
    constexpr int thickness = 6;
    return QRect(left, handle.center().y() - thickness / 2, std::max(right - left, 0) + 1, thickness);
}

int TDSTrackBar::PixelOf(int value) const
{
    QStyleOptionSlider opt;
    initStyleOption(&opt);
    opt.sliderPosition = std::clamp(value, minimum(), maximum());
    opt.sliderValue = opt.sliderPosition;
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &opt, QStyle::SC_SliderHandle, this);
    return handle.center().x();
}

void TDSTrackBar::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionSlider opt;
    initStyleOption(&opt);

    // The channel (drawn here: the style's own groove would show progress up to the thumb), the
    // selection inside it, then the thumb over both.
    const QRect channel = ChannelRect();
    painter.setPen(palette().color(QPalette::Mid));
    painter.setBrush(palette().color(QPalette::Base));
    painter.drawRect(channel.adjusted(0, 0, -1, -1));

    const int from = std::max(selStart_, minimum());
    const int to = std::min(selEnd_, maximum());
    if (to > from) {
        const QRect selection(QPoint(PixelOf(from), channel.top() + 1), QPoint(PixelOf(to), channel.bottom() - 1));
        painter.fillRect(selection, palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled,
                                                    QPalette::Highlight));
    }

    opt.subControls = QStyle::SC_SliderHandle;
    painter.drawComplexControl(QStyle::CC_Slider, opt);
}
