#include "asset_files.h"

#include <fstream>
#include <stdexcept>
#include <string>

#include "bmp_writer.h"
#include "chip_icon_drawing.h"
#include "ico_writer.h"
#include "png_writer.h"
#include "seven_segment_drawing.h"

namespace plinthar::assets {

std::vector<AssetFile> DrawAllAssets() {
  const IndexedImage icon = DrawChipIcon(32);
  std::vector<AssetFile> files;
  files.push_back({"LCD.BMP", EncodeBmp(DrawSevenSegmentDigit())});
  files.push_back({"icons/plinthar-32.png", EncodePng(icon)});
  files.push_back({"icons/plinthar-48.png", EncodePng(DrawChipIcon(48))});
  files.push_back({"icons/plinthar.ico", EncodeIco(icon)});
  return files;
}

void WriteAssets(const std::filesystem::path& folder) {
  for (const AssetFile& file : DrawAllAssets()) {
    const std::filesystem::path target = folder / std::filesystem::path(file.path);
    std::filesystem::create_directories(target.parent_path());
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(file.contents.data()),
              static_cast<std::streamsize>(file.contents.size()));
    out.close();
    if (!out) {
      throw std::runtime_error("cannot write " + target.string());
    }
  }
}

}  // namespace plinthar::assets
