// The network a profile was saved on, as one kind of its extras: recorded by every save,
// whoever runs the tool (the network is the machine's), never set by an apply; the
// comparison asks it whether the network now is that one.
#pragma once

#include "../common/profile_extra.h"
#include "network_place.h"

extern const ExtraKind kNetworkExtra;

// The profile's record against the network now, which the state reads at its first
// judgement and keeps for its life (for many profiles in a row).
struct PlaceJudgement {
    int matches;           // the network now is the one it recorded
    PlaceEntry evidence;   // why
    int recorded;          // the profile recorded a network
    int recordsHardware;   // ... with a gateway's hardware address
    int autoSwitch;        // the profile is applied on arrival without asking
};
PlaceJudgement judgePlace(void* state);
