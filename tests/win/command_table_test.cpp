// The command and gadget tables against the program's numbering: every
// command and every gadget event is there once, with its owner.
#include "app/command_table.h"
#include "app/gadget_table.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <utility>

namespace kelvane {
namespace {

using O = CommandOwner;

const std::map<int, CommandOwner> kExpectedOwners = {
    {6, O::Core},          {7, O::Lists},         {8, O::Core},          {9, O::Core},
    {10, O::About},        {11, O::SearchReset},  {12, O::SearchReset},  {13, O::ExplorerTab},
    {14, O::Placement},    {15, O::Preferences},  {16, O::Core},
    {35, O::ExplorerTab},  {36, O::ExplorerTab},  {37, O::ExplorerTab},  {38, O::ExplorerTab},
    {39, O::ExplorerTab},  {40, O::ExplorerTab},  {41, O::ExplorerTab},  {42, O::ExplorerTab},
    {60, O::ViewMenu},     {61, O::ViewMenu},     {62, O::ViewMenu},     {63, O::ViewMenu},
    {65, O::AppsTab},      {66, O::FilesTab},     {67, O::FilesTab},     {68, O::LinksTab},
    {70, O::LinksTab},     {71, O::LinksTab},     {72, O::LinksTab},
    {74, O::FilesTab},     {75, O::FilesTab},     {76, O::FilesTab},     {77, O::FilesTab},
    {79, O::AppsTab},      {80, O::AppsTab},      {81, O::AppsTab},      {82, O::AppsTab},
    {84, O::RecentTab},    {85, O::RecentTab},    {86, O::RecentTab},    {87, O::RecentTab},
    {89, O::Backup},       {90, O::Backup},       {91, O::Backup},
    {93, O::ExplorerTab},  {94, O::ExplorerTab},  {95, O::ExplorerTab},
    {96, O::FileClipboard}, {97, O::FileClipboard},
    {98, O::FileOperations}, {99, O::FileOperations}, {100, O::FileOperations}, {101, O::FileOperations},
    {103, O::Core}, {104, O::Core}, {105, O::Core}, {106, O::Core}, {107, O::Core}, {108, O::Core},
    {109, O::Core}, {110, O::Core},
    {112, O::Import}, {113, O::Import}, {114, O::Import}, {115, O::Import},
    {116, O::AppsTab},     {117, O::FilesTab},    {118, O::RecentTab},
};

TEST(CommandTable, HoldsEveryCommandOnceWithItsOwner) {
  std::set<int> seen;
  for (const CommandEntry& entry : CommandTable()) {
    EXPECT_TRUE(seen.insert(entry.id).second) << "command " << entry.id << " twice";
    const auto expected = kExpectedOwners.find(entry.id);
    ASSERT_NE(expected, kExpectedOwners.end()) << "unknown command " << entry.id;
    EXPECT_EQ(entry.owner, expected->second) << "command " << entry.id;
  }
  EXPECT_EQ(seen.size(), kExpectedOwners.size());
}

TEST(CommandTable, CoreCommandsHaveTheirHandlersNow) {
  for (const CommandEntry& entry : CommandTable()) {
    if (entry.owner == O::Core || entry.owner == O::Placement || entry.owner == O::ViewMenu ||
        entry.owner == O::Import) {
      EXPECT_TRUE(static_cast<bool>(entry.handler)) << "command " << entry.id;
    }
  }
  EXPECT_FALSE(DispatchCommand(0));
  EXPECT_FALSE(DispatchCommand(19)) << "gadget numbers are no commands";
  EXPECT_FALSE(DispatchCommand(111));
}

TEST(GadgetTable, HoldsEveryGadgetEventOnce) {
  using E = GadgetEvent;
  std::set<std::pair<int, E>> expected = {
      {1, E::DoubleClick}, {1, E::RightClick}, {2, E::DoubleClick}, {2, E::RightClick},
      {3, E::DoubleClick}, {3, E::RightClick}, {4, E::DoubleClick}, {4, E::RightClick},
      {32, E::RightClick}, {32, E::Change},     {32, E::Drop},        {54, E::Click},
      {55, E::Change},     {56, E::Change},     {57, E::DoubleClick}, {4, E::RowsChanged},
      {32, E::RowsChanged}, {1, E::MenuKey},    {2, E::MenuKey},      {3, E::MenuKey},
      {4, E::MenuKey},     {32, E::MenuKey},
  };
  for (int button = 19; button <= 31; ++button) expected.insert({button, E::Click});
  for (int button = 44; button <= 51; ++button) expected.insert({button, E::Click});
  std::set<std::pair<int, E>> seen;
  for (const GadgetEntry& entry : GadgetTable()) {
    EXPECT_TRUE(seen.insert({entry.gadget, entry.event}).second) << "gadget " << entry.gadget << " twice";
  }
  EXPECT_EQ(seen, expected);
  // The buttons that only open a menu are answered already.
  for (int gadget : {20, 31, 50}) EXPECT_TRUE(static_cast<bool>(FindGadgetEvent(gadget, E::Click)->handler));
  EXPECT_FALSE(DispatchGadgetEvent(33, E::Click));
}

}  // namespace
}  // namespace kelvane
