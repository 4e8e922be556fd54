#pragma once
// Reading the skin's pictures and saying in French what went wrong with a skin.
#include <QImage>
#include <QString>

// A bitmap of the skin; a null image and the reason, in French, when it cannot be read.
QImage ReadSkinPicture(const QString& path, QString& error);
// Why `path` cannot be kept in the skin record (a character the record's code page lacks, or more
// than the 255 characters a slot holds), in French; empty when it can.
QString SkinPathProblem(const QString& path);
// The error box of the skin: caption "Erreur", error icon.
void ShowSkinError(const QString& text);
