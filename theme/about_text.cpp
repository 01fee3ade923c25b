#include "theme/about_text.h"

namespace kelvane {
namespace {

struct CivilDate {
  std::int64_t year;
  int month;
  int day;
};

// Days since 1970-01-01 to a proleptic Gregorian date (Howard Hinnant's
// algorithm): exact for any day, before 1970 included.
CivilDate CivilFromDays(std::int64_t days) {
  days += 719468;
  const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
  const std::int64_t dayOfEra = days - era * 146097;
  const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
  const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
  return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

std::wstring Padded(std::int64_t value, size_t width) {
  std::wstring digits = std::to_wstring(value < 0 ? -value : value);
  if (digits.size() < width) digits.insert(0, width - digits.size(), L'0');
  return value < 0 ? L"-" + digits : digits;
}

}  // namespace

std::wstring FormatDate(const std::wstring& pattern, std::int64_t seconds) {
  std::int64_t days = seconds / 86400;
  if (seconds % 86400 < 0) --days;  // floor, for dates before 1970
  const CivilDate date = CivilFromDays(days);
  std::wstring text;
  for (size_t i = 0; i < pattern.size();) {
    if (pattern.compare(i, 5, L"%yyyy") == 0) {
      text += Padded(date.year, 4);
      i += 5;
    } else if (pattern.compare(i, 3, L"%mm") == 0) {
      text += Padded(date.month, 2);
      i += 3;
    } else if (pattern.compare(i, 3, L"%dd") == 0) {
      text += Padded(date.day, 2);
      i += 3;
    } else {
      text.push_back(pattern[i++]);
    }
  }
  return text;
}

std::wstring AboutText(const std::wstring& windowTitle, const std::wstring& version, std::int64_t buildDate) {
  const std::wstring rule(38, L'-');
  std::wstring text;
  text += windowTitle + L" V" + version + L"\r\r";
  text += L"Compatible Windows 8 / 8.1 / 10 et 11\r";
  text += L"Derni\u00E8re compilation : " + FormatDate(L" le %dd.%mm.%yyyy", buildDate) + L"\r";
  text += L"\r";
  text += rule + L"\r";
  text += L"Merci \u00E0 toute la communaut\u00E9 des d\u00E9veloppeurs de l'outil de programmation "
          L"qui a servi \u00E0 \u00E9crire ce logiciel.\r";
  text += L"Et en particulier \u00E0 :\r";
  text += L" - son cr\u00E9ateur et toute son \u00E9quipe, pour leur travail au fil des ans ;\r";
  text += L" - l'auteur d'une riche collection d'exemples de code pour l'API Windows ;\r";
  text += L" - l'auteur de la biblioth\u00E8que de coloration des gadgets ;\r";
  text += L" - l'auteur du module d'op\u00E9rations sur les fichiers par le shell et de ses fonctions "
          L"de presse-papier.\r";
  text += rule + L"\r";
  text += L"Pour toute question vous pouvez contacter l'auteur via le site web accessible par le lien "
          L"ci-dessous.";
  return text;
}

std::wstring DataFolderLines(const std::wstring& dataFolder, bool portable) {
  std::wstring text = L"\r" + std::wstring(38, L'-') + L"\r";
  text += L"Vos favoris sont enregistr\u00E9s dans " +
          (dataFolder.empty() ? std::wstring(L"le dossier courant.") : L": " + dataFolder);
  if (portable) {
    text += L"\rCopie portable : le fichier \u00AB Kelvane.portable \u00BB se trouve \u00E0 c\u00F4t\u00E9 du "
            L"programme.";
  }
  return text;
}

}  // namespace kelvane
