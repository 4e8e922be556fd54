// Start-up, CPU and peak memory of the player program, read from outside the program.
#include "ProgramProbe.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QThread>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace bench {
namespace {

// Enough of the screen in `colour` (every 4th pixel both ways, a wide tolerance).
bool colourOnScreen(const QColor& colour)
{
    QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    const QImage shot = screen->grabWindow(0).toImage().convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < shot.height(); y += 4) {
        const auto* line = reinterpret_cast<const QRgb*>(shot.constScanLine(y));
        for (int x = 0; x < shot.width(); x += 4) {
            const QRgb p = line[x];
            if (std::abs(qRed(p) - colour.red()) <= 40 && std::abs(qGreen(p) - colour.green()) <= 40
                && std::abs(qBlue(p) - colour.blue()) <= 40 && ++count >= 1000)
                return true;
        }
    }
    return false;
}

// utime + stime of a process, in seconds.
double cpuSeconds(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = stat.readAll();
    // Fields after the command name, which is in parentheses and may hold spaces.
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    return (fields[11].toDouble() + fields[12].toDouble()) / double(sysconf(_SC_CLK_TCK));
}

double peakMiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

void pause(double seconds)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < seconds * 1000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(5);
    }
}

}  // namespace

QString programPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../bin/vistrel"));
}

// A program folder without settings opens on its first-start questions: for the time of the
// probe it gets settings naming the generated disc as the default drive, removed afterwards.
class FirstStartSettings {
public:
    explicit FirstStartSettings(const QString& drive)
        : path_(QDir(QFileInfo(programPath()).absolutePath()).filePath(QStringLiteral("config.dat")))
    {
        if (QFile::exists(path_))
            return;
        QFile temporary(path_ + QStringLiteral(".part"));
        if (temporary.open(QIODevice::WriteOnly)) {
            temporary.write(QFile::encodeName(drive) + "\r\n");
            temporary.close();
            made_ = QFile::rename(temporary.fileName(), path_);
        }
    }
    ~FirstStartSettings()
    {
        if (made_)
            QFile::remove(path_);
    }
    FirstStartSettings(const FirstStartSettings&) = delete;
    FirstStartSettings& operator=(const FirstStartSettings&) = delete;

private:
    QString path_;
    bool made_ = false;
};

ProgramFigures probeProgram(const QString& medium, const QColor& colour, double timeout, double warm, double window)
{
    ProgramFigures figures;
    const FirstStartSettings settings(medium);
    QProcess program;
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer sinceExec;
    sinceExec.start();
    program.start(programPath(), {medium});
    if (!program.waitForStarted(5000))
        return figures;
    figures.started = true;
    while (sinceExec.elapsed() < timeout * 1000) {
        if (colourOnScreen(colour)) {
            figures.firstPicture = sinceExec.nsecsElapsed() / 1e9;
            break;
        }
        QThread::msleep(4);
    }
    const qint64 pid = program.processId();
    if (figures.firstPicture >= 0 && window > 0) {
        pause(warm);
        const double from = cpuSeconds(pid);
        QElapsedTimer wall;
        wall.start();
        pause(window);
        const double to = cpuSeconds(pid);
        if (from >= 0 && to >= 0)
            figures.cpuPerSecond = (to - from) / (wall.nsecsElapsed() / 1e9);
    }
    figures.peakMiB = peakMiB(pid);
    program.kill();
    program.waitForFinished(5000);
    return figures;
}

void printProgramFigures(const QString& medium, const char* name, const QColor& colour, double window)
{
    std::printf("The program, %s %s\n", qPrintable(programPath()), name);
    const ProgramFigures program = probeProgram(medium, colour, 15, 1, window);
    if (!program.started) {
        std::printf("  cannot start the program\n");
        return;
    }
    std::printf("  start to first picture on screen: %.0f ms\n", program.firstPicture * 1000);
    std::printf("  CPU: %.3f s per second\n", program.cpuPerSecond);
    std::printf("  peak resident memory: %.1f MiB\n", program.peakMiB);
}

QString mediaFile(const QString& relative)
{
    QString dir = qEnvironmentVariable("VISTREL_MEDIA");
    if (dir.isEmpty())
        dir = QStringLiteral(VISTREL_MEDIA_DIR);
    return QDir(dir).filePath(relative);
}

}  // namespace bench
