#pragma once
// The current medium: what kind it is, which file, which drive; and the class of medium that each
// kind tag stands for, worked out here and nowhere else.
#include <QString>

// The four-character kind tags of the two disc kinds.
inline constexpr const char kDvdKind[] = ".DVD";
inline constexpr const char kCdKind[] = ".CDA";

// What plays a medium: the DVD graph, the CD player, or the file graph with (Video) or without
// (Music) the video window.
enum class MediumClass { Dvd, Cd, Music, Video };

// The class of a kind tag, compared character for character: ".DVD", ".CDA", the four music tags,
// and every other tag a video file.
MediumClass ClassOfKind(const QString& kind);

struct CurrentMediumRecord {
    // ".DVD", ".CDA", or the upper-case extension of a chosen file with its dot, at most four
    // characters.
    QString MediaKind = QString::fromLatin1(kDvdKind);
    QString MediaFile;   // full path of the chosen file; empty for a DVD or a CD
    QString MediaDrive;  // the default drive (device, folder, image or CUE sheet): first line of config.dat

    MediumClass Class() const { return ClassOfKind(MediaKind); }
    bool IsDvd() const { return Class() == MediumClass::Dvd; }
    bool IsCd() const { return Class() == MediumClass::Cd; }
    // A file played through the file graph, with or without a picture.
    bool IsFile() const { return !IsDvd() && !IsCd(); }

    bool operator==(const CurrentMediumRecord&) const = default;
};
