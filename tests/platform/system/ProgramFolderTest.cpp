// Where a portable program folder and an installed copy find their data and keep their small files.
#include "platform/system/ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace platform;

namespace {

void Touch(const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// A prefix laid out as an install: <root>/bin/ and <root>/share/vistrel/.
struct Layout {
    QTemporaryDir root;
    QString bin() const { return root.path() + "/bin/"; }
    QString data() const { return root.path() + "/share/vistrel/"; }
    QString config() const { return root.path() + "/config"; }
};

}  // namespace

TEST(ProgramFolder, APortableFolderKeepsDataAndSettingsBesideTheProgram)
{
    Layout layout;
    Touch(layout.bin() + "splash.jpg");
    EXPECT_TRUE(InstalledDataFolder(layout.bin()).isEmpty());
    EXPECT_EQ(SettingsFolderFor(layout.bin(), layout.config()), layout.bin());
    EXPECT_EQ(DataFileFor(layout.bin(), "splash.jpg"), layout.bin() + "splash.jpg");
    EXPECT_FALSE(QFileInfo::exists(layout.config() + "/vistrel"));
}

TEST(ProgramFolder, AnInstalledCopyReadsShareAndWritesToTheConfigFolderEvenWhenItsBinIsWritable)
{
    Layout layout;
    Touch(layout.bin() + "vistrel");
    Touch(layout.data() + "splash.jpg");
    Touch(layout.data() + "skins/night/face.bmp");
    EXPECT_EQ(QDir(InstalledDataFolder(layout.bin())).canonicalPath(), QDir(layout.data()).canonicalPath());
    EXPECT_EQ(QFileInfo(DataFileFor(layout.bin(), "splash.jpg")).canonicalFilePath(),
              QFileInfo(layout.data() + "splash.jpg").canonicalFilePath());
    EXPECT_TRUE(QFileInfo::exists(DataFileFor(layout.bin(), "skins/night/face.bmp")));

    const QString settings = SettingsFolderFor(layout.bin(), layout.config());
    EXPECT_EQ(settings, layout.config() + "/vistrel/");
    EXPECT_TRUE(QFileInfo(settings).isDir());  // made on demand
}

TEST(ProgramFolder, AReadOnlyPortableFolderKeepsItsSettingsInTheConfigFolder)
{
    Layout layout;
    Touch(layout.bin() + "splash.jpg");
    QFile::setPermissions(layout.bin(), QFile::ReadOwner | QFile::ExeOwner);
    if (QFileInfo(layout.bin()).isWritable())  // root writes anywhere
        GTEST_SKIP() << "running as root";
    EXPECT_EQ(SettingsFolderFor(layout.bin(), layout.config()), layout.config() + "/vistrel/");
    QFile::setPermissions(layout.bin(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST(ProgramFolder, AMissingDataFileIsNamedBesideTheProgramSoItsAbsenceIsClear)
{
    Layout layout;
    Touch(layout.data() + "splash.jpg");
    EXPECT_EQ(DataFileFor(layout.bin(), "aide.htm"), layout.bin() + "aide.htm");
}
