// Every listed profile against what this machine holds now: whether an apply would change
// anything (the list marks those that hold), and the preview of each, with what an apply
// would change before its contents.
#pragma once

#include "../adapters/network_place.h"
#include "profile_catalog.h"

struct ProfileComparison {
    int holdsNow;   // 1: every setting the profile names holds now; never for a script that
                    // cannot be read, is refused, names no connection, or whose path an
                    // apply would not hand to netsh
    char* preview;  // new[]: what the selection dialog shows for it; null when memory is
                    // short or no previews were asked for
    int onItsNetwork;   // 1: the network now is the one it was saved on (its first line says why)
    int notItsNetwork;  // 1: it holds now, but its gateway's hardware address is not seen
    int autoSwitch;     // 1: applied on arrival without asking
    int recordsNetwork; // 1: it recorded the network it was saved on
    PlaceEntry evidence;  // why it is on its network
};

// Reads the connections and the browser's proxy once (the default printer once, when a
// profile names one, and the network once, when a profile recorded one), then each profile's script once, into a new[] array of
// catalog.count() records at *out. 0, with *out null, when memory is short. Free it with
// releaseProfileComparisons. Without previews, only holdsNow is found (the marks).
int compareProfilesWithNow(const ProfileCatalog& catalog, ProfileComparison** out, int withPreviews = 1);
void releaseProfileComparisons(ProfileComparison* comparisons, int count);
