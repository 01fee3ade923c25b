#include "theme/about_window_win.h"

#include <commctrl.h>
#include <richedit.h>
#include <shellapi.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "theme/about_text.h"
#include "theme/banner_win.h"
#include "theme/colour_layer_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/image_set_win.h"
#include "toolkit/png_decoder.h"
#include "toolkit/press_click_win.h"
#include "toolkit/special_folders_win.h"
#include "toolkit/tool_button_win.h"
#include "toolkit/secondary_window_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

constexpr int kInnerWidth = 600;
constexpr int kInnerHeight = 380;
constexpr SIZE kPicture{140, 316};
constexpr int kIllustrationImage = 46;
constexpr int kSiteImage = 3;
constexpr int kReadMeImage = 4;
// A user's picture larger than this is not read.
constexpr LONGLONG kMaxPictureFileBytes = 32LL << 20;

bool AboutHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct AboutState {
  SecondaryWindow frame{AboutHandler};
  UniqueBitmap picture;  // the illustration at its shown size, premultiplied
};

AboutState& State() {
  static AboutState state;
  return state;
}

int S(int units) { return State().frame.S(units); }

// --- Services ------------------------------------------------------------------

bool OpenAddressForReal(const std::wstring& address) {
  // Run as a program: the system hands the address to the default browser.
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

bool OpenFileForReal(const std::wstring& path) {
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
  return result > 32;
}

void WarnForReal(HWND owner, const std::wstring& title, const std::wstring& text) {
  MessageBoxW(owner, text.c_str(), title.c_str(), MB_OK | MB_ICONWARNING);
}

constexpr AboutServices kRealServices{OpenAddressForReal, OpenFileForReal, WarnForReal};
const AboutServices* g_services = &kRealServices;

// --- Illustration --------------------------------------------------------------

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::wstring& path) {
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart <= 0 || size.QuadPart > kMaxPictureFileBytes) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
      read != bytes.size()) {
    return std::nullopt;
  }
  return bytes;
}

// The user's picture beside the program when there is a readable one, else
// the built-in illustration; scaled to 140 x 316 for the screen.
UniqueBitmap MakeIllustration(const ProgramContext& context) {
  UniqueBitmap own;
  HBITMAP source = nullptr;
  if (const auto bytes = ReadWholeFile(ProgramFolder() + kAboutPictureFile)) {
    if (const auto png = DecodePng(*bytes)) {
      own = MakeDibSection(png->width, png->height, PremultipliedBgra(*png).data());
      source = own.get();
    }
  }
  if (!source) source = context.images.Bitmap(kIllustrationImage);
  if (!source) return {};
  BITMAP info{};
  GetObjectW(source, sizeof info, &info);
  const int width = S(kPicture.cx);
  const int height = S(kPicture.cy);
  UniqueBitmap scaled = MakeDibSection(width, height, nullptr);
  UniqueDC from(CreateCompatibleDC(nullptr));
  UniqueDC to(CreateCompatibleDC(nullptr));
  if (!scaled || !from || !to) return {};
  {
    SelectObjectScope useFrom(from.get(), source);
    SelectObjectScope useTo(to.get(), scaled.get());
    // A new DIB section is all zero, transparent black: blended onto it,
    // the copy keeps the picture's alpha.
    SetStretchBltMode(to.get(), HALFTONE);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(to.get(), 0, 0, width, height, from.get(), 0, 0, info.bmWidth, info.bmHeight, blend);
  }
  return scaled;
}

// --- Image gadget: an icon or a bitmap over its parent's background -------------

struct ImageGadget {
  HBITMAP bitmap = nullptr;  // premultiplied, not owned
  HICON icon = nullptr;      // not owned
};

