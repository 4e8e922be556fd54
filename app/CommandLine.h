#pragma once
#include <QString>
#include <QStringList>

// What the program was asked on its command line: `vistrel [--new-window] [MEDIUM]`, `--help`,
// `--version`.
struct CommandLine {
    enum class Action { Run, Help, Version, Error };
    Action action = Action::Run;
    QString medium;        // a media file, a DVD folder/IFO/ISO or a CD device/CUE sheet; may be empty
    QString errorMessage;  // for Action::Error: what was wrong
    bool newWindow = false;  // --new-window: play here even when a player already runs

    static CommandLine Parse(const QStringList& arguments);  // arguments without the program name
    static QString Usage();
    static QString Version();
};
