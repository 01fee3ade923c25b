#include "toolkit/png_decoder.h"

#include <gtest/gtest.h>

#include "native/test_files.h"
#include <png.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "assets/image_ids.h"

// Under AddressSanitizer every allocation of the process is seen, so a test
// can tell how much a call asked for even when the call then fails.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KELVANE_SEES_ALLOCATIONS 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__) && (defined(__GNUC__) || defined(__clang__))
#define KELVANE_SEES_ALLOCATIONS 1
#endif
#ifdef KELVANE_SEES_ALLOCATIONS
#include <atomic>
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*)(const volatile void*, std::size_t),
                                                         void (*)(const volatile void*));
#endif

namespace kelvane {
namespace {

#ifdef KELVANE_SEES_ALLOCATIONS
std::atomic<std::size_t> g_largestAllocation{0};
void NoteAllocation(const volatile void*, std::size_t size) {
  std::size_t seen = g_largestAllocation.load();
  while (size > seen && !g_largestAllocation.compare_exchange_weak(seen, size)) {
  }
}
void NoteFree(const volatile void*) {}
#endif

// The largest single allocation made while `run` ran; 0 where the build
// cannot see allocations.
template <typename Run>
std::size_t LargestAllocationDuring(Run run) {
#ifdef KELVANE_SEES_ALLOCATIONS
  static const int installed = __sanitizer_install_malloc_and_free_hooks(NoteAllocation, NoteFree);
  (void)installed;
  g_largestAllocation = 0;
  run();
  return g_largestAllocation.load();
#else
  run();
  return 0;
#endif
}

using Bytes = std::vector<std::uint8_t>;

using test::AssetsDir;

Bytes ReadFile(const std::filesystem::path& path) { return test::ReadBinaryFile(path); }

std::string ImageFileName(int image) {
  char name[16];
  std::snprintf(name, sizeof name, "img%02d.%s", image,
                IsPngFormat(ImageFormatOf(image)) ? "png" : "ico");
  return name;
}

Bytes ReadImage(int image) {
  Bytes bytes = ReadFile(AssetsDir() / "images" / ImageFileName(image));
  EXPECT_FALSE(bytes.empty()) << "missing or empty " << ImageFileName(image);
  return bytes;
}

std::uint32_t Le32(const Bytes& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t{b[at + 3]} << 24;
}
std::uint16_t Le16(const Bytes& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

void PutBe32(Bytes& out, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void AppendChunk(Bytes& out, const char* type, const Bytes& data) {
  PutBe32(out, static_cast<std::uint32_t>(data.size()));
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  out.insert(out.end(), typed.begin(), typed.end());
  PutBe32(out, static_cast<std::uint32_t>(crc32(0, typed.data(), static_cast<uInt>(typed.size()))));
}

// A well-formed PNG (8-bit RGBA) claiming any size; its data is a complete
// all-zero image when that is small, else a token few bytes.
Bytes PngClaimingSize(std::uint32_t width, std::uint32_t height) {
  Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes ihdr;
  PutBe32(ihdr, width);
  PutBe32(ihdr, height);
  ihdr.insert(ihdr.end(), {8, 6, 0, 0, 0});
  AppendChunk(out, "IHDR", ihdr);
  const std::uint64_t raw_size = std::uint64_t{height} * (1 + 4 * std::uint64_t{width});
  const Bytes raw(raw_size <= (1u << 20) ? raw_size : 1, 0);
  uLongf packed_size = compressBound(static_cast<uLong>(raw.size()));
  Bytes packed(packed_size);
  EXPECT_EQ(compress(packed.data(), &packed_size, raw.data(), static_cast<uLong>(raw.size())), Z_OK);
  packed.resize(packed_size);
  AppendChunk(out, "IDAT", packed);
  AppendChunk(out, "IEND", {});
  return out;
}

// Encodes pixels given in libpng's `format` with its simplified writer.
Bytes EncodePng(int width, int height, png_uint_32 format, const Bytes& pixels,
                const Bytes& colormap = {}) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = width;
  image.height = height;
  image.format = format;
  image.colormap_entries = static_cast<png_uint_32>(colormap.size() / 4);
  png_alloc_size_t size = 0;
  const void* map = colormap.empty() ? nullptr : colormap.data();
  EXPECT_TRUE(png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, map));
  Bytes out(size);
  EXPECT_TRUE(png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, map));
  out.resize(size);
  return out;
}

struct AlphaCounts {
  int transparent = 0, opaque = 0;
};
AlphaCounts CountAlpha(const Bytes& bgra, std::size_t from, std::size_t count) {
  AlphaCounts c;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t a = bgra[from + i * 4 + 3];
    c.transparent += a == 0;
    c.opaque += a == 255;
  }
  return c;
}

