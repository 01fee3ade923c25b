#include "catalog/catalog.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace kelvane {
namespace {

const std::wstring kMissing(kNotFoundText);

class ProgramCatalog : public ::testing::Test {
 protected:
  void SetUp() override { catalog.Build(kCatalogTable); }
  Catalog catalog;
};

TEST_F(ProgramCatalog, HasElevenGroupsOfTheExpectedSizes) {
  EXPECT_EQ(catalog.GroupCount(), 11);
  EXPECT_EQ(catalog.EntryCount(), 239);
  const std::vector<std::pair<const wchar_t*, int>> sizes = {
      {L"About", 10},         {L"Panel", 13},          {L"Userprefs", 25},
      {L"RecupBackup", 5},    {L"ToolBarToolTip", 11}, {L"ToolTipHistory", 9},
      {L"ToolTipExplorer", 19}, {L"PopUpMenus", 35},   {L"SystrayIcon", 9},
      {L"Requesters", 92},    {L"PressePapier", 11}};
  for (const auto& [group, size] : sizes) EXPECT_EQ(catalog.EntriesInGroup(group), size) << group;
  EXPECT_EQ(catalog.EntriesInGroup(L"popupmenus"), 35);
  EXPECT_EQ(catalog.EntriesInGroup(L"Inconnu"), -1);
}

TEST_F(ProgramCatalog, IgnoresCaseButNotBlanks) {
  EXPECT_EQ(catalog.Text(L"ToolBarToolTip", L"Quitter"), L"Quitter Kelvane");
  EXPECT_EQ(catalog.Text(L"toolbartooltip", L"quitter"), L"Quitter Kelvane");
  EXPECT_EQ(catalog.Text(L"TOOLBARTOOLTIP", L"QUITTER"), L"Quitter Kelvane");
  EXPECT_EQ(catalog.Text(L"ToolBarToolTip", L" Quitter"), kMissing);
  EXPECT_EQ(catalog.Text(L"ToolBarToolTip", L"Quitter "), kMissing);
  EXPECT_EQ(catalog.Text(L" ToolBarToolTip", L"Quitter"), kMissing);
  // Keys stored with a trailing blank are found only with it.
  EXPECT_EQ(catalog.Text(L"Userprefs", L"ListeModif "),
            L"Enregistrer les listes à chaque modification (à la fermeture par défaut)");
  EXPECT_EQ(catalog.Text(L"Userprefs", L"ListeModif"), kMissing);
  EXPECT_EQ(catalog.Text(L"RecupBackup", L"echecrecup "), L"La Récupération de vos données a échouée!");
  EXPECT_EQ(catalog.Text(L"RecupBackup", L"EchecRecup"), kMissing);
}

TEST_F(ProgramCatalog, KeepsTextsExactly) {
  EXPECT_EQ(catalog.Text(L"PressePapier", L"FichiersPrPapier"),
            L" Fichiers actuellement dans le presse-papier");
  EXPECT_EQ(catalog.Text(L"ToolBarToolTip", L"SupprimerTout"), L"Supprimer toutes les listes, remise à zéro");
  EXPECT_EQ(catalog.Text(L"PopUpMenus", L"MesTelecharges"), L"Mes téléchargements");
  EXPECT_EQ(catalog.Text(L"PopUpMenus", L"ImportFichierFavoris"), L"Importer un fichier de favoris\u2026");
  EXPECT_EQ(catalog.Text(L"Userprefs", L"Fenetre"), L"Fenêtre");
  // An empty text is a text, not a missing one.
  EXPECT_EQ(catalog.Text(L"About", L"Gratuit"), L"");
}

TEST_F(ProgramCatalog, EmptyGroupOrKeyFindsNothing) {
  EXPECT_EQ(catalog.Text(L"Panel", L""), kMissing);
  EXPECT_EQ(catalog.Text(L"", L"Bureau"), kMissing);
  EXPECT_EQ(catalog.Text(L"", L""), kMissing);
  EXPECT_EQ(catalog.Text(L"Inconnu", L"Bureau"), kMissing);
  EXPECT_EQ(catalog.Text(L"Panel", L"Inconnu"), kMissing);
}

TEST_F(ProgramCatalog, AlternatingGroupsAnswerFromTheRightGroup) {
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(catalog.Text(L"ToolTipExplorer", L"Proprietes"), L"Propriétés de l'élément");
    EXPECT_EQ(catalog.Text(L"PopUpMenus", L"Proprietes"), L"Propriétés");
    EXPECT_EQ(catalog.Text(L"Inconnu", L"Proprietes"), kMissing);
    EXPECT_EQ(catalog.Text(L"SystrayIcon", L"LiensWeb"), L"Liens internet");
    EXPECT_EQ(catalog.Text(L"Panel", L"LiensWeb"), L"Liens Internet");
    EXPECT_EQ(catalog.Text(L"Panel", L"Proprietes"), kMissing);  // only in the other groups
  }
}

