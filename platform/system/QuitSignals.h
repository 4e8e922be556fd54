#pragma once
// The desktop's requests to end the program: SIGTERM (log-out, kill), SIGINT (Ctrl+C in a
// terminal) and SIGHUP (the terminal went away). The handler only writes the signal's number to a
// pipe; a socket notifier reads it on the UI thread and calls the program's quit path there.
#include <QObject>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace platform {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers (one object at a time); `quit` runs on the UI thread with the signal.
    explicit QuitSignals(std::function<void(int signal)> quit, QObject* parent = nullptr);
    ~QuitSignals() override;
    QuitSignals(const QuitSignals&) = delete;
    QuitSignals& operator=(const QuitSignals&) = delete;

    // False when the pipe or the handlers could not be set up (the signals then keep their
    // default action).
    bool Installed() const { return installed_; }

private:
    void Arrived();

    std::function<void(int)> quit_;
    int pipe_[2] = {-1, -1};
    std::unique_ptr<QSocketNotifier> notifier_;
    bool installed_ = false;
};

}  // namespace platform
