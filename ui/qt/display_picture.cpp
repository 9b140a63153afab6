#include "display_picture.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <cstdint>
#include <span>

#include "plinthar/form/picture_check.h"

namespace plinthar {

namespace {

// QImageReader's limit is process-wide, in megabytes; the program reads no
// other image larger than its icon.
constexpr int kAllocationLimitMegabytes = 8;

}  // namespace

QImage DecodeDisplayPicture(const QByteArray& bytes) {
  const std::span<const std::uint8_t> data(reinterpret_cast<const std::uint8_t*>(bytes.constData()),
                                           static_cast<std::size_t>(bytes.size()));
  const std::optional<form::BitmapSize> size = form::CompleteBitmapSize(data);
  if (!size) {
    return {};
  }
  QBuffer buffer;
  buffer.setData(bytes);
  if (!buffer.open(QIODevice::ReadOnly)) {
    return {};
  }
  QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
  QImageReader reader(&buffer, "BMP");
  reader.setDecideFormatFromContent(false);
  // Otherwise Qt loads every image plugin to ask it about a BMP, which QtGui
  // reads itself; that is start-up time spent for nothing.
  reader.setAutoDetectImageFormat(false);
  QImage picture = reader.read();
  if (picture.size() != QSize(size->width, size->height)) {
    return {};
  }
  return picture;
}

QImage LoadDisplayPicture(const QString& path) {
  const std::optional<std::vector<std::uint8_t>> bytes =
      form::ReadPictureFile(QFile::encodeName(path).toStdString());
  if (!bytes) {
    return {};
  }
  return DecodeDisplayPicture(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes->data()),
                                                      static_cast<qsizetype>(bytes->size())));
}

}  // namespace plinthar
