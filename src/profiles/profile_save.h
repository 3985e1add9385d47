// Saving the current settings under a name, without a dialog: the save dialog's OK calls
// it, and whatever else saves a place.
#pragma once

#include <windows.h>

#include "profile_extras.h"

class CommandRunner;
class ProfileCatalog;

struct SaveRequest {
    const char* name;                  // the new profile's name (at most 99 bytes)
    int replacedIndex;                 // the listed profile whose script is saved again; -1 for a new one
    int extrasAsked[kExtraKindCount];  // 1: that extra is saved too (src/profiles/profile_extras.h)
    int autoSwitch;                    // 1: applied without asking when its network is found
};

// Adds the profile (or saves a listed one again), dumps the settings into it, records the
// extras asked for (the network it is saved on always) and whether it is switched to on
// arrival, and tells the outcome in a box of the owner; its TaskOutcome
// (src/common/task_outcome.h). An extra the file could not give back as it is refuses the
// whole save. After a save the profile holds each extra that was asked for and read, and no
// key of it otherwise. Run as another user, the keys are left as they are: none for a new
// profile, its own user's for one saved again.
int saveProfile(HWND owner, ProfileCatalog* catalog, CommandRunner* runner, const SaveRequest& request);

enum class SaveOutcome { Saved, Full, Failed };

// Adds a profile under the name and dumps the current settings into its script. A
// profile whose dump failed is taken back, its own section alone (and its script when
// that is empty), so none is kept without its settings and nothing else changes.
SaveOutcome saveNamedProfile(ProfileCatalog* catalog, CommandRunner* runner, const char* name);

// Dumps the current settings into a listed profile's own script: into a new file beside
// it first, which replaces the script only once the dump succeeded, so a failing netsh
// leaves the old script as it was. The catalogue is not touched: number, name and place
// in the list stay. A script outside the working folder is not touched either (Failed).
SaveOutcome resaveProfile(const ProfileCatalog* catalog, CommandRunner* runner, int index);
