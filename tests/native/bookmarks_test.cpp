#include "import/bookmarks.h"
#include "import/pick_list.h"
#include "import/url_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace kelvane {
namespace {

TEST(Bookmarks, ExportedHtmlGivesNamedLinksWithTheirFoldersAndSurvivesDamage) {
  const std::string file =
      "<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
      "<!-- This is an automatically generated file. <A HREF=\"http://comment.example/\">no</A> -->\n"
      "<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
      "<TITLE>Bookmarks</TITLE>\n<H1>Bookmarks</H1>\n"
      "<DL><p>\n"
      "    <DT><H3 ADD_DATE=\"1700000000\" PERSONAL_TOOLBAR_FOLDER=\"true\">Barre de favoris</H3>\n"
      "    <DL><p>\n"
      "        <DT><A HREF=\"https://www.example.fr/actualit%C3%A9s?a=1&amp;b=2\" ADD_DATE=\"1\" "
      "ICON=\"data:image/png;base64,iVBO>RK\">Actualit\xC3\xA9s &amp; m\xC3\xA9t\xC3\xA9o</A>\n"
      "        <DT><H3>Cuisine</H3>\n"
      "        <DL><p>\n"
      "            <dt><a href='https://recettes.example/tarte'>  Tarte\n   aux pommes </a>\n"
      "            <DT><A HREF=\"javascript:alert(1)\">Marque-page script</A>\n"
      "        </DL><p>\n"
      "    </DL><p>\n"
      "    <DT><A HREF=HTTP://sans-guillemets.example/>&#201;cole &#x2014; site</A>\n"
      "    <DT><A HREF=\"https://sans-nom.example/\"></A>\n"
      "    <DT><A HREF=\"place:sort=8\">Firefox interne</A>\n"
      "</DL><p>\n";
  const std::vector<Bookmark> read = ReadBookmarksHtml(file);
  const std::vector<Bookmark> expected = {
      {L"Actualités & météo", L"https://www.example.fr/actualit%C3%A9s?a=1&b=2", L"Barre de favoris"},
      {L"Tarte aux pommes", L"https://recettes.example/tarte", L"Barre de favoris > Cuisine"},
      {L"École \u2014 site", L"HTTP://sans-guillemets.example/", L""},
      {L"https://sans-nom.example/", L"https://sans-nom.example/", L""},
  };
  EXPECT_EQ(read, expected);

  // An older export in Windows-1252; tags left open end at the next one.
  const std::string ansi = "<DL><DT><H3>Fran\xE7" "ais<DL><DT><A HREF=\"http://a.example/\">Caf\xE9<DT>"
                           "<A HREF=\"http://b.example/\">B";
  EXPECT_EQ(ReadBookmarksHtml(ansi), (std::vector<Bookmark>{{L"Café", L"http://a.example/", L"Français"},
                                                            {L"B", L"http://b.example/", L"Français"}}));

  // Hostile shapes end, in linear time, with what they hold.
  std::string deep;
  for (int i = 0; i < 20000; ++i) deep += "<DL><DT><H3>d</H3>";
  deep += "<DT><A HREF=\"http://deep.example/\">fond</A>";
  const std::vector<Bookmark> fromDeep = ReadBookmarksHtml(deep);
  ASSERT_EQ(fromDeep.size(), 1u);
  // The outer list has no name: the folders kept name all but one level.
  EXPECT_EQ(std::count(fromDeep[0].folder.begin(), fromDeep[0].folder.end(), L'>'),
            static_cast<long>(kMaxBookmarkFolderDepth) - 2);
  EXPECT_TRUE(ReadBookmarksHtml(std::string(300000, '<')).empty());
  EXPECT_EQ(ReadBookmarksHtml("<A HREF=\"http://a.example/\">" + std::string(300000, '&')).at(0).name.size(), 300000u);
  EXPECT_TRUE(ReadBookmarksHtml("<A HREF=\"http://x.example/").empty());  // cut inside the tag: no name, no end
  EXPECT_TRUE(ReadBookmarksHtml(std::string("\0\xFF\xFE<a", 6)).empty());
}

TEST(Bookmarks, ProfileJsonGivesEveryUrlUnderItsRootsAndSurvivesDamage) {
  const std::string file = R"json({
   "checksum": "0f",
   "roots": {
      "bookmark_bar": { "children": [
         { "date_added": "1", "guid": "a", "id": "1", "name": "Banque", "type": "url",
           "url": "https://banque.example/" },
         { "children": [
            { "name": "Pr\u00e9visions \ud83c\udf26 \"m\u00e9t\u00e9o\"", "type": "url", "url": "https://meteo.example/?q=a\/b" },
            { "name": "Signet", "type": "url", "url": "javascript:void(0)" } ],
           "name": "Loisirs", "type": "folder" } ],
         "name": "Barre de favoris", "type": "folder" },
      "other": { "children": [ { "name": "", "type": "url", "url": "file:///C:/Docs/plan.pdf", "meta_info": {"a": [1, 2.5e3, true, null]} } ],
                 "name": "Autres favoris", "type": "folder" },
      "synced": { "children": [], "name": "Favoris sur mobile", "type": "folder" }
   },
   "version": 1
})json";
  const std::vector<Bookmark> read = ReadBookmarksJson(file);
  const std::vector<Bookmark> expected = {
      {L"Banque", L"https://banque.example/", L"Barre de favoris"},
      {L"Prévisions \U0001F326 \"météo\"", L"https://meteo.example/?q=a/b", L"Barre de favoris > Loisirs"},
      {L"file:///C:/Docs/plan.pdf", L"file:///C:/Docs/plan.pdf", L"Autres favoris"},
  };
  EXPECT_EQ(read, expected);

  // A file cut in its second entry keeps the first.
  const std::vector<Bookmark> cut = ReadBookmarksJson(file.substr(0, file.find("Pr\\u00e9visions") + 3));
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].name, L"Banque");

  EXPECT_TRUE(ReadBookmarksJson(std::string(200000, '[')).empty());
  EXPECT_TRUE(ReadBookmarksJson("{\"roots\": {\"a\": {\"children\": [" + std::string(100000, '[')).empty());
  EXPECT_TRUE(ReadBookmarksJson("{\"roots\": \"\\u12").empty());
  EXPECT_TRUE(ReadBookmarksJson("").empty());
  EXPECT_TRUE(ReadBookmarksJson("[1, 2, 3]").empty());
}

