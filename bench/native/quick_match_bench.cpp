// One keystroke in the quick-open box: 30,000 favourites and 1,000 recent
// items ranked for a typed text, beside the plainest search of the same names
// (a case-sensitive substring test of each, nothing folded, nothing ranked).
// The goal is one frame, 16 ms, for the ranked search.
#include "quickopen/quick_match.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace kelvane {
namespace {

const std::vector<QuickItem>& Items() {
  static const std::vector<QuickItem> items = [] {
    const wchar_t* words[] = {L"Rapport", L"été",     L"Budget",  L"réunion", L"Photos",  L"Œuvres",
                              L"notes",   L"Facture", L"projet",  L"Télé",    L"Musique", L"contrat",
                              L"Vacances", L"école",  L"Données", L"archive", L"Plan",    L"Relevé"};
    std::mt19937 rng(7);
    std::vector<QuickItem> all;
    for (int i = 0; i < 31000; ++i) {
      std::wstring name;
      for (int w = 0, n = 2 + static_cast<int>(rng() % 3); w < n; ++w) {
        if (w) name += rng() % 2 ? L" " : L"-";
        name += words[rng() % std::size(words)];
      }
      name += L" " + std::to_wstring(rng() % 3000);
      const auto source = i < 30000 ? static_cast<QuickSource>(i % 3) : QuickSource::Recent;
      all.push_back({name, L"C:\\Users\\Marie\\Documents\\" + name + L".docx", source});
    }
    return all;
  }();
  return items;
}

void QuickMatchRanked(benchmark::State& state, const wchar_t* text) {
  QuickMatcher matcher;
  matcher.SetItems(Items());
  UsageCounts usage;
  for (std::size_t i = 0; i < Items().size(); i += 37) usage.Record(UsageKey(Items()[i]), static_cast<long>(i));
  for (auto _ : state) benchmark::DoNotOptimize(matcher.Find(text, usage, 50));
}

void PlainSubstringScan(benchmark::State& state, const wchar_t* text) {
  for (auto _ : state) {
    std::size_t found = 0;
    for (const QuickItem& item : Items()) found += item.name.find(text) != std::wstring::npos;
    benchmark::DoNotOptimize(found);
  }
}

BENCHMARK_CAPTURE(PlainSubstringScan, three_letters, L"not")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QuickMatchRanked, three_letters, L"not")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PlainSubstringScan, one_letter, L"e")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QuickMatchRanked, one_letter, L"e")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QuickMatchRanked, scattered_letters, L"rpbg")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kelvane
