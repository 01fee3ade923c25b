// The explorer's file operations on real folders: copy to, move to, delete
// and recycle of a selection that includes "..", and files and folders
// dropped on ExplorerList with both questions answered either way.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <gmock/gmock.h>

#include "app/panel_tabs.h"
#include "explorer/file_clipboard_win.h"
#include "explorer/file_operations_win.h"
#include "explorer/shell_file_ops_win.h"
#include "lists/list_rules.h"
#include "win/explorer_fixture.h"

namespace kelvane::test {
namespace {

using Kind = ScriptedRequesters::Kind;
using Names = std::vector<std::wstring>;
constexpr UINT kYesNoWarning = MB_YESNO | MB_ICONWARNING;
constexpr UINT kYesNoQuestion = MB_YESNO | MB_ICONQUESTION;

// A drive letter of its own over a scratch folder, for as long as it lives:
// what a drive row stands for, and safe to lose should a command take the
// row for a file. Windows maps it with DefineDosDeviceW alone; under Wine a
// link in the prefix's dosdevices folder, made by the system's own ln, is
// needed too.
class ScratchDrive {
 public:
  explicit ScratchDrive(const std::wstring& folder) {
    const std::wstring marker = folder + L"marker.txt";
    if (!MakeFile(marker)) return;
    for (wchar_t letter = L'Q'; letter <= L'Y' && root_.empty(); ++letter) {
      if (GetLogicalDrives() & (1u << (letter - L'A'))) continue;
      const std::wstring device = {letter, L':'};
      if (!DefineDosDeviceW(0, device.c_str(), folder.substr(0, folder.size() - 1).c_str())) continue;
      const std::wstring root = device + L"\\";
      // Wine 8 lists the drive from that definition but opens its files
      // through its prefix's dosdevices links only.
      if (!FileExists(root + L"marker.txt")) {
        const std::string unixFolder = UnixPath(folder);
        const std::string link = WinePrefixLink(letter);
        if (unixFolder.empty() || link.empty() || !RunUnix(L"Z:\\bin\\ln", "-sfn " + unixFolder + " " + link) ||
            !PumpUntil([&] { return FileExists(root + L"marker.txt"); }, 5000)) {
          DefineDosDeviceW(DDD_REMOVE_DEFINITION, device.c_str(), nullptr);
          break;
        }
        link_ = link;
      }
      root_ = root;
    }
    DeleteFileW(marker.c_str());
  }
  ~ScratchDrive() {
    if (root_.empty()) return;
    if (!link_.empty() && RunUnix(L"Z:\\bin\\rm", "-f " + link_)) {
      PumpUntil([&] { return GetFileAttributesW(root_.c_str()) == INVALID_FILE_ATTRIBUTES; }, 5000);
    }
    DefineDosDeviceW(DDD_REMOVE_DEFINITION, root_.substr(0, 2).c_str(), nullptr);
  }
  ScratchDrive(const ScratchDrive&) = delete;
  ScratchDrive& operator=(const ScratchDrive&) = delete;
  const std::wstring& root() const { return root_; }  // "Q:\\", empty when none could be made

 private:
  static std::string UnixPath(const std::wstring& path) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    const auto toUnix = reinterpret_cast<ToUnix>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = toUnix ? toUnix(path.c_str()) : nullptr;
    if (!name) return {};
    std::string text = name;
    HeapFree(GetProcessHeap(), 0, name);
    while (!text.empty() && text.back() == '/') text.pop_back();
    return text;
  }
  static std::string WinePrefixLink(wchar_t letter) {
    char prefix[1024] = {};
    if (!GetEnvironmentVariableA("WINEPREFIX", prefix, sizeof prefix) || prefix[0] != '/') return {};
    return std::string(prefix) + "/dosdevices/" + static_cast<char>(letter - L'A' + 'a') + ":";
  }
  // Wine starts a Unix program as it would a Windows one.
  static bool RunUnix(const wchar_t* program, const std::string& arguments) {
    std::wstring command = program + std::wstring(L" ") + std::wstring(arguments.begin(), arguments.end());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
      return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
  }

