#pragma once
// What an import offers the user before it adds anything: the rows found, a
// name the list has already (its duplicate rule, see SameNameIgnoringCase)
// or one met earlier in the same import shown unticked with the reason, and
// the sentence that reports what was added.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/pick_row.h"

namespace kelvane {

inline constexpr wchar_t kAlreadyPresentNote[] = L"d\u00E9j\u00E0 pr\u00E9sent";
inline constexpr wchar_t kRepeatedNote[] = L"en double";

// The rows to offer, in the order found. Rows without a name or a target
// are left out; the others are ticked unless their name is in `listNames`
// (kAlreadyPresentNote) or on an earlier row (kRepeatedNote).
std::vector<PickRow> MarkPickRows(std::vector<PickRow> found, const std::vector<std::wstring>& listNames);

// Rows shown unticked because of the duplicate rule.
std::size_t CountDuplicateRows(const std::vector<PickRow>& rows);

// "12 favoris ajoutés, 3 déjà présents." ("Aucun favori ajouté." when
// nothing was; the second part only when something was refused).
std::wstring ImportReport(std::size_t added, std::size_t alreadyPresent);

// Names of what an import or a drop brings.
// "Notes.lnk" gives "Notes"; the extensions .lnk and .url (any letter case)
// are dropped, others kept.
std::wstring ShortcutDisplayName(std::wstring_view fileName);
// True for a path to a program the applications tab takes (.exe).
bool IsProgramPath(std::wstring_view path);
// The host of a web address ("https://www.example.fr:8080/a?b" gives
// "www.example.fr"), the file name of a file address, the address itself
// when it has neither.
std::wstring LinkNameFromAddress(std::wstring_view address);
// The address in text dropped on the links tab: one word, blanks around it
// dropped, kept by IsImportableAddress; empty otherwise.
std::wstring AddressInDroppedText(std::wstring_view text);

}  // namespace kelvane
