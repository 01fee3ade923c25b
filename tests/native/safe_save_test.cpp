#include "toolkit/safe_save.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "toolkit/last_good.h"

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
  bool Read(const std::wstring& path, std::string* bytes) override {
    if (!files.count(path) || unreadable.count(path)) return false;
    *bytes = files[path];
    return true;
  }
  std::set<std::wstring> unreadable;

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

bool WholeIfEnded(std::string_view bytes) { return !bytes.empty() && bytes.back() == '.'; }

TEST(LastGood, EverySaveKeepsTheWholeFileItReplaces) {
  using Files = std::map<std::wstring, std::string>;
  const std::wstring bak = kTarget + L".bak";
  FakeFileSystem fs;
  ASSERT_TRUE(SaveKeepingLastGood(fs, kTarget, "one.", WholeIfEnded));
  EXPECT_EQ(fs.files, (Files{{kTarget, "one."}})) << "nothing to keep yet";
  ASSERT_TRUE(SaveKeepingLastGood(fs, kTarget, "two.", WholeIfEnded));
  EXPECT_EQ(fs.files, (Files{{kTarget, "two."}, {bak, "one."}}));
  ASSERT_TRUE(SaveKeepingLastGood(fs, kTarget, "two.", WholeIfEnded));
  EXPECT_EQ(fs.files[bak], "one.") << "an unchanged save keeps the older copy";
  fs.files[kTarget] = "tw";  // damaged by someone else: never kept as the good copy
  ASSERT_TRUE(SaveKeepingLastGood(fs, kTarget, "three.", WholeIfEnded));
  EXPECT_EQ(fs.files, (Files{{kTarget, "three."}, {bak, "one."}}));
  // A copy that cannot be written does not stop the save (step 1 is its create).
  FakeFileSystem failing;
  failing.files = fs.files;
  failing.failAt = 1;
  EXPECT_TRUE(SaveKeepingLastGood(failing, kTarget, "four.", WholeIfEnded));
  EXPECT_EQ(failing.files, (Files{{kTarget, "four."}, {bak, "one."}}));
}

TEST(LastGood, ADamagedFileIsPutBackFromAWholeCopyAndKeptAside) {
  using Files = std::map<std::wstring, std::string>;
  const std::wstring bak = kTarget + L".bak";
  const std::wstring damaged = kTarget + L".damaged";
  FakeFileSystem fs;
  fs.files = {{kTarget, "new"}, {bak, "old."}};
  EXPECT_TRUE(RestoreLastGoodIfDamaged(fs, kTarget, WholeIfEnded));
  EXPECT_EQ(fs.files, (Files{{kTarget, "old."}, {bak, "old."}, {damaged, "new"}}));
  // Nothing happens to a whole file, a missing one, an unreadable one, or
  // when the copy is missing or damaged too.
  const Files cases[] = {{{kTarget, "fine."}, {bak, "old."}},
                         {{bak, "old."}},
                         {{kTarget, "new"}},
                         {{kTarget, "new"}, {bak, "ol"}}};
  for (const Files& before : cases) {
    fs = FakeFileSystem();
    fs.files = before;
    EXPECT_FALSE(RestoreLastGoodIfDamaged(fs, kTarget, WholeIfEnded));
    EXPECT_EQ(fs.files, before);
  }
  fs = FakeFileSystem();
  fs.files = {{kTarget, "new"}, {bak, "old."}};
  fs.unreadable.insert(kTarget);
  EXPECT_FALSE(RestoreLastGoodIfDamaged(fs, kTarget, WholeIfEnded)) << "held by another program";
  // When the damaged file cannot be set aside, it stays where it is.
  fs = FakeFileSystem();
  fs.files = {{kTarget, "new"}, {bak, "old."}};
  fs.failAt = 1;
  EXPECT_FALSE(RestoreLastGoodIfDamaged(fs, kTarget, WholeIfEnded));
  EXPECT_EQ(fs.files, (Files{{kTarget, "new"}, {bak, "old."}}));
}

}  // namespace
}  // namespace kelvane
