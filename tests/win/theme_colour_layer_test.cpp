// The gadget colour layer on real controls in a window of the test: records
// and subclassing, removal, release with the window, GDI objects over many
// paints, and what painting shows (dark, with text, changing with state).
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "toolkit/gadgets_win.h"
#include "theme/colour_hooks_win.h"
#include "theme/colour_layer_win.h"
#include "theme/colour_math.h"
#include "win/painted_pixels.h"
#include "win/test_windows.h"

namespace kelvane {
namespace {

enum TestGadget : int { kButton = 901, kList, kEntry, kLabel, kTabs, kFrame };
constexpr Colour kSurface = MakeColour(52, 52, 52);

// Pixels of a window's client area as they are on the screen, top-down BGRA.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Picture Capture(HWND window, bool wholeWindow = false) {
  Picture picture;
  RECT area{};
  if (wholeWindow) {
    GetWindowRect(window, &area);
    OffsetRect(&area, -area.left, -area.top);
  } else {
    GetClientRect(window, &area);
  }
  picture.width = area.right;
  picture.height = area.bottom;
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), area.right, -area.bottom, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HDC screen = wholeWindow ? GetWindowDC(window) : GetDC(window);
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(screen);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, area.right, area.bottom, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const uint32_t*>(bits);
  picture.pixels.assign(p, p + static_cast<size_t>(area.right) * area.bottom);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(dib);
  ReleaseDC(window, screen);
  return picture;
}



bool Near(uint32_t pixel, Colour colour, int tolerance) {
  const int b = pixel & 0xFF, g = (pixel >> 8) & 0xFF, r = (pixel >> 16) & 0xFF;
  return std::abs(r - RedOf(colour)) <= tolerance && std::abs(g - GreenOf(colour)) <= tolerance &&
         std::abs(b - BlueOf(colour)) <= tolerance;
}

int CountNear(const Picture& picture, Colour colour, int tolerance) {
  return static_cast<int>(std::count_if(picture.pixels.begin(), picture.pixels.end(),
                                        [&](uint32_t p) { return Near(p, colour, tolerance); }));
}

int CountBrighterThan(const Picture& picture, int channelSum) {
  return static_cast<int>(std::count_if(picture.pixels.begin(), picture.pixels.end(), [&](uint32_t p) {
    return static_cast<int>((p & 0xFF) + ((p >> 8) & 0xFF) + ((p >> 16) & 0xFF)) > channelSum;
  }));
}

void Repaint(HWND window) {
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

using test::PumpMessages;

// GDI objects alive in the process. Wine's GetGuiResources answers 0; there
// the highest handle index reached by a burst of new objects is used: freed
// slots are taken first, so it grows with every object left alive.
int GdiObjectsInUse() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<int>(count);
  std::vector<HBRUSH> probe;
  int highest = 0;
  for (int i = 0; i < 3000; ++i) {
    HBRUSH brush = CreateSolidBrush(RGB(i & 0xFF, 1, 2));
    if (!brush) break;
    probe.push_back(brush);
    highest = std::max(highest, static_cast<int>(reinterpret_cast<UINT_PTR>(brush) & 0xFFFF));
  }
  for (HBRUSH brush : probe) DeleteObject(brush);
  return highest;
}

