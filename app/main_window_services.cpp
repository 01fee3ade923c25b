#include "app/main_window_services.h"

#include "app/app_state.h"
#include "app/folder_lists.h"
#include "app/panel_tabs.h"
#include "app/popup_menus.h"
#include "app/preferences_window.h"

namespace kelvane {
namespace {

class MainWindowSide final : public MainWindowServices {
 public:
  void SelectTab(int index) override { kelvane::SelectTab(index); }
  int CurrentTab() const override { return kelvane::CurrentTab(); }
  ExplorerListControl* FolderList(int gadget) override { return kelvane::FolderList(gadget); }
  std::wstring DossiersMenuFolder(int command) override { return kelvane::DossiersMenuFolder(command); }
  void EnablePasteEntry(bool enabled) override { kelvane::EnablePasteEntry(enabled); }
  void OpenPreferencesWindow() override { kelvane::OpenPreferencesWindow(App()); }
};

}  // namespace

MainWindowServices& TheMainWindowServices() {
  static MainWindowSide side;
  return side;
}

}  // namespace kelvane
