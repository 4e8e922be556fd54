#pragma once
// Driving the real program from a test as a user and the desktop do: the captions of the display's
// top-level windows, closing one as its close box would, and starting the program with a settings
// folder of its own.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace programdriver {

// The captions of every top-level window on the display.
QStringList WindowCaptions();
// The captions of the dialogs (message boxes and the like) that process `pid` shows; other tests
// may share the display.
QStringList DialogCaptions(qint64 pid);
// Asks each dialog of process `pid` on screen to close, as a window manager's close box does;
// returns how many were asked.
int CloseDialogs(qint64 pid);

// The program started on `arguments` with its settings in a folder of its own, whose config.dat
// names the generated disc as the default drive.
class Program {
public:
    explicit Program(const QStringList& arguments);
    ~Program();  // ends it if it is still running
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    QProcess& process() { return process_; }
    bool running() const { return process_.state() == QProcess::Running; }
    qint64 pid() const { return process_.processId(); }

private:
    QTemporaryDir home_;
    QProcess process_;
};

}  // namespace programdriver
