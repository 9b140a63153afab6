// Draws the program's pictures and writes them into the assets folder given
// on the command line (see the regenerate_assets target).
#include <exception>
#include <filesystem>
#include <iostream>

#include "asset_files.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: plinthar_asset_generator <assets folder>\n";
    return 2;
  }
  try {
    plinthar::assets::WriteAssets(std::filesystem::path(argv[1]));
  } catch (const std::exception& error) {
    std::cerr << "plinthar_asset_generator: " << error.what() << '\n';
    return 1;
  }
  return 0;
}
