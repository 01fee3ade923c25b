#pragma once
// Requesters: every question the program puts to the user in a window of the
// system's or its own making goes through this one seam, so that tests can
// answer what they cannot click.
//
//   Message      a standard message box: title, text, MB_* type (buttons and
//                icon); returns the button chosen (IDOK, IDYES, IDNO...).
//   InputText    a one-line input box of the program: title, prompt, initial
//                text (the caret after it), OK and "Annuler"; Enter is OK and
//                Escape is "Annuler". Nothing when cancelled, else the text
//                (which may be empty).
//   OpenFile     the open-file dialog: title, initial folder and filters as
//                "Label|pattern|Label|pattern"; the first filter is
//                selected. The chosen path, or empty when cancelled.
//   BrowseFolder the shell's folder-browse dialog: title and the folder
//                selected at first. The chosen folder's file-system path as
//                the shell gives it (a drive root ends with a backslash,
//                other folders do not), or empty when cancelled or when the
//                choice has no file-system path.
//   PickRows     the program's pick list: title, prompt, one row per
//                candidate with a check box (name, target, note), OK and
//                "Annuler". The ticks at OK, one per row, or nothing when
//                cancelled.
//
// The program uses the real requesters (the default). A test installs a
// ScriptedRequesters for a scope with ScopedRequesters: it records every call
// with its title, text and flags, and gives the answers queued for that kind
// of requester in order. All calls are made on the user-interface thread.
#include <windows.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/pick_row.h"

namespace kelvane {

class Requesters {
 public:
  virtual ~Requesters() = default;
  virtual int Message(HWND owner, const std::wstring& title, const std::wstring& text, UINT type) = 0;
  virtual std::optional<std::wstring> InputText(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                                const std::wstring& initial) = 0;
  virtual std::wstring OpenFile(HWND owner, const std::wstring& title, const std::wstring& initialFolder,
                                const std::wstring& filters) = 0;
  virtual std::wstring BrowseFolder(HWND owner, const std::wstring& title, const std::wstring& initialFolder) = 0;
  virtual std::optional<std::vector<bool>> PickRows(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                                    const std::vector<PickRow>& rows) = 0;
};

// The pick list is a window of the program above this toolkit: it is handed
// to the real requesters at start-up. Without one they answer "cancelled".
using PickListWindow = std::optional<std::vector<bool>> (*)(HWND owner, const std::wstring& title,
                                                            const std::wstring& prompt,
                                                            const std::vector<PickRow>& rows);
void SetPickListWindow(PickListWindow show);

// The requesters in use: the real ones unless a test replaced them.
Requesters& TheRequesters();
// The real requesters, whatever is installed.
Requesters& SystemRequesters();

// Message box kinds used across the program (MB_* types).
inline constexpr UINT kInformationBox = MB_OK | MB_ICONINFORMATION;  // 0x40
inline constexpr UINT kWarningBox = MB_OK | MB_ICONWARNING;          // 0x30
inline constexpr UINT kErrorBox = MB_OK | MB_ICONERROR;              // 0x10
inline constexpr UINT kQuestionBox = MB_YESNO | MB_ICONQUESTION;     // 0x24

// Shortcuts over TheRequesters(). Ask is true only for Yes.
void ShowMessage(HWND owner, const std::wstring& title, const std::wstring& text, UINT type);
bool Ask(HWND owner, const std::wstring& title, const std::wstring& text, UINT type = kQuestionBox);

// The filter string of the open-file dialog from "Label|pattern|..." (each
// '|' becomes a NUL and the whole ends with two).
std::wstring DialogFilterFrom(const std::wstring& filters);

// The program's input box itself (what the real InputText shows).
std::optional<std::wstring> ShowInputBox(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                         const std::wstring& initial);

// --- For tests ---------------------------------------------------------------

class ScriptedRequesters : public Requesters {
 public:
  enum class Kind { Message, InputText, OpenFile, BrowseFolder, PickRows };
  struct Call {
    Kind kind;
    std::wstring title;
    std::wstring text;     // message text, input prompt
    std::wstring initial;  // input initial text, initial folder
    std::wstring filters;  // open-file filters
    UINT type = 0;         // message box type
    std::vector<PickRow> rows;  // the pick list's rows
  };

  // Answers, taken in order per kind. Without one: messages answer IDOK for
  // an OK box and IDNO (or IDCANCEL) otherwise, input boxes, dialogs and
  // pick lists are cancelled; `unanswered` counts those calls.
  std::deque<int> messageAnswers;
  std::deque<std::optional<std::wstring>> inputAnswers;
  std::deque<std::wstring> fileAnswers;
  std::deque<std::wstring> folderAnswers;
  std::deque<std::optional<std::vector<bool>>> pickAnswers;

  std::vector<Call> calls;
  int unanswered = 0;

  int Message(HWND owner, const std::wstring& title, const std::wstring& text, UINT type) override;
  std::optional<std::wstring> InputText(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                        const std::wstring& initial) override;
  std::wstring OpenFile(HWND owner, const std::wstring& title, const std::wstring& initialFolder,
                        const std::wstring& filters) override;
  std::wstring BrowseFolder(HWND owner, const std::wstring& title, const std::wstring& initialFolder) override;
  std::optional<std::vector<bool>> PickRows(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                            const std::vector<PickRow>& rows) override;
};

// Installs requesters for the life of the object (then the previous ones again).
class ScopedRequesters {
 public:
  explicit ScopedRequesters(Requesters& requesters);
  ~ScopedRequesters();
  ScopedRequesters(const ScopedRequesters&) = delete;
  ScopedRequesters& operator=(const ScopedRequesters&) = delete;

 private:
  Requesters* previous_;
};

}  // namespace kelvane
