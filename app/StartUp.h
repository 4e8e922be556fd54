#pragma once

class TApplication;
struct CommandLine;

// The program's start: the splash first, then the application's title, then every window once, in
// a fixed order. Returns with the video window on the screen and the control panel ready to be
// shown when the message loop starts.
void StartUp(TApplication& application, const CommandLine& commandLine);
