#pragma once
// Texts of the recent-files tab that depend on data: the list's count header,
// the purge question and the day shown for the purge.
#include <cstddef>
#include <string>

#include "recent/purge_dates.h"

namespace kelvane {

// The first column's title of RecentList for a list of `rows` rows. The
// list has no ".." row, so every row is a link and all of them count.
std::wstring RecentCountHeader(int rows);

// The question asked before the purge, naming the day as it is shown.
std::wstring PurgeQuestion(const std::wstring& dayText);

// The question asked before deleting the `count` shortcuts whose target is
// gone (one or more).
std::wstring DeadShortcutsQuestion(std::size_t count);

// One line of the report of the deletion of selected entries (CR-ended, so
// that several failures stack up in one message box).
std::wstring DeleteFailureLine(const std::wstring& name);

// A day in the purge field's form "dd/mm/yyyy" (the form ParseDay reads).
std::wstring FormatDay(const CivilDay& day);

}  // namespace kelvane
