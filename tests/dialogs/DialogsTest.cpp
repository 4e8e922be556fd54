// The drive chooser, the media chooser and the system information dialog on their own.
#include "dialogs/DriveChooser.h"
#include "dialogs/MediaChooser.h"
#include "dialogs/SystemInformation.h"
#include "platform/system/MessageBox.h"
#include "platform/system/OpticalDrives.h"
#include "support/TestSupport.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

namespace {

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void WriteText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text);
}

// A folder standing for a settings folder, and message boxes recorded instead of shown.
struct Settings {
    QTemporaryDir home;
    std::vector<platform::MessageBoxRequest> messages;
    Settings()
    {
        qputenv("VISTREL_HOME", home.path().toUtf8());
        platform::SetMessageBoxHandler([this](const platform::MessageBoxRequest& r) { messages.push_back(r); });
    }
    ~Settings()
    {
        platform::SetOpticalDrivesProbe({});
        platform::SetMessageBoxHandler({});
    }
    QString Config() const { return home.path() + "/config.dat"; }
};

// Selects `name` in the chooser's file list as a click would.
bool ClickFile(TForm12& chooser, const QString& name)
{
    QListView* list = chooser.FileListBox1;
    const bool found = testsupport::waitFor([&] {
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
            if (list->model()->index(row, 0, list->rootIndex()).data().toString() == name)
                return true;
        return false;
    });
    if (!found)
        return false;
    for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row) {
        const QModelIndex index = list->model()->index(row, 0, list->rootIndex());
        if (index.data().toString() == name) {
            list->setCurrentIndex(index);
            list->selectionModel()->select(index, QItemSelectionModel::ClearAndSelect);
            chooser.FileListBox1Click();
            return true;
        }
    }
    return false;
}

}  // namespace

TEST(DriveChooser, OneDriveIsWrittenAtEveryStartWithoutAQuestion)
{
    Settings settings;
    platform::SetOpticalDrivesProbe([] { return QStringList{"/dev/sr0"}; });
    WriteText(settings.Config(), "/dev/old\r\n");
    TForm13 chooser;
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(chooser.result(), QDialog::Accepted);
    EXPECT_EQ(ReadAll(settings.Config()), "/dev/sr0\r\n");
    EXPECT_TRUE(settings.messages.empty());
}

TEST(DriveChooser, SeveralDrivesAreListedAndABlankChoiceRefused)
{
    Settings settings;
    platform::SetOpticalDrivesProbe([] { return QStringList{"/dev/sr0", "/dev/sr1"}; });
    TForm13 chooser;
    ASSERT_EQ(chooser.ComboBox1->count(), 2);
    EXPECT_EQ(chooser.ComboBox1->itemText(0), "/dev/sr0");
    EXPECT_EQ(chooser.ComboBox1->itemText(1), "/dev/sr1");
    EXPECT_TRUE(chooser.ComboBox1->currentText().isEmpty());
    EXPECT_FALSE(QFile::exists(settings.Config()));

    chooser.show();
    for (const QString& blank : {QString(), QString("   \t ")}) {
        chooser.ComboBox1->setEditText(blank);
        chooser.BitBtn1Click();
        ASSERT_EQ(settings.messages.size(), 1u);
        EXPECT_EQ(settings.messages[0].caption, "Erreur");
        EXPECT_EQ(settings.messages[0].text, "Vous devez sélectionner un lecteur dans la liste.");
        settings.messages.clear();
        EXPECT_TRUE(chooser.isVisible());
        EXPECT_FALSE(QFile::exists(settings.Config()));
    }
    // A typed text is saved as typed, blanks included, in the code page with CR LF.
    chooser.ComboBox1->setEditText(" /media/vidéos/film.iso ");
    chooser.BitBtn1Click();
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_EQ(ReadAll(settings.Config()), QByteArray(" /media/vid\xE9os/film.iso \r\n"));
}

TEST(DriveChooser, AWriteFailureIsSaidAndTheWindowStays)
{
    Settings settings;
    platform::SetOpticalDrivesProbe([] { return QStringList{}; });
    TForm13 chooser;
    chooser.show();
    // A folder in the way of the file: it cannot be written.
    QDir().mkpath(settings.Config());
    chooser.ComboBox1->setEditText("/dev/sr0");
    chooser.BitBtn1Click();
    ASSERT_EQ(settings.messages.size(), 1u);
    EXPECT_EQ(settings.messages[0].caption, "Erreur");
    EXPECT_TRUE(settings.messages[0].text.contains("config.dat"));
    EXPECT_TRUE(chooser.isVisible());
}

