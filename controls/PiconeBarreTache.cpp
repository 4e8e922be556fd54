#include "controls/PiconeBarreTache.h"

#include "controls/TaskbarButton.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QMenu>
#include <QWidget>

namespace {

bool detectTray(TPiconeBarreTache::TrayPresence presence)
{
    switch (presence) {
    case TPiconeBarreTache::TrayPresence::Absent: return false;
    case TPiconeBarreTache::TrayPresence::Present: return true;
    case TPiconeBarreTache::TrayPresence::Detect: break;
    }
    return QSystemTrayIcon::isSystemTrayAvailable();
}

}  // namespace

TPiconeBarreTache::TPiconeBarreTache(QWidget* owner, TrayPresence presence)
    : QObject(owner), owner_(owner), trayAvailable_(detectTray(presence))
{
    icone_ = QApplication::windowIcon();
    if (!trayAvailable_)
        return;
    tray_ = new QSystemTrayIcon(icone_, this);
    connect(tray_, &QSystemTrayIcon::activated, this, &TPiconeBarreTache::onActivated);
    connect(qApp, &QGuiApplication::applicationStateChanged, this, &TPiconeBarreTache::onApplicationStateChanged);
    if (owner_)
        owner_->installEventFilter(this);
}

TPiconeBarreTache::~TPiconeBarreTache()
{
    hideIcon();
}

void TPiconeBarreTache::Loaded()
{
    loaded_ = true;
    if (petiteIconeVisible_)
        showIcon();
}

void TPiconeBarreTache::showIcon()
{
    if (!tray_)
        return;
    tray_->setIcon(icone_);
    tray_->setToolTip(hint_);
    tray_->show();
    iconShown_ = true;
}

void TPiconeBarreTache::hideIcon()
{
    if (tray_ && iconShown_)
        tray_->hide();
    iconShown_ = false;
}

void TPiconeBarreTache::SetPetiteIconeVisible(bool v)
{
    if (v == petiteIconeVisible_)
        return;
    petiteIconeVisible_ = v;
    if (!loaded_)
        return;
    if (v)
        showIcon();
    else
        hideIcon();
}

void TPiconeBarreTache::SetGrandeIconeVisible(bool v)
{
    grandeIconeVisible_ = v;
    if (trayAvailable_ && owner_)
        SetTaskbarButtonVisible(owner_, v);
}

void TPiconeBarreTache::SetApplicationCachee(bool v)
{
    applicationCachee_ = v;
    if (!trayAvailable_ || !owner_)
        return;
    // Hiding acts at once (before the owner is first shown it keeps the start-up from showing
    // it); showing waits for the end of loading, when the owner is complete.
    if (v)
        owner_->hide();
    else if (loaded_)
        owner_->show();
}

void TPiconeBarreTache::SetIcone(const QIcon& icon)
{
    icone_ = icon;
    if (iconShown_ && tray_)
        tray_->setIcon(icone_);
}

void TPiconeBarreTache::SetHint(const QString& hint)
{
    hint_ = hint;
    if (iconShown_ && tray_)
        tray_->setToolTip(hint_);
}

void TPiconeBarreTache::LeftButtonDown()
{
    if (!owner_)
        return;
    owner_->show();
    owner_->raise();
    owner_->activateWindow();
    SetTaskbarButtonVisible(owner_, true);
}

void TPiconeBarreTache::RightButtonDown()
{
    if (menuPop_)
        menuPop_->popup(QCursor::pos());
}

void TPiconeBarreTache::onActivated(QSystemTrayIcon::ActivationReason reason)
{
    switch (reason) {
    case QSystemTrayIcon::Trigger:
        LeftButtonDown();
        break;
    case QSystemTrayIcon::Context:
        RightButtonDown();
        break;
    default:
        break;  // double and middle clicks do nothing
    }
}

void TPiconeBarreTache::onApplicationStateChanged(Qt::ApplicationState state)
{
    // Activating the application must not bring back a taskbar button that was hidden.
    if (state == Qt::ApplicationActive && !grandeIconeVisible_ && owner_)
        SetTaskbarButtonVisible(owner_, false);
}

bool TPiconeBarreTache::eventFilter(QObject* watched, QEvent* event)
{
    // Closing the owner hides it instead, before its own close handling runs: that handling may
    // release what the window needs once the icon brings it back.
    if (watched == owner_ && event->type() == QEvent::Close && reduireSiFin_) {
        SetTaskbarButtonVisible(owner_, false);
        owner_->hide();
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
