// The media file chooser: drives, filters, the folder tree and the file list, and the answer.
#include "dialogs/MediaChooser.h"

#include "platform/cdaudio/Disc.h"
#include "platform/system/OpticalDrives.h"
#include "platform/system/WindowPlacement.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFrame>
#include <QListView>
#include <QPushButton>
#include <QStringListModel>
#include <QTreeView>

platform::DeferredWindow<TForm12> Form12;

namespace {

struct FilterEntry {
    const char* label;
    const char* masks;
};

// The four entries; the file kinds the player decodes beyond the first ones are listed too.
const FilterEntry kFilters[] = {
    {"DVD vidéo", "*.ifo;*.iso"},
    {"CD audio", "*.cda;*.cue"},
    {"Vidéos", "*.avi;*.mpg;*.mpeg;*.mp4;*.mkv;*.webm;*.mov;*.ogv"},
    {"Musiques", "*.wav;*.mid;*.mp2;*.mp3;*.flac;*.ogg;*.opus;*.m4a"},
};

QString TrackName(int number)
{
    return QStringLiteral("Piste %1.cda").arg(number, 2, 10, QLatin1Char('0'));
}

}  // namespace

QStringList TForm12::MaskOf(int filter)
{
    if (filter < 0 || filter > Music)
        return {};
    return QString::fromLatin1(kFilters[filter].masks).split(QLatin1Char(';'));
}