TEST(Bookmarks, UrlFileGivesTheAddressOfItsShortcutSectionOnly) {
  EXPECT_EQ(ReadUrlFileAddress("[InternetShortcut]\r\nURL=https://www.example.fr/a?b=1\r\nIconIndex=0\r\n"),
            L"https://www.example.fr/a?b=1");
  // Other sections first, keys in any case, blanks, a byte-order mark, no final line break.
  EXPECT_EQ(ReadUrlFileAddress("\xEF\xBB\xBF[DEFAULT]\nURL=http://default.example/\n[internetshortcut]\n"
                               "  url =  ftp://files.example/d\xC3\xA9p\xC3\xB4t/  "),
            L"ftp://files.example/d\u00E9p\u00F4t/");
  // UTF-16 with its mark, as some programs write them.
  const char utf16Bytes[] = "\xFF\xFE[\0I\0n\0t\0e\0r\0n\0e\0t\0S\0h\0o\0r\0t\0c\0u\0t\0]\0\n\0U\0R\0L\0=\0h\0t\0t\0p\0:\0/\0/\0a\0\n\0";
  const std::string utf16(utf16Bytes, sizeof utf16Bytes - 1);
  EXPECT_EQ(ReadUrlFileAddress(utf16), L"http://a");
  EXPECT_EQ(ReadUrlFileAddress("[InternetShortcut]\nURL=javascript:alert(1)\n"), L"");
  EXPECT_EQ(ReadUrlFileAddress("URL=https://outside.example/\n[InternetShortcut]\nIconFile=x\n"), L"");
  EXPECT_EQ(ReadUrlFileAddress("[InternetShortcut]\nURLX=https://a.example/\n"), L"");
  EXPECT_EQ(ReadUrlFileAddress(""), L"");
  EXPECT_EQ(ReadUrlFileAddress(std::string(5000, '[')), L"");
}

