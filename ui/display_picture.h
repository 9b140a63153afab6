#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace plinthar {

// The display picture is a small drawing; anything much larger is not it, and
// the limits keep a bad file from costing more than a few megabytes.
inline constexpr qint64 kMaxPictureFileBytes = qint64{4} * 1024 * 1024;
inline constexpr qint64 kMaxPicturePixels = qint64{1024} * 1024;

// Decodes an uncompressed Windows bitmap (BITMAPINFOHEADER or later, 1 to 32
// bits per pixel) held in memory. The header is checked against the length of
// the data before any pixel is decoded, because Qt accepts a truncated file and
// fills the missing rows with whatever memory held. Anything else, including
// run-length compressed bitmaps, yields a null image.
QImage DecodeDisplayPicture(const QByteArray& bytes);

// Reads the picture file once, at most kMaxPictureFileBytes of it, and decodes
// it; a missing, special or unreadable file yields a null image.
QImage LoadDisplayPicture(const QString& path);

}  // namespace plinthar