  std::wstring root_;
  std::string link_;
};

class FileOperations : public ExplorerTest {
 protected:
  // root_: Photos\ (with one file), a.txt, b.txt; dest_ beside it.
  void MakeSample() {
    ASSERT_TRUE(CreateDirectoryW((root_ + L"Photos").c_str(), nullptr));
    ASSERT_TRUE(MakeFile(root_ + L"Photos\\p.jpg", "photo"));
    ASSERT_TRUE(MakeFile(root_ + L"a.txt", "a"));
    ASSERT_TRUE(MakeFile(root_ + L"b.txt", "b"));
    dest_ = root_ + L"dest\\";
    ASSERT_TRUE(CreateDirectoryW(dest_.c_str(), nullptr));
    ShowRoot();
  }

  // Drops paths on ExplorerList as the shell does (WM_DROPFILES).
  void Drop(const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const auto& path : paths) list += path + L'\0';
    const size_t bytes = sizeof(DROPFILES) + (list.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GHND, bytes);
    ASSERT_NE(memory, nullptr);
    auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    std::copy(list.begin(), list.end(), reinterpret_cast<wchar_t*>(drop + 1));
    GlobalUnlock(memory);
    SendMessageW(List()->Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  }

  std::vector<std::wstring> MessageTexts() const {
    std::vector<std::wstring> texts;
    for (const auto& call : ask_.calls) {
      // Reports only: the questions are checked where they are asked.
      if (call.kind == Kind::Message && (call.type & MB_TYPEMASK) == MB_OK) {
        texts.push_back(call.title + L"|" + call.text);
      }
    }
    return texts;
  }

  // One report for the file: the old wording, then the system's reason.
  void ExpectRecycleRefusedWithReason(const std::wstring& name) const {
    const std::wstring head =
        L"Erreur!|" + name + L"\rn'a pu \u00EAtre supprim\u00E9. Il est peut-\u00EAtre en cours d'utilisation\r\n";
    const Names texts = MessageTexts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rfind(head, 0), 0u) << std::string(texts[0].begin(), texts[0].end());
    EXPECT_GT(texts[0].size(), head.size()) << "a reason follows";
  }

  std::wstring dest_;
};

TEST_F(FileOperations, SelectionNeverHoldsTheDotEntries) {
  MakeSample();
  Select({L"..", L"Photos", L"b.txt"});
  EXPECT_THAT(CollectExplorerSelection(App(), List()->Folder()),
              testing::UnorderedElementsAre(root_ + L"Photos", root_ + L"b.txt"));
  Select({L".."});
  EXPECT_TRUE(CollectExplorerSelection(App(), List()->Folder()).empty());
}

TEST_F(FileOperations, CopyToAndMoveToTakeTheSelectionButNotTheParent) {
  MakeSample();
  Select({L"..", L"Photos", L"a.txt"});
  ask_.folderAnswers = {L"", dest_.substr(0, dest_.size() - 1)};
  DispatchGadgetEvent(kExplCopierVers, GadgetEvent::Click);  // cancelled
  EXPECT_TRUE(FolderNames(dest_).empty());
  DispatchCommand(CmdExplCopierVers);
  ASSERT_EQ(ask_.calls.size(), 2u);
  EXPECT_EQ(ask_.calls[0].title, L"Choisissez un r\u00E9pertoire de destination");
  EXPECT_EQ(ask_.calls[0].initial, root_);
  EXPECT_EQ(FolderNames(dest_), (Names{L"Photos", L"a.txt"}));
  EXPECT_EQ(ReadAll(dest_ + L"Photos\\p.jpg"), "photo");
  EXPECT_TRUE(FileExists(root_ + L"a.txt"));

  // Copying onto existing files replaces them without a question.
  ASSERT_TRUE(MakeFile(root_ + L"a.txt", "newer"));
  ShowRoot();
  Select({L"a.txt"});
  ask_.folderAnswers = {dest_};
  DispatchCommand(CmdExplCopierVers);
  EXPECT_EQ(ReadAll(dest_ + L"a.txt"), "newer");

  // Move: the sources leave, ".." stays where it is.
  const std::wstring second = root_ + L"second\\";
  ASSERT_TRUE(CreateDirectoryW(second.c_str(), nullptr));
  ShowRoot();
  Select({L"..", L"Photos", L"b.txt"});
  ask_.folderAnswers = {second};
  DispatchGadgetEvent(kExplDeplacerVers, GadgetEvent::Click);
  EXPECT_EQ(FolderNames(second), (Names{L"Photos", L"b.txt"}));
  EXPECT_EQ(FolderNames(root_), (Names{L"a.txt", L"dest", L"second"}));
  EXPECT_TRUE(MessageTexts().empty());
  EXPECT_TRUE(PumpUntil([] { return Header() == L"Contient 3 fichiers et dossiers"; }));
}

