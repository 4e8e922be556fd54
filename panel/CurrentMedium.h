#pragma once
#include <QString>

// The medium the player serves: what kind it is, which file, which drive.
struct CurrentMediumRecord {
    // ".DVD", ".CDA", or the upper-case extension of a chosen file with its dot, at most four
    // characters; compared character for character.
    QString MediaKind = QStringLiteral(".DVD");
    QString MediaFile;   // full path of the chosen file; empty for a DVD or a CD
    QString MediaDrive;  // the default drive (device, folder, image or CUE sheet): first line of config.dat
};
