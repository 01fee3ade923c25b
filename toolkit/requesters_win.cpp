#include "toolkit/requesters_win.h"

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdint>

#include "toolkit/handle_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

// The file dialog's library is loaded the first time a file is asked for:
// imported, it would lengthen every start-up by some milliseconds for a
// dialog that most runs never show.
using GetOpenFileNameFunction = BOOL(WINAPI*)(OPENFILENAMEW*);

GetOpenFileNameFunction OpenFileDialogFunction() {
  static const GetOpenFileNameFunction function = [] {
    HMODULE library = LoadLibraryW(L"comdlg32.dll");
    FARPROC address = library ? GetProcAddress(library, "GetOpenFileNameW") : nullptr;
    return reinterpret_cast<GetOpenFileNameFunction>(reinterpret_cast<void*>(address));
  }();
  return function;
}


// --- The input box: a dialog template built in memory -----------------------

constexpr int kPromptId = 100;
constexpr int kEditId = 101;

// A DLGTEMPLATE and its items, laid out word by word as the dialog manager
// reads them (items start on DWORD boundaries).
class DialogTemplate {
 public:
  DialogTemplate(DWORD style, short cx, short cy, const std::wstring& title, WORD pointSize, const wchar_t* font) {
    AddDword(style);
    AddDword(0);  // extended style
    countAt_ = words_.size();
    words_.push_back(0);  // item count, set as items are added
    AddShort(0);
    AddShort(0);
    AddShort(cx);
    AddShort(cy);
    words_.push_back(0);  // no menu
    words_.push_back(0);  // the standard dialog class
    AddText(title.c_str());
    words_.push_back(pointSize);
    AddText(font);
  }

  // `atom`: 0x80 button, 0x81 edit, 0x82 static.
  void AddItem(DWORD style, short x, short y, short cx, short cy, WORD id, WORD atom, const wchar_t* text) {
    if (words_.size() % 2) words_.push_back(0);
    AddDword(style | WS_CHILD | WS_VISIBLE);
    AddDword(0);
    AddShort(x);
    AddShort(y);
    AddShort(cx);
    AddShort(cy);
    words_.push_back(id);
    words_.push_back(0xFFFF);
    words_.push_back(atom);
    AddText(text);
    words_.push_back(0);  // no creation data
    ++words_[countAt_];
  }

  const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

 private:
  void AddDword(DWORD value) {
    words_.push_back(LOWORD(value));
    words_.push_back(HIWORD(value));
  }
  void AddShort(short value) { words_.push_back(static_cast<WORD>(value)); }
  void AddText(const wchar_t* text) {
    for (; *text; ++text) words_.push_back(static_cast<WORD>(*text));
    words_.push_back(0);
  }

  std::vector<WORD> words_;  // vector storage is aligned for DWORDs
  size_t countAt_ = 0;
};

