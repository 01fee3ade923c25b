#include "theme/about_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace kelvane {
namespace {

TEST(AboutText, ExactTextWithLoneCarriageReturns) {
  const std::wstring expected =
      L"Kelvane (x64)  V1.2.02.26\r\r"
      L"Compatible Windows 8 / 8.1 / 10 et 11\r"
      L"Derni\u00E8re compilation :  le 19.02.2026\r"
      L"\r"
      L"--------------------------------------\r"
      L"Merci \u00E0 toute la communaut\u00E9 des d\u00E9veloppeurs de l'outil de programmation qui a servi "
      L"\u00E0 \u00E9crire ce logiciel.\r"
      L"Et en particulier \u00E0 :\r"
      L" - son cr\u00E9ateur et toute son \u00E9quipe, pour leur travail au fil des ans ;\r"
      L" - l'auteur d'une riche collection d'exemples de code pour l'API Windows ;\r"
      L" - l'auteur de la biblioth\u00E8que de coloration des gadgets ;\r"
      L" - l'auteur du module d'op\u00E9rations sur les fichiers par le shell et de ses fonctions de "
      L"presse-papier.\r"
      L"--------------------------------------\r"
      L"Pour toute question vous pouvez contacter l'auteur via le site web accessible par le lien "
      L"ci-dessous.";
  const std::wstring text = AboutText(L"Kelvane (x64) ", L"1.2.02.26", kBuildDate);
  EXPECT_EQ(text, expected);
  EXPECT_EQ(text.find(L'\n'), std::wstring::npos);
  EXPECT_NE(text.back(), L'\r');
  // Two rules of exactly 38 hyphens, each a whole line.
  int rules = 0;
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find(L'\r', start), text.size());
    if (text.compare(start, end - start, std::wstring(38, L'-')) == 0) ++rules;
    start = end + 1;
  }
  EXPECT_EQ(rules, 2);

  EXPECT_EQ(DataFolderLines(L"C:\\Users\\Léa\\Tamorin Kelvane\\", false),
            L"\r" + std::wstring(38, L'-') + L"\rVos favoris sont enregistrés dans : C:\\Users\\Léa\\Tamorin Kelvane\\");
  EXPECT_EQ(DataFolderLines(L"", true), L"\r" + std::wstring(38, L'-') +
                                            L"\rVos favoris sont enregistrés dans le dossier courant.\r"
                                            L"Copie portable : le fichier « Kelvane.portable » se trouve à côté du "
                                            L"programme.");
}

TEST(AboutText, FormatDateFillsDayMonthYear) {
  EXPECT_EQ(FormatDate(L" le %dd.%mm.%yyyy", kBuildDate), L" le 19.02.2026");
  EXPECT_EQ(FormatDate(L"%dd/%mm/%yyyy", 0), L"01/01/1970");
  EXPECT_EQ(FormatDate(L"%dd/%mm/%yyyy", 86399), L"01/01/1970");
  EXPECT_EQ(FormatDate(L"%dd/%mm/%yyyy", -1), L"31/12/1969");
  EXPECT_EQ(FormatDate(L"%dd/%mm/%yyyy", 951782400), L"29/02/2000");  // leap day of a century year
  EXPECT_EQ(FormatDate(L"%yyyy-%mm-%dd", 4102444799), L"2099-12-31");
  EXPECT_EQ(FormatDate(L"100% %d", 0), L"100% %d");  // no field: copied as is
}

}  // namespace
}  // namespace kelvane
