#include "toolkit/ico_file.h"

#include <gtest/gtest.h>

#include "native/test_files.h"

namespace kelvane {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(IcoFile, DecodesTheShippedIconsTopDownWithTheirAlpha) {
  for (const char* name : {"img05.ico", "img48.ico"}) {
    const Bytes file = test::ReadBinaryFile(test::AssetsDir() / "images" / name);
    const auto entry = PickIcoEntry(file.data(), file.size(), 0);
    ASSERT_TRUE(entry) << name;
    const Bytes pixels = Decode32BitIcoEntry(file.data(), file.size(), *entry);
    ASSERT_EQ(pixels.size(), static_cast<size_t>(entry->width * entry->height * 4)) << name;
    // The file stores rows bottom-up after a 40-byte header: our first row is its last.
    const size_t row = static_cast<size_t>(entry->width) * 4;
    const uint8_t* stored = file.data() + entry->offset + 40;
    EXPECT_TRUE(std::equal(pixels.begin(), pixels.begin() + static_cast<long>(row),
                           stored + row * static_cast<size_t>(entry->height - 1)));
    bool transparent = false, opaque = false;
    for (size_t i = 3; i < pixels.size(); i += 4) {
      transparent |= pixels[i] == 0;
      opaque |= pixels[i] == 255;
    }
    EXPECT_TRUE(transparent && opaque) << name;
  }
}

TEST(IcoFile, PicksTheAskedSizeOrTheFirstImage) {
  const Bytes file = test::ReadBinaryFile(test::AssetsDir() / "images" / "img49.ico");
  EXPECT_EQ(PickIcoEntry(file.data(), file.size(), 16)->width, 16);
  EXPECT_EQ(PickIcoEntry(file.data(), file.size(), 0)->width, 24);
  EXPECT_EQ(PickIcoEntry(file.data(), file.size(), 99)->width, 24);
}

TEST(IcoFile, RefusesDamagedFilesWithoutReadingPastThem) {
  Bytes file = test::ReadBinaryFile(test::AssetsDir() / "images" / "img05.ico");
  ASSERT_EQ(file.size(), 1150u);
  // Cut anywhere: either the directory is refused or the pixels are.
  for (size_t cut : {0u, 5u, 21u, 22u, 61u, 1000u, 1149u}) {
    const auto entry = PickIcoEntry(file.data(), cut, 0);
    if (entry) {
      EXPECT_TRUE(Decode32BitIcoEntry(file.data(), cut, *entry).empty()) << cut;
    }
  }
  // A directory entry pointing past the end of the file.
  Bytes bad = file;
  bad[6 + 12] = 0xFF;
  bad[6 + 13] = 0xFF;
  EXPECT_TRUE(ReadIcoDirectory(bad.data(), bad.size()).empty());
  // A header that claims another bit depth is not decoded as 32-bit.
  Bytes eight = file;
  eight[22 + 14] = 8;
  const auto entry = PickIcoEntry(eight.data(), eight.size(), 0);
  ASSERT_TRUE(entry);
  EXPECT_TRUE(Decode32BitIcoEntry(eight.data(), eight.size(), *entry).empty());
  // Not an icon file at all.
  const Bytes png = test::ReadBinaryFile(test::AssetsDir() / "images" / "img22.png");
  EXPECT_TRUE(ReadIcoDirectory(png.data(), png.size()).empty());
}

}  // namespace
}  // namespace kelvane