TEST_F(ProgramCatalog, FindsAKeyThatPrefixesAnother) {
  EXPECT_EQ(catalog.Text(L"ToolTipExplorer", L"Copier"), L"Copier");
  EXPECT_EQ(catalog.Text(L"ToolTipExplorer", L"CopierVers"), L"Copier vers...");
  EXPECT_EQ(catalog.Text(L"ToolTipExplorer", L"Copie"), kMissing);
}

// Walks the whole table: every entry must be reachable through the sort and
// the index, and no text may carry the separator or an unconverted "\n".
TEST_F(ProgramCatalog, EveryEntryIsReachable) {
  const wchar_t* group = L"";
  for (const CatalogPair* p = kCatalogTable; std::wstring_view(p->name) != L"_END_"; ++p) {
    if (std::wstring_view(p->name) == L"_GROUP_") {
      group = p->text;
      continue;
    }
    const std::wstring text = catalog.Text(group, p->name);
    EXPECT_NE(text, kMissing) << group << L"/" << p->name;
    const std::wstring_view stored(p->text);
    EXPECT_EQ(stored.find(L'\x01'), std::wstring_view::npos) << p->name;
    EXPECT_EQ(stored.find(L"\\n"), std::wstring_view::npos) << p->name;
  }
  // Keys that are equal once upper-cased: the smaller text wins, on every platform.
  EXPECT_EQ(catalog.Text(L"Requesters", L"Erreur"), L"ERREUR!");
  EXPECT_EQ(catalog.Text(L"Requesters", L"ChoixRepDest"), L"Choisissez un répertoire de destination");
}

TEST(ProcessCatalog, AnswersAfterBuild) {
  BuildCatalog();
  EXPECT_EQ(CatalogText(L"Panel", L"FichiersDossiers"), L"Fichiers & dossiers");
  EXPECT_EQ(CatalogText(L"SystrayIcon", L"kelvane"), L"Kelvane");
}

TEST(HandMadeCatalog, NothingBeforeBuild) {
  Catalog catalog;
  EXPECT_EQ(catalog.Text(L"Panel", L"Bureau"), kMissing);
  EXPECT_EQ(catalog.GroupCount(), 0);
  EXPECT_EQ(catalog.EntryCount(), 0);
  EXPECT_EQ(catalog.EntriesInGroup(L""), -1);
}

TEST(HandMadeCatalog, EmptyGroupAndLowerCaseMarkers) {
  const CatalogPair table[] = {
      {L"_group_", L"Vide"}, {L"_GROUP_", L"Plein"}, {L"Clé", L"valeur"},
      {L"_end_", nullptr},   {L"Après", L"ignoré"},
  };
  Catalog catalog;
  catalog.Build(table);
  EXPECT_EQ(catalog.GroupCount(), 2);
  EXPECT_EQ(catalog.EntryCount(), 1);
  EXPECT_EQ(catalog.EntriesInGroup(L"VIDE"), 0);
  EXPECT_EQ(catalog.Text(L"Vide", L"Clé"), kMissing);
  EXPECT_EQ(catalog.Text(L"plein", L"CLÉ"), L"valeur");
  EXPECT_EQ(catalog.Text(L"Plein", L"Après"), kMissing);
}