TEST(Bookmarks, PickRowsUntickDuplicatesByTheListRuleAndTheReportCountsThem) {
  const std::vector<PickRow> found = {
      {L"Actualit\u00E9s", L"https://news.example/", L""}, {L"\u00C9T\u00C9", L"https://summer.example/", L""},
      {L"Sans cible", L"", L""},                           {L"", L"https://nameless.example/", L""},
      {L"Cuisine", L"https://food.example/", L""},         {L"CUISINE", L"https://food2.example/", L""},
      {L"Ete", L"https://other.example/", L""},            {L"Actualit\u00E9s ", L"https://blank.example/", L""},
  };
  const std::vector<PickRow> rows = MarkPickRows(found, {L"actualit\u00C9s", L"\u00E9t\u00E9"});
  const std::vector<PickRow> expected = {
      {L"Actualit\u00E9s", L"https://news.example/", kAlreadyPresentNote, false},
      {L"\u00C9T\u00C9", L"https://summer.example/", kAlreadyPresentNote, false},
      {L"Cuisine", L"https://food.example/", L"", true},
      {L"CUISINE", L"https://food2.example/", kRepeatedNote, false},
      {L"Ete", L"https://other.example/", L"", true},
      {L"Actualit\u00E9s ", L"https://blank.example/", L"", true},
  };
  EXPECT_EQ(rows, expected);
  EXPECT_EQ(CountDuplicateRows(rows), 3u);
  EXPECT_TRUE(MarkPickRows({}, {L"a"}).empty());

  EXPECT_EQ(ImportReport(12, 3), L"12 favoris ajout\u00E9s, 3 d\u00E9j\u00E0 pr\u00E9sents.");
  EXPECT_EQ(ImportReport(1, 1), L"1 favori ajout\u00E9, 1 d\u00E9j\u00E0 pr\u00E9sent.");
  EXPECT_EQ(ImportReport(0, 2), L"Aucun favori ajout\u00E9, 2 d\u00E9j\u00E0 pr\u00E9sents.");
  EXPECT_EQ(ImportReport(4, 0), L"4 favoris ajout\u00E9s.");
}

TEST(Bookmarks, ShortcutsAndDroppedAddressesGetTheirNames) {
  EXPECT_EQ(ShortcutDisplayName(L"Bloc-notes.lnk"), L"Bloc-notes");
  EXPECT_EQ(ShortcutDisplayName(L"M\u00E9t\u00E9o.URL"), L"M\u00E9t\u00E9o");
  EXPECT_EQ(ShortcutDisplayName(L"notes.txt"), L"notes.txt");
  EXPECT_EQ(ShortcutDisplayName(L".lnk"), L"");
  EXPECT_TRUE(IsProgramPath(L"C:\\Outils\\EDIT.EXE"));
  EXPECT_FALSE(IsProgramPath(L"C:\\Outils\\lisez-moi.txt"));
  EXPECT_FALSE(IsProgramPath(L".exe"));

  EXPECT_EQ(LinkNameFromAddress(L"https://www.example.fr:8080/a/b?c=d#e"), L"www.example.fr");
  EXPECT_EQ(LinkNameFromAddress(L"http://user:pw@host.example"), L"host.example");
  EXPECT_EQ(LinkNameFromAddress(L"http://[::1]:80/x"), L"[::1]");
  EXPECT_EQ(LinkNameFromAddress(L"file:///C:/Docs/plan.pdf"), L"plan.pdf");
  EXPECT_EQ(LinkNameFromAddress(L"file:///C:/Docs/"), L"Docs");
  EXPECT_EQ(LinkNameFromAddress(L"https://"), L"https://");
  EXPECT_EQ(LinkNameFromAddress(L"www.example.fr"), L"www.example.fr");

  EXPECT_EQ(AddressInDroppedText(L"  https://www.example.fr/page \r\n"), L"https://www.example.fr/page");
  EXPECT_EQ(AddressInDroppedText(L"https://a.example/\r\nhttps://b.example/"), L"");
  EXPECT_EQ(AddressInDroppedText(L"voir https://a.example/"), L"");
  EXPECT_EQ(AddressInDroppedText(L"javascript:alert(1)"), L"");
  EXPECT_EQ(AddressInDroppedText(L""), L"");
}

}  // namespace
}  // namespace kelvane
