#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

#include "byte_buffer.h"

namespace plinthar::assets {

struct AssetFile {
  // Relative to the assets folder, with forward slashes.
  std::string_view path;
  Bytes contents;
};

// Every picture that the program ships, drawn and encoded.
std::vector<AssetFile> DrawAllAssets();

// Writes DrawAllAssets() under `folder`, creating the subfolders it needs.
// Throws std::runtime_error when a file cannot be written.
void WriteAssets(const std::filesystem::path& folder);

}  // namespace plinthar::assets