ImageGadget* ImageOf(HWND window) { return reinterpret_cast<ImageGadget*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

// The background a child of `parent` paints: what the parent answers to WM_CTLCOLORSTATIC.
HBRUSH ParentBackground(HWND window, HDC dc) {
  auto brush = reinterpret_cast<HBRUSH>(
      SendMessageW(GetParent(window), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(window)));
  return brush ? brush : GetSysColorBrush(COLOR_BTNFACE);
}

void PaintImage(HWND window, HDC dc, const RECT& area) {
  FillRect(dc, &area, ParentBackground(window, dc));
  const ImageGadget* image = ImageOf(window);
  if (image && image->bitmap) {
    BITMAP info{};
    GetObjectW(image->bitmap, sizeof info, &info);
    UniqueDC source(CreateCompatibleDC(dc));
    SelectObjectScope useSource(source.get(), image->bitmap);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    GdiAlphaBlend(dc, 0, 0, info.bmWidth, info.bmHeight, source.get(), 0, 0, info.bmWidth, info.bmHeight, blend);
  } else if (image && image->icon) {
    const int side = Scale(16, DpiOf(window));
    DrawIconEx(dc, 0, 0, image->icon, side, side, 0, nullptr, DI_NORMAL);
  }
}

LRESULT CALLBACK ImageProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      auto* image = new ImageGadget(*static_cast<const ImageGadget*>(create->lpCreateParams));
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(image));
      break;
    }
    case WM_NCDESTROY:
      delete ImageOf(window);
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    default:
      if (LRESULT result = 0; AnswerSelfPainting(window, message, wParam, PaintImage, &result)) return result;
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// --- Hyperlink gadget: underlined text, highlighted under the mouse ------------

struct Hyperlink {
  HFONT font = nullptr;  // the font given, not owned
  UniqueFont underlined;
  bool hot = false;
  bool pressed = false;
};

Hyperlink* LinkOf(HWND window) { return reinterpret_cast<Hyperlink*>(GetWindowLongPtrW(window, GWLP_USERDATA)); }

