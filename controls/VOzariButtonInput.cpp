// Mouse, keyboard and focus handling of the shaped button, its frame animations and its events.
#include "controls/ControlMessages.h"
#include "controls/VOzariButton.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <utility>

bool TVOzariButton::event(QEvent* e)
{
    if (e->type() == CM_ROTATESTEP) {
        rotateStep();
        return true;
    }
    if (e->type() == CM_ANIMATIONEND) {
        // Released outside any tick: the timer is idle unless another animation has taken it since.
        if (animationTimer_ && !animationTimer_->isActive()) {
            animationTimer_->deleteLater();
            animationTimer_ = nullptr;
        }
        return true;
    }
    return QPushButton::event(e);
}

void TVOzariButton::startAnimation(AnimationKind kind)
{
    if (animationTimer_) {
        animationTimer_->stop();
        animationTimer_->disconnect(this);
        animationTimer_->deleteLater();
    }
    Animation& a = anim_[kind];
    animationTimer_ = new QTimer(this);
    animationTimer_->setInterval(a.interval);
    connect(animationTimer_, &QTimer::timeout, this, &TVOzariButton::animationTick);
    a.frame = 0;
    a.running = true;
    animationTimer_->start();
}

void TVOzariButton::stopAnimation(AnimationKind kind)
{
    anim_[kind].running = false;
    // The timer is shared: it stops only when no other animation still counts on it.
    const bool othersRun = anim_[Enter].running || anim_[Exit].running || anim_[Click].running;
    if (animationTimer_ && !othersRun) {
        animationTimer_->stop();
        QCoreApplication::postEvent(this, new QEvent(CM_ANIMATIONEND));
    }
    if (!othersRun && !animationPicture_.isNull()) {
        animationPicture_ = QImage();
        invalidate();
    }
}

void TVOzariButton::playEnterAnimation()
{
    if (anim_[Exit].running)
        stopAnimation(Exit);
    if (!anim_[Enter].running)
        startAnimation(Enter);
}

void TVOzariButton::playExitAnimation()
{
    if (anim_[Enter].running)
        stopAnimation(Enter);
    if (anim_[Click].running)
        stopAnimation(Click);
    if (!anim_[Exit].running)
        startAnimation(Exit);
}

void TVOzariButton::playClickAnimation()
{
    if (anim_[Enter].running)
        stopAnimation(Enter);
    if (!anim_[Click].running)
        startAnimation(Click);
}

void TVOzariButton::animationTick()
{
    for (AnimationKind kind : {Enter, Exit, Click}) {
        Animation& a = anim_[kind];
        if (!a.running)
            continue;
        if (a.frame < a.glyphs) {
            drawAnimationFrame(a);
            ++a.frame;
        } else {
            invalidate();
            stopAnimation(kind);
        }
    }
}

void TVOzariButton::drawAnimationFrame(const Animation& a)
{
    if (a.bitmap.isNull() || face_.isNull())
        return;
    // Frames are composed over what the widget shows now and replaced by the face at the end.
    QImage picture = animationPicture_.isNull() ? face_.copy() : animationPicture_;
    const int fw = a.bitmap.width() / a.glyphs;
    const QPoint at = glyphPosition(fw, a.bitmap.height());
    CopyGlyph(picture, at, a.bitmap, QRect(a.frame * fw, 0, fw, boxHeight_), transparent_);
    animationPicture_ = std::move(picture);
    update();
}

void TVOzariButton::enterEvent(QEnterEvent* e)
{
    hover_ = true;
    render();
    invalidate();
    playEnterAnimation();
    emit onMouseEnter(this);
    QPushButton::enterEvent(e);
}

void TVOzariButton::leaveEvent(QEvent* e)
{
    hover_ = false;
    render();
    invalidate();
    playExitAnimation();
    emit onMouseExit(this);
    QPushButton::leaveEvent(e);
}

void TVOzariButton::mousePressEvent(QMouseEvent* e)
{
    if (e->button() == Qt::LeftButton) {
        playClickAnimation();
    }
    QPushButton::mousePressEvent(e);
}

void TVOzariButton::mouseDoubleClickEvent(QMouseEvent* e)
{
    // A double click is a second press.
    mousePressEvent(e);
}

void TVOzariButton::keyPressEvent(QKeyEvent* e)
{
    QPushButton::keyPressEvent(e);
    if (e->key() == Qt::Key_Space) {
        playClickAnimation();
    }
}

void TVOzariButton::updateActive()
{
    // Active: the focused or the default button. Only the focus outline depends on it.
    const bool nowActive = hasFocus() || isDefault();
    if (nowActive == active_)
        return;
    active_ = nowActive;
    render();
    invalidate();
}

void TVOzariButton::focusInEvent(QFocusEvent* e)
{
    QPushButton::focusInEvent(e);
    updateActive();
    if (!std::exchange(focusSeen_, true))
        return;
    playEnterAnimation();
}

void TVOzariButton::focusOutEvent(QFocusEvent* e)
{
    QPushButton::focusOutEvent(e);
    updateActive();
    if (!std::exchange(focusSeen_, true))
        return;
    playExitAnimation();
}

void TVOzariButton::changeEvent(QEvent* e)
{
    QPushButton::changeEvent(e);
    if (e->type() == QEvent::FontChange || e->type() == QEvent::EnabledChange ||
        e->type() == QEvent::PaletteChange) {
        render();
        invalidate();
    }
}

bool TVOzariButton::hitButton(const QPoint& pos) const
{
    return windowRegion_.contains(pos);
}
