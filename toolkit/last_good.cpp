#include "toolkit/last_good.h"

namespace kelvane {

std::wstring LastGoodPathFor(const std::wstring& target) { return target + L".bak"; }
std::wstring DamagedPathFor(const std::wstring& target) { return target + L".damaged"; }

bool SaveKeepingLastGood(SaveFileSystem& fs, const std::wstring& target, std::string_view bytes,
                         WholeFileTest isWhole, unsigned long* error) {
  std::string previous;
  if (fs.Exists(target) && fs.Read(target, &previous) && previous != bytes && isWhole(previous)) {
    SaveFileAtomically(fs, LastGoodPathFor(target), previous);
  }
  return SaveFileAtomically(fs, target, bytes, error);
}

bool RestoreLastGoodIfDamaged(SaveFileSystem& fs, const std::wstring& target, WholeFileTest isWhole) {
  std::string current;
  std::string copy;
  // A file that cannot be read now (held by another program) is not damaged.
  if (!fs.Exists(target) || !fs.Read(target, &current) || isWhole(current)) return false;
  const std::wstring lastGood = LastGoodPathFor(target);
  if (!fs.Exists(lastGood) || !fs.Read(lastGood, &copy) || !isWhole(copy)) return false;
  // The damaged file is set aside first: should that fail, nothing changes.
  if (!SaveFileAtomically(fs, DamagedPathFor(target), current)) return false;
  return SaveFileAtomically(fs, target, copy);
}

}  // namespace kelvane