void PaintLink(HWND window, HDC dc, const RECT& area) {
  SetTextColor(dc, GetSysColor(COLOR_HOTLIGHT));  // unless the parent says otherwise
  FillRect(dc, &area, ParentBackground(window, dc));
  const Hyperlink* link = LinkOf(window);
  if (!link) return;
  if (link->hot) SetTextColor(dc, kLinkHighlight);
  HGDIOBJ font = link->underlined ? static_cast<HGDIOBJ>(link->underlined.get()) : GetStockObject(DEFAULT_GUI_FONT);
  SelectObjectScope useFont(dc, font);
  SetBkMode(dc, TRANSPARENT);
  wchar_t text[256] = {};
  const int length = GetWindowTextW(window, text, 256);
  RECT textArea = area;
  DrawTextW(dc, text, length, &textArea, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
  if (GetFocus() == window && !(SendMessageW(window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
    DrawFocusRect(dc, &area);
  }
}

// The parent hears of a click as of a push button's. The window may be gone
// when this returns (a link can close its window).
void ClickLink(HWND window) {
  SendMessageW(GetParent(window), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(window), BN_CLICKED),
               reinterpret_cast<LPARAM>(window));
}

LRESULT CALLBACK HyperlinkProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  Hyperlink* link = LinkOf(window);
  switch (message) {
    case WM_NCCREATE:
      SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Hyperlink));
      break;
    case WM_NCDESTROY:
      delete link;
      SetWindowLongPtrW(window, GWLP_USERDATA, 0);
      break;
    case WM_SETFONT: {
      if (!link) break;
      link->font = reinterpret_cast<HFONT>(wParam);
      LOGFONTW description{};
      if (GetObjectW(link->font ? static_cast<HGDIOBJ>(link->font) : GetStockObject(DEFAULT_GUI_FONT),
                     sizeof description, &description)) {
        description.lfUnderline = TRUE;
        link->underlined.reset(CreateFontIndirectW(&description));
      }
      if (LOWORD(lParam)) InvalidateRect(window, nullptr, FALSE);
      return 0;
    }
    case WM_GETFONT:
      return link ? reinterpret_cast<LRESULT>(link->font) : 0;
    case WM_SETTEXT:
      InvalidateRect(window, nullptr, FALSE);
      break;
    case WM_MOUSEMOVE:
      if (link && !link->hot) {
        link->hot = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window, 0};
        TrackMouseEvent(&track);
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_MOUSELEAVE:
      if (link && link->hot) {
        link->hot = false;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    case WM_GETDLGCODE:
      return DLGC_BUTTON;
    default:
      if (LRESULT result = 0; AnswerPressClick(window, message, wParam, lParam, link ? &link->pressed : nullptr,
                                               ClickLink, &result) ||
                              AnswerSelfPainting(window, message, wParam, PaintLink, &result)) {
        return result;
      }
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// --- Container gadget: holds gadgets; their events go to the window --------------

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
      if (HWND parent = GetParent(window)) return SendMessageW(parent, message, wParam, lParam);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// --- The window ------------------------------------------------------------------

bool AboutHandler(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return false;
      switch (LOWORD(wParam)) {
        case IDCANCEL:  // Escape, through the dialog manager of the event loop
        case kAboutClose:
          CloseAboutWindow();
          return true;
        case kAboutSiteLink:
          OnAboutSiteLink();
          return true;
        case kAboutReadMeLink:
          OnAboutReadMeLink();
          return true;
        default:
          return false;
      }
    case WM_NCDESTROY:
      // The gadgets that showed it are gone.
      if (!State().frame.Handle()) State().picture.reset();
      return false;
    default:
      return false;
  }
}

// The window's own class is the secondary windows' (toolkit/secondary_window_win.h).
bool RegisterGadgetClasses() {
  const auto face = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  return RegisterWindowClassOnce(kHyperlinkClass, HyperlinkProc, nullptr) &&
         RegisterWindowClassOnce(kImageGadgetClass, ImageProc, nullptr) &&
         RegisterWindowClassOnce(kContainerClass, ContainerProc, face);
}

// Position and size in window units.
HWND MakeChild(HWND parent, int gadget, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int x,
               int y, int width, int height, void* param = nullptr) {
  return State().frame.AddGadgetIn(parent, gadget, cls, text, style, exStyle, x, y, width, height, nullptr, param);
}

HWND MakeImage(HWND parent, int gadget, int x, int y, int width, int height, HBITMAP bitmap, HICON icon) {
  ImageGadget image{bitmap, icon};
  HWND window = MakeChild(parent, gadget, kImageGadgetClass, nullptr, 0, 0, x, y, width, height, &image);
  if (window) SetGadgetKind(window, GadgetKind::Image);
  return window;
}

HWND MakeLink(HWND parent, int gadget, int x, int y, int width, int height, const std::wstring& text,
              const std::wstring& tooltip) {
  HWND link = MakeChild(parent, gadget, kHyperlinkClass, text.c_str(), WS_TABSTOP, 0, x, y, width, height);
  if (!link) return nullptr;
  SetGadgetKind(link, GadgetKind::Hyperlink);
  SetGadgetToolTip(link, tooltip);
  return link;
}

// The rich edit control of the system: it takes a lone carriage return as a
// line break, as the text wants.
const wchar_t* RichEditClass() {
  static const wchar_t* name = [] () -> const wchar_t* {
    if (LoadLibraryW(L"msftedit.dll")) return MSFTEDIT_CLASS;
    if (LoadLibraryW(L"riched20.dll")) return RICHEDIT_CLASSW;
    return nullptr;
  }();
  return name;
}

HWND MakeAboutText(const ProgramContext& context, HWND page) {
  const wchar_t* cls = RichEditClass();
  if (!cls) return nullptr;
  HWND text = MakeChild(page, kAboutText, cls, nullptr, WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL,
                        WS_EX_CLIENTEDGE, 150, 0, 450, 260);
  if (!text) return nullptr;
  if (context.fonts[2]) SendMessageW(text, WM_SETFONT, reinterpret_cast<WPARAM>(context.fonts[2].get()), FALSE);
  SendMessageW(text, EM_SETTARGETDEVICE, 0, 0);  // wrapped to the width
  const std::wstring about = AboutText(context.windowTitle, context.versionText, kBuildDate) +
                             DataFolderLines(context.dataFolder, context.portableData);
  SETTEXTEX how{ST_DEFAULT, 1200};  // 1200: UTF-16
  SendMessageW(text, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&how), reinterpret_cast<LPARAM>(about.c_str()));
  // The text is longer than the box: it is read from its first line.
  SendMessageW(text, EM_SETSEL, 0, 0);
  SendMessageW(text, WM_VSCROLL, SB_TOP, 0);
  return text;
}