HWND MakeChild(HWND parent, int id, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int x,
               int y, int w, int h) {
  HWND child = CreateWindowExW(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                               nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  RegisterGadget(id, child);
  return child;
}

class ColourLayer : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    test::RegisterTestClass(L"ThemeLayerTestWindow", DefWindowProcW);
  }

  void SetUp() override {
    window_ = CreateWindowExW(WS_EX_TOPMOST, L"ThemeLayerTestWindow", L"layer", WS_POPUP | WS_VISIBLE, 0, 0, 420,
                              320, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ASSERT_TRUE(window_);
    AttachColourLayer(window_, 7);
    button_ = MakeChild(window_, kButton, WC_BUTTONW, L"Bouton", BS_PUSHBUTTON, 0, 10, 10, 90, 28);
    list_ = MakeChild(window_, kList, WC_LISTVIEWW, nullptr, LVS_REPORT | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE, 10,
                      50, 250, 150);
    entry_ = MakeChild(window_, kEntry, WC_EDITW, L"C:\\Dossier", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 10, 210, 250,
                       24);
    label_ = MakeChild(window_, kLabel, WC_STATICW, L"Texte", SS_LEFT, 0, 120, 10, 100, 20);
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 200;
    column.pszText = const_cast<wchar_t*>(L"Nom");
    SendMessageW(list_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
    for (const wchar_t* name : {L"Alpha", L"Beta", L"Gamma"}) {
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = 99;
      item.pszText = const_cast<wchar_t*>(name);
      SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    PumpMessages();
  }

  void TearDown() override {
    if (IsWindow(window_)) DestroyWindow(window_);
    for (int id : {kButton, kList, kEntry, kLabel, kTabs, kFrame}) RegisterGadget(id, nullptr);
    PumpMessages();
  }

  HWND window_ = nullptr;
  HWND button_ = nullptr;
  HWND list_ = nullptr;
  HWND entry_ = nullptr;
  HWND label_ = nullptr;
};

TEST_F(ColourLayer, ColouringTwiceKeepsOneRecordAndOneSubclass) {
  const size_t before = ColourRecordCount();
  SetgadgetColorEx(kButton, BackColor, kSurface);
  SetgadgetColorEx(kButton, BackColor, kSurface);
  SetgadgetColorEx(kButton, FrontColor, MakeColour(224, 224, 224));
  EXPECT_EQ(ColourRecordCount(), before + 1);
  EXPECT_TRUE(HasColourProcedure(button_));
  ::kelvane::ColourLayer* layer = ColourLayerOf(button_);
  ASSERT_TRUE(layer);
  EXPECT_EQ(layer->Window(), window_);
  EXPECT_FALSE(layer->Hook(button_, ParentBackgroundProc, nullptr, nullptr));
  const ColourRecord* record = FindColourRecord(kButton);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->back, kSurface);
  EXPECT_EQ(record->front, MakeColour(224, 224, 224));
  EXPECT_EQ(record->window, 7);
  EXPECT_EQ(record->kind, GadgetKind::Button);
  EXPECT_EQ(record->softBorder, static_cast<COLORREF>(BlendColour(record->front, kSurface, 0.25)));
  EXPECT_EQ(GetgadgetColorEx(kButton, BackColor), kSurface);
}

TEST_F(ColourLayer, CompanionColoursAndBorderFlagsByKind) {
  SetgadgetColorEx(kButton, BackColor, MakeColour(100, 100, 100));
  EXPECT_EQ(FindColourRecord(kButton)->front, MakeColour(255, 255, 255));
  SetgadgetColorEx(kList, BackColor, MakeColour(200, 200, 200));
  EXPECT_EQ(FindColourRecord(kList)->front, MakeColour(0, 0, 0));
  EXPECT_EQ(FindColourRecord(kList)->borderFlags, kBorderHotTracked | kBorderSoft);  // client edge
  // An entry field shows only the colour named: the derived text colour stays in the record.
  SetgadgetColorEx(kEntry, BackColor, kSurface);
  EXPECT_EQ(FindColourRecord(kEntry)->front, MakeColour(220, 220, 220));
  EXPECT_EQ(OwnGadgetColour(entry_, BackColor), kSurface);
  EXPECT_EQ(OwnGadgetColour(entry_, FrontColor), NoColour);
  // Its text reads on that background all the same: editable, read-only
  // (which asks its colours as a label does) and disabled.
  EXPECT_GE(test::PaintedTextContrast(entry_), kReadableContrast);
  SendMessageW(entry_, EM_SETREADONLY, TRUE, 0);
  EXPECT_GE(test::PaintedTextContrast(entry_), kReadableContrast);
  EnableWindow(entry_, FALSE);
  EXPECT_GE(test::PaintedTextContrast(entry_), kReadableContrast);
  // A text label is not subclassed; its colours are its own.
  const LONG_PTR labelProc = GetWindowLongPtrW(label_, GWLP_WNDPROC);
  SetgadgetColorEx(kLabel, FrontColor, MakeColour(224, 224, 224));
  EXPECT_EQ(GetWindowLongPtrW(label_, GWLP_WNDPROC), labelProc);
  EXPECT_EQ(GetgadgetColorEx(kLabel, FrontColor), MakeColour(224, 224, 224));
  // Its missing background came from its window.
  EXPECT_EQ(FindColourRecord(kLabel)->back, static_cast<Colour>(GetSysColor(COLOR_BTNFACE)));
  // Frames add their flags once, however often they are coloured.
  HWND frame = MakeChild(window_, kFrame, WC_BUTTONW, L"Cadre", BS_GROUPBOX, 0, 270, 50, 140, 100);
  ASSERT_TRUE(frame);
  SetgadgetColorEx(kFrame, BackColor, kSurface);
  SetgadgetColorEx(kFrame, FrontColor, MakeColour(224, 224, 224));
  EXPECT_EQ(FindColourRecord(kFrame)->borderFlags, kBorderFrameCaption);
}

TEST_F(ColourLayer, SystemColoursRemoveColouringAndSubclass) {
  const size_t before = ColourRecordCount();
  const LONG_PTR original = GetWindowLongPtrW(list_, GWLP_WNDPROC);
  SetgadgetColorEx(kList, BackColor, kSurface);
  Repaint(list_);  // the header takes the layer's procedure at the list's first paint
  HWND header = ListView_GetHeader(list_);
  ASSERT_TRUE(HasColourProcedure(header));
  SetgadgetColorEx(kList, FrontColor, static_cast<Colour>(GetSysColor(COLOR_WINDOWTEXT)));
  SetgadgetColorEx(kList, BackColor, static_cast<Colour>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(FindColourRecord(kList), nullptr);
  EXPECT_EQ(ColourRecordCount(), before);
  EXPECT_FALSE(HasColourProcedure(list_));
  EXPECT_FALSE(HasColourProcedure(header));
  EXPECT_EQ(GetWindowLongPtrW(list_, GWLP_WNDPROC), original);  // the list's own procedure is back

  // Removal by kind -1 resets the gadget's own colours as well.
  SetgadgetColorEx(kEntry, BackColor, kSurface);
  SetgadgetColorEx(kEntry, RemoveColours, NoColour);
  EXPECT_EQ(FindColourRecord(kEntry), nullptr);
  EXPECT_EQ(OwnGadgetColour(entry_, BackColor), NoColour);
}

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  static_cast<void>(SetPropW(window, L"SeenByForeign", reinterpret_cast<HANDLE>(1)));
  const auto next = reinterpret_cast<WNDPROC>(GetPropW(window, L"ForeignNext"));
  return CallWindowProcW(next, window, message, wParam, lParam);
}

TEST_F(ColourLayer, SubclassLeavesSafelyUnderAForeignOne) {
  ::kelvane::ColourLayer* layer = ColourLayerOf(window_);
  ASSERT_TRUE(layer);
  EXPECT_FALSE(layer->Hook(button_, ParentBackgroundProc, nullptr, L"SysListView32"));  // other class
  ASSERT_TRUE(layer->Hook(button_, ParentBackgroundProc, nullptr, L"button"));        // case ignored
  EXPECT_FALSE(layer->Unhook(button_, L"Edit"));
  // Someone subclasses on top the old way; the layer leaves from below it.
  SetPropW(button_, L"ForeignNext", reinterpret_cast<HANDLE>(GetWindowLongPtrW(button_, GWLP_WNDPROC)));
  SetWindowLongPtrW(button_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc));
  EXPECT_TRUE(layer->Unhook(button_, nullptr));
  EXPECT_FALSE(HasColourProcedure(button_));
  EXPECT_FALSE(layer->Unhook(button_, nullptr));
  EXPECT_FALSE(layer->Unhook(nullptr, nullptr));
  EXPECT_EQ(GetWindowLongPtrW(button_, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(CountingProc));
  wchar_t text[32] = {};
  GetWindowTextW(button_, text, 32);  // still answered, through both
  EXPECT_STREQ(text, L"Bouton");
  EXPECT_EQ(GetPropW(button_, L"SeenByForeign"), reinterpret_cast<HANDLE>(1));
  // The window's own procedure back underneath: the foreign one can leave too.
  SetWindowLongPtrW(button_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetPropW(button_, L"ForeignNext")));
  RemovePropW(button_, L"ForeignNext");
  RemovePropW(button_, L"SeenByForeign");
  SetgadgetColorEx(kButton, BackColor, kSurface);
  Repaint(button_);
  EXPECT_TRUE(HasColourProcedure(button_));
}

