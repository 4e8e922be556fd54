// How the video window behaves as a window: zoom, full screen, the mouse and the wheel over the
// video, the DVD's time and chapter on the status display, region errors, the volume mixer.
#include "engine/TDSDVDGraph.h"
#include "engine/TDSVideoWindow.h"
#include "model/PlayerModel.h"
#include "platform/system/MessageBox.h"
#include "platform/system/VolumeMixer.h"
#include "player/VideoWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace {

// Half of a size, a half going to the even neighbour.
int Half(int value)
{
    const int down = value / 2;
    if (value % 2 == 0)
        return down;
    return down % 2 == 0 ? down : down + 1;
}

QString TwoDigits(int value)
{
    const QString text = QString::number(value);
    return text.size() == 1 ? QStringLiteral("0") + text : text;
}

const char* const kZoomItems[] = {"N11", "N21", "N31", "N41", "N51"};

}  // namespace

void TForm10::ConnectBehaviour()
{
    auto* zoomGroup = new QActionGroup(this);
    zoomGroup->setExclusive(true);
    for (int step = 1; step <= 5; ++step)
        zoomGroup->addAction(MenuItem(QString::fromLatin1(kZoomItems[step - 1])));
    for (int step = 1; step <= 5; ++step)
        connect(MenuItem(QString::fromLatin1(kZoomItems[step - 1])), &QAction::triggered, this,
                [this, step] { SetZoom(step); });
    connect(MenuItem(QStringLiteral("Pleincran1")), &QAction::triggered, this, &TForm10::ToggleFullScreen);
    connect(MenuItem(QStringLiteral("Panneaudecommandes1")), &QAction::triggered, this,
            &TForm10::Panneaudecommandes1Click);
    connect(MenuItem(QStringLiteral("Volume1")), &QAction::triggered, this, &TForm10::Volume1Click);

    dvdx8->OnDblClick = [this](TDSVideoWindow*) { ToggleFullScreen(); };
    dvdx8->OnMouseMove = [this](TDSVideoWindow*, Qt::MouseButtons, Qt::KeyboardModifiers, int x, int y) {
        if (DVDGraph->IDvdControl2())
            DVDGraph->IDvdControl2()->SelectAtPosition(x, y);
    };
    dvdx8->OnMouseUp = [this](TDSVideoWindow*, Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
        if (DVDGraph->IDvdControl2())
            DVDGraph->IDvdControl2()->ActivateAtPosition(x, y);
    };
    dvdx8->OnMouseWheelDown = [this](TDSVideoWindow*, Qt::KeyboardModifiers, QPoint, bool&) {
        if (IsDvd())
            NextChapter();
    };
    dvdx8->OnMouseWheelUp = [this](TDSVideoWindow*, Qt::KeyboardModifiers, QPoint, bool&) {
        if (IsDvd())
            PreviousChapter();
    };

    DVDGraph->OnDVDCurrentHMSFTime = [this](TDSDVDGraph*, TDVD_HMSF_TIMECODE time, TDVD_TimeCode&) {
        DVDGraphDVDCurrentHMSFTime(time.bHours, time.bMinutes, time.bSeconds);
    };
    DVDGraph->OnDVDChapterStart = [this](TDSDVDGraph*, int32_t chapter) { DVDX8DVDChapterStart(chapter); };
    DVDGraph->OnDVDErrorIncompatibleDiscAndDecoderRegions = [this](TDSDVDGraph*) { RegionError(); };
    DVDGraph->OnDVDErrorIncompatibleSystemAndDecoderRegions = [this](TDSDVDGraph*) { RegionError(); };
    DVDGraph->OnDVDErrorInvalidDiscRegion = [this](TDSDVDGraph*) { RegionError(); };
}

void TForm10::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TForm10::FormShow()
{
    BaseVideoBounds = dvdx8->geometry();
    SavedWindowBounds = geometry();
    Paused = false;
}

void TForm10::FormResize()
{
    if (zoomStep_ != 1 || !dvdx8)
        return;
    VideoClientAligned = true;
    Realign();
    BaseVideoBounds = dvdx8->geometry();
}

void TForm10::SetZoom(int step)
{
    // The five items are an exclusive group: the chosen one is ticked, the others not.
    MenuItem(QString::fromLatin1(kZoomItems[step - 1]))->setChecked(true);
    if (step == zoomStep_)
        return;
    zoomStep_ = step;
    if (step == 1) {
        setGeometry(SavedWindowBounds);
        VideoClientAligned = true;
        Realign();
        return;
    }
    VideoClientAligned = false;
    const int width = BaseVideoBounds.width() + (step - 1) * Half(BaseVideoBounds.width());
    const int height = BaseVideoBounds.height() + (step - 1) * Half(BaseVideoBounds.height());
    dvdx8->setGeometry(BaseVideoBounds.left(), BaseVideoBounds.top(), width, height);
    // The window takes the size that holds its visible controls, at the screen's corner.
    int clientHeight = dvdx8->geometry().bottom() + 1;
    if (Panel1->isVisibleTo(this))
        clientHeight += 31;
    resize(dvdx8->geometry().right() + 1, clientHeight);
    move(0, 0);
    Realign();
}

void TForm10::ToggleFullScreen()
{
    if (dvdx8->FullScreen())
        dvdx8->StopFullScreen();
    else
        dvdx8->StartFullScreen();
}

void TForm10::Panneaudecommandes1Click()
{
    if (dvdx8->FullScreen())
        dvdx8->StopFullScreen();
    Model.Panel().ShowPanel();
}

void TForm10::Volume1Click()
{
    platform::OpenVolumeMixer();
}

void TForm10::DVDGraphDVDCurrentHMSFTime(int hours, int minutes, int seconds)
{
    // Time passing means the disc plays; a scan keeps its rate, and a paused title that jumped
    // stays paused on its new place.
    const PlaybackState state = Model.State();
    if (state != PlaybackState::ScanningForward && state != PlaybackState::ScanningBackward
        && state != PlaybackState::Paused)
        Model.SetState(PlaybackState::Playing);
    HourText = TwoDigits(hours);
    MinuteText = TwoDigits(minutes);
    SecondText = TwoDigits(seconds);
    Model.StatusDisplay().TextOut(5, 20, QStringLiteral("Chapitre: %1").arg(CurrentChapter));
    Model.StatusDisplay().TextOut(5, 35, QStringLiteral("Temps: %1:%2:%3").arg(HourText, MinuteText, SecondText));
}

void TForm10::DVDX8DVDChapterStart(int chapter)
{
    CurrentChapter = chapter;
    Model.SetChapter(chapter);
}

void TForm10::RegionError()
{
    platform::ShowMessageBox({nullptr, QStringLiteral("Erreur"),
                              QStringLiteral("Le DVD que vous souhaitez lire n'est pas de la même zone que votre lecteur de DVD."),
                              platform::MessageIcon::Warning});
}