TForm12::TForm12()
{
    setObjectName(QStringLiteral("Form12"));
    platform::DesignWindow(*this, QStringLiteral("Sélection d'un fichier multimédia"), platform::BorderStyle::Dialog,
                           {375, 269});
    DriveComboBox1 = new QComboBox(this);
    DriveComboBox1->setObjectName(QStringLiteral("DriveComboBox1"));
    DriveComboBox1->setGeometry(8, 8, 65, DriveComboBox1->sizeHint().height());
    DriveComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    DriveComboBox1->view()->setMinimumWidth(200);
    FilterComboBox1 = new QComboBox(this);
    FilterComboBox1->setObjectName(QStringLiteral("FilterComboBox1"));
    FilterComboBox1->setGeometry(80, 8, 121, FilterComboBox1->sizeHint().height());
    for (const FilterEntry& entry : kFilters)
        FilterComboBox1->addItem(QString::fromUtf8(entry.label));

    DirectoryListBox1 = new QTreeView(this);
    DirectoryListBox1->setObjectName(QStringLiteral("DirectoryListBox1"));
    DirectoryListBox1->setGeometry(8, 32, 145, 193);
    DirectoryListBox1->setHeaderHidden(true);

    tracks_ = new QStringListModel(this);
    FileListBox1 = new QListView(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setGeometry(160, 32, 209, 193);

    auto* bevel = new QFrame(this);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(8, 232, 361, 2);
    BitBtn1 = new QPushButton(QStringLiteral("&OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(208, 240, 75, 25);
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Annuler"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(288, 240, 75, 25);

    connect(BitBtn1, &QPushButton::clicked, this, &TForm12::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm12::BitBtn2Click);
    // Picking an entry, even the one shown, lists its files.
    connect(FilterComboBox1, &QComboBox::currentIndexChanged, this, &TForm12::FilterComboBox1Change);
    connect(FilterComboBox1, &QComboBox::activated, this, &TForm12::FilterComboBox1Change);
    connect(DriveComboBox1, &QComboBox::currentIndexChanged, this, &TForm12::DriveChanged);
    connect(DirectoryListBox1, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { SetFolder(folders_->filePath(index)); });
    connect(FileListBox1, &QListView::clicked, this, &TForm12::FileListBox1Click);
    FormCreate();
}

void TForm12::FormCreate()
{
    // The drives: optical drives, mounted volumes, the home folder and the root.
    QStringList drives = platform::OpticalDrives();
    drives += platform::MountedVolumes();
    drives << QDir::homePath() << QStringLiteral("/");
    drives.removeDuplicates();
    DriveComboBox1->addItems(drives);
    // The file list stays empty until the user picks a filter.
    nameFilters_ = {QStringLiteral("-")};
    FilterComboBox1->blockSignals(true);
    FilterComboBox1->setCurrentIndex(DvdVideo);
    FilterComboBox1->blockSignals(false);
    DriveComboBox1->setCurrentIndex(DriveComboBox1->findText(QDir::homePath()));
    SetFolder(QDir::homePath());
}

void TForm12::DriveChanged()
{
    const QString drive = DriveComboBox1->currentText();
    if (FilterComboBox1->currentIndex() == AudioCd)
        ShowFiles();
    if (QFileInfo(drive).isDir())
        SetFolder(drive);
}

void TForm12::showEvent(QShowEvent* event)
{
    if (!listed_) {
        listed_ = true;
        MakeModels();
        folders_->setRootPath(QStringLiteral("/"));
        SetFolder(folder_);
    }
    QDialog::showEvent(event);
}

// The file system's models, each with a watcher thread and icons of its own, are made on the
// chooser's first showing: made at start-up, they took the UI thread's time while the first
// medium was being shown.
void TForm12::MakeModels()
{
    if (files_)
        return;
    folders_ = new QFileSystemModel(this);
    folders_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    DirectoryListBox1->setModel(folders_);
    for (int column = 1; column < folders_->columnCount(); ++column)
        DirectoryListBox1->hideColumn(column);
    files_ = new QFileSystemModel(this);
    files_->setFilter(QDir::Files | QDir::Hidden | QDir::System);
    files_->setNameFilterDisables(false);
    files_->setNameFilters(nameFilters_);
}

void TForm12::SetFolder(const QString& folder)
{
    folder_ = folder;
    if (!listed_)
        return;  // read when first shown
    const QModelIndex index = folders_->index(folder);
    DirectoryListBox1->setCurrentIndex(index);
    DirectoryListBox1->expand(index);
    DirectoryListBox1->scrollTo(index);
    ShowFiles();
}

void TForm12::ShowFiles()
{
    if (FilterComboBox1->currentIndex() == AudioCd)
        ListCdTracks();
    else {
        MakeModels();
        FileListBox1->setModel(files_);
        files_->setRootPath(folder_);
        FileListBox1->setRootIndex(files_->index(folder_));
    }
    // Another folder: nothing is selected there, and a file kind needs a file.
    FileListBox1->clearSelection();
    FileListBox1->setCurrentIndex({});
    if (FilterComboBox1->currentIndex() >= Videos)
        BitBtn1->setEnabled(false);
}

void TForm12::ListCdTracks()
{
    // The tracks of the disc in the chosen drive, then the CUE sheets of the folder.
    QStringList entries;
    const QString drive = DriveComboBox1->currentText();
    if (drive.startsWith(QLatin1String("/dev/"))) {
        cdaudio::MciError error = 0;
        if (const auto disc = cdaudio::Disc::load(drive.toStdString(), error))
            for (const cdaudio::Track& track : disc->toc().tracks())
                if (track.audio)
                    entries << TrackName(track.number);
    }
    const QStringList sheets = QDir(folder_).entryList({QStringLiteral("*.cue")}, QDir::Files, QDir::Name);
    entries += sheets;
    tracks_->setStringList(entries);
    FileListBox1->setModel(tracks_);
}

QString TForm12::SelectedName() const
{
    const QModelIndex index = FileListBox1->currentIndex();
    if (!index.isValid() || !FileListBox1->selectionModel()->isSelected(index))
        return {};
    return index.data().toString();
}

void TForm12::FilterComboBox1Change()
{
    const int filter = FilterComboBox1->currentIndex();
    nameFilters_ = MaskOf(filter);
    if (files_)
        files_->setNameFilters(nameFilters_);
    ShowFiles();
    BitBtn1->setEnabled(filter < Videos || !SelectedName().isEmpty());
}

void TForm12::FileListBox1Click()
{
    if (FilterComboBox1->currentIndex() == DvdVideo || !SelectedName().isEmpty())
        BitBtn1->setEnabled(true);
}

void TForm12::BitBtn1Click()
{
    const QString name = SelectedName();
    const QString path = name.isEmpty() ? QString()
                         : folder_.endsWith(QLatin1Char('/')) ? folder_ + name
                                                               : folder_ + QLatin1Char('/') + name;
    if (FilterComboBox1->currentIndex() >= Videos && path.isEmpty())
        return;  // a file kind without a file: nothing to give, the chooser stays
    ChooserAccepted = true;
    ChosenFile.clear();
    ChosenKind.clear();
    ChosenVolume.clear();
    ChosenDrive.clear();
    switch (FilterComboBox1->currentIndex()) {
    case DvdVideo:
        // A picked VIDEO_TS.IFO or image is where the navigator looks first; otherwise it searches.
        ChosenKind = QStringLiteral(".DVD");
        ChosenVolume = path;
        break;
    case AudioCd:
        ChosenKind = QStringLiteral(".CDA");
        if (name.endsWith(QLatin1String(".cue"), Qt::CaseInsensitive))
            ChosenDrive = path;
        else if (DriveComboBox1->currentText().startsWith(QLatin1String("/dev/")))
            ChosenDrive = DriveComboBox1->currentText();
        break;
    default: {
        ChosenFile = path;
        const QString suffix = QFileInfo(path).suffix();
        ChosenKind = suffix.isEmpty() ? QString() : QStringLiteral(".") + suffix.toUpper();
        break;
    }
    }
    accept();
}

void TForm12::BitBtn2Click()
{
    ChooserAccepted = false;
    reject();
}

void TForm12::closeEvent(QCloseEvent* event)
{
    ChooserAccepted = false;
    QDialog::closeEvent(event);
}
