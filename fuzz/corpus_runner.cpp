#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

std::vector<fs::path> InputsIn(const fs::path& path) {
  std::vector<fs::path> files;
  if (fs::is_directory(path)) {
    for (const fs::directory_entry& entry : fs::directory_iterator(path)) {
      if (entry.is_regular_file()) {
        files.push_back(entry.path());
      }
    }
    std::sort(files.begin(), files.end());
  } else if (fs::is_regular_file(path)) {
    files.push_back(path);
  }
  return files;
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

// Replays fuzz inputs (files, or every file of a directory) through the same
// entry point as the fuzzer, so a plain build checks the corpus without
// libFuzzer. An invariant breach aborts with a report; the file being run is
// named first so the report can be traced to it.
int main(int argc, char** argv) {
  const std::span<char*> arguments(argv, static_cast<std::size_t>(argc));
  if (arguments.size() < 2) {
    std::fprintf(stderr, "usage: %s CORPUS_DIR_OR_FILE...\n", arguments[0]);
    return 2;
  }
  std::size_t count = 0;
  for (const char* argument : arguments.subspan(1)) {
    for (const fs::path& file : InputsIn(argument)) {
      std::fprintf(stderr, "running %s\n", file.string().c_str());
      const std::vector<std::uint8_t> bytes = ReadBytes(file);
      LLVMFuzzerTestOneInput(bytes.data(), bytes.size());
      ++count;
    }
  }
  // An empty or missing corpus would otherwise pass without checking anything.
  if (count == 0) {
    std::fprintf(stderr, "no inputs found\n");
    return 1;
  }
  std::printf("%zu inputs passed\n", count);
  return 0;
}