TEST(PngDecoder, DecodesTheCompiledInPngImages) {
  int decoded = 0;
  for (int image = 0; image < kImageCount; ++image) {
    const ImageFormat format = ImageFormatOf(image);
    if (!IsPngFormat(format)) continue;
    SCOPED_TRACE(ImageFileName(image));
    const auto png = DecodePng(ReadImage(image));
    ASSERT_TRUE(png.has_value());
    EXPECT_EQ(png->width, ImageWidth(format));
    EXPECT_EQ(png->height, ImageHeight(format));
    ASSERT_EQ(png->pixels.size(), std::size_t(png->width) * png->height * 4);
    const AlphaCounts alpha = CountAlpha(png->pixels, 0, png->pixels.size() / 4);
    if (format == ImageFormat::Png140x316) {
      EXPECT_EQ(alpha.opaque, png->width * png->height) << "the about picture is a full rectangle";
    } else {
      EXPECT_GT(alpha.transparent, 0) << "an icon has a transparent surround";
      EXPECT_GT(alpha.opaque, 0);
    }
    ++decoded;
  }
  EXPECT_EQ(decoded, 5);

  // The program's mark: a gold star in the middle of image 30, so red is far
  // above blue there whatever the channel order mistakes would make of it.
  const auto mark = DecodePng(ReadImage(30));
  ASSERT_TRUE(mark.has_value());
  const std::size_t centre = (16 * 32 + 16) * 4;
  EXPECT_GT(mark->pixels[centre + 2], mark->pixels[centre + 0] + 100);
}

TEST(PngDecoder, GivesStraightBgraTopDownForEveryColourType) {
  // Two rows: opaque red, half-transparent green / opaque blue, transparent white.
  const Bytes rgba = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 255, 255, 255, 255, 0};
  const auto rgb = DecodePng(EncodePng(2, 2, PNG_FORMAT_RGBA, rgba));
  ASSERT_TRUE(rgb.has_value());
  EXPECT_EQ(rgb->width, 2);
  EXPECT_EQ(rgb->height, 2);
  EXPECT_EQ(rgb->pixels, (Bytes{0, 0, 255, 255, 0, 255, 0, 128, 255, 0, 0, 255, 255, 255, 255, 0}));

  // Grey with alpha comes out with equal colour channels.
  const auto grey = DecodePng(EncodePng(2, 1, PNG_FORMAT_GA, {10, 255, 200, 7}));
  ASSERT_TRUE(grey.has_value());
  EXPECT_EQ(grey->pixels, (Bytes{10, 10, 10, 255, 200, 200, 200, 7}));

  // Palette images are expanded through their palette.
  const Bytes palette = {255, 0, 0, 255, 0, 0, 255, 255};  // RGBA entries: red, blue
  const auto indexed = DecodePng(EncodePng(3, 1, PNG_FORMAT_RGBA_COLORMAP, {1, 0, 1}, palette));
  ASSERT_TRUE(indexed.has_value());
  EXPECT_EQ(indexed->pixels, (Bytes{255, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0, 255}));
}