TEST(HandMadeCatalog, EntriesOutsideAnyGroupAreNeverFound) {
  const CatalogPair table[] = {{L"Seule", L"texte"}, {L"Autre", L"texte"}, {L"_END_", L""}};
  Catalog catalog;
  catalog.Build(table);
  EXPECT_EQ(catalog.GroupCount(), 0);
  EXPECT_EQ(catalog.EntryCount(), 2);
  EXPECT_EQ(catalog.Text(L"", L"Seule"), kMissing);
  EXPECT_EQ(catalog.EntriesInGroup(L""), -1);
}

TEST(HandMadeCatalog, SortsAnyTableOrderAndFoldsAccents) {
  const CatalogPair table[] = {
      {L"_GROUP_", L"G"},
      {L"zèbre", L"z"}, {L"Beta", L"b"},   {L"alpha", L"a1"}, {L"ALPHA", L"a0"},
      {L"AlphaBis", L"ab"}, {L"ÿacht", L"y"}, {L"été", L"e"},   {L"Ōmega", L"o"},
      {L"", L"vide"}, {L"Œuvre", L"oe"}, {L"sep", L"avant\x01" L"après"},
      {L"_END_", L""},
  };
  Catalog catalog;
  catalog.Build(table);
  EXPECT_EQ(catalog.Text(L"g", L"ZÈBRE"), L"z");
  EXPECT_EQ(catalog.Text(L"g", L"beta"), L"b");
  EXPECT_EQ(catalog.Text(L"g", L"Alpha"), L"a0");  // duplicate key: smaller text first
  EXPECT_EQ(catalog.Text(L"g", L"alphabis"), L"ab");
  EXPECT_EQ(catalog.Text(L"g", L"ÉTÉ"), L"e");
  // Texts are returned whole, even around the sort separator.
  EXPECT_EQ(catalog.Text(L"g", L"SEP"), L"avant\x01" L"après");
  // Keys whose capital lies beyond code 255 are outside the first-letter
  // index: ÿ capitalises to Ÿ, and Ō, Œ are beyond Latin-1 already.
  EXPECT_EQ(catalog.Text(L"g", L"ÿacht"), kMissing);
  EXPECT_EQ(catalog.Text(L"g", L"ōmega"), kMissing);
  EXPECT_EQ(catalog.Text(L"g", L"Œuvre"), kMissing);
  EXPECT_EQ(catalog.Text(L"g", L""), kMissing);
  EXPECT_EQ(catalog.EntriesInGroup(L"G"), 11);
}

TEST(HandMadeCatalog, ScanStopsAtTheEndOfItsGroup) {
  const CatalogPair table[] = {{L"_GROUP_", L"A"}, {L"Ba", L"de A"},
                               {L"_GROUP_", L"B"}, {L"Bb", L"de B"}, {L"_END_", L""}};
  Catalog catalog;
  catalog.Build(table);
  EXPECT_EQ(catalog.Text(L"A", L"Bb"), kMissing);
  EXPECT_EQ(catalog.Text(L"B", L"Ba"), kMissing);
  EXPECT_EQ(catalog.Text(L"B", L"Bb"), L"de B");
}

TEST(HandMadeCatalog, RebuildReplacesTheOldTable) {
  const CatalogPair first[] = {{L"_GROUP_", L"A"}, {L"Clé", L"un"}, {L"_END_", L""}};
  const CatalogPair second[] = {{L"_GROUP_", L"B"}, {L"Clé", L"deux"}, {L"_END_", L""}};
  Catalog catalog;
  catalog.Build(first);
  EXPECT_EQ(catalog.Text(L"A", L"Clé"), L"un");
  catalog.Build(second);
  EXPECT_EQ(catalog.Text(L"A", L"Clé"), kMissing);
  EXPECT_EQ(catalog.Text(L"B", L"Clé"), L"deux");
}

}  // namespace
}  // namespace kelvane