TEST_F(FileOperations, DeleteAsksFirstAndRemovesOnlyTheSelectedItems) {
  MakeSample();
  Select({L"..", L"Photos", L"a.txt"});
  ask_.messageAnswers = {IDNO, IDYES};
  DispatchCommand(CmdExplSupprimer);
  EXPECT_EQ(FolderNames(root_), (Names{L"Photos", L"a.txt", L"b.txt", L"dest"}));
  DispatchGadgetEvent(kExplSupprimer, GadgetEvent::Click);
  ASSERT_EQ(ask_.calls.size(), 2u);
  for (const auto& call : ask_.calls) {
    EXPECT_EQ(call.title, L"Suppression");
    EXPECT_EQ(call.text,
              L"\u00CAtes-vous s\u00FBr(e) de vouloir supprimer d\u00E9finitivement tous les fichiers "
              L"s\u00E9lectionn\u00E9s ?");
    EXPECT_EQ(call.type, kYesNoWarning);
  }
  EXPECT_EQ(FolderNames(root_), (Names{L"b.txt", L"dest"}));
  EXPECT_TRUE(IsDirectory(base_));  // the parent is untouched
  EXPECT_EQ(Header(), L"Contient 2 fichiers et dossiers");

  // A failure says what the system said, not a lack of memory.
  Select({L"b.txt"});
  ASSERT_TRUE(DeleteFileW((root_ + L"b.txt").c_str()));  // gone behind the list's back
  ask_.calls.clear();
  ask_.messageAnswers = {IDYES};
  DispatchCommand(CmdExplSupprimer);
  const std::wstring before = L"Erreur!|Erreur survenue lors de la suppression des fichiers.\r\n";
  const Names reports = MessageTexts();
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_TRUE(reports[0].starts_with(before) && reports[0].size() > before.size())
      << testing::PrintToString(reports[0]);
  EXPECT_EQ(reports[0].find(L"m\u00E9moire"), std::wstring::npos);
}

TEST_F(FileOperations, RecyclingReportsEachFailingRowAndGoesOn) {
  MakeSample();
  ShellDialogAnswerer shellDialogs;
  const std::wstring unique = L"recycled-" + std::to_wstring(GetTickCount64()) + L".txt";
  ASSERT_TRUE(MakeFile(root_ + unique, "to the bin"));
  ShowRoot();
  Select({L"..", L"Photos", L"a.txt", L"b.txt", unique.c_str()});
  // a.txt vanishes after it was listed: its row fails, the next ones still go.
  ASSERT_TRUE(DeleteFileW((root_ + L"a.txt").c_str()));
  ask_.messageAnswers = {IDYES};
  DispatchCommand(CmdExplRecycler);
  ASSERT_GE(ask_.calls.size(), 1u);
  ExpectBox(ask_.calls[0], L"Suppression",
            L"\u00CAtes-vous s\u00FBr(e) de vouloir envoyer tous les fichiers s\u00E9lectionn\u00E9s \u00E0 la "
            L"corbeille ?",
            kYesNoWarning);
  ExpectRecycleRefusedWithReason(L"a.txt");
  EXPECT_EQ(ask_.calls.back().type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_EQ(FolderNames(root_), Names{L"dest"});
  // To the recycle bin, not deleted: Wine keeps it in the freedesktop trash of $HOME.
  wchar_t home[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"HOME", home, MAX_PATH) && home[0] == L'/') {
    std::wstring trash = L"Z:" + std::wstring(home) + L"/.local/share/Trash/files/" + unique;
    for (wchar_t& c : trash) c = c == L'/' ? L'\\' : c;
    EXPECT_EQ(ReadAll(trash), "to the bin");
    DeleteFileW(trash.c_str());
  }

  // Answered No, nothing goes.
  ASSERT_TRUE(MakeFile(root_ + L"c.txt"));
  ShowRoot();
  Select({L"c.txt"});
  ask_.calls.clear();
  ask_.messageAnswers = {IDNO};
  DispatchGadgetEvent(kExplRecycler, GadgetEvent::Click);
  EXPECT_EQ(ask_.calls.size(), 1u);
  EXPECT_TRUE(FileExists(root_ + L"c.txt"));
}

