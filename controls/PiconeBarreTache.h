#pragma once
// TPiconeBarreTache: the application's icon in the desktop's notification area (tray). A left click
// on the icon brings the main window back, a right click opens a pop-up menu at the mouse. It can
// also hide the application's taskbar button, hide the main window, and turn closing the owner
// window into hiding it.
//
// Without a notification area (isSystemTrayAvailable() false, as on a bare X server) nothing of this
// acts: the properties are stored and the component stays quiet, so the owner window can never be
// hidden with no icon left to bring it back.
#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

class QWidget;

class TPiconeBarreTache : public QObject {
    Q_OBJECT
public:
    enum class TrayPresence { Detect, Absent, Present };

    // The owner window is the application's main window and the parent of the component.
    // `presence` overrides the detection of the notification area.
    explicit TPiconeBarreTache(QWidget* owner, TrayPresence presence = TrayPresence::Detect);
    ~TPiconeBarreTache() override;

    // End of loading: the icon appears now when PetiteIconeVisible is set.
    void Loaded();

    QMenu* MenuPop() const { return menuPop_; }
    void SetMenuPop(QMenu* menu) { menuPop_ = menu; }
    bool ReduireSiFin() const { return reduireSiFin_; }
    void SetReduireSiFin(bool v) { reduireSiFin_ = v; }
    bool PetiteIconeVisible() const { return petiteIconeVisible_; }
    void SetPetiteIconeVisible(bool v);
    bool GrandeIconeVisible() const { return grandeIconeVisible_; }
    void SetGrandeIconeVisible(bool v);
    bool ApplicationCachee() const { return applicationCachee_; }
    void SetApplicationCachee(bool v);
    QIcon Icone() const { return icone_; }
    void SetIcone(const QIcon& icon);
    QString Hint() const { return hint_; }
    void SetHint(const QString& hint);

    bool TrayAvailable() const { return trayAvailable_; }
    bool IconShown() const { return iconShown_; }
    const QSystemTrayIcon* TrayIcon() const { return tray_; }

public slots:
    // The mouse on the icon: the left button shows the main window and its taskbar button; the
    // right button pops MenuPop up at the cursor (nothing without a menu).
    void LeftButtonDown();
    void RightButtonDown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void onActivated(QSystemTrayIcon::ActivationReason reason);
    void onApplicationStateChanged(Qt::ApplicationState state);
    void showIcon();
    void hideIcon();

    QWidget* const owner_;
    const bool trayAvailable_;
    QSystemTrayIcon* tray_ = nullptr;  // child of this component
    QPointer<QMenu> menuPop_;
    bool reduireSiFin_ = false;
    bool petiteIconeVisible_ = true;
    bool grandeIconeVisible_ = true;
    bool applicationCachee_ = false;
    QIcon icone_;
    QString hint_;
    bool iconShown_ = false;
    bool loaded_ = false;
};