TEST_F(ColourLayer, DestroyingTheWindowReleasesItsRecords) {
  const size_t before = ColourRecordCount();
  SetgadgetColorEx(kButton, BackColor, kSurface);
  SetgadgetColorEx(kList, BackColor, kSurface);
  SetgadgetColorEx(kEntry, BackColor, kSurface);
  SetgadgetColorEx(kLabel, FrontColor, MakeColour(224, 224, 224));
  Repaint(window_);
  EXPECT_EQ(ColourRecordCount(), before + 4);
  DestroyWindow(window_);
  EXPECT_EQ(ColourRecordCount(), before);
  EXPECT_EQ(FindColourRecord(kButton), nullptr);
  EXPECT_EQ(HotGadget(), nullptr);
}

TEST_F(ColourLayer, RepaintsLeaveNoGdiObjectsBehind) {
  // The probe itself must see objects left alive.
  const int start = GdiObjectsInUse();
  std::vector<HBRUSH> kept;
  for (int i = 0; i < 400; ++i) kept.push_back(CreateSolidBrush(RGB(1, 2, 3)));
  EXPECT_GE(GdiObjectsInUse() - start, 350);
  for (HBRUSH brush : kept) DeleteObject(brush);

  SetgadgetColorEx(kButton, BackColor, kSurface);
  SetgadgetColorEx(kList, BackColor, kSurface);
  SetgadgetColorEx(kEntry, BackColor, kSurface);
  SetgadgetColorEx(kEntry, FrontColor, MakeColour(224, 224, 224));
  SetgadgetColorEx(kLabel, BackColor, kSurface);
  Repaint(window_);
  const int before = GdiObjectsInUse();
  for (int i = 0; i < 1000; ++i) {
    Repaint(window_);
    SendMessageW(entry_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));  // hot border
    SendMessageW(entry_, WM_MOUSELEAVE, 0, 0);
  }
  EXPECT_LT(GdiObjectsInUse() - before, 50);
}

