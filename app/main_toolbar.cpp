#include "app/main_toolbar.h"

#include <commctrl.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "catalog/catalog.h"
#include "toolkit/accessible_buttons_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/light_subclass_win.h"

namespace kelvane {
namespace {

struct ToolBarButton {
  int command;  // 0 for a separator
  int image;
  const wchar_t* tooltipKey;  // group ToolBarToolTip
  bool toggle;
};

constexpr ToolBarButton kSeparator{0, -1, nullptr, false};

constexpr ToolBarButton kButtons[] = {
    {CmdQuitter, 1, L"Quitter", false},
    {CmdAide, 2, L"Aide", false},
    {CmdInfo, 4, L"Info", false},
    kSeparator,
    {CmdAjoutFavori, 0, L"AjoutFavori", false},
    kSeparator,
    {CmdEnregistrerListes, 12, L"EnregistrerListes", false},
    kSeparator,
    {CmdSupprimerTout, 23, L"SupprimerTout", false},
    kSeparator,
    {CmdRechercher, 11, L"Rechercher", false},
    {CmdChercherPC, 45, L"ChercherPC", false},
    kSeparator,
    {CmdEpingler, 13, L"Epingler", true},
    {CmdGestionPrefs, 14, L"GestionPrefs", false},
    kSeparator,
    {CmdSauvegarder, 24, L"Sauvegarder", false},
};

constexpr int kImageSide = 16;  // window units

HWND g_toolBar = nullptr;

UniqueImageList& ToolBarImages() {
  static UniqueImageList images;
  return images;
}

// Gives every button its tooltip text. The tool bar (TBSTYLE_TOOLTIPS) has
// made a tool per button with a text callback that would go to the main
// window; fixed texts keep the main window out of it.
void SetToolTips(HWND toolBar) {
  HWND tip = reinterpret_cast<HWND>(SendMessageW(toolBar, TB_GETTOOLTIPS, 0, 0));
  if (!tip) {
    tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                          CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, GetParent(toolBar),
                          nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!tip) return;
    SendMessageW(toolBar, TB_SETTOOLTIPS, reinterpret_cast<WPARAM>(tip), 0);
  }
  for (const ToolBarButton& button : kButtons) {
    if (!button.command) continue;
    std::wstring text = CatalogText(L"ToolBarToolTip", button.tooltipKey);
    TTTOOLINFOW info{};
    info.cbSize = sizeof info;
    info.hwnd = toolBar;
    info.uId = static_cast<UINT_PTR>(button.command);
    info.lpszText = text.data();
    TTTOOLINFOW existing = info;
    existing.lpszText = nullptr;
    if (SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing))) {
      SendMessageW(tip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    } else {
      // No tool of the tool bar's own: cover the button's rectangle (the
      // buttons never move).
      const int index = static_cast<int>(SendMessageW(toolBar, TB_COMMANDTOINDEX, button.command, 0));
      SendMessageW(toolBar, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&info.rect));
      SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
  }
}

// The tooltip text of a button, by its command number.
std::wstring ToolTipOf(int command) {
  for (const ToolBarButton& button : kButtons) {
    if (button.command && button.command == command) return CatalogText(L"ToolBarToolTip", button.tooltipKey);
  }
  return {};
}

// Screen readers get each button as a push button named by its tooltip.
LRESULT AccessibleToolBarProc(HWND toolBar, UINT message, WPARAM wParam, LPARAM lParam, void*) {
  if (message == WM_GETOBJECT) {
    if (LRESULT object = AnswerToolBarObject(toolBar, wParam, lParam, ToolTipOf)) return object;
  }
  return CallNextLightSubclass(toolBar, AccessibleToolBarProc, message, wParam, lParam);
}

}  // namespace

HWND BuildMainToolBar(HWND main, ImageSet::List prepared) {
  g_toolBar = nullptr;
  HWND toolBar = CreateWindowExW(0, TOOLBARCLASSNAMEW, nullptr,
                                 WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS |
                                     CCS_TOP | CCS_NODIVIDER,
                                 0, 0, 0, 0, main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kMainToolBar)),
                                 GetModuleHandleW(nullptr), nullptr);
  if (!toolBar) return nullptr;
  SendMessageW(toolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);

  const UINT dpi = DpiOf(main);
  if (prepared.side != Scale(kImageSide, dpi)) prepared = MakeMainToolBarImages(App().images, dpi);
  std::vector<TBBUTTON> buttons;
  size_t made = 0;
  for (const ToolBarButton& def : kButtons) {
    TBBUTTON button{};
    if (!def.command) {
      button.fsStyle = BTNS_SEP;
    } else {
      const int index = made < prepared.index.size() ? prepared.index[made] : -1;
      ++made;
      button.iBitmap = index >= 0 ? index : I_IMAGENONE;
      button.idCommand = def.command;
      button.fsState = TBSTATE_ENABLED;
      button.fsStyle = def.toggle ? BTNS_CHECK : BTNS_BUTTON;
    }
    buttons.push_back(button);
  }
  SendMessageW(toolBar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(prepared.list.get()));
  ToolBarImages() = std::move(prepared.list);
  SendMessageW(toolBar, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
  SendMessageW(toolBar, TB_AUTOSIZE, 0, 0);
  AddLightSubclass(toolBar, AccessibleToolBarProc, nullptr);

  g_toolBar = toolBar;
  RegisterGadget(kMainToolBar, toolBar);
  return toolBar;
}

ImageSet::List MakeMainToolBarImages(const ImageSet& images, UINT dpi) {
  std::vector<int> ids;
  for (const ToolBarButton& def : kButtons) {
    if (def.command) ids.push_back(def.image);
  }
  return images.MakeImageList(ids, Scale(kImageSide, dpi));
}

void GiveMainToolBarToolTips() {
  if (g_toolBar) SetToolTips(g_toolBar);
}

bool PinToggleDown() {
  return g_toolBar && SendMessageW(g_toolBar, TB_ISBUTTONCHECKED, CmdEpingler, 0) != 0;
}

void SetPinToggle(bool down) {
  if (g_toolBar) SendMessageW(g_toolBar, TB_CHECKBUTTON, CmdEpingler, MAKELPARAM(down ? TRUE : FALSE, 0));
}

}  // namespace kelvane
