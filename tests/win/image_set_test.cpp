// The images compiled into Kelvane.exe, loaded from its resources as the
// program does at start-up.
#include "toolkit/image_set_win.h"

#include <gtest/gtest.h>

#include "assets/image_ids.h"
#include "win/kelvane_process.h"

namespace kelvane {
namespace {

TEST(ImageSet, LoadsAllImagesOfTheProgramAtTheirSizes) {
  UniqueModule exe(LoadLibraryExW(test::KelvaneExePath().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
  ASSERT_TRUE(exe);
  ImageSet images;
  ASSERT_EQ(images.LoadFromResources(exe.get(), kImageResourceBase, kImageCount), kImageCount);
  for (int n = 0; n < kImageCount; ++n) {
    const ImageFormat format = ImageFormatOf(n);
    EXPECT_EQ(images.Size(n).cx, ImageWidth(format)) << n;
    EXPECT_EQ(images.Size(n).cy, ImageHeight(format)) << n;
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(images.Icon(n), &info)) << n;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    BITMAP bitmap{};
    ASSERT_TRUE(GetObjectW(images.Bitmap(n), sizeof bitmap, &bitmap)) << n;
    EXPECT_EQ(bitmap.bmBitsPixel, 32) << n;
    EXPECT_EQ(bitmap.bmWidth, ImageWidth(format)) << n;
  }
  // The view-mode icons also hold a 16 x 16 picture for menus.
  EXPECT_NE(images.Icon(48, 16), images.Icon(48));
  EXPECT_EQ(images.Icon(5, 16), images.Icon(5));
  EXPECT_EQ(images.Icon(kImageCount), nullptr);
}

TEST(ImageSet, DibSectionsHoldTheGivenPixelsTopDownAndHandBackTheirAddress) {
  const uint8_t bgra[8] = {1, 2, 3, 4, 5, 6, 7, 8};  // one pixel above the other
  void* bits = nullptr;
  UniqueBitmap dib = MakeDibSection(1, 2, bgra, &bits);
  DIBSECTION section{};
  ASSERT_EQ(GetObjectW(dib.get(), sizeof section, &section), static_cast<int>(sizeof section));
  EXPECT_EQ(section.dsBm.bmBits, bits);
  EXPECT_EQ(section.dsBm.bmBitsPixel, 32);
  // Top-down: the first pixel in memory is the upper one.
  UniqueDC dc(CreateCompatibleDC(nullptr));
  SelectObjectScope select(dc.get(), dib.get());
  EXPECT_EQ(GetPixel(dc.get(), 0, 0), RGB(3, 2, 1));
  EXPECT_EQ(GetPixel(dc.get(), 0, 1), RGB(7, 6, 5));
}

}  // namespace
}  // namespace kelvane
