// Section names of the profile catalogue: which sections count, and the next free number.
// Portable: no windows.h.
#pragma once

#include <cstddef>

// A section name: three decimal digits and a terminator.
typedef char SectionName[4];

constexpr int kMaxSections = 1000;

// Walks a section-name list (terminated names, then one more terminator, within
// listSize bytes) in file order. Names of exactly three digits are taken; other names
// of three or more characters are passed over; a name shorter than three characters,
// or one without its terminator inside listSize, ends the list. Takes at most maxNames. Returns the number taken.
int collectSectionNames(const char* list, size_t listSize, SectionName* names, int maxNames);

// Marks in `present` the number of every three-digit name of the list, walking it to its
// end (terminated names, then one more terminator, within listSize bytes): a shorter
// name does not stop this walk.
void markSectionNumbers(const char* list, size_t listSize, bool present[kMaxSections]);

// Marks the number of a profile script's file name, three digits and ".dmp" (in any
// letter case); other names mark nothing.
void markScriptNumber(const char* fileName, bool present[kMaxSections]);

// The number after `name` (three digits), 999 wrapping to 000.
void nextSectionNumber(const char* name, SectionName out);

// The section a new profile gets: "000" for an empty list, otherwise the successor of
// the last name in file order, skipping numbers in use by the names and, when given,
// those marked in alsoPresent. 0 when all 1000 are in use.
int nextFreeSectionName(const SectionName* names, int count, const bool* alsoPresent, SectionName out);