TEST_F(ColourLayer, PaintedGadgetIsDarkWithTextAndShowsItsState) {
  SetgadgetColorEx(kButton, BackColor, kSurface);
  Repaint(button_);
  const Picture enabled = Capture(button_);
  const int area = enabled.width * enabled.height;
  EXPECT_GT(CountNear(enabled, kSurface, 6), area / 2);  // the face became the background
  EXPECT_LT(CountBrighterThan(enabled, 3 * 200), area / 4);
  const int bright = CountBrighterThan(enabled, 3 * 160);  // the caption, in the light text colour
  EXPECT_GT(bright, 10);

  EnableWindow(button_, FALSE);
  Repaint(button_);
  const Picture disabled = Capture(button_);
  EXPECT_NE(disabled.pixels, enabled.pixels);
  EXPECT_LT(CountBrighterThan(disabled, 3 * 160), bright);  // greyed text comes out dimmer
  EXPECT_EQ(FindColourRecord(kButton)->enabled, 0);
}

TEST_F(ColourLayer, ListRowsHeaderAndSelection) {
  SetgadgetColorEx(kList, BackColor, kSurface);
  // The middle of the first row, in the list's client coordinates.
  const auto ListRowY = [this] {
    RECT row{LVIR_BOUNDS, 0, 0, 0};
    SendMessageW(list_, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&row));
    return static_cast<int>((row.top + row.bottom) / 2);
  };
  Repaint(list_);
  Repaint(list_);
  HWND header = ListView_GetHeader(list_);
  const Picture rows = Capture(list_);
  const Picture head = Capture(header);
  // Rows on the list's background; the header 15 levels lighter.
  EXPECT_GT(CountNear(rows, kSurface, 2), rows.width * rows.height / 2);
  EXPECT_GT(CountNear(head, MakeColour(67, 67, 67), 2), head.width * head.height / 3);
  EXPECT_GT(CountBrighterThan(rows, 3 * 160), 10);  // row texts

  // A selected row stands out as a lighter band, with or without the focus
  // (the list keeps its selection visible), and more so with it.
  SetFocus(list_);
  LVITEMW state{};
  state.stateMask = LVIS_SELECTED;
  state.state = LVIS_SELECTED;
  SendMessageW(list_, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
  Repaint(list_);
  const Picture focused = Capture(list_);
  SetFocus(button_);
  Repaint(list_);
  const Picture unfocused = Capture(list_);
  const int plain = CountNear(rows, kSurface, 2);
  EXPECT_LT(CountNear(focused, kSurface, 2), plain - 1000);
  EXPECT_LT(CountNear(unfocused, kSurface, 2), plain - 1000);
  // Past the text, within the column.
  const auto bandAt = [&](const Picture& p) { return p.At(150, ListRowY()); };
  const auto sum = [](uint32_t px) { return (px & 0xFF) + ((px >> 8) & 0xFF) + ((px >> 16) & 0xFF); };
  EXPECT_GT(sum(bandAt(focused)), sum(bandAt(unfocused)));
  EXPECT_GT(sum(bandAt(unfocused)), 3u * 60);
  EXPECT_GT(CountBrighterThan(unfocused, 3 * 160), 10);  // the texts stay light on the band
}

