#include "toolkit/safe_save.h"

#include <gtest/gtest.h>

#include <map>

namespace kelvane {
namespace {

// Files in memory. The fallible steps (create, write, flush, close, replace)
// are numbered from 1 in the order they run; step `failAt` fails.
class FakeFileSystem : public SaveFileSystem {
 public:
  std::map<std::wstring, std::string> files;
  int failAt = 0;
  bool replaceLosesTarget = false;  // a failing replace deletes the target first
  int openFiles = 0;
  int replacesRefused = 0;  // another program holds the target for this many tries
  int pauses = 0;

  bool Fails() {
    if (++step_ != failAt) return false;
    lastError_ = 112;  // disk full
    return true;
  }
  unsigned long LastError() override { return lastError_; }
  bool IsPassingError(unsigned long error) override { return error == 32; }
  void Pause(unsigned) override { ++pauses; }

  bool Exists(const std::wstring& path) override { return files.count(path) != 0; }

  std::unique_ptr<SaveFile> Create(const std::wstring& path) override {
    if (Fails()) return nullptr;
    files[path].clear();
    return std::make_unique<File>(*this, path);
  }

  bool Replace(const std::wstring& from, const std::wstring& target) override {
    if (replacesRefused > 0) {
      --replacesRefused;
      lastError_ = 32;  // sharing violation
      return false;
    }
    if (Fails()) {
      if (replaceLosesTarget) files.erase(target);
      return false;
    }
    files[target] = files[from];
    files.erase(from);
    return true;
  }

  void Remove(const std::wstring& path) override {
    if (openFiles == 0) files.erase(path);  // as on Windows, an open file stays
  }

 private:
  class File : public SaveFile {
   public:
    File(FakeFileSystem& fs, std::wstring path) : fs_(fs), path_(std::move(path)) { ++fs_.openFiles; }
    ~File() override { CloseOnce(); }
    bool Write(std::string_view bytes) override {
      if (fs_.Fails()) {
        fs_.files[path_] += bytes.substr(0, bytes.size() / 2);  // disk full half-way
        return false;
      }
      fs_.files[path_] += bytes;
      return true;
    }
    bool Flush() override { return !fs_.Fails(); }
    bool Close() override {
      CloseOnce();
      return !fs_.Fails();
    }

   private:
    void CloseOnce() {
      if (open_) --fs_.openFiles, open_ = false;
    }
    FakeFileSystem& fs_;
    std::wstring path_;
    bool open_ = true;
  };
  int step_ = 0;
  unsigned long lastError_ = 0;
};

const std::wstring kTarget = L"C:\\Data\\Kelvane.prefs";
const std::wstring kTemp = L"C:\\Data\\Kelvane.prefs.tmp";

TEST(SafeSave, WritesBesideThenReplaces) {
  EXPECT_EQ(TempPathFor(kTarget), kTemp);
  for (bool existed : {false, true}) {
    FakeFileSystem fs;
    if (existed) fs.files[kTarget] = "old";
    ASSERT_TRUE(SaveFileAtomically(fs, kTarget, "new text"));
    EXPECT_EQ(fs.files, (std::map<std::wstring, std::string>{{kTarget, "new text"}}));
  }
}

TEST(SafeSave, FailureAtAnyStepLeavesTargetAsItWas) {
  for (int failAt = 1; failAt <= 5; ++failAt) {
    for (bool existed : {false, true}) {
      FakeFileSystem fs;
      fs.failAt = failAt;
      if (existed) fs.files[kTarget] = "old";
      unsigned long error = 0;
      EXPECT_FALSE(SaveFileAtomically(fs, kTarget, "new text", &error)) << failAt;
      EXPECT_EQ(error, 112u) << "the system's reason is passed on";
      std::map<std::wstring, std::string> before;
      if (existed) before[kTarget] = "old";
      EXPECT_EQ(fs.files, before) << "step " << failAt << (existed ? " over a file" : " new file");
      EXPECT_EQ(fs.openFiles, 0);
    }
  }
}

TEST(SafeSave, ARenameRefusedForAMomentIsTriedAgainForAboutASecond) {
  FakeFileSystem fs;
  fs.files[kTarget] = "old";
  fs.replacesRefused = kReplaceAttempts - 1;
  EXPECT_TRUE(SaveFileAtomically(fs, kTarget, "new text"));
  EXPECT_EQ(fs.files, (std::map<std::wstring, std::string>{{kTarget, "new text"}}));
  EXPECT_GE(fs.pauses * kReplacePauseMs, 900u);
  // Held longer: the save fails with the reason, the old file stays and no temporary.
  fs.replacesRefused = kReplaceAttempts;
  unsigned long error = 0;
  EXPECT_FALSE(SaveFileAtomically(fs, kTarget, "newer", &error));
  EXPECT_EQ(error, 32u);
  EXPECT_EQ(fs.files, (std::map<std::wstring, std::string>{{kTarget, "new text"}}));
}

TEST(SafeSave, KeepsTheNewTextWhenAFailedReplaceLostTheTarget) {
  FakeFileSystem fs;
  fs.files[kTarget] = "old";
  fs.failAt = 5;
  fs.replaceLosesTarget = true;
  EXPECT_FALSE(SaveFileAtomically(fs, kTarget, "new text"));
  EXPECT_EQ(fs.files, (std::map<std::wstring, std::string>{{kTemp, "new text"}}));
}

}  // namespace
}  // namespace kelvane
