#include "theme/control_look.h"

#include "toolkit/path_compare.h"

namespace kelvane {
namespace {

bool NameIs(std::wstring_view name, std::wstring_view wanted) {
  if (name.size() != wanted.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (UpcasePathChar(name[i]) != UpcasePathChar(wanted[i])) return false;
  }
  return true;
}

bool NameStartsWith(std::wstring_view name, std::wstring_view prefix) {
  return name.size() >= prefix.size() && NameIs(name.substr(0, prefix.size()), prefix);
}

GadgetKind KindOfButton(std::uint32_t style) {
  switch (style & look::kButtonTypeMask) {
    case 0x7:  // BS_GROUPBOX
      return GadgetKind::Frame;
    case 0x2:  // BS_CHECKBOX
    case 0x3:  // BS_AUTOCHECKBOX
    case 0x5:  // BS_3STATE
    case 0x6:  // BS_AUTO3STATE
      return GadgetKind::CheckBox;
    case 0x4:  // BS_RADIOBUTTON
    case 0x9:  // BS_AUTORADIOBUTTON
      return GadgetKind::Option;
    case 0xB:  // BS_OWNERDRAW
      return GadgetKind::Canvas;
    default:
      return GadgetKind::Button;
  }
}

GadgetKind KindOfStatic(std::uint32_t style) {
  switch (style & look::kStaticTypeMask) {
    case 0x03:  // SS_ICON
    case 0x0E:  // SS_BITMAP
    case 0x0F:  // SS_ENHMETAFILE
      return GadgetKind::Image;
    case 0x07:  // SS_BLACKFRAME
    case 0x08:  // SS_GRAYFRAME
    case 0x09:  // SS_WHITEFRAME
    case 0x12:  // SS_ETCHEDFRAME
      return GadgetKind::Frame;
    default:
      return GadgetKind::Text;
  }
}

}  // namespace

GadgetClass ClassOfKind(GadgetKind kind) {
  switch (kind) {
    case GadgetKind::EntryField:
    case GadgetKind::Image:
    case GadgetKind::Editor:
    case GadgetKind::Canvas:
      return GadgetClass::SelfColoured;
    case GadgetKind::Button:
    case GadgetKind::CheckBox:
    case GadgetKind::Option:
    case GadgetKind::Frame:
    case GadgetKind::ComboBox:
    case GadgetKind::Container:
    case GadgetKind::ListIcon:
    case GadgetKind::DateField:
    case GadgetKind::ExplorerList:
    case GadgetKind::TabPanel:
      return GadgetClass::Painted;
    default:
      return GadgetClass::Plain;
  }
}

bool TakesVisualStyleChoice(GadgetKind kind) {
  return kind == GadgetKind::Container || kind == GadgetKind::ListIcon || kind == GadgetKind::ComboBox ||
         kind == GadgetKind::Editor || kind == GadgetKind::ExplorerList;
}

bool ErasesOffscreen(GadgetKind kind) {
  return ClassOfKind(kind) == GadgetClass::Painted && kind != GadgetKind::Frame && kind != GadgetKind::Container;
}

GadgetKind KindOfControl(std::wstring_view className, std::uint32_t style, bool insideExplorerList) {
  if (NameIs(className, L"Button")) return KindOfButton(style);
  if (NameIs(className, L"Static")) return KindOfStatic(style);
  if (NameIs(className, L"Edit")) return (style & look::kMultiLine) ? GadgetKind::Editor : GadgetKind::EntryField;
  if (NameStartsWith(className, L"RichEdit")) return GadgetKind::Editor;
  if (NameIs(className, L"ComboBox") || NameIs(className, L"ComboBoxEx32")) return GadgetKind::ComboBox;
  if (NameIs(className, kExplorerListClassName)) return GadgetKind::ExplorerList;
  if (NameIs(className, L"SysListView32")) {
    return insideExplorerList ? GadgetKind::ExplorerList : GadgetKind::ListIcon;
  }
  if (NameIs(className, L"SysTabControl32")) return GadgetKind::TabPanel;
  if (NameIs(className, L"SysDateTimePick32")) return GadgetKind::DateField;
  if (NameIs(className, L"SysLink")) return GadgetKind::Hyperlink;
  if (NameIs(className, kToolButtonClassName)) return GadgetKind::Canvas;
  return GadgetKind::Unknown;
}

int BorderFlagsOf(GadgetKind kind, std::uint32_t style, std::uint32_t exStyle, int flags) {
  const bool clientEdge = exStyle & look::kClientEdge;
  const bool staticEdge = exStyle & look::kStaticEdge;
  switch (kind) {
    case GadgetKind::EntryField:
    case GadgetKind::Image:
    case GadgetKind::Editor:
    case GadgetKind::Canvas:
    case GadgetKind::ListIcon:
    case GadgetKind::ExplorerList:
      if (clientEdge || (exStyle & look::kWindowEdge) || (style & look::kBorderStyle) || kind == GadgetKind::Editor) {
        return kBorderHotTracked | kBorderSoft;
      }
      return flags;
    case GadgetKind::DateField:
      return kBorderSoft;
    case GadgetKind::Frame:
      if (clientEdge) return flags | kBorderSoftWide;
      if (staticEdge) return flags | kBorderSoft;
      // Group boxes (0x7) and etched frames (0x12), and what shares their bits: the layer draws the caption.
      if (style & 0x12) return flags | kBorderFrameCaption;
      return flags | kBorderFront;
    case GadgetKind::Container:
      if (clientEdge) return flags | kBorderSoftWide;
      if (staticEdge) return flags | kBorderSoft;
      if (style & look::kBorderStyle) return flags | kBorderFront;
      return flags;
    default:
      return flags;
  }
}

BorderLook BorderLookOf(GadgetKind kind, int flags, bool hot, bool hasChildren) {
  BorderLook result;
  result.width = (flags & kBorderSoftWide) ? 2 : (flags & (kBorderSoft | kBorderFront | kBorderFrameCaption)) ? 1 : 0;
  result.colour = hot ? BorderColour::Hot : (flags & kBorderFront) ? BorderColour::Front : BorderColour::Soft;
  result.fill = kind == GadgetKind::Container || (kind == GadgetKind::Frame && hasChildren) ||
                (hot && kind == GadgetKind::DateField);
  return result;
}

bool DrawsEdgeBorder(GadgetKind kind, int flags) {
  // A frame or container never gets here: their width does not matter.
  return ClassOfKind(kind) == GadgetClass::Painted && kind != GadgetKind::Frame && kind != GadgetKind::Container &&
         BorderLookOf(kind, flags, false, false).width > 0;
}

bool DrawsOutsidePaint(GadgetKind kind, unsigned message) {
  switch (kind) {
    case GadgetKind::Button:
    case GadgetKind::CheckBox:
    case GadgetKind::Option:
    case GadgetKind::ComboBox:
    case GadgetKind::DateField:
    case GadgetKind::TabPanel:
      break;
    default:
      return false;
  }
  switch (message) {
    case look::kSetFocus:
    case look::kKillFocus:
    case look::kSetText:
    case look::kEnable:
    case look::kButtonDown:
    case look::kButtonUp:
    case look::kDoubleClick:
    case look::kKeyDown:
    case look::kKeyUp:
    case look::kChar:
    case look::kCaptureChanged:
    case look::kUpdateUiState:
    case look::kSetState:
    case look::kSetCheck:
    case look::kComboSetSelection:
      return true;
    case look::kMouseMove:
    case look::kMouseLeave:
      return kind != GadgetKind::TabPanel;  // a tab strip tracks its hot tab in its own paint
    default:
      return false;
  }
}

Colour SoftBorderColour(Colour front, Colour back) { return BlendColour(front, back, 0.25); }

Colour HotBorderColour(Colour front, Colour back) { return BlendColour(front, back, 0.6); }

Colour SelectedRowShade(bool focused) { return focused ? MakeColour(190, 190, 190) : MakeColour(215, 215, 215); }

Colour ListPaintBackground(GadgetKind kind, Colour back, bool hasHeader) {
  const bool list = kind == GadgetKind::ListIcon || kind == GadgetKind::ExplorerList;
  return list && !hasHeader ? ShiftHeaderBackground(back) : back;
}

}  // namespace kelvane