// What is written is what the panel reads back as its drive, whatever characters the path has.
TEST(DriveChooser, TheWrittenDriveIsTheDriveReadBack)
{
    Settings settings;
    const QString paths[] = {QStringLiteral(" /media/vidéos/film.iso "), QStringLiteral("/media/映画/disc.cue"),
                             QStringLiteral("/media/Ā/€.iso"), QStringLiteral("/media/a\u00A0b\rc.iso")};
    for (const QString& path : paths) {
        QString error;
        ASSERT_TRUE(WriteConfigFile(settings.Config(), path, error)) << error.toStdString();
        EXPECT_EQ(ConfigDrive(ConfigText(ReadAll(settings.Config()))), path) << path.toStdString();
    }
    // Files of older versions: Windows-1252, with CR LF or LF or no line end, lines after the first.
    EXPECT_EQ(ConfigDrive(ConfigText("D:\\vid\xE9o\x80\r\nsecond\r\n")), QStringLiteral("D:\\vidéo€"));
    EXPECT_EQ(ConfigDrive(ConfigText("/dev/sr0\n")), QStringLiteral("/dev/sr0"));
    EXPECT_EQ(ConfigDrive(ConfigText("/dev/sr0")), QStringLiteral("/dev/sr0"));
    EXPECT_EQ(ConfigDrive(ConfigText("")), QString());
    // Bytes that are UTF-8 only by chance but name Windows-1252 characters stay Windows-1252.
    EXPECT_EQ(ConfigDrive(ConfigText("\xC3\xA9")), QStringLiteral("Ã©"));
    // The drive's line alone tells its encoding: a second line that is not UTF-8 changes nothing.
    const QByteArray hebrew("/\xD7\x90.iso\r\n\xF7\r\n");
    EXPECT_EQ(ConfigDrive(ConfigText(hebrew)), QStringLiteral("/\u05D0.iso"));
    EXPECT_EQ(ConfigDrive(ConfigText(hebrew.left(9))), QStringLiteral("/\u05D0.iso"));
    EXPECT_EQ(ConfigDrive(ConfigText(hebrew.left(7))), QStringLiteral("/\u05D0.iso"));
}

TEST(MediaChooser, OkAtOnceGivesADvdAndFileKindsNeedAFile)
{
    QTemporaryDir folder;
    WriteText(folder.path() + "/films/vacances.mpeg", "x");
    WriteText(folder.path() + "/films/clip.avi", "x");
    TForm12 chooser;
    chooser.show();
    EXPECT_EQ(chooser.FilterComboBox1->currentIndex(), TForm12::DvdVideo);
    EXPECT_TRUE(chooser.BitBtn1->isEnabled());
    chooser.BitBtn1Click();
    EXPECT_TRUE(chooser.ChooserAccepted);
    EXPECT_EQ(chooser.ChosenKind, ".DVD");
    EXPECT_TRUE(chooser.ChosenFile.isEmpty());

    chooser.show();
    chooser.FilterComboBox1->setCurrentIndex(TForm12::AudioCd);
    chooser.BitBtn1Click();
    EXPECT_EQ(chooser.ChosenKind, ".CDA");
    EXPECT_TRUE(chooser.ChosenFile.isEmpty());

    // Under "Vidéos", OK waits for a file; a file in a sub-folder gives folder, "/" and name.
    chooser.show();
    chooser.SetFolder(folder.path() + "/films");
    chooser.FilterComboBox1->setCurrentIndex(TForm12::Videos);
    EXPECT_FALSE(chooser.BitBtn1->isEnabled());
    ASSERT_TRUE(ClickFile(chooser, "vacances.mpeg"));
    EXPECT_TRUE(chooser.BitBtn1->isEnabled());
    // Picking "Vidéos" again keeps the file and OK.
    chooser.FilterComboBox1->setCurrentIndex(TForm12::Videos);
    EXPECT_TRUE(chooser.BitBtn1->isEnabled());
    chooser.BitBtn1Click();
    EXPECT_EQ(chooser.ChosenFile, folder.path() + "/films/vacances.mpeg");
    EXPECT_EQ(chooser.ChosenKind, ".MPEG") << "the panel keeps its first four characters";

    // Another folder empties the selection: OK is disabled rather than giving a broken path.
    chooser.show();
    chooser.SetFolder(folder.path());
    EXPECT_FALSE(chooser.BitBtn1->isEnabled());
    chooser.ChosenFile = "unchanged";
    chooser.BitBtn1Click();
    EXPECT_EQ(chooser.ChosenFile, "unchanged") << "nothing chosen, nothing given";
    EXPECT_TRUE(chooser.isVisible());
}

TEST(MediaChooser, RootFilesHaveOneSeparatorAndCancelSaysNo)
{
    TForm12 chooser;
    chooser.show();
    chooser.FilterComboBox1->setCurrentIndex(TForm12::Videos);
    chooser.SetFolder("/");
    // The root has no video of ours; the answer is built by the same rule for any name.
    EXPECT_EQ(chooser.CurrentFolder(), "/");
    chooser.BitBtn2Click();
    EXPECT_FALSE(chooser.ChooserAccepted);
    EXPECT_FALSE(chooser.isVisible());

    chooser.show();
    QTest::keyClick(&chooser, Qt::Key_Escape);
    EXPECT_FALSE(chooser.isVisible());
    EXPECT_FALSE(chooser.ChooserAccepted);

    chooser.show();
    chooser.close();
    EXPECT_FALSE(chooser.ChooserAccepted);

    // Music lists the kinds the player decodes beyond the first four.
    const QStringList music = TForm12::MaskOf(TForm12::Music);
    for (const char* mask : {"*.wav", "*.mid", "*.mp2", "*.mp3", "*.flac", "*.ogg", "*.opus", "*.m4a"})
        EXPECT_TRUE(music.contains(mask)) << mask;
    EXPECT_TRUE(TForm12::MaskOf(TForm12::Videos).contains("*.mkv"));
    EXPECT_TRUE(TForm12::MaskOf(TForm12::DvdVideo).contains("*.ifo"));
}