TEST_F(FileOperations, RecyclingAFileHeldOpenReportsItWhereTheSystemRefuses) {
  MakeSample();
  ShellDialogAnswerer shellDialogs;
  HANDLE held = CreateFileW((root_ + L"a.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  Select({L"a.txt", L"b.txt"});
  ask_.messageAnswers = {IDYES};
  DispatchCommand(CmdExplRecycler);
  CloseHandle(held);
  // The system refuses the file held open without sharing: its row is
  // reported, b.txt goes all the same.
  EXPECT_FALSE(FileExists(root_ + L"b.txt"));
  EXPECT_TRUE(FileExists(root_ + L"a.txt"));
  ExpectRecycleRefusedWithReason(L"a.txt");
}

TEST_F(FileOperations, DroppedFilesAreMovedAndAnExistingNameIsReplacedOnlyOnYes) {
  MakeSample();
  const std::wstring outside = root_ + L"dest\\";
  ASSERT_TRUE(MakeFile(outside + L"a.txt", "dropped a"));
  ASSERT_TRUE(MakeFile(outside + L"new.txt", "new"));
  // The list shows root_, which holds a.txt already.
  ask_.messageAnswers = {IDNO};
  Drop({outside + L"a.txt", outside + L"new.txt", outside + L"gone.txt"});
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectBox(ask_.calls[0], L"FICHIER EXISTANT",
            L"Le fichier a.txt existe d\u00E9j\u00E0, voulez-vous le remplacer ?",
            kYesNoQuestion);
  // No: both files untouched. The new one moved; the vanished one said nothing.
  EXPECT_EQ(ReadAll(root_ + L"a.txt"), "a");
  EXPECT_EQ(ReadAll(outside + L"a.txt"), "dropped a");
  EXPECT_EQ(ReadAll(root_ + L"new.txt"), "new");
  EXPECT_FALSE(FileExists(outside + L"new.txt"));

  ask_.calls.clear();
  ask_.messageAnswers = {IDYES};
  Drop({outside + L"a.txt"});
  ASSERT_EQ(ask_.calls.size(), 1u);
  EXPECT_EQ(ReadAll(root_ + L"a.txt"), "dropped a");
  EXPECT_FALSE(FileExists(outside + L"a.txt"));

  // A file dropped where it already is: nothing to ask, nothing lost.
  ask_.calls.clear();
  Drop({root_ + L"a.txt"});
  EXPECT_TRUE(ask_.calls.empty());
  EXPECT_EQ(ReadAll(root_ + L"a.txt"), "dropped a");
  EXPECT_TRUE(PumpUntil([] { return Header() == L"Contient 5 fichiers et dossiers"; }));
}

TEST_F(FileOperations, DroppedFolderIsMergedOnYesAndKeepsEveryFileOfBoth) {
  MakeSample();
  // The shown folder holds Photos\p.jpg; the dropped Photos has its own files.
  const std::wstring other = root_ + L"dest\\Photos\\";
  ASSERT_TRUE(CreateDirectoryW(other.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW((other + L"2024").c_str(), nullptr));
  ASSERT_TRUE(MakeFile(other + L"p.jpg", "dropped photo"));
  ASSERT_TRUE(MakeFile(other + L"q.jpg", "q"));
  ASSERT_TRUE(MakeFile(other + L"2024\\r.jpg", "r"));
  ASSERT_TRUE(MakeFile(root_ + L"Photos\\only-here.jpg", "kept"));

  ask_.messageAnswers = {IDNO};
  Drop({other});
  ASSERT_EQ(ask_.calls.size(), 1u);
  ExpectBox(ask_.calls[0], L"DOSSIER EXISTANT",
            L"Le dossier Photos existe d\u00E9j\u00E0, voulez-vous le remplacer ?",
            kYesNoQuestion);
  EXPECT_EQ(FolderNames(other), (Names{L"2024", L"p.jpg", L"q.jpg"}));
  EXPECT_EQ(FolderNames(root_ + L"Photos\\"), (Names{L"only-here.jpg", L"p.jpg"}));

  ask_.calls.clear();
  ask_.messageAnswers = {IDYES};
  Drop({other.substr(0, other.size() - 1)});
  EXPECT_EQ(ask_.calls.size(), 1u);
  EXPECT_EQ(FolderNames(root_ + L"Photos\\"), (Names{L"2024", L"only-here.jpg", L"p.jpg", L"q.jpg"}));
  EXPECT_EQ(ReadAll(root_ + L"Photos\\p.jpg"), "dropped photo");
  EXPECT_EQ(ReadAll(root_ + L"Photos\\only-here.jpg"), "kept");
  EXPECT_EQ(ReadAll(root_ + L"Photos\\2024\\r.jpg"), "r");
  EXPECT_FALSE(IsDirectory(other));

  // A folder not there yet moves whole; a folder into itself is refused.
  ASSERT_TRUE(CreateDirectoryW((root_ + L"dest\\Neuf").c_str(), nullptr));
  ASSERT_TRUE(MakeFile(root_ + L"dest\\Neuf\\n.txt", "n"));
  ask_.calls.clear();
  Drop({root_ + L"dest\\Neuf", base_.substr(0, base_.size() - 1), root_ + L"missing\\"});
  EXPECT_EQ(ReadAll(root_ + L"Neuf\\n.txt"), "n");
  const std::wstring baseName = FolderNameOf(base_);
  EXPECT_EQ(MessageTexts(), Names{L"ERREUR|Le dossier " + baseName + L" n'a pu \u00EAtre d\u00E9plac\u00E9."});
  EXPECT_EQ(ask_.calls[0].type, static_cast<UINT>(MB_OK | MB_ICONERROR));
  EXPECT_TRUE(IsDirectory(base_));
}

TEST_F(FileOperations, DriveRowsAreNeverTakenForItemsAndTheOverviewIsNoFolder) {
  MakeSample();
  const std::wstring behind = root_ + L"behind\\";
  ASSERT_TRUE(CreateDirectoryW(behind.c_str(), nullptr));
  ASSERT_TRUE(MakeFile(behind + L"keep.txt", "kept"));
  ScratchDrive drive(behind);
  if (drive.root().empty()) GTEST_SKIP() << "no drive letter could be made here";
  ASSERT_TRUE(PumpUntil([&] {
    ShowExplorerFolder(App(), L"");
    return RowOf(drive.root()) >= 0;
  }, 5000));
  ShellDialogAnswerer shellDialogs;
  ASSERT_TRUE(EmptySystemClipboard(App()));
  // Only the scratch drive is selected: it alone could suffer.
  Select({drive.root().c_str()});
  ask_.messageAnswers = {IDYES, IDYES};
  ask_.folderAnswers = {dest_, dest_};
  for (int command : {CmdExplSupprimer, CmdExplRecycler, CmdExplCopierVers, CmdExplDeplacerVers, CmdExplCopier}) {
    DispatchCommand(command);
  }
  EXPECT_TRUE(ask_.calls.empty()) << "a drive row alone is no selection: no question, no message";
  EXPECT_EQ(ReadAll(behind + L"keep.txt"), "kept");
  EXPECT_TRUE(FolderNames(dest_).empty());
  EXPECT_FALSE(ClipboardHasFiles());

  // Second line: the shell's operations refuse a volume root, whoever hands it over.
  std::wstring reason;
  EXPECT_FALSE(ShellDeleteFiles(Names{drive.root(), L""}, L"Suppression", nullptr, kDeleteFlags, &reason));
  EXPECT_NE(reason.find(drive.root()), std::wstring::npos) << testing::PrintToString(reason);
  EXPECT_FALSE(ShellMoveFiles(Names{root_ + L"a.txt", drive.root()}, Names{dest_}, L"D", nullptr, kMoveFlags));
  EXPECT_FALSE(RecycleFile(drive.root()));
  EXPECT_EQ(ReadAll(behind + L"keep.txt"), "kept");
  EXPECT_TRUE(FileExists(root_ + L"a.txt")) << "nothing of a refused list moves";

  // Paste and a new folder have nowhere to go in the overview: refused,
  // nothing lands in the program's current directory.
  const std::wstring current = root_ + L"current\\";
  ASSERT_TRUE(CreateDirectoryW(current.c_str(), nullptr));
  wchar_t previous[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, previous);
  ASSERT_TRUE(SetCurrentDirectoryW(current.c_str()));
  ASSERT_TRUE(PutFilesOnClipboard(App(), Names{root_ + L"a.txt"}));
  ask_.inputAnswers = {L"Nouveau"};
  DispatchCommand(CmdExplColler);
  DispatchGadgetEvent(kExplNouveauDossier, GadgetEvent::Click);
  SetCurrentDirectoryW(previous);
  EXPECT_TRUE(FolderNames(current).empty());
  EXPECT_EQ(MessageTexts(), (Names{std::wstring(L"Erreur!|") + kNoFolderInDriveOverview,
                                   std::wstring(L"ERREUR!|") + kNoFolderInDriveOverview}));
}

}  // namespace
}  // namespace kelvane::test
