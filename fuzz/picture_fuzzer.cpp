#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <span>
#include <string>

#include "gdi_extent.h"
#include "plinthar/form/picture_check.h"

#ifdef PLINTHAR_PICTURE_FUZZER_QT
#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <array>
#include <atomic>
#endif

// The picture check against the two decoders that rely on it. Whatever the
// check accepts, GDI must read only bytes of the file and of the window's
// copy of its tables; on Linux, Qt's BMP reader, set up as the window sets it
// up, must read the bytes to a picture of the size the check found, in work
// linear in the file's size. The Windows build has no Qt and replays the
// corpus through the first check alone.

namespace {

[[noreturn]] void Broken(const std::string& invariant, std::span<const std::uint8_t> bytes) {
  std::fprintf(stderr, "picture check invariant broken: %s (%zu bytes)\n", invariant.c_str(),
               bytes.size());
  std::abort();
}

#ifdef PLINTHAR_PICTURE_FUZZER_QT

// The window's reader allows 8 MB; a picture the check accepts needs at most
// 4 MB as 32-bit pixels.
constexpr int kAllocationLimitMegabytes = 8;
// Work is the bytes Qt asks of the file plus the pixels it writes. A row
// holds at least one byte per eight pixels, so a complete file of n bytes has
// at most 8 n pixels; the file itself is read about once.
constexpr std::int64_t kWorkPerByte = 16;
constexpr std::int64_t kWorkAllowance = 4096;

// Counts what the reader takes from the file, however it asks for it.
class CountingBuffer : public QBuffer {
 public:
  std::int64_t bytesRead = 0;

 protected:
  qint64 readData(char* data, qint64 maxSize) override {
    const qint64 count = QBuffer::readData(data, maxSize);
    if (count > 0) {
      bytesRead += count;
    }
    return count;
  }
};

struct QtReading {
  QImage picture;
  std::int64_t bytesRead;
};

QtReading ReadWithQt(std::span<const std::uint8_t> bytes) {
  CountingBuffer buffer;
  buffer.setData(QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                         static_cast<qsizetype>(bytes.size())));
  buffer.open(QIODevice::ReadOnly);
  QImageReader::setAllocationLimit(kAllocationLimitMegabytes);
  QImageReader reader(&buffer, "BMP");
  reader.setDecideFormatFromContent(false);
  reader.setAutoDetectImageFormat(false);
  QImage picture = reader.read();
  return {std::move(picture), buffer.bytesRead};
}

// How often each decoder took bytes the other refused, printed when the
// fuzzer or the corpus runner ends: these are differences of taste (Qt reads
// truncated and run-length files, which the check refuses), not faults.
struct Agreement {
  std::atomic<std::int64_t> bothAccept{0};
  std::atomic<std::int64_t> qtRefusesAccepted{0};
  std::atomic<std::int64_t> qtReadsRefused{0};
  std::atomic<std::int64_t> bothRefuse{0};

  Agreement() = default;
  Agreement(const Agreement&) = delete;
  Agreement& operator=(const Agreement&) = delete;
  Agreement(Agreement&&) = delete;
  Agreement& operator=(Agreement&&) = delete;
  ~Agreement() {
    std::fprintf(
        stderr,
        "picture decoders: both accept %lld, Qt refuses %lld accepted, Qt reads %lld "
        "refused, both refuse %lld\n",
        static_cast<long long>(bothAccept.load()), static_cast<long long>(qtRefusesAccepted.load()),
        static_cast<long long>(qtReadsRefused.load()), static_cast<long long>(bothRefuse.load()));
  }
};

Agreement agreement;

// The first few accepted files that Qt refuses, by header kind, so that a
// run names them; at most one line per kind.
void NoteRefusal(std::span<const std::uint8_t> bytes) {
  static std::array<std::uint64_t, 16> seen{};
  static std::size_t count = 0;
  const std::uint64_t kind =
      (std::uint64_t{bytes[14]} << 32U) | (std::uint64_t{bytes[28]} << 16U) | bytes[30];
  for (std::size_t i = 0; i < count; ++i) {
    if (seen.at(i) == kind) {
      return;
    }
  }
  if (count < seen.size()) {
    seen.at(count++) = kind;
    std::fprintf(stderr,
                 "Qt refuses a file the check accepts: %u-byte header, %u bits, compression %u\n",
                 unsigned{bytes[14]}, unsigned{bytes[28]}, unsigned{bytes[30]});
  }
}

void CheckQt(std::span<const std::uint8_t> bytes,
             const std::optional<plinthar::form::BitmapSize>& size) {
  const QtReading reading = ReadWithQt(bytes);
  if (!size) {
    (reading.picture.isNull() ? agreement.bothRefuse : agreement.qtReadsRefused)++;
    return;
  }
  if (reading.picture.isNull()) {
    agreement.qtRefusesAccepted++;
    NoteRefusal(bytes);
    return;
  }
  agreement.bothAccept++;
  if (reading.picture.width() != size->width || reading.picture.height() != size->height) {
    Broken("Qt reads " + std::to_string(reading.picture.width()) + " x " +
               std::to_string(reading.picture.height()) + ", the check found " +
               std::to_string(size->width) + " x " + std::to_string(size->height),
           bytes);
  }
  const std::int64_t work =
      reading.bytesRead + std::int64_t{reading.picture.width()} * reading.picture.height();
  const auto limit = kWorkPerByte * static_cast<std::int64_t>(bytes.size()) + kWorkAllowance;
  if (work > limit) {
    Broken(
        "Qt's reading cost " + std::to_string(work) + " steps, more than " + std::to_string(limit),
        bytes);
  }
}

#endif

}  // namespace

// The entry point that libFuzzer calls, and that the corpus runner calls for
// each file when no fuzzer is linked in.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const std::optional<plinthar::form::BitmapSize> accepted =
      plinthar::form::CompleteBitmapSize(bytes);
  if (accepted) {
    const std::string outside = plinthar::testing::GdiReadOutside(bytes);
    if (!outside.empty()) {
      Broken("GDI would read outside the file or the window's copy: " + outside, bytes);
    }
  }
#ifdef PLINTHAR_PICTURE_FUZZER_QT
  CheckQt(bytes, accepted);
#endif
  return 0;
}