TEST_F(ColourLayer, EntryFieldBorderTurnsHotUnderTheMouse) {
  SetgadgetColorEx(kEntry, BackColor, kSurface);
  SetgadgetColorEx(kEntry, FrontColor, MakeColour(224, 224, 224));
  const ColourRecord* record = FindColourRecord(kEntry);
  ASSERT_TRUE(record);
  ASSERT_EQ(record->borderFlags, kBorderHotTracked | kBorderSoft);
  Repaint(window_);
  RECT outer{};
  GetWindowRect(entry_, &outer);
  MapWindowPoints(HWND_DESKTOP, window_, reinterpret_cast<POINT*>(&outer), 2);
  const auto borderPixel = [&] { return Capture(window_).At(outer.left + 20, outer.top); };
  EXPECT_TRUE(Near(borderPixel(), record->softBorder, 1));
  SendMessageW(entry_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(HotGadget(), entry_);
  EXPECT_TRUE(Near(borderPixel(), record->hotBorder, 1));
  SendMessageW(entry_, WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(HotGadget(), nullptr);
  EXPECT_TRUE(Near(borderPixel(), record->softBorder, 1));
}

TEST_F(ColourLayer, FrameDrawsItsBorderThroughTheCaption) {
  for (HWND other : {button_, list_, entry_, label_}) ShowWindow(other, SW_HIDE);
  HWND frame = MakeChild(window_, kFrame, WC_BUTTONW, L"Fen\u00EAtre", BS_GROUPBOX, 0, 20, 20, 200, 120);
  SetgadgetColorEx(kFrame, BackColor, kSurface);
  SetgadgetColorEx(kFrame, FrontColor, MakeColour(224, 224, 224));
  const ColourRecord* record = FindColourRecord(kFrame);
  ASSERT_TRUE(record);
  Repaint(window_);
  const Picture picture = Capture(frame);
  const int line = 10 - 3;  // at 96 dpi
  // The border: left and bottom edges and the top line right of the caption.
  EXPECT_TRUE(Near(picture.At(0, 60), record->softBorder, 1));
  EXPECT_TRUE(Near(picture.At(100, picture.height - 1), record->softBorder, 1));
  EXPECT_TRUE(Near(picture.At(picture.width - 10, line), record->softBorder, 1));
  // Behind the caption the line is cleared and the caption drawn in the text colour.
  int light = 0;
  for (int y = 0; y < 16; ++y) {
    for (int x = 4; x < 60; ++x) light += Near(picture.At(x, y), MakeColour(224, 224, 224), 40) ? 1 : 0;
  }
  EXPECT_GT(light, 10);
  EXPECT_FALSE(Near(picture.At(6, line), record->softBorder, 1));
}

TEST_F(ColourLayer, TabPanelStripIsRecolouredAndPageFilled) {
  for (HWND other : {button_, list_, entry_, label_}) ShowWindow(other, SW_HIDE);
  HWND tabs = MakeChild(window_, kTabs, WC_TABCONTROLW, nullptr, 0, 0, 0, 0, 420, 320);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = const_cast<wchar_t*>(L"Premier");
  SendMessageW(tabs, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
  SetgadgetColorEx(kTabs, BackColor, DarkBase);
  SetgadgetColorEx(kTabs, FrontColor, DarkText);
  Repaint(tabs);
  const Picture picture = Capture(tabs);
  const int area = picture.width * picture.height;
  EXPECT_GT(CountNear(picture, DarkBase, 3), area * 3 / 4);
  EXPECT_GT(CountBrighterThan(picture, 3 * 150), 5);  // the tab's title
  EXPECT_TRUE(Near(picture.At(picture.width / 2, picture.height / 2), DarkBase, 0));  // page filled flat
}

}  // namespace
}  // namespace kelvane