TEST(PngDecoder, PremultipliesColourByAlpha) {
  DecodedImage image;
  image.width = 4;
  image.height = 1;
  image.pixels = {200, 100, 50, 128, 9, 8, 7, 255, 255, 255, 255, 0, 255, 255, 255, 1};
  EXPECT_EQ(PremultipliedBgra(image),
            (Bytes{100, 50, 25, 128, 9, 8, 7, 255, 0, 0, 0, 0, 1, 1, 1, 1}));
  EXPECT_EQ(image.pixels[0], 200) << "the decoded image is left as it was";
}

TEST(PngDecoder, RejectsDamagedInput) {
  const Bytes good = ReadImage(28);
  ASSERT_TRUE(DecodePng(good).has_value());

  const std::size_t idat = std::search(good.begin(), good.end(), "IDAT", "IDAT" + 4) - good.begin();
  ASSERT_LT(idat + 12, good.size());
  const std::uint32_t idat_length = good[idat - 4] << 24 | good[idat - 3] << 16 |
                                    good[idat - 2] << 8 | good[idat - 1];
  const std::size_t idat_end = idat + 4 + idat_length + 4;  // past the chunk's CRC
  ASSERT_LE(idat_end, good.size());

  EXPECT_FALSE(DecodePng({}).has_value());
  EXPECT_FALSE(DecodePng(Bytes(good.begin(), good.begin() + 8)).has_value()) << "signature only";
  // Cut anywhere before the image data is complete (a lost IEND alone leaves
  // a whole image, which may be shown).
  for (std::size_t cut = 1; cut < idat_end; cut += 5) {
    EXPECT_FALSE(DecodePng(Bytes(good.begin(), good.begin() + cut)).has_value()) << "cut at " << cut;
  }

  // Flipped bits inside the image data: the chunk's CRC no longer matches.
  for (std::size_t offset : {idat + 4, idat + 10, idat + 20}) {
    Bytes bad = good;
    bad[offset] ^= 0x5A;
    EXPECT_FALSE(DecodePng(bad).has_value()) << "flipped byte at " << offset;
  }
  Bytes bad_crc = good;
  bad_crc[29] ^= 1;  // last byte of the IHDR CRC
  EXPECT_FALSE(DecodePng(bad_crc).has_value());

  // Damaged compressed data behind a recomputed CRC: libpng sees a valid chunk
  // and a broken zlib stream; whatever it makes of it must stay in bounds.
  Bytes recrc = good;
  recrc[idat + 4 + idat_length / 2] ^= 0xFF;
  const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, &recrc[idat], idat_length + 4));
  for (int i = 0; i < 4; ++i) recrc[idat + 4 + idat_length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
  if (const auto result = DecodePng(recrc)) {
    EXPECT_EQ(result->pixels.size(), std::size_t{16 * 16 * 4});
  }

  std::mt19937 random(20260219);
  for (std::size_t length : {1u, 7u, 8u, 33u, 100u, 4096u}) {
    Bytes noise(length);
    for (auto& b : noise) b = static_cast<std::uint8_t>(random());
    EXPECT_FALSE(DecodePng(noise).has_value()) << length << " random bytes";
    // The same noise behind a real signature.
    noise.insert(noise.begin(), good.begin(), good.begin() + 8);
    EXPECT_FALSE(DecodePng(noise).has_value()) << "signature and " << length << " random bytes";
  }
}