RECT RectInParent(HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void MoveChild(HWND dialog, int id, int dx, int dy, int dWidth, int dHeight) {
  HWND child = GetDlgItem(dialog, id);
  const RECT r = RectInParent(child);
  SetWindowPos(child, nullptr, r.left + dx, r.top + dy, r.right - r.left + dWidth, r.bottom - r.top + dHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

// Flags of the static's own drawing of a left-aligned text.
constexpr UINT kPromptFormat = DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX;

// A prompt wider than the box widens it, measured in the box's font, up to
// the work area of its monitor; beyond that it wraps onto more lines and the
// box grows downwards. The box stays centred on that work area.
void FitInputBoxToPrompt(HWND dialog) {
  HWND prompt = GetDlgItem(dialog, kPromptId);
  const std::wstring text = WindowText(prompt);
  UniqueDC measure(CreateCompatibleDC(nullptr));
  if (text.empty() || !measure) return;
  SelectObjectScope useFont(measure.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(prompt, WM_GETFONT, 0, 0)));
  RECT line{};
  DrawTextW(measure.get(), text.c_str(), -1, &line, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
  // Room for one more character: the drawn letters may run a few pixels
  // past their measured width (Wine's do), and the last one would be cut.
  TEXTMETRICW metrics{};
  GetTextMetricsW(measure.get(), &metrics);
  const int slack = static_cast<int>(metrics.tmAveCharWidth);
  RECT client{};
  GetClientRect(prompt, &client);
  if (line.right + slack <= client.right && line.bottom <= client.bottom) return;
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  if (!GetMonitorInfoW(MonitorFromWindow(dialog, MONITOR_DEFAULTTONEAREST), &monitor)) return;
  const RECT& work = monitor.rcWork;
  RECT outer{};
  GetWindowRect(dialog, &outer);
  const int outerWidth = outer.right - outer.left;
  const int outerHeight = outer.bottom - outer.top;
  const int widest = (work.right - work.left) - (outerWidth - client.right);
  const int width = std::max(std::min(static_cast<int>(line.right) + slack, widest), static_cast<int>(client.right));
  RECT wrapped{0, 0, width - slack, 0};
  DrawTextW(measure.get(), text.c_str(), -1, &wrapped, DT_CALCRECT | kPromptFormat);
  const int tallest = (work.bottom - work.top) - outerHeight;
  const int widen = width - client.right;
  const int grow = std::clamp(static_cast<int>(wrapped.bottom - client.bottom), 0, std::max(tallest, 0));
  // More than one line: the static wraps instead of cutting with an ellipsis.
  if (wrapped.bottom > line.bottom) {
    const LONG_PTR style = GetWindowLongPtrW(prompt, GWL_STYLE);
    SetWindowLongPtrW(prompt, GWL_STYLE, style & ~static_cast<LONG_PTR>(SS_ENDELLIPSIS));
  }
  MoveChild(dialog, kPromptId, 0, 0, widen, grow);
  MoveChild(dialog, kEditId, 0, grow, widen, 0);
  MoveChild(dialog, IDOK, widen, grow, 0, 0);
  MoveChild(dialog, IDCANCEL, widen, grow, 0, 0);
  const int newWidth = outerWidth + widen;
  const int newHeight = outerHeight + grow;
  SetWindowPos(dialog, nullptr, work.left + (work.right - work.left - newWidth) / 2,
               work.top + (work.bottom - work.top - newHeight) / 2, newWidth, newHeight,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

struct InputBoxState {
  const std::wstring* initial;
  std::wstring result;
};

INT_PTR CALLBACK InputBoxProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      const auto* state = reinterpret_cast<const InputBoxState*>(lParam);
      FitInputBoxToPrompt(dialog);
      HWND edit = GetDlgItem(dialog, kEditId);
      SetWindowTextW(edit, state->initial->c_str());
      SetFocus(edit);
      const auto end = static_cast<WPARAM>(GetWindowTextLengthW(edit));
      SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
      return FALSE;  // the focus is set: the caret stands after the text
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
        state->result = WindowText(GetDlgItem(dialog, kEditId));
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wParam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

// --- The folder dialog -------------------------------------------------------

struct BrowseState {
  const std::wstring* title;
  const std::wstring* initialFolder;
};

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data) {
  if (message == BFFM_INITIALIZED) {
    const auto* state = reinterpret_cast<const BrowseState*>(data);
    SetWindowTextW(dialog, state->title->c_str());
    if (!state->initialFolder->empty()) {
      SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(state->initialFolder->c_str()));
    }
  }
  return 0;
}

class RealRequesters : public Requesters {
 public:
  int Message(HWND owner, const std::wstring& title, const std::wstring& text, UINT type) override {
    return MessageBoxW(owner, text.c_str(), title.c_str(), type);
  }

  std::optional<std::wstring> InputText(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                        const std::wstring& initial) override {
    return ShowInputBox(owner, title, prompt, initial);
  }

  std::wstring OpenFile(HWND owner, const std::wstring& title, const std::wstring& initialFolder,
                        const std::wstring& filters) override {
    const std::wstring filter = DialogFilterFrom(filters);
    std::wstring buffer(32768, L'\0');
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    ofn.lpstrTitle = title.c_str();
    // OFN_NOCHANGEDIR: programs started from the lists inherit the current
    // folder, and the help file is looked for there.
    ofn.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    const auto getOpenFileName = OpenFileDialogFunction();
    if (!getOpenFileName || !getOpenFileName(&ofn)) return {};
    buffer.resize(wcslen(buffer.c_str()));
    return buffer;
  }

  std::wstring BrowseFolder(HWND owner, const std::wstring& title, const std::wstring& initialFolder) override {
    BrowseState state{&title, &initialFolder};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
    info.lpfn = BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&state);
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (!chosen) return {};
    std::wstring path(32768, L'\0');
    const bool ok = SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT) ||
                    SHGetPathFromIDListW(chosen, path.data());
    CoTaskMemFree(chosen);
    if (!ok) return {};
    path.resize(wcslen(path.c_str()));
    return path;
  }

  std::optional<std::vector<bool>> PickRows(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                            const std::vector<PickRow>& rows) override {
    if (!pickListWindow) return std::nullopt;
    return pickListWindow(owner, title, prompt, rows);
  }

  PickListWindow pickListWindow = nullptr;
};

Requesters*& Installed() {
  static Requesters* installed = nullptr;
  return installed;
}

RealRequesters& Real() {
  static RealRequesters real;
  return real;
}

}  // namespace

