#include "lists/list_notices_win.h"

#include <mutex>
#include <vector>

#include "toolkit/requesters_win.h"

namespace kelvane {
namespace {

// The loader's thread queues too.
std::mutex& NoticeMutex() {
  static std::mutex mutex;
  return mutex;
}

std::vector<std::wstring>& Pending() {
  static std::vector<std::wstring> pending;
  return pending;
}

}  // namespace

void QueueListNotice(const std::wstring& text) {
  std::lock_guard lock(NoticeMutex());
  Pending().push_back(text);
}

void ShowListNotices(HWND owner) {
  std::vector<std::wstring> notices;
  {
    std::lock_guard lock(NoticeMutex());
    notices.swap(Pending());
  }
  // Taken out first: a box pumps messages, which may come back here.
  for (const std::wstring& text : notices) ShowMessage(owner, kListNoticeTitle, text, kWarningBox);
}

std::wstring SystemReason(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0,
      reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
  if (buffer) LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
  if (text.empty()) text = L"erreur " + std::to_wstring(error);
  return text;
}

std::wstring RecoveredAtStartText(const std::wstring& list, const std::wstring& from) {
  return L"La liste " + list + L" manquait ou \u00E9tait vide apr\u00E8s un enregistrement interrompu.\n"
         L"Elle a \u00E9t\u00E9 r\u00E9tablie \u00E0 partir de " + from + L".";
}

std::wstring RestoredFromLastGoodText(const std::wstring& file) {
  return L"Le fichier " + file + L" \u00E9tait endommag\u00E9 (coup\u00E9 ou rempli de z\u00E9ros).\n"
         L"Sa derni\u00E8re copie compl\u00E8te, " + file + L".bak, a \u00E9t\u00E9 remise \u00E0 sa place.\n\n"
         L"Le fichier endommag\u00E9 est gard\u00E9 sous le nom " + file + L".damaged.";
}

std::wstring UnreadableAtStartText(const std::wstring& list, DWORD error, const std::wstring& recovered) {
  return L"Le fichier " + list + L" ne peut pas \u00EAtre lu :\n" + SystemReason(error) +
         L"\n\nIl ne sera pas modifi\u00E9. Les entr\u00E9es que vous ajouterez \u00E0 cette liste seront "
         L"enregistr\u00E9es \u00E0 c\u00F4t\u00E9, dans " + recovered + L".";
}

std::wstring NoCountLineText(const std::wstring& list) {
  return L"La premi\u00E8re ligne du fichier " + list + L" n'est pas un nombre d'entr\u00E9es.\n"
         L"Les entr\u00E9es ont \u00E9t\u00E9 lues telles qu'elles se pr\u00E9sentent ; le fichier ne sera "
         L"r\u00E9\u00E9crit que si vous modifiez cette liste.";
}

std::wstring SaveFailedText(const std::wstring& list, DWORD error) {
  return L"Impossible d'enregistrer " + list + L" :\n" + SystemReason(error) +
         L"\n\nVos entr\u00E9es restent dans la liste ; le prochain enregistrement essaiera de nouveau.";
}

std::wstring SavedBesideText(const std::wstring& list, const std::wstring& beside) {
  return L"Le fichier " + list + L" n'a pas pu \u00EAtre lu au d\u00E9marrage et n'a pas \u00E9t\u00E9 modifi\u00E9.\n"
         L"Cette liste a \u00E9t\u00E9 enregistr\u00E9e \u00E0 c\u00F4t\u00E9, dans " + beside + L".";
}

}  // namespace kelvane
