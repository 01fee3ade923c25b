#include "app/preferences_window.h"

#include <commctrl.h>

#include <array>
#include <string>

#include "toolkit/gadgets_win.h"
#include "catalog/ids.h"
#include "toolkit/placement_win.h"
#include "backup/backup_folder_choice.h"
#include "backup/backup_messages.h"
#include "backup/backup_texts.h"
#include "backup/folder_tree_win.h"
#include "settings/hotkey.h"
#include "settings/preferences.h"
#include "settings/preferences_win.h"
#include "settings/program_context_win.h"
#include "theme/about_text.h"
#include "theme/banner_win.h"
#include "theme/colour_layer_win.h"
#include "theme/dark_mode_win.h"
#include "toolkit/dpi_win.h"
#include "toolkit/fonts_win.h"
#include "toolkit/handle_win.h"
#include "toolkit/path_compare.h"
#include "toolkit/protected_folders_win.h"
#include "toolkit/requesters_win.h"
#include "toolkit/safe_save_win.h"
#include "toolkit/tool_button_win.h"
#include "toolkit/utf_win.h"
#include "toolkit/secondary_window_win.h"
#include "toolkit/window_class_win.h"

namespace kelvane {
namespace {

constexpr int kInnerWidth = 450;
constexpr int kInnerHeight = 600;
constexpr int kBannerImage = 30;
constexpr int kOptionCount = 6;
// The images of the tabs, as in the tray menu.
constexpr std::array<int, kOptionCount> kOptionImages = {5, 7, 3, 8, 26, 47};
constexpr std::array<const wchar_t*, kOptionCount> kOptionTexts = {
    L"Applications exécutables (par défaut)", L"Fichiers et dossiers",      L"Liens internet",
    L"Fichiers ouverts récemment",            L"Explorateur de fichiers", L"Raccourcis du bureau"};
constexpr std::array<int, kOptionCount> kOptionWidths = {250, 200, 150, 200, 200, 200};
constexpr wchar_t kFolderTip[] = L"Sélection d'un répertoire";

bool PreferencesHandler(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

struct PreferencesState {
  SecondaryWindow frame{PreferencesHandler};
  ProgramContext* context = nullptr;  // the program's, from the opening on
  std::array<HIMAGELIST, kOptionCount> optionImages{};
  std::wstring backupAtOpen;  // the backup folder the window opened with
  void (*savedHook)() = nullptr;
};

PreferencesState& State() {
  static PreferencesState state;
  return state;
}

int S(int units) { return State().frame.S(units); }

ProgramContext& Context() { return *State().context; }

// --- Gadgets -----------------------------------------------------------------------

// Position and size in window units, in the window (a frame's gadgets at
// the frame's place plus their place in it).
HWND MakeGadget(int gadget, const wchar_t* cls, const wchar_t* text, DWORD style, DWORD exStyle, int x, int y,
                int width, int height, HFONT font = nullptr) {
  return State().frame.AddGadget(gadget, cls, text, style, exStyle, x, y, width, height, font);
}

HWND MakeFrame(int gadget, const wchar_t* caption, int x, int y, int width, int height) {
  // Frames stand behind the gadgets they hold and never paint over them.
  return MakeGadget(gadget, WC_BUTTONW, caption, BS_GROUPBOX | WS_CLIPSIBLINGS, 0, x, y, width, height);
}

HWND MakeCheckBox(int gadget, const wchar_t* text, int x, int y, int width, int height) {
  return MakeGadget(gadget, WC_BUTTONW, text, BS_AUTOCHECKBOX | WS_TABSTOP | WS_GROUP, 0, x, y, width, height);
}

HWND MakeText(int gadget, const wchar_t* text, int x, int y, int width, int height, HFONT font = nullptr) {
  return MakeGadget(gadget, WC_STATICW, text, SS_LEFT | SS_NOPREFIX | WS_GROUP, 0, x, y, width, height, font);
}

HWND MakeButton(int gadget, const wchar_t* text, int x, int y, int width, int height, const wchar_t* tip) {
  HWND button = MakeGadget(gadget, WC_BUTTONW, text, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, 0, x, y, width, height);
  if (button) SetGadgetToolTip(button, tip);
  return button;
}

HWND MakeField(int gadget, int x, int y, int width, int height) {
  return MakeGadget(gadget, WC_EDITW, L"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, x, y, width,
                    height);
}

// An option with its 16 x 16 image at the left, through an image list of
// its own (the button does not own it: destroyed with the window).
void MakeOption(int index, int x, int y) {
  const int gadget = kPrefStartTab1 + index;
  // The first option opens the group of six.
  const DWORD style = BS_AUTORADIOBUTTON | (index == 0 ? WS_GROUP | WS_TABSTOP : 0);
  HWND option = MakeGadget(gadget, WC_BUTTONW, kOptionTexts[static_cast<size_t>(index)], style, 0, x, y,
                           kOptionWidths[static_cast<size_t>(index)], 17);
  if (!option) return;
  const int side = S(16);
  HIMAGELIST images = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 1, 0);
  if (!images) return;
  if (Context().images.AddToImageList(images, kOptionImages[static_cast<size_t>(index)], side) < 0) {
    ImageList_Destroy(images);
    return;
  }
  State().optionImages[static_cast<size_t>(index)] = images;
  BUTTON_IMAGELIST list{};
  list.himl = images;
  list.margin = {3, 3, 3, 3};
  list.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
  SendMessageW(option, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
}

void BuildGadgets() {
  HWND window = State().frame.Handle();
  if (HWND banner = CreateCanvasGadget(window, kPrefBanner, 0, 0, S(kInnerWidth), S(40))) {
    RegisterGadget(kPrefBanner, banner);
    DrawBanner(banner, Context(), RGB(99, 184, 255), RGB(0, 0, 128), L"Paramètres d'utilisation",
               L"Précisez ici vos choix de fonctionnement", kMakerName, kBannerImage, 1);
  }
  HFONT labelFont = Context().fonts[1].get();

  // Frame 1 at 5, 40: the main window.
  MakeFrame(kPrefWindowFrame, L"Fenêtre", 5, 40, 440, 240);
  MakeCheckBox(kPrefKeepSize, L"Se rappeler des dimensions courantes de la fenêtre", 25, 60, 300, 15);
  MakeCheckBox(kPrefKeepPosition, L"Se rappeler de la position courante de la fenêtre", 25, 80, 300, 15);
  MakeCheckBox(kPrefPin, L"Toujours garder la fenêtre au premier plan", 25, 100, 300, 15);
  MakeText(kPrefStartTabLabel, L"Choisissez sur quel onglet doit s'ouvrir Kelvane au démarrage", 25, 130, 400, 15,
           labelFont);
  for (int i = 0; i < kOptionCount; ++i) MakeOption(i, 35, 150 + 20 * i);
  MakeText(kPrefHotKeyLabel, L"Raccourci global de l'ouverture rapide", 300, 150, 135, 30, labelFont);
  if (HWND hotKey = MakeGadget(kPrefHotKey, HOTKEY_CLASSW, L"", WS_TABSTOP | WS_GROUP, WS_EX_CLIENTEDGE, 300, 185,
                               135, 22)) {
    SetGadgetToolTip(hotKey, L"Appuyez sur la combinaison voulue ; Retour arrière pour n'en garder aucune");
  }

  // Frame 2 at 5, 280: the default folders.
  MakeFrame(kPrefFoldersFrame, L"Répertoires par défaut", 5, 280, 440, 120);
  MakeText(kPrefAppsLabel, L"Choisissez un répertoire de sélection des applications par défaut", 25, 300, 400, 15);
  MakeButton(kPrefAppsButton, L"...", 25, 318, 25, 25, kFolderTip);
  MakeField(kPrefAppsFolder, 50, 320, 390, 22);
  MakeText(kPrefFilesLabel, L"Choisissez un répertoire de sélection des fichiers par défaut", 25, 350, 400, 15);
  MakeButton(kPrefFilesButton, L"...", 25, 368, 25, 25, kFolderTip);
  MakeField(kPrefFilesFolder, 50, 370, 390, 22);

  // Frame 3 at 5, 400: saving and backup.
  MakeFrame(kPrefBackupFrame, L"Sauvegardes", 5, 400, 440, 120);
  MakeCheckBox(kPrefSaveLists, L"Enregistrer les listes à chaque modification (à la fermeture par défaut)", 25, 420,
               400, 15);
  MakeCheckBox(kPrefBackupCheck, L"Créer une sauvegarde de vos listes sur un autre support", 25, 450, 400, 15);
  MakeButton(kPrefBackupButton, L"...", 25, 468, 25, 25, L"Sélection d'un répertoire de sauvegarde");
  MakeField(kPrefBackupFolder, 50, 470, 390, 22);
  MakeCheckBox(kPrefAutoBackup, L"Sauvegarder automatiquement à la fermeture du programme", 50, 495, 350, 15);

  // Frame 4 at 5, 525: the two buttons.
  MakeFrame(kPrefButtonsFrame, L"", 5, 525, 440, 40);
  MakeButton(kPrefSave, L"  Enregistrer", 255, 530, 90, 28, L"Enregistrer les modifications et fermer la fenêtre");
  MakeButton(kPrefCancel, L"  Annuler", 355, 530, 80, 28, L"Fermer la fenêtre sans enregistrer les modifications");
  State().frame.AddStatusBar(kPrefStatusBar, Context().images.Icon(kStatusBarImage), Context().ownershipLine, SBT_POPOUT);

  for (int frame : {kPrefWindowFrame, kPrefFoldersFrame, kPrefBackupFrame, kPrefButtonsFrame}) {
    SetWindowPos(Gadget(frame), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  // As built: the first option, the folders in use, the backup choices disabled.
  ShowPreferencesForm(InitialPreferencesForm(Context().defaultAppsFolder, Context().defaultFilesFolder));
}

void ApplyDarkLook(HWND window) {
  if (!BeginSecondaryDarkLook(window, Gadget(kPrefStatusBar))) return;
  const Colour surface = DarkSurface();
  const auto colour = [surface](int gadget) { SetgadgetColorEx(gadget, BackColor, surface, 0); };
  const auto label = [surface](int gadget) {
    SetgadgetColorEx(gadget, BackColor, surface, 0);
    SetgadgetColorEx(gadget, FrontColor, DarkText, 0);
  };
  colour(kPrefWindowFrame);
  for (int gadget : {kPrefKeepSize, kPrefKeepPosition, kPrefPin}) colour(gadget);
  label(kPrefStartTabLabel);
  label(kPrefHotKeyLabel);
  for (int gadget = kPrefStartTab1; gadget <= kPrefStartTab6; ++gadget) colour(gadget);
  colour(kPrefFoldersFrame);
  label(kPrefAppsLabel);
  colour(kPrefAppsButton);
  colour(kPrefFilesFolder);
  label(kPrefFilesLabel);
  colour(kPrefFilesButton);
  colour(kPrefAppsFolder);
  // The hotkey control keeps the system's look: it takes a background from
  // WM_CTLCOLOREDIT but draws its text in the system colours over it.
  colour(kPrefBackupFrame);
  for (int gadget : {kPrefSaveLists, kPrefBackupCheck, kPrefBackupButton, kPrefBackupFolder, kPrefAutoBackup}) {
    colour(gadget);
  }
  colour(kPrefButtonsFrame);
  colour(kPrefSave);
  colour(kPrefCancel);
}

bool IsChecked(int gadget) { return SendMessageW(Gadget(gadget), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SetChecked(int gadget, bool on) {
  SendMessageW(Gadget(gadget), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::wstring FieldText(int gadget) {
  HWND field = Gadget(gadget);
  if (!field) return {};
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
  return text;
}

void EnableBackupChoices(bool on) {
  for (int gadget : {kPrefBackupButton, kPrefBackupFolder, kPrefAutoBackup}) EnableWindow(Gadget(gadget), on);
}

// The folder chosen for a field, empty when the requester was cancelled.
std::wstring ChooseFolderFor(int field) {
  return TheRequesters().BrowseFolder(State().frame.Handle(), kChooseFolderTitle, FieldText(field));
}

// A backup folder typed by hand is checked before anything is kept, and a
// missing one made. The folder the window opened with, or the one chosen
// with the button, is taken as it is: its medium may just be away.
bool AcceptTypedBackupFolder() {
  std::wstring typed = FieldText(kPrefBackupFolder);
  if (typed.empty() || SamePath(typed, State().backupAtOpen) || SamePath(typed, Context().prefs.PrefBackup)) {
    return true;
  }
  Win32TreeFileSystem fs;
  const BackupFolderProblem problem = PrepareTypedBackupFolder(
      fs, typed, Context().dataFolder, IsProtectedFolder(WithoutTrailingBackslash(typed)));
  if (problem != BackupFolderProblem::kNone) {
    ShowMessage(State().frame.Handle(), backup_texts::kTitleBackupFolder, BackupFolderProblemText(problem, typed),
                kErrorBox);
    if (HWND field = Gadget(kPrefBackupFolder)) SetFocus(field);
    return false;
  }
  // Stored as every backup folder is: ending with a backslash.
  if (typed.back() != L'\\' && typed.back() != L'/') {
    typed += L'\\';
    SetWindowTextW(Gadget(kPrefBackupFolder), typed.c_str());
  }
  return true;
}

bool PreferencesHandler(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) return false;
      switch (LOWORD(wParam)) {
        case kPrefAppsButton:
          OnChooseAppsFolder();
          return true;
        case kPrefFilesButton:
          OnChooseFilesFolder();
          return true;
        case kPrefBackupButton:
          OnChooseBackupFolder();
          return true;
        case kPrefBackupCheck:
          OnBackupCheck();
          return true;
        case kPrefAutoBackup:
          OnAutoBackupCheck();
          return true;
        case kPrefSave:
          OnSavePreferences();
          return true;
        case kPrefCancel:
        case IDCANCEL:  // Escape, where the message loop lets the dialog manager see the keys
          ClosePreferencesWindow();
          return true;
        default:
          return false;
      }
    case WM_NCDESTROY:
      // The options that showed them are gone.
      if (!State().frame.Handle()) {
        for (HIMAGELIST& images : State().optionImages) {
          if (images) ImageList_Destroy(images);
          images = nullptr;
        }
      }
      return false;
    default:
      return false;
  }
}

}  // namespace

void OpenPreferencesWindow(ProgramContext& context) {
  PreferencesState& state = State();
  if (BringForwardIfOpen(state.frame.Handle())) return;
  state.context = &context;
  const SecondaryWindow::Outline outline{
      kPreferencesWindowClass, PreferencesWindowTitle(context.windowTitle), kInnerWidth, kInnerHeight,
      context.mainWindow, kPrefBanner, kPrefHotKey};
  if (!state.frame.Create(outline)) return;
  AttachColourLayer(state.frame.Handle(), kPreferencesWindow);
  BuildGadgets();
  state.backupAtOpen = context.prefs.PrefBackup;
  LoadPreferencesIntoWindow();
  state.frame.Show(ApplyDarkLook, kPrefSave);
}

HWND PreferencesWindowHandle() { return State().frame.Handle(); }

void ClosePreferencesWindow() { State().frame.Close(); }

PreferencesForm ReadPreferencesForm() {
  PreferencesForm form;
  form.keepSize = IsChecked(kPrefKeepSize);
  form.keepPosition = IsChecked(kPrefKeepPosition);
  form.pinned = IsChecked(kPrefPin);
  form.startTab = -1;
  for (int i = 0; i < kOptionCount; ++i) {
    if (IsChecked(kPrefStartTab1 + i)) {
      form.startTab = i;
      break;
    }
  }
  form.appsFolder = FieldText(kPrefAppsFolder);
  form.filesFolder = FieldText(kPrefFilesFolder);
  form.saveOnChange = IsChecked(kPrefSaveLists);
  form.backup = IsChecked(kPrefBackupCheck);
  form.backupFolder = FieldText(kPrefBackupFolder);
  form.autoBackup = IsChecked(kPrefAutoBackup);
  const auto control = static_cast<std::uint16_t>(SendMessageW(Gadget(kPrefHotKey), HKM_GETHOTKEY, 0, 0));
  form.hotKey = HotKeyText(HotKeyFromControl(control));
  return form;
}

void ShowPreferencesForm(const PreferencesForm& form) {
  SetChecked(kPrefKeepSize, form.keepSize);
  SetChecked(kPrefKeepPosition, form.keepPosition);
  SetChecked(kPrefPin, form.pinned);
  for (int i = 0; i < kOptionCount; ++i) SetChecked(kPrefStartTab1 + i, i == form.startTab);
  SetWindowTextW(Gadget(kPrefAppsFolder), form.appsFolder.c_str());
  SetWindowTextW(Gadget(kPrefFilesFolder), form.filesFolder.c_str());
  SetChecked(kPrefSaveLists, form.saveOnChange);
  SetChecked(kPrefBackupCheck, form.backup);
  SetWindowTextW(Gadget(kPrefBackupFolder), form.backupFolder.c_str());
  SetChecked(kPrefAutoBackup, form.autoBackup);
  EnableBackupChoices(form.backup);
  const HotKey hotKey = ParseHotKeyText(form.hotKey).value_or(kDefaultHotKey);
  SendMessageW(Gadget(kPrefHotKey), HKM_SETHOTKEY, HotKeyToControl(hotKey), 0);
}

void LoadPreferencesIntoWindow() {
  const std::wstring path = PreferencesPath(Context());
  if (!PathExists(path)) return;
  std::string bytes;
  // A file that cannot be read counts as empty: every key takes its default.
  if (!ReadWholeFile(path, &bytes)) bytes.clear();
  ProgramContext& app = Context();
  app.prefs = ParsePreferences(bytes, AnsiToWide);
  PreferencesForm form = ReadPreferencesForm();
  FillPreferencesForm(app.prefs, &form);
  ShowPreferencesForm(form);
  State().backupAtOpen = app.prefs.PrefBackup;
}

bool SavePreferencesFromWindow() {
  ProgramContext& app = Context();
  SIZE inner{};
  POINT outer{};
  if (app.mainWindow) {
    inner = InnerSize(app.mainWindow);
    outer = OuterPosition(app.mainWindow);
  }
  TakePreferencesForm(ReadPreferencesForm(), inner.cx, inner.cy, outer.x, outer.y, &app.prefs);
  // Where the data folder is gone (after a reset) nothing is written: the
  // next start then begins from nothing, as the reset promised.
  const bool saved = WritePreferencesFile(app, app.prefs);
  if (State().savedHook) State().savedHook();
  return saved;
}

void SetPreferencesSavedHook(void (*hook)()) { State().savedHook = hook; }

void OnChooseAppsFolder() {
  const std::wstring folder = ChooseFolderFor(kPrefAppsFolder);
  if (folder.empty()) return;
  SetWindowTextW(Gadget(kPrefAppsFolder), folder.c_str());
  Context().defaultAppsFolder = folder;
}

void OnChooseFilesFolder() {
  const std::wstring folder = ChooseFolderFor(kPrefFilesFolder);
  if (folder.empty()) return;
  SetWindowTextW(Gadget(kPrefFilesFolder), folder.c_str());
  Context().defaultFilesFolder = folder;
}

void OnChooseBackupFolder() {
  ProgramContext& app = Context();
  const std::wstring parent = ChooseFolderFor(kPrefBackupFolder);
  if (parent.empty()) {
    // The field keeps its text, which "Enregistrer" takes back.
    app.prefs.PrefBackup.clear();
    return;
  }
  app.prefs.PrefBackup = BackupFolderFor(parent);
  SetWindowTextW(Gadget(kPrefBackupFolder), app.prefs.PrefBackup.c_str());
  const std::wstring folder = WithoutTrailingBackslash(app.prefs.PrefBackup);
  if (GetFileAttributesW(folder.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  if (!CreateDirectoryW(folder.c_str(), nullptr)) {
    ShowMessage(State().frame.Handle(), backup_texts::kTitleFolderCreation, backup_texts::kFolderCreationFailed,
                kErrorBox);
  }
}

void OnBackupCheck() {
  const bool on = IsChecked(kPrefBackupCheck);
  EnableBackupChoices(on);
  // No automatic backup while backups are off; the box acts at once.
  if (!on) {
    SetChecked(kPrefAutoBackup, false);
    Context().prefs.PrefAutoBackup = 0;
  }
}

void OnAutoBackupCheck() { Context().prefs.PrefAutoBackup = IsChecked(kPrefAutoBackup) ? 1 : 0; }

void OnSavePreferences() {
  if (!AcceptTypedBackupFolder()) return;
  SavePreferencesFromWindow();
  ClosePreferencesWindow();
}

}  // namespace kelvane
