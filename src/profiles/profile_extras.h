// The table of the kinds of a profile's extras, and one state per kind for one save, apply
// or comparison. A new kind is its own file (src/printer/printer_extra.cpp shows one) and
// one entry here.
#pragma once

#include "../common/profile_extra.h"

constexpr int kExtraKindCount = 3;
// The network it was saved on: the comparison asks it which network this is.
constexpr int kNetworkExtraIndex = 2;

// In the order their keys follow "name", "path" and "sort", and their lines the verdict's.
extern const ExtraKind* const kExtraKinds[kExtraKindCount];
// The save dialog's check box that asks for each kind; 0 for one always saved.
extern const int kExtraSaveChecks[kExtraKindCount];

struct ExtraStates {
    void* states[kExtraKindCount];
};

// 1 with a new state per kind; 0, with none, when memory is short.
int createExtraStates(ExtraStates* out);
void releaseExtraStates(ExtraStates* states);
// The states as the verdict and the preview take them.
ExtraOutcomes extraOutcomes(const ExtraStates& states);
