// The page toolkit on a page of the test's own at one and a half times the
// usual DPI: where a tool row's buttons stand on a wide and a narrow page,
// the drop-downs' field height, and the fonts and numbers of the gadgets.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/gadgets_win.h"
#include "toolkit/page_gadgets_win.h"

namespace kelvane {
namespace {

constexpr UINT kDpi = 144;
constexpr ToolButtonDef kRow[] = {{901, 0, L"a"}, {902, 0, L"b"}, {903, 0, L"c"}, {904, 0, L"d"}, {908, 0, L"e"}};

RECT PlaceOf(HWND gadget) {
  RECT r{};
  GetWindowRect(gadget, &r);
  MapWindowPoints(nullptr, GetParent(gadget), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST(PageGadgets, ToolRowDropDownsAndListsFollowThePageAndItsDpi) {
  HWND page = CreateWindowExW(0, WC_STATICW, nullptr, WS_POPUP, 0, 0, 600, 300, nullptr, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(page);
  UniqueFont gadgetFont = CreateMessageFont(kDpi);
  UniqueFont headerFont = CreateMessageFont(kDpi);
  ImageSet images;
  PageBuilder builder(page, kDpi, 600, 300, gadgetFont.get(), headerFont.get(), images);

  std::wstring tooltips;
  // Made in parts (a page built a step at a time), each part placed at once.
  const auto tooltip = [&](const wchar_t* key) { tooltips += key; return std::wstring(key); };
  ASSERT_EQ(ToolRowParts(kRow), 2);
  builder.MakeToolRowPart(kRow, 10, tooltip, 0);
  EXPECT_EQ(tooltips, L"abcd");
  EXPECT_FALSE(Gadget(908));
  EXPECT_EQ(PlaceOf(Gadget(904)).left, Scale(10 + 31 * 3, kDpi));
  builder.MakeToolRowPart(kRow, 10, tooltip, 1);
  builder.MakeToolRowPart(kRow, 10, tooltip, 2);
  EXPECT_EQ(tooltips, L"abcde");
  for (int i = 0; i < 5; ++i) {
    const RECT r = PlaceOf(Gadget(kRow[i].gadget));
    EXPECT_EQ(r.left, Scale(10 + 31 * i, kDpi)) << i;
    EXPECT_EQ(r.right - r.left, Scale(30, kDpi)) << i;
    EXPECT_EQ(r.bottom - r.top, Scale(25, kDpi)) << i;
  }
  // Too narrow for the row: closer and narrower, the gap kept, all inside.
  PlaceToolRow(kRow, 10, kDpi, 150);
  const int gap = Scale(31, kDpi) - Scale(30, kDpi);
  const int width = PlaceOf(Gadget(901)).right - PlaceOf(Gadget(901)).left;
  EXPECT_LT(width, Scale(30, kDpi));
  for (int i = 1; i < 5; ++i) {
    EXPECT_EQ(PlaceOf(Gadget(kRow[i].gadget)).left - PlaceOf(Gadget(kRow[i - 1].gadget)).right, gap) << i;
    EXPECT_EQ(PlaceOf(Gadget(kRow[i].gadget)).right - PlaceOf(Gadget(kRow[i].gadget)).left, width) << i;
  }
  EXPECT_LE(PlaceOf(Gadget(908)).right, 150);

  // Both drop-downs' closed fields are as high as asked, the second set at once.
  for (int gadget : {905, 906}) {
    HWND combo = builder.MakeDropDown(gadget, 0, 40, 120, Scale(22, kDpi), {L"un", L"deux"});
    ASSERT_EQ(Gadget(gadget), combo);
    const RECT field = PlaceOf(combo);
    EXPECT_EQ(field.bottom - field.top, Scale(22, kDpi)) << gadget;
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
  }

  HWND list = builder.MakeList(907, LVS_REPORT, 0, LVS_EX_FULLROWSELECT, 0, 80, 300, 100);
  ASSERT_EQ(Gadget(907), list);
  builder.AddColumn(list, 0, L"Nom & lieu", 100);
  wchar_t title[32] = {};
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = title;
  column.cchTextMax = 32;
  ASSERT_TRUE(SendMessageW(list, LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column)));
  EXPECT_STREQ(title, L"Nom && lieu") << "a single & would be taken as a mnemonic mark";
  EXPECT_EQ(column.cx, Scale(100, kDpi));
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)), gadgetFont.get());
  EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(ListView_GetHeader(list), WM_GETFONT, 0, 0)), headerFont.get());
  DestroyWindow(page);
}

}  // namespace
}  // namespace kelvane
