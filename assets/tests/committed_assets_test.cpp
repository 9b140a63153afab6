// The committed pictures are what the program, the desktops and Windows
// read: each must have the format, size and colour depth they expect and
// decode with Qt. Whether they still match their SVG sources is checked by
// assets.renders_match_svg_sources.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "plinthar/form/picture_check.h"

namespace {

QString Asset(const std::string& relative) {
  return QString::fromStdString(std::string(PLINTHAR_ASSETS_DIR) + "/" + relative);
}

QByteArray ReadAsset(const std::string& relative) {
  QFile file(Asset(relative));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Little-endian fields as the Windows formats store them; 0 past the end, so
// that a truncated file fails the checks rather than the test.
std::uint32_t Little16(const QByteArray& bytes, qsizetype offset) {
  if (offset + 2 > bytes.size()) {
    return 0;
  }
  return static_cast<std::uint8_t>(bytes[offset]) |
         (static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[offset + 1])) << 8U);
}

std::uint32_t Little32(const QByteArray& bytes, qsizetype offset) {
  return Little16(bytes, offset) | (Little16(bytes, offset + 2) << 16U);
}

// LCD.BMP as the picture box shows it today: 101 x 117 pixels, a
// BITMAPINFOHEADER, uncompressed, 8 bits with a colour table or 24 bits.
TEST(LcdBitmap, IsAnUncompressedBitmapThatTheProgramShows) {
  const QByteArray bmp = ReadAsset("LCD.BMP");
  const auto* data = reinterpret_cast<const std::uint8_t*>(bmp.constData());
  const auto size =
      plinthar::form::CompleteBitmapSize(std::span(data, static_cast<std::size_t>(bmp.size())));
  ASSERT_TRUE(size.has_value()) << "the program would leave the picture box empty";
  EXPECT_EQ(*size, (plinthar::form::BitmapSize{101, 117}));
  EXPECT_EQ(Little32(bmp, 14), 40U) << "BITMAPINFOHEADER";
  EXPECT_EQ(Little32(bmp, 30), 0U) << "BI_RGB, no compression";
  const std::uint32_t bits = Little16(bmp, 28);
  EXPECT_TRUE(bits == 8 || bits == 24) << bits << " bits per pixel";

  const QImage picture(Asset("LCD.BMP"));
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(101, 117));
  EXPECT_FALSE(picture.hasAlphaChannel());
}

// Every hicolor size shows the chip on a see-through background: the corners
// are empty and the middle is covered.
void ExpectChipOnClearGround(const QImage& icon, int size) {
  ASSERT_FALSE(icon.isNull()) << size;
  EXPECT_EQ(icon.size(), QSize(size, size));
  ASSERT_TRUE(icon.hasAlphaChannel()) << size;
  const int last = size - 1;
  for (const auto& [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}}) {
    EXPECT_EQ(icon.pixelColor(x, y).alpha(), 0) << size << " px at " << x << ", " << y;
  }
  EXPECT_EQ(icon.pixelColor(size / 2, size / 2).alpha(), 255) << size << " px";
}

TEST(HicolorIcons, EverySizeDecodesAtItsSize) {
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const std::string folder = std::to_string(size) + "x" + std::to_string(size);
    ExpectChipOnClearGround(
        QImage(Asset("icons/hicolor/" + folder + "/apps/org.plinthar.Plinthar.png"), "png"), size);
  }
}

TEST(HicolorIcons, ScalableIconNeedsNoFont) {
  const QByteArray svg = ReadAsset("icons/hicolor/scalable/apps/org.plinthar.Plinthar.svg");
  ASSERT_TRUE(svg.startsWith("<?xml")) << "no SVG file";
  EXPECT_FALSE(svg.contains("<text")) << "draw letters as paths";
  EXPECT_FALSE(ReadAsset("LCD.svg").contains("<text")) << "draw letters as paths";
}

// The Windows icon: the 32 x 32, 256-colour entry that the program file
// carries, and 16, 48 and 256 px entries with alpha for Explorer's views.
TEST(WindowsIcon, HoldsThe256ColourEntryAndTheExplorerSizes) {
  const QByteArray ico = ReadAsset("icons/plinthar.ico");
  ASSERT_EQ(Little16(ico, 2), 1U) << "an icon file";
  const std::uint32_t count = Little16(ico, 4);
  std::vector<std::pair<int, std::uint32_t>> entries;  // size, bits per pixel
  for (std::uint32_t i = 0; i < count; ++i) {
    const qsizetype entry = 6 + (16 * static_cast<qsizetype>(i));
    // A stored width of 0 means 256.
    const int width = entry < ico.size() ? static_cast<std::uint8_t>(ico[entry]) : -1;
    entries.emplace_back(width == 0 ? 256 : width, Little16(ico, entry + 6));
  }
  EXPECT_EQ(entries,
            (std::vector<std::pair<int, std::uint32_t>>{{16, 32}, {32, 8}, {48, 32}, {256, 32}}));

  QImageReader reader(Asset("icons/plinthar.ico"), "ico");
  ASSERT_EQ(reader.imageCount(), static_cast<int>(count));
  for (int i = 0; i < reader.imageCount(); ++i) {
    ASSERT_TRUE(reader.jumpToImage(i));
    ExpectChipOnClearGround(reader.read(), entries[static_cast<std::size_t>(i)].first);
  }
}

}  // namespace
