#include "explorer/format_size.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace kelvane {
namespace {

struct SizeCase {
  uint64_t bytes;
  const wchar_t* text;
};

void ExpectSizes(std::initializer_list<SizeCase> cases) {
  for (const SizeCase& c : cases) EXPECT_EQ(FormatSize(c.bytes), c.text) << c.bytes;
}

TEST(FormatSize, DocumentedExamples) {
  ExpectSizes({{500, L"500 Octet"},
               {1'500, L"1.46 Ko"},
               {150'000, L"146.5 Ko"},
               {999'999, L"976.6 Ko"},
               {1'000'000, L"0.95 Mo"}});
}

TEST(FormatSize, EachRowAtItsBothEnds) {
  ExpectSizes({{0, L"0 Octet"},
               {1, L"1 Octet"},
               {999, L"999 Octet"},
               {1'000, L"0.98 Ko"},
               {1'023, L"1.00 Ko"},
               {1'024, L"1.00 Ko"},
               {9'999, L"9.76 Ko"},
               {10'000, L"9.8 Ko"},
               {1'048'576, L"1.00 Mo"},
               {9'999'999, L"9.54 Mo"},
               {10'000'000, L"9.5 Mo"},
               {999'999'999, L"953.7 Mo"},
               {1'000'000'000, L"0.93 Go"},
               {1'073'741'824, L"1.00 Go"},
               {9'999'999'999, L"9.31 Go"},
               {10'000'000'000, L"9.3 Go"},
               {999'999'999'999, L"931.3 Go"},
               {1'000'000'000'000, L"0.91 To"},
               {1'099'511'627'776, L"1.00 To"},
               {9'999'999'999'999, L"9.09 To"},
               {10'000'000'000'000, L"9.1 To"},
               {1'125'899'906'842'624, L"1024.0 To"},
               {UINT64_MAX, L"16777216.0 To"}});
}

TEST(FormatSize, RoundsHalvesUpAndCarriesIntoTheWholePart) {
  ExpectSizes({{1'151, L"1.12 Ko"},   // 1.1240
               {1'152, L"1.13 Ko"},   // 1.125 exactly: up, not to even
               {10'188, L"9.9 Ko"},   // 9.9492
               {10'189, L"10.0 Ko"},  // 9.9502 carries into the whole part
               {10'496, L"10.3 Ko"}});  // 10.25 exactly
}

}  // namespace
}  // namespace kelvane
