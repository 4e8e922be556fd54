#include "panel/TForm1.h"

#include "app/TApplication.h"
#include "app/TForm9.h"
#include "panel/StatusDisplay.h"
#include "platform/system/ProgramFolder.h"
#include "platform/system/WindowPlacement.h"
#include "dialogs/TForm12.h"
#include "engine/TDSFilterGraph2.h"
#include "platform/dvd/VolumeFinder.h"
#include "platform/system/MessageBox.h"
#include "player/MediumKind.h"
#include "player/TForm10.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QTextStream>
#include <QTimer>

TForm1* Form1 = nullptr;
QString TForm1::CommandLineMedium;

TForm1::TForm1()
{
    setObjectName(QStringLiteral("Form1"));
    platform::DesignWindow(*this, QStringLiteral("Vistrel"), platform::BorderStyle::None, {302, 121},
                           QPoint(10, 10));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    QFont panelFont;
    panelFont.setFamilies({QStringLiteral("Times New Roman"), QStringLiteral("Liberation Serif"),
                           QStringLiteral("DejaVu Serif")});
    panelFont.setPointSize(8);
    setFont(panelFont);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(0, 0, 302, 121);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1->setGeometry(18, 23, 265, 58);
    Panel1->setAutoFillBackground(true);
    QPalette panelPalette = Panel1->palette();
    panelPalette.setColor(QPalette::Window, QColor(0, 255, 255));
    Panel1->setPalette(panelPalette);

    Image2 = new StatusDisplay(Panel1);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setGeometry(1, 1, 263, 56);

    BuildPopupMenu();
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate()
{
    // 1. The splash's progress, 0 to 100, in one blocking run; then the splash goes.
    if (Form9) {
        for (int i = 0; i <= 300000; ++i)
            Form9->ProgressBar1->setValue(i / 3000);
        Form9->hide();
    }
    // 2, 3.
    CurrentMedium.MediaKind = QStringLiteral(".DVD");
    CurrentMedium.MediaFile.clear();
    ProgramFolder = platform::ProgramFolder();
    SettingsFolder = platform::SettingsFolder();
    move(10, 10);
    Dragging = false;
    // 5.
    Image2->TextOut(5, 5, QStringLiteral("Prêt"));
    raise();
    DoorOpen = false;
}

void TForm1::BuildPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->addAction(QStringLiteral("&Ouvrir un fichier multimédia..."));
    PopupMenu1->addAction(QStringLiteral("&Volume..."));
    PopupMenu1->addAction(QStringLiteral("&Ejecter le disque"));
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(QStringLiteral("Vistrel sur Internet..."));
    PopupMenu1->addAction(QStringLiteral("&Informations..."));
    PopupMenu1->addSeparator();
    Quitter1 = PopupMenu1->addAction(QStringLiteral("&Quitter"));
    Quitter1->setObjectName(QStringLiteral("Quitter1"));
    connect(Quitter1, &QAction::triggered, this, &TForm1::Quitter1Click);
}

void TForm1::contextMenuEvent(QContextMenuEvent* event)
{
    PopupMenu1->popup(event->globalPos());
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm1::FormShow()
{
    ReadConfig();
    // The default drive is where the DVD navigator looks first.
    dvd::SetPreferredVolume(CurrentMedium.MediaDrive);
    if (Form10)
        Form10->show();
    if (!CommandLineMedium.isEmpty()) {
        const QString medium = CommandLineMedium;
        CommandLineMedium.clear();
        if (TakeMedium(medium) && Form10)
            QTimer::singleShot(0, Form10, &TForm10::PlayMedium);
    }
}

bool TForm1::TakeMedium(const QString& path)
{
    const MediumChoice choice = MediumFromPath(path);
    if (!choice.exists) {
        platform::ShowMessageBox({this, QStringLiteral("Attention"),
                                  QStringLiteral("Le support « %1 » est introuvable.").arg(path),
                                  platform::MessageIcon::Warning});
        return false;
    }
    CurrentMedium.MediaKind = choice.kind;
    CurrentMedium.MediaFile = choice.file;
    if (!choice.drive.isEmpty())
        CurrentMedium.MediaDrive = choice.drive;
    if (!choice.dvdVolume.isEmpty())
        dvd::SetPreferredVolume(choice.dvdVolume);
    return true;
}

void TForm1::Ouvrirunfichiermultimdia1Click()
{
    if (Form10)
        Form10->FilterGraph->ClearGraph();
    if (!Form12 || Form12->exec() != QDialog::Accepted)
        return;
    Image2->Clear();
    CurrentMedium.MediaKind = Form12->KindTag.left(4);
    CurrentMedium.MediaFile = Form12->FileName;
    if (Form10)
        Form10->PlayMedium();
}

void TForm1::ReadConfig()
{
    QFile config(SettingsFolder + QStringLiteral("config.dat"));
    if (!config.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream stream(&config);
    CurrentMedium.MediaDrive = stream.readLine();
}

void TForm1::Quitter1Click()
{
    Exit1Click();
}

void TForm1::Exit1Click()
{
    close();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (Application)
        Application->Terminate();
}
