// libFuzzer entry for config.dat: any bytes give a drive of one line, and that drive, written back
// as the drive chooser writes it, is read back the same.
#include "dialogs/DriveChooser.h"

#include <QDir>
#include <QFile>

#include <cstdlib>
#include <unistd.h>

namespace {

QString g_file;

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // In memory where the system has it: every input is saved and flushed.
    char shm[] = "/dev/shm/vistrel-config-fuzz-XXXXXX";
    char tmp[] = "/tmp/vistrel-config-fuzz-XXXXXX";
    const char* folder = mkdtemp(shm);
    if (!folder)
        folder = mkdtemp(tmp);
    if (!folder)
        std::abort();
    g_file = QString::fromLocal8Bit(folder) + QStringLiteral("/config.dat");
    std::atexit([] {
        QFile::remove(g_file);
        QDir().rmdir(g_file.left(g_file.lastIndexOf(QLatin1Char('/'))));
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString drive = ConfigDrive(ConfigText(bytes));
    if (drive.contains(QLatin1Char('\n')))
        std::abort();
    QString error;
    if (!WriteConfigFile(g_file, drive, error))
        std::abort();
    QFile file(g_file);
    if (!file.open(QIODevice::ReadOnly) || ConfigDrive(ConfigText(file.readAll())) != drive)
        std::abort();
    return 0;
}
