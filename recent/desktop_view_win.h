#pragma once
// The Bureau tab (tab 5): DesktopList shows the user's or the public desktop
// folder, chosen in DesktopSourceCombo, in the view mode of DesktopViewCombo.
// A plain viewer: it starts items and enters folders, and changes nothing.
#include <windows.h>

#include <string>

#include "settings/program_context_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/tab_win.h"

namespace kelvane {

class DesktopTab final : public FolderListTab {
 public:
  explicit DesktopTab(ProgramContext& context);
  bool BuildPart(PageBuilder& page, int part) override;
  void Layout(int pageWidth, int pageHeight) override;

  // The home folder that DesktopSourceCombo names: the user's desktop for
  // entry 0, the public desktop for entry 1.
  std::wstring ChosenFolder() const;
  void ShowChosenDesktop();  // DesktopSourceCombo changed, DesktopHomeButton
  void ApplyViewMode();      // DesktopViewCombo changed
  void OpenItem();           // double click or Enter on a file of DesktopList

 private:
  void FitTitle();
  int SourceComboWidth() const;

  ProgramContext& context_;
  int pageWidth_ = 0;
  HFONT gadgetFont_ = nullptr;
  HWND title_ = nullptr;
  HWND viewCombo_ = nullptr;
  HWND sourceCombo_ = nullptr;
  UniqueFont titleFont_;  // the title's font made smaller, when the page needs it
};

}  // namespace kelvane