TEST(PngDecoder, RefusesAbsurdSizesBeforeAllocating) {
  // Any of these would ask for gigabytes (sanitizers abort on such requests).
  EXPECT_FALSE(DecodePng(PngClaimingSize(100000, 100000)).has_value());
  EXPECT_FALSE(DecodePng(PngClaimingSize(kMaxPngSide + 1, 1)).has_value());
  EXPECT_FALSE(DecodePng(PngClaimingSize(1, kMaxPngSide + 1)).has_value());
  EXPECT_FALSE(DecodePng(PngClaimingSize(kMaxPngSide, kMaxPngSide)).has_value());
  EXPECT_FALSE(DecodePng(PngClaimingSize(0, 5)).has_value());

  // A 49-byte file: a valid header, then a text or scale chunk declaring
  // 1,728,053,623 bytes, of which 8 are there.
  for (const char* type : {"sCAL", "zTXt", "tEXt", "iCCP"}) {
    Bytes tiny = PngClaimingSize(16, 16);
    tiny.resize(33);
    PutBe32(tiny, 1728053623u);
    tiny.insert(tiny.end(), type, type + 4);
    tiny.resize(49, 'x');
    bool decoded = true;
    const std::size_t largest = LargestAllocationDuring([&] { decoded = DecodePng(tiny).has_value(); });
    EXPECT_LT(largest, std::size_t{1} << 20) << type;
    EXPECT_FALSE(decoded) << type;
  }
  // Text and other chunks the picture does not need are no reason to refuse it.
  Bytes annotated = PngClaimingSize(20, 30);
  Bytes text = {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'h', 'i'};
  Bytes withText(annotated.begin(), annotated.begin() + 33);
  AppendChunk(withText, "tEXt", text);
  withText.insert(withText.end(), annotated.begin() + 33, annotated.end());
  EXPECT_TRUE(DecodePng(withText).has_value());

  // Sizes within the limits are decoded.
  const auto small = DecodePng(PngClaimingSize(20, 30));
  ASSERT_TRUE(small.has_value());
  EXPECT_EQ(small->pixels.size(), std::size_t{20 * 30 * 4});
}

// --- the image set's contract -------------------------------------------------

struct IcoEntry {
  int width, height, bits;
  std::uint32_t size, offset;
};

// Parses and checks the directory of an .ico file; entries pointing outside
// the file fail the test.
std::vector<IcoEntry> IcoDirectory(const Bytes& ico) {
  std::vector<IcoEntry> entries;
  EXPECT_GE(ico.size(), 6u);
  if (ico.size() < 6) return entries;
  EXPECT_EQ(Le16(ico, 0), 0);
  EXPECT_EQ(Le16(ico, 2), 1) << "type 1 is an icon";
  const int count = Le16(ico, 4);
  for (int i = 0; i < count; ++i) {
    const std::size_t at = 6 + 16 * i;
    EXPECT_LE(at + 16, ico.size());
    if (at + 16 > ico.size()) break;
    IcoEntry e{ico[at] ? ico[at] : 256, ico[at + 1] ? ico[at + 1] : 256, Le16(ico, at + 6),
               Le32(ico, at + 8), Le32(ico, at + 12)};
    EXPECT_LE(std::uint64_t{e.offset} + e.size, ico.size());
    if (std::uint64_t{e.offset} + e.size <= ico.size()) entries.push_back(e);
  }
  return entries;
}

// Checks a 32-bit DIB icon image: its header, that it has real alpha (an
// all-zero alpha channel would make Windows fall back to the mask) and that
// the AND mask hides exactly the fully transparent pixels.
void ExpectAlphaDib(const Bytes& ico, const IcoEntry& e) {
  SCOPED_TRACE(testing::Message() << e.width << "x" << e.height);
  EXPECT_EQ(e.bits, 32);
  const std::size_t mask_stride = (e.width + 31) / 32 * 4;
  const std::size_t xor_size = std::size_t(e.width) * e.height * 4;
  ASSERT_EQ(e.size, 40 + xor_size + mask_stride * e.height);
  const std::size_t h = e.offset;
  EXPECT_EQ(Le32(ico, h), 40u);
  EXPECT_EQ(static_cast<int>(Le32(ico, h + 4)), e.width);
  EXPECT_EQ(static_cast<int>(Le32(ico, h + 8)), e.height * 2) << "colour rows and mask rows";
  EXPECT_EQ(Le16(ico, h + 12), 1);
  EXPECT_EQ(Le16(ico, h + 14), 32);
  EXPECT_EQ(Le32(ico, h + 16), 0u) << "BI_RGB";

  const std::size_t pixels = h + 40;
  const AlphaCounts alpha = CountAlpha(ico, pixels, std::size_t(e.width) * e.height);
  EXPECT_GT(alpha.transparent, 0);
  EXPECT_GT(alpha.opaque, 0);
  int mask_mismatches = 0;
  for (int y = 0; y < e.height; ++y) {
    for (int x = 0; x < e.width; ++x) {
      const bool clear = ico[pixels + (std::size_t(y) * e.width + x) * 4 + 3] == 0;
      const bool masked = ico[pixels + xor_size + y * mask_stride + x / 8] & (0x80 >> (x % 8));
      mask_mismatches += clear != masked;
    }
  }
  EXPECT_EQ(mask_mismatches, 0);
}

