#pragma once
// Windows-1252 text, the code page of the small files the program shares with its older versions.
#include <QByteArray>
#include <QString>

#include <optional>

namespace platform {

// The text's bytes; nothing when a character has no place in the code page.
std::optional<QByteArray> ToWindows1252(const QString& text);
QString FromWindows1252(const QByteArray& bytes);

}  // namespace platform
