#include "toolkit/accessible_buttons_win.h"

#include <commctrl.h>
#include <oleacc.h>

#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

constexpr wchar_t kPressAction[] = L"Appuyer";

BSTR Copy(const std::wstring& text) {
  return text.empty() ? nullptr : SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
}

// One button (children none) or a tool bar (one child per button, numbered from 1).
class ButtonsObject final : public IAccessible {
 public:
  ButtonsObject(HWND window, ToolBarNames names, IAccessible* standard)
      : window_(window), names_(names), standard_(standard) {}

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IDispatch || iid == kAccessibleIid) {
      *out = static_cast<IAccessible*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) {
      if (standard_) standard_->Release();
      delete this;
    }
    return static_cast<ULONG>(left);
  }

  // IDispatch: not offered; clients use the IAccessible methods.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count) *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    return standard_ ? standard_->get_accParent(parent) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
    if (!count) return E_POINTER;
    *count = static_cast<long>(Buttons().size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT, IDispatch** child) override {
    if (child) *child = nullptr;
    return S_FALSE;  // the buttons are simple elements of this object
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!name) return E_POINTER;
    *name = nullptr;
    AccessibleButton button;
    if (!Find(child, &button)) return E_INVALIDARG;
    *name = Copy(button.name);
    return *name ? S_OK : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override {
    if (value) *value = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override {
    if (text) *text = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    if (!IsChild(child, nullptr) && !IsSelf(child)) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = IsSelf(child) && names_ ? ROLE_SYSTEM_TOOLBAR : ROLE_SYSTEM_PUSHBUTTON;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    AccessibleButton button;
    if (!Find(child, &button)) return E_INVALIDARG;
    long flags = STATE_SYSTEM_FOCUSABLE;
    if (!button.enabled) flags |= STATE_SYSTEM_UNAVAILABLE;
    if (button.pressed) flags |= STATE_SYSTEM_PRESSED;
    if (IsSelf(child) && GetFocus() == window_) flags |= STATE_SYSTEM_FOCUSED;
    if (!IsWindowVisible(window_)) flags |= STATE_SYSTEM_INVISIBLE;
    state->vt = VT_I4;
    state->lVal = flags;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* help) override {
    if (help) *help = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long* topic) override {
    if (file) *file = nullptr;
    if (topic) *topic = 0;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* keys) override {
    if (keys) *keys = nullptr;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    return standard_ ? standard_->get_accFocus(focus) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    if (selection) selection->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
    if (!action) return E_POINTER;
    *action = nullptr;
    AccessibleButton button;
    if (!Find(child, &button)) return E_INVALIDARG;
    if (IsSelf(child) && names_) return S_FALSE;  // the bar itself does nothing
    *action = Copy(kPressAction);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override {
    return standard_ && IsSelf(child) ? standard_->accSelect(flags, child) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accLocation(long* x, long* y, long* width, long* height, VARIANT child) override {
    if (!x || !y || !width || !height) return E_POINTER;
    AccessibleButton button;
    if (!Find(child, &button)) return E_INVALIDARG;
    *x = button.screen.left;
    *y = button.screen.top;
    *width = button.screen.right - button.screen.left;
    *height = button.screen.bottom - button.screen.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
    return standard_ && IsSelf(start) ? standard_->accNavigate(direction, start, end) : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* child) override {
    if (!child) return E_POINTER;
    const POINT at{x, y};
    const std::vector<AccessibleButton> buttons = Buttons();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
      if (PtInRect(&buttons[i].screen, at)) {
        child->vt = VT_I4;
        child->lVal = static_cast<long>(i + 1);
        return S_OK;
      }
    }
    RECT area{};
    GetWindowRect(window_, &area);
    if (!PtInRect(&area, at)) {
      child->vt = VT_EMPTY;
      return S_FALSE;
    }
    child->vt = VT_I4;
    child->lVal = CHILDID_SELF;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    AccessibleButton button;
    if (!Find(child, &button)) return E_INVALIDARG;
    if (!button.enabled) return S_FALSE;
    // Posted: the client does not wait for what the command opens.
    if (!names_) {
      PostMessageW(GetParent(window_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window_), BN_CLICKED),
                   reinterpret_cast<LPARAM>(window_));
      return S_OK;
    }
    if (IsSelf(child)) return S_FALSE;
    PostMessageW(GetParent(window_), WM_COMMAND, static_cast<WPARAM>(button.command),
                 reinterpret_cast<LPARAM>(window_));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

 private:
  ~ButtonsObject() = default;

  static bool IsSelf(const VARIANT& child) { return child.vt == VT_I4 && child.lVal == CHILDID_SELF; }

  std::vector<AccessibleButton> Buttons() const {
    return names_ ? ToolBarButtons(window_, names_) : std::vector<AccessibleButton>{};
  }

  // The child (1..count) a variant names, with its button.
  bool IsChild(const VARIANT& child, AccessibleButton* button) const {
    if (child.vt != VT_I4 || child.lVal < 1) return false;
    const std::vector<AccessibleButton> buttons = Buttons();
    if (static_cast<std::size_t>(child.lVal) > buttons.size()) return false;
    if (button) *button = buttons[static_cast<std::size_t>(child.lVal - 1)];
    return true;
  }

  bool Find(const VARIANT& child, AccessibleButton* button) const {
    if (!IsSelf(child)) return IsChild(child, button);
    button->name = WindowText(window_);
    GetWindowRect(window_, &button->screen);
    button->enabled = IsWindowEnabled(window_) != FALSE;
    return true;
  }

  LONG refs_ = 1;
  HWND window_;
  ToolBarNames names_;
  IAccessible* standard_;
};

LRESULT Answer(HWND window, WPARAM wParam, LPARAM lParam, ToolBarNames names) {
  if (static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) return 0;
  IAccessible* standard = nullptr;
  if (FAILED(CreateStdAccessibleObject(window, OBJID_CLIENT, kAccessibleIid, reinterpret_cast<void**>(&standard)))) {
    standard = nullptr;
  }
  auto* object = new ButtonsObject(window, names, standard);
  const LRESULT result = LresultFromObject(kAccessibleIid, wParam, static_cast<IAccessible*>(object));
  object->Release();  // LresultFromObject holds its own reference
  return result > 0 ? result : 0;
}

}  // namespace

LRESULT AnswerButtonObject(HWND button, WPARAM wParam, LPARAM lParam) { return Answer(button, wParam, lParam, nullptr); }

LRESULT AnswerToolBarObject(HWND toolBar, WPARAM wParam, LPARAM lParam, ToolBarNames names) {
  return Answer(toolBar, wParam, lParam, names);
}

std::vector<AccessibleButton> ToolBarButtons(HWND toolBar, ToolBarNames names) {
  std::vector<AccessibleButton> buttons;
  const int count = static_cast<int>(SendMessageW(toolBar, TB_BUTTONCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    TBBUTTON info{};
    if (!SendMessageW(toolBar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&info)) || (info.fsStyle & BTNS_SEP)) {
      continue;
    }
    AccessibleButton button;
    button.command = info.idCommand;
    button.name = names ? names(info.idCommand) : std::wstring();
    button.enabled = (info.fsState & TBSTATE_ENABLED) != 0;
    button.pressed = (info.fsState & TBSTATE_CHECKED) != 0;
    SendMessageW(toolBar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&button.screen));
    MapWindowPoints(toolBar, nullptr, reinterpret_cast<POINT*>(&button.screen), 2);
    buttons.push_back(button);
  }
  return buttons;
}

}  // namespace kelvane
