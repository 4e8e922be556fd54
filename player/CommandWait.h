#pragma once
// Waiting for a navigator command the video window's menus gave.
#include "platform/com/Result.h"
#include "platform/dvd/DvdInterfaces.h"

// When `hr` says the command was accepted, waits (bounded by the command itself) for its end; then
// lets the command go in any case.
void WaitAndRelease(HRESULT hr, com::Ref<dvd::IDvdCmd>& command);
