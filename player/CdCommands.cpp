// The CD player's part of the playback and navigation commands.
#include "engine/ApplicationException.h"
#include "panel/TForm1.h"
#include "player/TForm10.h"

#include <stdexcept>

namespace {

// What the CD player answers while no CD device is open.
void NoDevice()
{
    try {
        throw std::runtime_error("Aucun périphérique MCI ouvert");
    } catch (...) {
        HandleApplicationException(std::current_exception());
    }
}

}  // namespace

bool TForm10::CdOpenAndPlay()
{
    NoDevice();
    return false;
}

void TForm10::CdPlay()
{
    NoDevice();
}

void TForm10::CdPause()
{
    NoDevice();
}

void TForm10::CdStop()
{
    NoDevice();
}

void TForm10::CdNext()
{
    NoDevice();
}

void TForm10::CdPrevious()
{
    NoDevice();
}