void BuildGadgets(const ProgramContext& context) {
  HWND window = State().frame.Handle();
  const std::wstring subtitle = context.windowTitle + L" V" + context.versionText;
  if (HWND banner = CreateCanvasGadget(window, kAboutBanner, 0, 0, S(kInnerWidth), S(40))) {
    RegisterGadget(kAboutBanner, banner);
    DrawBanner(banner, context, RGB(99, 184, 255), RGB(0, 0, 128), L"Information concernant", subtitle, kMakerName, 30,
               1);
  }
  HWND page = MakeChild(window, kAboutPage, kContainerClass, nullptr, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT, 0, 40,
                        kInnerWidth, kPicture.cy);
  if (!page) return;
  SetGadgetKind(page, GadgetKind::Container);
  State().picture = MakeIllustration(context);
  MakeImage(page, kAboutPicture, 0, 0, kPicture.cx, kPicture.cy, State().picture.get(), nullptr);
  MakeAboutText(context, page);
  MakeImage(page, kAboutSiteIcon, 210, 280, 20, 20, nullptr, context.images.Icon(kSiteImage));
  MakeLink(page, kAboutSiteLink, 230, 280, 80, 20, kMakerSiteName,
           std::wstring(L"Se connecter au site web ") + kMakerSiteAddress);
  MakeImage(page, kAboutReadMeIcon, 330, 280, 20, 20, nullptr, context.images.Icon(kReadMeImage));
  MakeLink(page, kAboutReadMeLink, 350, 280, 50, 20, L"Lisez-moi", L"Lisez moi");
  MakeChild(page, kAboutClose, WC_BUTTONW, L"Fermer", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 515, 275, 60, 28);
  State().frame.AddStatusBar(kAboutStatusBar, context.images.Icon(kStatusBarImage), context.ownershipLine,
                             SBT_POPOUT);
}

void ApplyDarkLook(HWND window) {
  if (!BeginSecondaryDarkLook(window, Gadget(kAboutStatusBar))) return;
  const Colour surface = DarkSurface();
  for (int gadget : {kAboutPage, kAboutSiteLink, kAboutReadMeLink, kAboutClose}) {
    SetgadgetColorEx(gadget, BackColor, surface, 0);
  }
  SetgadgetColorEx(kAboutText, BackColor, DarkBase, 0);
  for (int gadget : {kAboutSiteLink, kAboutReadMeLink, kAboutText}) SetgadgetColorEx(gadget, FrontColor, DarkText, 0);
}

}  // namespace

void OpenAboutWindow(ProgramContext& context) {
  SecondaryWindow& frame = State().frame;
  if (BringForwardIfOpen(frame.Handle())) return;
  if (!RegisterGadgetClasses()) return;
  const SecondaryWindow::Outline outline{
      kAboutWindowClass, L"A propos de " + context.windowTitle, kInnerWidth, kInnerHeight, context.mainWindow,
      kAboutBanner, kAboutStatusBar};
  if (!frame.Create(outline)) return;
  AttachColourLayer(frame.Handle(), kAboutWindow);
  BuildGadgets(context);
  frame.Show(ApplyDarkLook, kAboutClose);
}

HWND AboutWindowHandle() { return State().frame.Handle(); }

void CloseAboutWindow() { State().frame.Close(); }

std::wstring ReadMePath() { return CurrentFolder() + kReadMeFileName; }

void OnAboutSiteLink() {
  HWND owner = State().frame.Handle();
  if (!g_services->openAddress(kMakerSiteAddress)) {
    g_services->warn(owner, L"Connexion...", L"Impossible de se connecter au site");
  }
  CloseAboutWindow();
}

void OnAboutReadMeLink() {
  const std::wstring path = ReadMePath();
  const DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return;
  g_services->openFile(path);
}

void SetAboutServicesForTests(const AboutServices* services) { g_services = services ? services : &kRealServices; }

}  // namespace kelvane
