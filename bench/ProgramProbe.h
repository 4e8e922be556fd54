#pragma once
// Measures the player program itself, as a user starts it: the program (build/bin/vistrel) is
// started on a medium, the screen is polled until a colour of the medium's first picture covers
// part of it, then the process's own CPU time and peak resident memory are read from /proc.
#include <QColor>
#include <QString>

namespace bench {

struct ProgramFigures {
    bool started = false;
    double firstPicture = -1;  // seconds from just before exec to the picture on screen; -1: never
    double cpuPerSecond = -1;  // CPU-seconds per second over the measured window; -1: not measured
    double peakMiB = -1;       // the program's peak resident memory (VmHWM)
};

// Starts the program on `medium`, waits at most `timeout` seconds for `colour` on screen, then lets
// it run `warm` seconds and measures CPU over `window` seconds (none when 0). Ends the program.
ProgramFigures probeProgram(const QString& medium, const QColor& colour, double timeout, double warm, double window);

// Probes the program on `medium` (shown as `name`) and prints its figures.
void printProgramFigures(const QString& medium, const char* name, const QColor& colour, double window);

// The program beside the benchmark (build/bench/.. -> build/bin/vistrel).
QString programPath();

// A generated medium, from $VISTREL_MEDIA or else the build's media folder.
QString mediaFile(const QString& relative);

}  // namespace bench
