// Chapters, scans, menus and the three go-to dialogs.
#include "engine/TDSDVDGraph.h"
#include "engine/TDSVideoWindow.h"
#include "model/PlayerModel.h"
#include "player/CommandWait.h"
#include "player/VideoWindow.h"
#include "player/GoToChapterDialog.h"
#include "player/GoToTimeDialog.h"
#include "player/GoToTitleDialog.h"
#include "player/UpDownEdit.h"

#include <QLabel>

void TForm10::NextChapter()
{
    if (IsCd())
        CdNext();
    else if (DVDGraph->IDvdControl2())
        DVDGraph->IDvdControl2()->PlayNextChapter(dvd::DVD_CMD_FLAG_None, nullptr);
}

void TForm10::PreviousChapter()
{
    if (IsCd())
        CdPrevious();
    else if (DVDGraph->IDvdControl2())
        DVDGraph->IDvdControl2()->PlayPrevChapter(dvd::DVD_CMD_FLAG_None, nullptr);
}

void TForm10::FastForward()
{
    if (DVDGraph->IDvdControl2())
        if (SUCCEEDED(DVDGraph->IDvdControl2()->PlayForwards(8.0, dvd::DVD_CMD_FLAG_None, nullptr)))
            Model.SetState(PlaybackState::ScanningForward, 8.0);
}

void TForm10::Rewind()
{
    if (DVDGraph->IDvdControl2())
        if (SUCCEEDED(DVDGraph->IDvdControl2()->PlayBackwards(8.0, dvd::DVD_CMD_FLAG_None, nullptr)))
            Model.SetState(PlaybackState::ScanningBackward, 8.0);
}

void TForm10::ShowRootMenu()
{
    if (DVDGraph->IDvdControl2())
        DVDGraph->IDvdControl2()->ShowMenu(dvd::DVD_MENU_Root, dvd::DVD_CMD_FLAG_None, nullptr);
}

void TForm10::ShowTitleMenu()
{
    if (DVDGraph->IDvdControl2())
        DVDGraph->IDvdControl2()->ShowMenu(dvd::DVD_MENU_Title, dvd::DVD_CMD_FLAG_None, nullptr);
}

bool TForm10::RunGoToDialog(QDialog& dialog)
{
    if (dvdx8->FullScreen())
        dvdx8->StopFullScreen();
    dialog.raise();
    return dialog.exec() == QDialog::Accepted;
}

void TForm10::Chapter2Click()
{
    if (!RunGoToDialog(*Form3))
        return;
    if (!DVDGraph->IDvdControl2())
        return;
    com::Ref<dvd::IDvdCmd> command;
    const HRESULT hr = DVDGraph->IDvdControl2()->PlayChapter(uint32_t(Form3->UpDown1->Position()),
                                                             dvd::DVD_CMD_FLAG_None, &command);
    WaitAndRelease(hr, command);
}

void TForm10::Time2Click()
{
    dvd::DVD_HMSF_TIMECODE total{};
    uint32_t flags = 0;
    if (DVDGraph->IDvdInfo2())
        DVDGraph->IDvdInfo2()->GetTotalTitleTime(total, flags);
    Form4->Label2->setText(QStringLiteral("Durée totale du titre: %1:%2:%3")
                               .arg(total.bHours)
                               .arg(total.bMinutes)
                               .arg(total.bSeconds));
    Form4->Label2->adjustSize();
    if (!RunGoToDialog(*Form4))
        return;
    dvd::DVD_HMSF_TIMECODE target{uint8_t(Form4->UpDown1->Position()), uint8_t(Form4->UpDown2->Position()),
                                  uint8_t(Form4->UpDown3->Position()), 1};
    auto seconds = [](const dvd::DVD_HMSF_TIMECODE& t) { return t.bHours * 3600 + t.bMinutes * 60 + t.bSeconds; };
    // Only a time strictly inside the title is asked for.
    if (seconds(target) >= seconds(total) || !DVDGraph->IDvdControl2())
        return;
    com::Ref<dvd::IDvdCmd> command;
    const HRESULT hr = DVDGraph->IDvdControl2()->PlayAtTime(target, dvd::DVD_CMD_FLAG_None, &command);
    WaitAndRelease(hr, command);
}

void TForm10::Title2Click()
{
    if (!RunGoToDialog(*Form5))
        return;
    if (!DVDGraph->IDvdControl2())
        return;
    com::Ref<dvd::IDvdCmd> command;
    const HRESULT hr = DVDGraph->IDvdControl2()->PlayChapterInTitle(
        uint32_t(Form5->UpDown1->Position()), uint32_t(Form5->UpDown2->Position()), dvd::DVD_CMD_FLAG_None, &command);
    WaitAndRelease(hr, command);
}
