#pragma once
// The media file chooser.
#include "platform/system/DeferredWindow.h"

#include <QDialog>
#include <QStringList>

class QComboBox;
class QFileSystemModel;
class QFrame;
class QListView;
class QPushButton;
class QStringListModel;
class QTreeView;

// Where the user says what to play next: a DVD, an audio CD, or a video or music file found by
// browsing drives and folders. It plays nothing; the panel reads its answer once it is closed.
// Drive, folder, filter and selection stay as the user left them from one opening to the next.
class TForm12 : public QDialog {
    Q_OBJECT
public:
    TForm12();

    // The answer, read once the chooser is closed.
    bool ChooserAccepted = false;
    QString ChosenKind;    // ".DVD", ".CDA", or the chosen file's upper-case extension with its dot
    QString ChosenFile;    // the chosen file's full path; empty for a DVD or a CD
    QString ChosenVolume;  // a DVD's VIDEO_TS.IFO or ISO image picked under "DVD vidéo"; may be empty
    QString ChosenDrive;   // a CUE sheet or drive picked under "CD audio"; may be empty

    enum Filter { DvdVideo, AudioCd, Videos, Music };

    QComboBox* DriveComboBox1 = nullptr;
    QComboBox* FilterComboBox1 = nullptr;
    QTreeView* DirectoryListBox1 = nullptr;
    QListView* FileListBox1 = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

    // The folder the file list shows, and the file selected in it (empty when none).
    QString CurrentFolder() const { return folder_; }
    QString SelectedName() const;
    // Shows `folder` in the folder tree and the file list.
    void SetFolder(const QString& folder);

    void FilterComboBox1Change();
    void FileListBox1Click();
    void BitBtn1Click();
    void BitBtn2Click();

    // The masks of each filter entry.
    static QStringList MaskOf(int filter);

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void DriveChanged();
    void ListCdTracks();
    void ShowFiles();
    void MakeModels();

    QFileSystemModel* folders_ = nullptr;
    QFileSystemModel* files_ = nullptr;
    QStringListModel* tracks_ = nullptr;
    QStringList nameFilters_;  // the file list's masks, kept until its model exists
    QString folder_;
    bool listed_ = false;  // the folders are read when the chooser is first shown, not at start-up
};

extern platform::DeferredWindow<TForm12> Form12;
