// The application object: the windows it owns, the message loop and its end.
#include "app/TApplication.h"

#include "engine/ApplicationException.h"
#include "model/PlayerModel.h"
#include "platform/system/WindowIdentity.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

TApplication* TApplication::instance_ = nullptr;
TApplication* Application = nullptr;

TApplication::TApplication()
    : model_(std::make_unique<PlayerModel>())
{
    connect(model_.get(), &PlayerModel::Quitting, this, &TApplication::Terminate);
    instance_ = this;
    Application = this;
    // The application decides when it ends: closing a secondary window only hides it.
    QApplication::setQuitOnLastWindowClosed(false);
    qApp->installEventFilter(this);
}

TApplication::~TApplication()
{
    if (qApp)
        qApp->removeEventFilter(this);
    // No window is made any more, and none is reached through a stale pointer.
    for (const auto& forget : deferred_)
        forget();
    while (!forms_.empty())
        forms_.pop_back();
    if (instance_ == this) {
        instance_ = nullptr;
        Application = nullptr;
    }
}

void TApplication::SetTitle(const QString& title)
{
    title_ = title;
    SetApplicationTitle(title);  // the caption of the error display
    QGuiApplication::setDesktopFileName(QStringLiteral("vistrel"));
    for (const auto& form : forms_)
        ApplyIdentity(form.get());
}

void TApplication::Adopt(std::unique_ptr<QWidget> window, bool mayBecomeMain)
{
    QWidget* raw = window.get();
    forms_.push_back(std::move(window));
    ApplyIdentity(raw);
    if (mayBecomeMain && !mainForm_)
        mainForm_ = raw;
    if (mayBecomeMain && OnFormCreated)
        OnFormCreated(raw);
}

int TApplication::Run()
{
    terminated_ = false;
    if (mainForm_)
        QTimer::singleShot(0, mainForm_, [this] {
            if (!terminated_)
                mainForm_->show();
        });
    return QApplication::exec();
}

void TApplication::Terminate()
{
    terminated_ = true;
    QCoreApplication::exit(0);
}

bool TApplication::eventFilter(QObject* watched, QEvent* event)
{
    // Every top-level window carries the application's identity from the moment it is mapped.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow())
            ApplyIdentity(widget);
    }
    return QObject::eventFilter(watched, event);
}

void TApplication::ApplyIdentity(QWidget* window) const
{
    if (!title_.isEmpty() && window && window->testAttribute(Qt::WA_WState_Created))
        platform::SetWindowClass(window, QStringLiteral("vistrel"), title_);
}
