// Reading the skin's pictures and the skin's error messages.
#include "panel/SkinPicture.h"

#include "panel/SkinRecord.h"
#include "platform/system/MessageBox.h"
#include "platform/system/Windows1252.h"

#include <QImageReader>

QImage ReadSkinPicture(const QString& path, QString& error)
{
    QImageReader reader(path);
    const QImage picture = reader.read();
    if (picture.isNull())
        error = QStringLiteral("Impossible de charger l'image « %1 » : %2.").arg(path, reader.errorString());
    return picture;
}

QString SkinPathProblem(const QString& path)
{
    if (!platform::ToWindows1252(path))
        return QStringLiteral("Le chemin « %1 » contient des caractères que le fichier d'interface ne peut pas "
                              "enregistrer. Choisissez un fichier dont le chemin n'a que des lettres latines.")
            .arg(path);
    if (path.size() > SkinRecord::kPathBytes)
        return QStringLiteral("Le chemin « %1 » est trop long pour le fichier d'interface (%2 caractères au plus). "
                              "Choisissez un fichier dont le chemin est plus court.")
            .arg(path)
            .arg(SkinRecord::kPathBytes);
    return {};
}

void ShowSkinError(const QString& text)
{
    platform::ShowMessageBox({nullptr, QStringLiteral("Erreur"), text, platform::MessageIcon::Error});
}
