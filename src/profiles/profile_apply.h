// Applying and deleting a listed profile, without a dialog: the selection dialog's OK and
// "Del", the start "/L NAME", and whatever else names a profile call these. Each tells its
// outcome in a box of the owner and returns its TaskOutcome (src/common/task_outcome.h).
#pragma once

#include <windows.h>

class CommandRunner;
class ProfileCatalog;

// Runs the profile's script when it holds network settings alone, then sets the extras it
// keeps; the connections it names, read back afterwards, decide the verdict with them, and
// the exit code only where they cannot be read. Refused without the rights to change the
// network settings, for a script outside the working folder (which is not opened at all),
// and for one that cannot be read whole and checked.
int applyProfile(HWND owner, const ProfileCatalog* catalog, CommandRunner* runner, int index);

// GetTickCount when the last apply that ran netsh had told its verdict; 0 before any.
unsigned long lastApplyEndTick();

// The first listed profile of exactly that name, applied as applyProfile does, or the
// answer that none is saved under it (always so when the name given was not whole: cut,
// empty, or its quote unmatched).
int applyNamedProfile(HWND owner, const ProfileCatalog* catalog, CommandRunner* runner, const char* name,
                      int nameIsWhole);

// Deletes the profile's section (its script stays); a desktop shortcut this tool made for
// it goes with it, unless another profile still has that name.
int deleteProfile(HWND owner, ProfileCatalog* catalog, int index);
