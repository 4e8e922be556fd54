#pragma once

class TApplication;
struct CommandLine;
namespace dvd {
class PreparedDisc;
}

// The program's start: the splash first, then the application's title, then the windows in a fixed
// order (the dialogs are made on their first use). Returns with the video window on the screen and
// the control panel ready to be shown when the message loop starts. With `preparedDisc`, a DVD named
// on the command line starts reading once the splash is up, so that its first picture is decoded
// while the windows are made (the panel plays it as ever, once shown).
void StartUp(TApplication& application, const CommandLine& commandLine, dvd::PreparedDisc* preparedDisc = nullptr);