TEST(ImageAssets, EveryImageHasItsFormat) {
  for (int image = 0; image < kImageCount; ++image) {
    SCOPED_TRACE(ImageFileName(image));
    const ImageFormat format = ImageFormatOf(image);
    const Bytes bytes = ReadImage(image);
    if (IsPngFormat(format)) {
      const auto png = DecodePng(bytes);
      ASSERT_TRUE(png.has_value());
      EXPECT_EQ(png->width, ImageWidth(format));
      EXPECT_EQ(png->height, ImageHeight(format));
      continue;
    }
    if (format == ImageFormat::Ico16) {
      EXPECT_EQ(bytes.size(), std::size_t(kIco16FileSize));
    }
    const std::vector<IcoEntry> entries = IcoDirectory(bytes);
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries[0].width, ImageWidth(format)) << "first image";
    EXPECT_EQ(entries[0].height, ImageHeight(format));
    if (format == ImageFormat::Ico16) {
      EXPECT_EQ(entries.size(), 1u);
      EXPECT_EQ(entries[0].offset, 22u);
    } else {
      ASSERT_EQ(entries.size(), 2u) << "24 x 24, then 16 x 16 for small menus";
      EXPECT_EQ(entries[1].width, 16);
    }
    for (const IcoEntry& e : entries) ExpectAlphaDib(bytes, e);
  }
}

TEST(ImageAssets, FolderHoldsTheImageSetAndNothingElse) {
  std::set<std::string> expected = {"kelvane.ico"};
  for (int image = 0; image < kImageCount; ++image) expected.insert(ImageFileName(image));
  std::set<std::string> found;
  for (const auto& entry : std::filesystem::directory_iterator(AssetsDir() / "images")) {
    found.insert(entry.path().filename().string());
  }
  EXPECT_EQ(found, expected);

  // One RCDATA line per image, in order, with the matching file.
  std::ifstream rc(AssetsDir() / "images.rc");
  std::string line;
  int next = 0;
  while (std::getline(rc, line)) {
    if (line.empty() || line.rfind("//", 0) == 0) continue;
    ASSERT_LT(next, kImageCount) << "extra line: " << line;
    EXPECT_EQ(line, std::to_string(kImageResourceBase + next) + " RCDATA \"images/" +
                        ImageFileName(next) + "\"");
    ++next;
  }
  EXPECT_EQ(next, kImageCount);
}

TEST(ImageAssets, ProgramIconHasEveryShellSize) {
  const Bytes ico = ReadFile(AssetsDir() / "images" / "kelvane.ico");
  const std::vector<IcoEntry> entries = IcoDirectory(ico);
  std::vector<int> sizes;
  for (const IcoEntry& e : entries) {
    sizes.push_back(e.width);
    EXPECT_EQ(e.width, e.height);
    if (e.width == 256) {
      // Stored PNG-compressed, as Windows does for its large icons.
      const auto png = DecodePng(std::span(ico).subspan(e.offset, e.size));
      ASSERT_TRUE(png.has_value());
      EXPECT_EQ(png->width, 256);
    } else {
      ExpectAlphaDib(ico, e);
    }
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 256}));
}

}  // namespace
}  // namespace kelvane
