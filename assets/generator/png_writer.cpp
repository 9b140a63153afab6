#include "png_writer.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace plinthar::assets {
namespace {

constexpr std::array<std::uint8_t, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::uint8_t kIndexedColour = 3;
constexpr std::size_t kMaxStoredBlock = 65535;

constexpr std::array<std::uint32_t, 256> MakeCrcTable() {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t n = 0; n < table.size(); ++n) {
    std::uint32_t c = n;
    for (int bit = 0; bit < 8; ++bit) {
      c = (c & 1U) != 0 ? 0xEDB88320U ^ (c >> 1U) : c >> 1U;
    }
    table[n] = c;
  }
  return table;
}

constexpr std::array<std::uint32_t, 256> kCrcTable = MakeCrcTable();

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t c = 0xFFFFFFFFU;
  for (const std::uint8_t byte : bytes) {
    c = kCrcTable[(c ^ byte) & 0xFFU] ^ (c >> 8U);
  }
  return c ^ 0xFFFFFFFFU;
}

std::uint32_t Adler32(std::span<const std::uint8_t> bytes) {
  constexpr std::uint32_t kModulus = 65521;
  std::uint32_t a = 1;
  std::uint32_t b = 0;
  for (const std::uint8_t byte : bytes) {
    a = (a + byte) % kModulus;
    b = (b + a) % kModulus;
  }
  return (b << 16U) | a;
}

void PutChunk(Bytes& out, std::string_view type, std::span<const std::uint8_t> data) {
  PutBig32(out, static_cast<std::uint32_t>(data.size()));
  const std::size_t checked_from = out.size();
  PutText(out, type);
  PutBytes(out, data);
  PutBig32(out, Crc32(std::span(out).subspan(checked_from)));
}

// A zlib stream of stored blocks.
Bytes StoreInZlib(std::span<const std::uint8_t> raw) {
  Bytes out;
  out.push_back(0x78);  // deflate, 32 KiB window
  out.push_back(0x01);  // no preset dictionary; makes the header a multiple of 31
  std::size_t offset = 0;
  do {
    const std::size_t length = std::min(kMaxStoredBlock, raw.size() - offset);
    const bool last = offset + length == raw.size();
    out.push_back(last ? 1 : 0);
    PutLittle16(out, static_cast<std::uint32_t>(length));
    PutLittle16(out, static_cast<std::uint32_t>(~length & 0xFFFFU));
    PutBytes(out, raw.subspan(offset, length));
    offset += length;
  } while (offset < raw.size());
  PutBig32(out, Adler32(raw));
  return out;
}

}  // namespace

Bytes EncodePng(const IndexedImage& image) {
  Bytes out;
  PutBytes(out, kSignature);

  Bytes header;
  PutBig32(header, static_cast<std::uint32_t>(image.width));
  PutBig32(header, static_cast<std::uint32_t>(image.height));
  header.push_back(8);  // bits per index
  header.push_back(kIndexedColour);
  header.push_back(0);  // deflate
  header.push_back(0);  // adaptive filtering, of which only "none" is used
  header.push_back(0);  // not interlaced
  PutChunk(out, "IHDR", header);

  Bytes palette;
  for (const Colour& colour : image.palette) {
    palette.push_back(colour.red);
    palette.push_back(colour.green);
    palette.push_back(colour.blue);
  }
  PutChunk(out, "PLTE", palette);

  if (image.index_zero_transparent) {
    // Entries past the listed ones stay opaque.
    const std::array<std::uint8_t, 1> alpha = {0};
    PutChunk(out, "tRNS", alpha);
  }

  Bytes rows;
  rows.reserve(static_cast<std::size_t>(image.height) *
               (static_cast<std::size_t>(image.width) + 1));
  for (int y = 0; y < image.height; ++y) {
    rows.push_back(0);  // filter type: none
    for (int x = 0; x < image.width; ++x) {
      rows.push_back(image.At(x, y));
    }
  }
  PutChunk(out, "IDAT", StoreInZlib(rows));
  PutChunk(out, "IEND", {});
  return out;
}

}  // namespace plinthar::assets
