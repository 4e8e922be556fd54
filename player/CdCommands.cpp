// The CD player's part of the playback and navigation commands. What the player refuses
// ("Aucun périphérique MCI ouvert", a device that cannot be opened) goes to the application's
// error display.
#include "engine/TMediaPlayer.h"
#include "model/PlayerModel.h"
#include "player/VideoWindow.h"

bool TForm10::CdOpenAndPlay()
{
    const QString drive = Model.CurrentMedium().MediaDrive;
    // A device left open by an earlier play is closed first, so that a changed disc is seen.
    if (MediaPlayer1->Mode() != mpNotReady)
        RunMediaCommand([this] { MediaPlayer1->Close(); });
    MediaPlayer1->Shareable = true;
    MediaPlayer1->FileName = drive + QStringLiteral("*.cda");
    const bool opened = RunMediaCommand([this] {
        MediaPlayer1->Open();
        MediaPlayer1->SetTimeFormat(tfTMSF);
        MediaPlayer1->Play();
    });
    return opened;
}

void TForm10::CdPlay()
{
    RunMediaCommand([this] { MediaPlayer1->Play(); });
}

void TForm10::CdPause()
{
    RunMediaCommand([this] { MediaPlayer1->Pause(); });
}

void TForm10::CdStop()
{
    // A disc that failed to open has nothing to stop: no second refusal over the first.
    if (MediaPlayer1->Mode() == mpNotReady)
        return;
    RunMediaCommand([this] {
        MediaPlayer1->Stop();
        MediaPlayer1->Close();
    });
}

void TForm10::CdNext()
{
    RunMediaCommand([this] { MediaPlayer1->Next(); });
}

void TForm10::CdPrevious()
{
    RunMediaCommand([this] { MediaPlayer1->Previous(); });
}