Requesters& SystemRequesters() { return Real(); }

void SetPickListWindow(PickListWindow show) { Real().pickListWindow = show; }

Requesters& TheRequesters() {
  Requesters* installed = Installed();
  return installed ? *installed : SystemRequesters();
}

void ShowMessage(HWND owner, const std::wstring& title, const std::wstring& text, UINT type) {
  TheRequesters().Message(owner, title, text, type);
}

bool Ask(HWND owner, const std::wstring& title, const std::wstring& text, UINT type) {
  return TheRequesters().Message(owner, title, text, type) == IDYES;
}

std::wstring DialogFilterFrom(const std::wstring& filters) {
  std::wstring filter = filters;
  for (wchar_t& c : filter) {
    if (c == L'|') c = L'\0';
  }
  filter.push_back(L'\0');
  filter.push_back(L'\0');
  return filter;
}

std::optional<std::wstring> ShowInputBox(HWND owner, const std::wstring& title, const std::wstring& prompt,
                                         const std::wstring& initial) {
  // Dialog units follow the dialog's font, which the dialog manager creates
  // at the DPI of the monitor: the box scales with the screen by itself.
  DialogTemplate dialog(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 250, 62, title,
                        9, L"Segoe UI");
  dialog.AddItem(SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, 7, 7, 236, 10, kPromptId, 0x82, prompt.c_str());
  dialog.AddItem(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 20, 236, 13, kEditId, 0x81, L"");
  dialog.AddItem(BS_DEFPUSHBUTTON | WS_TABSTOP, 139, 41, 50, 14, IDOK, 0x80, L"OK");
  dialog.AddItem(BS_PUSHBUTTON | WS_TABSTOP, 193, 41, 50, 14, IDCANCEL, 0x80, L"Annuler");
  InputBoxState state{&initial, {}};
  const INT_PTR chosen = DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, InputBoxProc,
                                                 reinterpret_cast<LPARAM>(&state));
  if (chosen != IDOK) return std::nullopt;
  return state.result;
}

// --- Scripted requesters -----------------------------------------------------

namespace {

// The next answer given for this kind of requester; without one, `none`,
// and the call counted as unanswered.
template <typename Answer>
Answer NextAnswer(std::deque<Answer>& answers, int& unanswered, Answer none) {
  if (answers.empty()) {
    ++unanswered;
    return none;
  }
  Answer answer = std::move(answers.front());
  answers.pop_front();
  return answer;
}

}  // namespace

int ScriptedRequesters::Message(HWND, const std::wstring& title, const std::wstring& text, UINT type) {
  calls.push_back({Kind::Message, title, text, {}, {}, type, {}});
  if (!messageAnswers.empty()) {
    const int answer = messageAnswers.front();
    messageAnswers.pop_front();
    return answer;
  }
  ++unanswered;
  switch (type & MB_TYPEMASK) {
    case MB_OK: return IDOK;
    case MB_YESNO: return IDNO;
    default: return IDCANCEL;
  }
}

std::optional<std::wstring> ScriptedRequesters::InputText(HWND, const std::wstring& title, const std::wstring& prompt,
                                                          const std::wstring& initial) {
  calls.push_back({Kind::InputText, title, prompt, initial, {}, 0, {}});
  return NextAnswer<std::optional<std::wstring>>(inputAnswers, unanswered, std::nullopt);
}

std::wstring ScriptedRequesters::OpenFile(HWND, const std::wstring& title, const std::wstring& initialFolder,
                                          const std::wstring& filters) {
  calls.push_back({Kind::OpenFile, title, {}, initialFolder, filters, 0, {}});
  return NextAnswer<std::wstring>(fileAnswers, unanswered, {});
}

std::wstring ScriptedRequesters::BrowseFolder(HWND, const std::wstring& title, const std::wstring& initialFolder) {
  calls.push_back({Kind::BrowseFolder, title, {}, initialFolder, {}, 0, {}});
  return NextAnswer<std::wstring>(folderAnswers, unanswered, {});
}

std::optional<std::vector<bool>> ScriptedRequesters::PickRows(HWND, const std::wstring& title,
                                                              const std::wstring& prompt,
                                                              const std::vector<PickRow>& rows) {
  calls.push_back({Kind::PickRows, title, prompt, {}, {}, 0, rows});
  return NextAnswer<std::optional<std::vector<bool>>>(pickAnswers, unanswered, std::nullopt);
}

ScopedRequesters::ScopedRequesters(Requesters& requesters) : previous_(Installed()) { Installed() = &requesters; }

ScopedRequesters::~ScopedRequesters() { Installed() = previous_; }

}  // namespace kelvane
