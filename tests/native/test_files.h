#pragma once
// Files of the source tree for tests, found from this header's own path.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kelvane::test {

inline std::filesystem::path SourceRoot() {
  std::string file = __FILE__;
#ifdef _WIN32
  // A cross build names its sources by Unix path; under Wine that is drive Z:.
  if (!file.empty() && file[0] == '/') file = "Z:" + file;
#endif
  return std::filesystem::path(file).parent_path().parent_path().parent_path();
}

inline std::filesystem::path AssetsDir() { return SourceRoot() / "assets"; }

inline std::vector<std::uint8_t> ReadBinaryFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace kelvane::test