TEST(MediaChooser, ADvdFolderAndACueSheetAreHandedOn)
{
    const QString dvd = testsupport::media("dvd/VIDEO_TS");
    if (!QFileInfo::exists(dvd + "/VIDEO_TS.IFO"))
        GTEST_SKIP() << "needs the generated DVD";
    TForm12 chooser;
    chooser.show();
    chooser.FilterComboBox1->setCurrentIndex(TForm12::DvdVideo);
    chooser.FilterComboBox1Change();  // picked, though it is the entry shown
    chooser.SetFolder(dvd);
    ASSERT_TRUE(ClickFile(chooser, "VIDEO_TS.IFO"));
    chooser.BitBtn1Click();
    EXPECT_EQ(chooser.ChosenKind, ".DVD");
    EXPECT_EQ(chooser.ChosenVolume, dvd + "/VIDEO_TS.IFO");

    chooser.show();
    chooser.FilterComboBox1->setCurrentIndex(TForm12::AudioCd);
    chooser.SetFolder(testsupport::media("cd"));
    ASSERT_TRUE(ClickFile(chooser, "disc.cue"));
    chooser.BitBtn1Click();
    EXPECT_EQ(chooser.ChosenKind, ".CDA");
    EXPECT_EQ(chooser.ChosenDrive, testsupport::media("cd") + "/disc.cue");
}

TEST(SystemInformation, RowsComeFromTheSystemsFilesAtEachOpening)
{
    QTemporaryDir root;
    TForm11 dialog;
    dialog.Root = root.path();
    // Nothing there: the readers say so.
    dialog.show();
    EXPECT_EQ(dialog.Label4->text(), "Inconnu");
    EXPECT_EQ(dialog.Label6->text(), "Inconnu");
    EXPECT_EQ(dialog.Label8->text(), "Inconnu");
    EXPECT_FALSE(dialog.Label2->text().isEmpty());
    dialog.hide();

    // A processor without a vendor line gives an empty row; the system and its kernel.
    WriteText(root.path() + "/proc/cpuinfo",
              "processor\t: 0\nmodel name\t: Processeur de test 3000\ncpu MHz\t: 1000\n\n"
              "processor\t: 1\nvendor_id\t: SecondOnly\n");
    WriteText(root.path() + "/etc/os-release", "NAME=\"Debian GNU/Linux\"\nPRETTY_NAME=\"Debian GNU/Linux 12 (bookworm)\"\n");
    WriteText(root.path() + "/proc/sys/kernel/osrelease", "6.1.0-test\n");
    dialog.show();
    EXPECT_EQ(dialog.Label4->text(), "Processeur de test 3000");
    EXPECT_EQ(dialog.Label6->text(), "");
    EXPECT_EQ(dialog.Label8->text(), "Debian GNU/Linux 12 (bookworm)   6.1.0-test");
    dialog.hide();

    // Read afresh: a changed file shows at the next opening.
    WriteText(root.path() + "/etc/os-release", "NAME=Autre\nVERSION=\"2\"\n");
    dialog.show();
    EXPECT_EQ(dialog.Label8->text(), "Autre 2   6.1.0-test");
    const QStringList labels{dialog.findChild<QLabel*>("Label3")->text(), dialog.findChild<QLabel*>("Label5")->text(),
                             dialog.findChild<QLabel*>("Label7")->text(), dialog.findChild<QLabel*>("Label1")->text()};
    EXPECT_EQ(labels, (QStringList{"Processeur :", "Vendeur :", "Version du système :", "Plate-forme multimédia :"}));
}

TEST(SystemInformation, EveryValueShowsWholeAfterItsCaption)
{
    QTemporaryDir root;
    WriteText(root.path() + "/proc/cpuinfo",
              "processor\t: 0\nvendor_id\t: AuthenticVendorWithAVeryLongName\n"
              "model name\t: Processeur de test au nom bien plus long que la fenêtre prévue 3000\n\n");
    TForm11 dialog;
    dialog.Root = root.path();
    dialog.show();
    const std::pair<const char*, QLabel*> rows[] = {
        {"Label3", dialog.Label4}, {"Label5", dialog.Label6}, {"Label7", dialog.Label8}, {"Label1", dialog.Label2}};
    for (const auto& [captionName, value] : rows) {
        const auto* caption = dialog.findChild<QLabel*>(captionName);
        ASSERT_NE(caption, nullptr);
        EXPECT_GT(value->x(), caption->x() + caption->sizeHint().width()) << captionName;
        // Not cut by the dialog's edge.
        EXPECT_LE(value->x() + value->sizeHint().width(), dialog.width()) << value->text().toStdString();
    }
    EXPECT_GT(dialog.width(), 252);
}
