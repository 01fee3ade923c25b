#include "theme/control_look.h"

#include <gtest/gtest.h>

namespace kelvane {
namespace {

TEST(ControlLook, KindFromClassAndStyle) {
  EXPECT_EQ(KindOfControl(L"BUTTON", 0x0, false), GadgetKind::Button);
  EXPECT_EQ(KindOfControl(L"Button", 0x1, false), GadgetKind::Button);  // default push button
  EXPECT_EQ(KindOfControl(L"button", 0x50010003, false), GadgetKind::CheckBox);  // window bits ignored
  EXPECT_EQ(KindOfControl(L"Button", 0x9, false), GadgetKind::Option);
  EXPECT_EQ(KindOfControl(L"Button", 0x7, false), GadgetKind::Frame);
  EXPECT_EQ(KindOfControl(L"Button", 0xB, false), GadgetKind::Canvas);
  EXPECT_EQ(KindOfControl(L"Static", 0x0, false), GadgetKind::Text);
  EXPECT_EQ(KindOfControl(L"Static", 0xE, false), GadgetKind::Image);
  EXPECT_EQ(KindOfControl(L"Static", 0x12, false), GadgetKind::Frame);
  EXPECT_EQ(KindOfControl(L"Edit", 0x80, false), GadgetKind::EntryField);
  EXPECT_EQ(KindOfControl(L"Edit", 0x84, false), GadgetKind::Editor);
  EXPECT_EQ(KindOfControl(L"RICHEDIT50W", 0, false), GadgetKind::Editor);
  EXPECT_EQ(KindOfControl(L"Rich", 0, false), GadgetKind::Unknown);
  EXPECT_EQ(KindOfControl(L"ComboBoxEx32", 0, false), GadgetKind::ComboBox);
  EXPECT_EQ(KindOfControl(L"SysListView32", 0, false), GadgetKind::ListIcon);
  EXPECT_EQ(KindOfControl(L"SysListView32", 0, true), GadgetKind::ExplorerList);
  EXPECT_EQ(KindOfControl(kExplorerListClassName, 0, false), GadgetKind::ExplorerList);
  EXPECT_EQ(KindOfControl(L"SysTabControl32", 0, false), GadgetKind::TabPanel);
  EXPECT_EQ(KindOfControl(L"SysDateTimePick32", 0, false), GadgetKind::DateField);
  EXPECT_EQ(KindOfControl(L"SysLink", 0, false), GadgetKind::Hyperlink);
  EXPECT_EQ(KindOfControl(kToolButtonClassName, 0, false), GadgetKind::Canvas);
  EXPECT_EQ(KindOfControl(L"msctls_statusbar32", 0, false), GadgetKind::Unknown);
  // What each kind gets from the layer.
  EXPECT_EQ(ClassOfKind(GadgetKind::EntryField), GadgetClass::SelfColoured);
  EXPECT_EQ(ClassOfKind(GadgetKind::Text), GadgetClass::Plain);
  EXPECT_EQ(ClassOfKind(GadgetKind::TabPanel), GadgetClass::Painted);
  EXPECT_TRUE(ErasesOffscreen(GadgetKind::Button));
  EXPECT_FALSE(ErasesOffscreen(GadgetKind::Frame));
  EXPECT_FALSE(ErasesOffscreen(GadgetKind::EntryField));
}

TEST(ControlLook, BordersByKindAndEdge) {
  using namespace look;
  EXPECT_EQ(BorderFlagsOf(GadgetKind::ListIcon, 0, kClientEdge, 0), kBorderHotTracked | kBorderSoft);
  EXPECT_EQ(BorderFlagsOf(GadgetKind::ListIcon, 0, 0, 0), 0);
  EXPECT_EQ(BorderFlagsOf(GadgetKind::Editor, 0, 0, 0), kBorderHotTracked | kBorderSoft);
  EXPECT_EQ(BorderFlagsOf(GadgetKind::EntryField, kBorderStyle, 0, 0), kBorderHotTracked | kBorderSoft);
  EXPECT_EQ(BorderFlagsOf(GadgetKind::DateField, 0, 0, kBorderFront), kBorderSoft);
  // Frames and containers combine: colouring twice changes nothing.
  const int frame = BorderFlagsOf(GadgetKind::Frame, 0x7, 0, 0);
  EXPECT_EQ(frame, kBorderFrameCaption);
  EXPECT_EQ(BorderFlagsOf(GadgetKind::Frame, 0x7, 0, frame), frame);
  EXPECT_EQ(BorderFlagsOf(GadgetKind::Frame, 0x8, 0, 0), kBorderFront);
  EXPECT_EQ(BorderFlagsOf(GadgetKind::Container, 0, kClientEdge, 0), kBorderSoftWide);
  EXPECT_EQ(BorderFlagsOf(GadgetKind::Container, 0, kStaticEdge, kBorderSoft), kBorderSoft);
  EXPECT_EQ(BorderFlagsOf(GadgetKind::Container, 0, 0, 0), 0);

  const BorderLook wide = BorderLookOf(GadgetKind::Container, kBorderSoftWide, false, false);
  EXPECT_EQ(wide.width, 2);
  EXPECT_TRUE(wide.fill);
  EXPECT_EQ(BorderLookOf(GadgetKind::Frame, kBorderFront, false, false).colour, BorderColour::Front);
  EXPECT_EQ(BorderLookOf(GadgetKind::Frame, kBorderFront, true, false).colour, BorderColour::Hot);
  EXPECT_FALSE(BorderLookOf(GadgetKind::Frame, kBorderFront, false, false).fill);
  EXPECT_TRUE(BorderLookOf(GadgetKind::Frame, kBorderFront, false, true).fill);
  EXPECT_FALSE(BorderLookOf(GadgetKind::DateField, kBorderSoft, false, false).fill);
  EXPECT_TRUE(BorderLookOf(GadgetKind::DateField, kBorderSoft, true, false).fill);
  EXPECT_EQ(BorderLookOf(GadgetKind::ListIcon, 0, true, false).width, 0);
  EXPECT_TRUE(DrawsEdgeBorder(GadgetKind::ListIcon, kBorderHotTracked | kBorderSoft));
  EXPECT_FALSE(DrawsEdgeBorder(GadgetKind::ListIcon, 0));
  EXPECT_FALSE(DrawsEdgeBorder(GadgetKind::Frame, kBorderSoft));
  EXPECT_FALSE(DrawsEdgeBorder(GadgetKind::EntryField, kBorderSoft));  // self-coloured: drawn in its frame paint
}

TEST(ControlLook, MessagesThatDrawOutsidePaintAndColours) {
  using namespace look;
  EXPECT_TRUE(DrawsOutsidePaint(GadgetKind::Button, kSetFocus));
  EXPECT_TRUE(DrawsOutsidePaint(GadgetKind::CheckBox, kSetCheck));
  EXPECT_TRUE(DrawsOutsidePaint(GadgetKind::ComboBox, kComboSetSelection));
  EXPECT_TRUE(DrawsOutsidePaint(GadgetKind::Button, kMouseMove));
  EXPECT_FALSE(DrawsOutsidePaint(GadgetKind::TabPanel, kMouseMove));
  EXPECT_TRUE(DrawsOutsidePaint(GadgetKind::TabPanel, kButtonDown));
  EXPECT_FALSE(DrawsOutsidePaint(GadgetKind::ListIcon, kSetFocus));
  EXPECT_FALSE(DrawsOutsidePaint(GadgetKind::Button, 0x000F));  // WM_PAINT itself

  const Colour front = MakeColour(224, 224, 224);
  const Colour back = MakeColour(52, 52, 52);
  EXPECT_EQ(SoftBorderColour(front, back), BlendColour(front, back, 0.25));
  EXPECT_EQ(HotBorderColour(front, back), BlendColour(front, back, 0.6));
  EXPECT_GT(Luma(HotBorderColour(front, back)), Luma(SoftBorderColour(front, back)));
  EXPECT_GT(Luma(SelectedRowShade(false)), Luma(SelectedRowShade(true)));  // a lighter face: a darker band
  EXPECT_EQ(ListPaintBackground(GadgetKind::ListIcon, back, false), ShiftHeaderBackground(back));
  EXPECT_EQ(ListPaintBackground(GadgetKind::ListIcon, back, true), back);
  EXPECT_EQ(ListPaintBackground(GadgetKind::Button, back, false), back);
}

}  // namespace
}  // namespace kelvane
