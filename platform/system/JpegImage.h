#pragma once
#include <QImage>
#include <QString>

namespace platform {

// Decodes a baseline or progressive JPEG file with libjpeg into a 24-bit image.
// Returns a null image when the file is missing, unreadable or not a valid JPEG.
QImage LoadJpegFile(const QString& path);
// Same, from bytes in memory.
QImage DecodeJpeg(const QByteArray& bytes);

}  // namespace platform
