#include "recent/recent_texts.h"

#include <cwchar>

namespace kelvane {

std::wstring RecentCountHeader(int rows) {
  return std::to_wstring(rows) + L" liens vers des fichiers qui ont \u00E9t\u00E9 ouverts";
}

std::wstring PurgeQuestion(const std::wstring& dayText) {
  return L"\u00CAtes-vous s\u00FBr(e) de vouloir supprimer d\u00E9finitivement tous les raccourcis "
         L"ant\u00E9rieurs au " +
         dayText + L" ?\nSi oui, ils seront imm\u00E9diatement effac\u00E9s.\n\nPour modifier la date cliquez sur Non.";
}

std::wstring DeadShortcutsQuestion(std::size_t count) {
  const std::wstring what = count == 1 ? L"le raccourci dont la cible n'existe plus"
                                       : L"les " + std::to_wstring(count) + L" raccourcis dont la cible n'existe plus";
  return L"Voulez-vous supprimer d\u00E9finitivement " + what + L" ?";
}

std::wstring DeleteFailureLine(const std::wstring& name) {
  return L"Le Fichier " + name + L" n'a pu \u00EAtre supprim\u00E9\r";
}

std::wstring FormatDay(const CivilDay& day) {
  wchar_t text[16] = {};
  std::swprintf(text, 16, L"%02d/%02d/%04d", day.day, day.month, day.year);
  return text;
}

}  // namespace kelvane
