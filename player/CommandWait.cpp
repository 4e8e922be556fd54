// Waiting for a navigator command the video window's menus gave.
#include "player/CommandWait.h"

void WaitAndRelease(HRESULT hr, com::Ref<dvd::IDvdCmd>& command)
{
    if (SUCCEEDED(hr) && command)
        command->WaitForEnd();
    command.reset();
}
