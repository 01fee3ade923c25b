#pragma once
// The real file system behind SaveFileAtomically.
#include <string>
#include <string_view>

#include "toolkit/last_good.h"
#include "toolkit/safe_save.h"

namespace kelvane {

class Win32SaveFileSystem : public SaveFileSystem {
 public:
  bool Exists(const std::wstring& path) override;
  bool Read(const std::wstring& path, std::string* bytes) override;
  std::unique_ptr<SaveFile> Create(const std::wstring& path) override;
  bool Replace(const std::wstring& from, const std::wstring& target) override;
  void Remove(const std::wstring& path) override;
  unsigned long LastError() override;
  bool IsPassingError(unsigned long error) override;
  void Pause(unsigned milliseconds) override;

 private:
  unsigned long lastError_ = 0;
};

// SaveFileAtomically on the real file system.
bool SaveFileAtomically(const std::wstring& target, std::string_view bytes, unsigned long* error = nullptr);
// SaveKeepingLastGood and RestoreLastGoodIfDamaged on the real file system.
bool SaveKeepingLastGood(const std::wstring& target, std::string_view bytes, WholeFileTest isWhole,
                         unsigned long* error = nullptr);
bool RestoreLastGoodIfDamaged(const std::wstring& target, WholeFileTest isWhole);

}  // namespace kelvane
