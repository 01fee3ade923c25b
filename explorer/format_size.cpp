#include "explorer/format_size.h"

#include <iterator>

namespace kelvane {
namespace {

struct SizeRow {
  uint64_t below;  // the row applies to sizes under this bound
  const wchar_t* unit;
  uint64_t divisor;
  int decimals;
};

constexpr uint64_t kKilo = 1024;
constexpr uint64_t kMega = kKilo * 1024;
constexpr uint64_t kGiga = kMega * 1024;
constexpr uint64_t kTera = kGiga * 1024;

constexpr SizeRow kRows[] = {
    {1'000, L"Octet", 1, 0},
    {10'000, L"Ko", kKilo, 2},
    {1'000'000, L"Ko", kKilo, 1},
    {10'000'000, L"Mo", kMega, 2},
    {1'000'000'000, L"Mo", kMega, 1},
    {10'000'000'000, L"Go", kGiga, 2},
    {1'000'000'000'000, L"Go", kGiga, 1},
    {10'000'000'000'000, L"To", kTera, 2},
    {UINT64_MAX, L"To", kTera, 1},  // and UINT64_MAX itself, see below
};

}  // namespace

std::wstring FormatSize(uint64_t bytes) {
  const SizeRow* row = &kRows[0];
  while (row != &kRows[std::size(kRows) - 1] && bytes >= row->below) ++row;

  // Integer arithmetic throughout: a double would lose the last digits of
  // the largest sizes and round exact halves to even. The remainder is below
  // 2^40 and is scaled by at most 100, so nothing overflows.
  const uint64_t scale = row->decimals == 2 ? 100 : row->decimals == 1 ? 10 : 1;
  const uint64_t whole = bytes / row->divisor;
  const uint64_t rest = bytes % row->divisor;
  const uint64_t fraction = (rest * scale * 2 + row->divisor) / (row->divisor * 2);
  const uint64_t scaled = whole * scale + fraction;  // whole < 2^24 when scale > 1

  std::wstring text = std::to_wstring(scaled / scale);
  if (row->decimals > 0) {
    std::wstring digits = std::to_wstring(scaled % scale);
    digits.insert(0, static_cast<size_t>(row->decimals) - digits.size(), L'0');
    text += L'.';
    text += digits;
  }
  text += L' ';
  text += row->unit;
  return text;
}

}  // namespace kelvane
