#pragma once
// The application object.
#include "platform/system/DeferredWindow.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class PlayerModel;
class QWidget;

// The application object: owns every window from its creation to the end of the process, knows
// the main window (the first one created through CreateForm) and the application's title, and runs
// the message loop until Terminate.
class TApplication : public QObject {
    Q_OBJECT
public:
    TApplication();
    ~TApplication() override;

    // The text the desktop shows for the application (task bar), carried by each window's class.
    void SetTitle(const QString& title);
    QString Title() const { return title_; }

    // Creates a window of class T owned by the application and stores it in `reference`. The first
    // window created this way becomes the main window.
    template <class T, class... Arguments>
    T* CreateForm(T*& reference, Arguments&&... arguments)
    {
        auto form = std::make_unique<T>(std::forward<Arguments>(arguments)...);
        reference = form.get();
        Adopt(std::move(form), true);
        return reference;
    }
    // Sets `reference` up to be created like CreateForm on its first use. Windows the start does not
    // show are made this way, so that the first picture comes sooner.
    template <class T>
    void DeferForm(platform::DeferredWindow<T>& reference)
    {
        reference.setMaker([this] {
            T* form = nullptr;
            return CreateForm(form);
        });
        deferred_.push_back([&reference] { reference.reset(); });
    }
    // Takes ownership of a window that was created otherwise (the splash).
    void Adopt(std::unique_ptr<QWidget> window, bool mayBecomeMain = false);

    QWidget* MainForm() const { return mainForm_; }

    // The player model that the windows share; it outlives every window. Ending the program when
    // the model asks for it.
    PlayerModel& Model() const { return *model_; }
    int FormCount() const { return int(forms_.size()); }

    // Called after each window is created through CreateForm (start-up observers in tests).
    std::function<void(QWidget*)> OnFormCreated;

    // Shows the main window once the loop runs and runs the loop; returns when Terminate is called.
    int Run();
    // Ends the message loop (and with it the program).
    void Terminate();
    bool Terminated() const { return terminated_; }

    static TApplication* Instance() { return instance_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ApplyIdentity(QWidget* window) const;

    static TApplication* instance_;
    QString title_;
    QWidget* mainForm_ = nullptr;
    bool terminated_ = false;
    std::unique_ptr<PlayerModel> model_;
    std::vector<std::unique_ptr<QWidget>> forms_;  // in creation order; destroyed last to first
    std::vector<std::function<void()>> deferred_;  // forget each deferred window
};

// The one application object, as every window knows it.
extern TApplication* Application;
