#include "display_picture.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>
#include <cstdint>
#include <cstdlib>

namespace plinthar {

namespace {

constexpr qint64 kFileHeaderSize = 14;
constexpr qint64 kInfoHeaderSize = 40;
constexpr qint64 kBitFieldMasksSize = 12;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kBitFields = 3;
// QImageReader's limit is process-wide, in megabytes; the program reads no
// other image larger than its icon.
constexpr int kAllocationLimitMegabytes = 8;

class HeaderReader {
 public:
  explicit HeaderReader(const QByteArray& bytes) : bytes_(bytes) {}

  [[nodiscard]] std::uint16_t U16(qint64 offset) const {
    return qFromLittleEndian<quint16>(bytes_.constData() + offset);
  }
  [[nodiscard]] std::uint32_t U32(qint64 offset) const {
    return qFromLittleEndian<quint32>(bytes_.constData() + offset);
  }
  [[nodiscard]] std::int32_t I32(qint64 offset) const {
    return qFromLittleEndian<qint32>(bytes_.constData() + offset);
  }

 private:
  const QByteArray& bytes_;
};

bool IsKnownInfoHeaderSize(std::uint32_t size) {
  // BITMAPINFOHEADER, the two Adobe extensions of it, BITMAPV4HEADER and
  // BITMAPV5HEADER all begin with the same 40 bytes.
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

bool IsKnownBitCount(std::uint16_t bits) {
  return bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

// The size of the decoded picture when the header describes a complete,
// uncompressed bitmap that lies wholly within the data; an empty size
// otherwise. All arithmetic is 64-bit, so no field can overflow it.
QSize CompleteBitmapSize(const QByteArray& bytes) {
  const qint64 length = bytes.size();
  if (length < kFileHeaderSize + kInfoHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
    return {};
  }
  const HeaderReader header(bytes);
  const qint64 declaredSize = header.U32(2);
  const qint64 pixelOffset = header.U32(10);
  const std::uint32_t infoSize = header.U32(14);
  const qint64 width = header.I32(18);
  const qint64 height = std::llabs(header.I32(22));  // negative: rows stored top-down
  const std::uint16_t planes = header.U16(26);
  const std::uint16_t bits = header.U16(28);
  const std::uint32_t compression = header.U32(30);
  const qint64 coloursUsed = header.U32(46);

  // A writer that recorded more bytes than there are lost the rest of the file.
  if (declaredSize > length || !IsKnownInfoHeaderSize(infoSize) || planes != 1 ||
      !IsKnownBitCount(bits)) {
    return {};
  }
  if (width <= 0 || height <= 0 || width * height > kMaxPicturePixels) {
    return {};
  }
  qint64 tablesEnd = kFileHeaderSize + infoSize;
  if (compression == kBitFields && (bits == 16 || bits == 32)) {
    // The three colour masks follow a plain BITMAPINFOHEADER; the later
    // headers hold them inside.
    if (infoSize == kInfoHeaderSize) {
      tablesEnd += kBitFieldMasksSize;
    }
  } else if (compression != kUncompressed) {
    return {};
  }
  if (bits <= 8) {
    const qint64 paletteLimit = qint64{1} << bits;
    const qint64 colours = coloursUsed == 0 ? paletteLimit : coloursUsed;
    if (colours > paletteLimit) {
      return {};
    }
    tablesEnd += colours * 4;
  }
  // Rows are padded to whole 32-bit words.
  const qint64 stride = (width * bits + 31) / 32 * 4;
  if (tablesEnd > pixelOffset || pixelOffset + stride * height > length) {
    return {};
  }
  return {static_cast<int>(width), static_cast<int>(height)};
}

}  // namespace

QImage DecodeDisplayPicture(const QByteArray& bytes) {
  const QSize size = CompleteBitmapSize(bytes);
  if (size.isEmpty()) {
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
  if (picture.size() != size) {
    return {};
  }
  return picture;
}

QImage LoadDisplayPicture(const QString& path) {
  // Only a regular file: opening a pipe or a device could block or never end.
  if (!QFileInfo(path).isFile()) {
    return {};
  }
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    return {};
  }
  const QByteArray bytes = file.read(kMaxPictureFileBytes + 1);
  if (bytes.size() > kMaxPictureFileBytes) {
    return {};
  }
  return DecodeDisplayPicture(bytes);
}

}  // namespace plinthar
