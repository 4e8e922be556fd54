// Atomic file replacement: temporary file beside the target, write, fsync, rename, fsync the folder.
#include "platform/system/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

SaveFaultHook& FaultHook()
{
    static SaveFaultHook hook;
    return hook;
}

int Injected(SaveStep step, int fd)
{
    const SaveFaultHook& hook = FaultHook();
    return hook ? hook(step, fd) : 0;
}

// A descriptor closed when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now and says whether the system reported an error (a late write failure shows here).
    int close()
    {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int fd_;
};

int WriteAll(int fd, const char* data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        size -= size_t(n);
    }
    return 0;
}

// Creates a new file of a name no one else uses, beside `target`.
int CreateTemporary(const QByteArray& target, QByteArray& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = target + ".tmp" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

void SyncFolder(const QByteArray& target)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(target)).absolutePath());
    Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
}

bool Fail(QString* error, const char* what, int code)
{
    if (error)
        *error = QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(code)));
    return false;
}

}  // namespace

void SetSaveFaultHook(SaveFaultHook hook)
{
    FaultHook() = std::move(hook);
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    const QByteArray target = QFile::encodeName(path);
    struct stat old {};
    const bool replacing = ::stat(target.constData(), &old) == 0;
    if (replacing && !S_ISREG(old.st_mode))
        return Fail(error, "not a regular file", EISDIR);

    int code = Injected(SaveStep::Create, -1);
    QByteArray temporary;
    Descriptor file(code ? -1 : CreateTemporary(target, temporary));
    if (file.get() < 0)
        return Fail(error, "create", code ? code : errno);
    auto abandon = [&](const char* what, int why) {
        if (file.get() >= 0)
            file.close();
        ::unlink(temporary.constData());
        return Fail(error, what, why);
    };
    if (replacing && ::fchmod(file.get(), old.st_mode & 07777) != 0)
        return abandon("permissions", errno);
    if ((code = Injected(SaveStep::Write, file.get())) || (code = WriteAll(file.get(), bytes.constData(), size_t(bytes.size()))))
        return abandon("write", code);
    if ((code = Injected(SaveStep::Sync, file.get())) || (::fsync(file.get()) != 0 && (code = errno)))
        return abandon("sync", code);
    if ((code = file.close()))
        return abandon("close", code);
    if ((code = Injected(SaveStep::Rename, -1)) || (std::rename(temporary.constData(), target.constData()) != 0 && (code = errno)))
        return abandon("rename", code);
    SyncFolder(target);
    return true;
}

}  // namespace platform
