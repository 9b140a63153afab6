#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

namespace plinthar {

// Decodes the bytes of a display picture that passes the form's picture check
// (a complete, uncompressed Windows bitmap within the size limits); anything
// else yields a null image.
QImage DecodeDisplayPicture(const QByteArray& bytes);

// Reads the picture file once, by the form's rule, and decodes it; a missing,
// special, unreadable or oversized file yields a null image.
QImage LoadDisplayPicture(const QString& path);

}  // namespace plinthar
