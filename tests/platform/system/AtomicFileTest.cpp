// Saving a file atomically: the old file survives every failure, including the saving process
// being killed in the middle of its write.
#include "platform/system/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using platform::SaveStep;
using platform::SetSaveFaultHook;
using platform::WriteFileAtomically;

namespace {

QByteArray Contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Removes the hook whatever the test's outcome.
struct HookGuard {
    ~HookGuard() { SetSaveFaultHook({}); }
};

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath("bookmark.bmk");
        ASSERT_TRUE(WriteFileAtomically(path_, old_));
    }
    QStringList Files() const { return QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden); }

    QTemporaryDir dir_;
    QString path_;
    const QByteArray old_ = QByteArray(5000, 'o');
};

}  // namespace

TEST_F(AtomicFile, ReplacesTheFileAndKeepsItsPermissions)
{
    ASSERT_EQ(::chmod(QFile::encodeName(path_).constData(), 0640), 0);
    ASSERT_TRUE(WriteFileAtomically(path_, "new"));
    EXPECT_EQ(Contents(path_), "new");
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path_).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
    EXPECT_EQ(Files(), QStringList{"bookmark.bmk"});
    ASSERT_TRUE(WriteFileAtomically(path_, QByteArray()));
    EXPECT_EQ(Contents(path_), QByteArray());
}

TEST_F(AtomicFile, EveryFailingStepLeavesTheOldFileAndNoTemporary)
{
    HookGuard guard;
    for (SaveStep failing : {SaveStep::Create, SaveStep::Write, SaveStep::Sync, SaveStep::Rename}) {
        SetSaveFaultHook([failing](SaveStep step, int) { return step == failing ? ENOSPC : 0; });
        QString error;
        EXPECT_FALSE(WriteFileAtomically(path_, "new", &error)) << int(failing);
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(Contents(path_), old_) << int(failing);
        EXPECT_EQ(Files(), QStringList{"bookmark.bmk"}) << int(failing);
    }
}

TEST_F(AtomicFile, RefusesPlacesItCannotWrite)
{
    EXPECT_FALSE(WriteFileAtomically(dir_.filePath("no-such-folder/file"), "x"));
    ASSERT_TRUE(QDir(dir_.path()).mkdir("folder"));
    EXPECT_FALSE(WriteFileAtomically(dir_.filePath("folder"), "x"));
    EXPECT_TRUE(QFileInfo(dir_.filePath("folder")).isDir());
    if (::geteuid() != 0) {  // root writes anywhere
        ASSERT_EQ(::chmod(QFile::encodeName(dir_.path()).constData(), 0500), 0);
        EXPECT_FALSE(WriteFileAtomically(path_, "new"));
        ::chmod(QFile::encodeName(dir_.path()).constData(), 0700);
        EXPECT_EQ(Contents(path_), old_);
    }
}

// A child process starts a save, writes half of it and is killed there: the old file is whole and
// the next save succeeds.
TEST_F(AtomicFile, AProcessKilledDuringItsSaveLeavesTheOldFile)
{
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const QByteArray fresh(old_.size(), 'n');
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::close(ready[0]);
        SetSaveFaultHook([&](SaveStep step, int fd) {
            if (step == SaveStep::Write) {
                (void)!::write(fd, fresh.constData(), size_t(fresh.size() / 2));
                (void)!::write(ready[1], "w", 1);
                for (;;)
                    ::pause();  // killed here
            }
            return 0;
        });
        WriteFileAtomically(path_, fresh);
        ::_exit(3);  // never reached
    }
    ::close(ready[1]);
    char signal = 0;
    ASSERT_EQ(::read(ready[0], &signal, 1), 1);
    ::close(ready[0]);
    ASSERT_EQ(::kill(child, SIGKILL), 0);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));

    EXPECT_EQ(Contents(path_), old_);
    ASSERT_TRUE(WriteFileAtomically(path_, fresh));
    EXPECT_EQ(Contents(path_), fresh);
}
