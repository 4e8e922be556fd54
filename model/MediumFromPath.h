#pragma once
// What a path given from outside (command line, desktop, remote control) stands for as the
// current medium.
#include "model/CurrentMedium.h"

#include <QString>

// What a path given from outside (command line, desktop) stands for as the current medium.
struct MediumChoice {
    bool exists = false;
    QString kind;       // ".DVD", ".CDA" or the file's upper-case extension with its dot, at most 4 characters
    QString file;       // a media file's full path
    QString drive;      // a CD's drive: its device or CUE sheet
    QString dvdVolume;  // a DVD's volume, handed to the DVD navigator
};

// A media file, a DVD (folder, VIDEO_TS folder, VIDEO_TS.IFO, ISO image), or a CD (CUE sheet or
// optical device holding an audio disc).
MediumChoice MediumFromPath(const QString& path);

// The kind tag of a file, as the media chooser makes it: "." and the upper-case extension, cut to
// four characters.
QString KindTagOf(const QString& file);
