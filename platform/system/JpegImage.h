#pragma once
// JPEG pictures decoded with libjpeg.
#include <QImage>
#include <QString>

namespace platform {

// Decodes a baseline or progressive JPEG file with libjpeg into an opaque 32-bit image, the
// layout the screen's pictures have (drawn without a conversion). Returns a null image when the
// file is missing, unreadable or not a valid JPEG.
QImage LoadJpegFile(const QString& path);
// Same, from bytes in memory.
QImage DecodeJpeg(const QByteArray& bytes);

}  // namespace platform
