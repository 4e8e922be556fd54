#include "app/CommandLine.h"

#include "app/DesktopSession.h"

CommandLine CommandLine::Parse(const QStringList& arguments)
{
    CommandLine result;
    bool optionsEnded = false;
    for (const QString& argument : arguments) {
        if (!optionsEnded && argument == QLatin1String("--")) {
            optionsEnded = true;
        } else if (!optionsEnded && (argument == QLatin1String("--help") || argument == QLatin1String("-h"))) {
            result.action = Action::Help;
            return result;
        } else if (!optionsEnded && (argument == QLatin1String("--version") || argument == QLatin1String("-v"))) {
            result.action = Action::Version;
            return result;
        } else if (!optionsEnded && argument == QLatin1String("--new-window")) {
            result.newWindow = true;
        } else if (!optionsEnded && argument.startsWith(QLatin1Char('-')) && argument.size() > 1) {
            result.action = Action::Error;
            result.errorMessage = QStringLiteral("option inconnue : %1").arg(argument);
            return result;
        } else if (result.medium.isEmpty()) {
            result.medium = LocalMedium(argument);
        } else {
            result.action = Action::Error;
            result.errorMessage = QStringLiteral("un seul support à la fois : %1").arg(argument);
            return result;
        }
    }
    return result;
}

QString CommandLine::Usage()
{
    return QStringLiteral(
        "Usage : vistrel [--new-window] [SUPPORT]\n"
        "Lecteur de DVD vidéo, de CD audio et de fichiers multimédia.\n"
        "\n"
        "SUPPORT  un fichier multimédia, un DVD (dossier, dossier VIDEO_TS, VIDEO_TS.IFO ou image ISO)\n"
        "         ou un CD audio (périphérique ou fichier CUE) à lire dès l'ouverture ; si Vistrel\n"
        "         est déjà ouvert, c'est lui qui le lit\n"
        "\n"
        "      --new-window  ouvre un nouveau lecteur même si Vistrel est déjà ouvert\n"
        "  -h, --help        affiche cette aide et quitte\n"
        "  -v, --version     affiche la version et quitte\n");
}

QString CommandLine::Version()
{
    return QStringLiteral("Vistrel version 0.8a\n");
}
