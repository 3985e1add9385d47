#include "network_extra.h"

#include <cstring>
#include <new>

#include "network_now.h"

namespace {

struct NetworkExtra {
    PlaceRecord record;  // read now for a save, or the profile's keys
    int autoSwitch = 0;
    NetworkNow* now = nullptr;  // read at the first judgement
    int nowRead = 0;
};

NetworkExtra& own(void* state) { return *static_cast<NetworkExtra*>(state); }
const NetworkExtra& own(const void* state) { return *static_cast<const NetworkExtra*>(state); }

void* create() { return new (std::nothrow) NetworkExtra; }
void release(void* state) {
    delete own(state).now;
    delete static_cast<NetworkExtra*>(state);
}

// A gateway that takes longer than this to answer is recorded without its hardware address.
constexpr unsigned kSaveArpWaitMs = 1000;

int readNow(void* state) {
    NetworkNow* now = new (std::nothrow) NetworkNow;
    const int read = now != nullptr && readNetworkNow(now, kSaveArpWaitMs);
    if (read) recordPlace(*now, &own(state).record);
    delete now;
    return read;
}

// Every value is written from addresses and a checked suffix: the file gives it back.
const char* storageProblem(const void*) { return nullptr; }

int writeKeys(const ProfileKeys& keys, const void* state, int write) {
    const int deleted = keys.write(keys.catalog, kNetworkKey, nullptr);
    char value[kNetworkValueSize];
    formatPlaceValue(own(state).record, value, sizeof value);
    return write && value[0] != '\0' ? keys.write(keys.catalog, kNetworkKey, value) : deleted;
}

void readKeys(const ProfileKeys& keys, void* state) {
    NetworkExtra& network = own(state);
    // Longer than any value written: a longer one reads as one that cannot be used.
    char value[kNetworkValueSize + 2];
    keys.read(keys.catalog, kNetworkKey, value, sizeof value, "");
    readPlaceValue(value, &network.record);
    keys.read(keys.catalog, kAutoSwitchKey, value, sizeof value, "");
    network.autoSwitch = std::strcmp(value, "1") == 0;
}

// Nothing of it is set by an apply, or differs after one.
int keeps(const void*) { return 0; }
void nothing(void*) {}
void sayNothing(const void*, DifferenceLines&) {}
void keepNothing(const void*, GrowingText&) {}

}  // namespace

PlaceJudgement judgePlace(void* state) {
    NetworkExtra& network = own(state);
    PlaceJudgement judgement = {};
    const PlaceRecord& record = network.record;
    judgement.recorded = record.count > 0 || record.unreadable;
    judgement.recordsHardware = recordsHardware(record);
    judgement.autoSwitch = network.autoSwitch;
    if (!judgement.recorded) return judgement;
    if (network.now == nullptr && !network.nowRead) {
        network.nowRead = 1;
        network.now = new (std::nothrow) NetworkNow;
        if (network.now != nullptr && !readNetworkNow(network.now, 0)) network.now->count = 0;
    }
    if (network.now != nullptr) judgement.matches = matchPlace(record, *network.now, &judgement.evidence);
    return judgement;
}

// In the order of ExtraKind's members.
const ExtraKind kNetworkExtra = {
    create, release,                     // the state
    readNow, storageProblem, writeKeys,  // the save
    readKeys, keeps,                     // the profile's keys
    nothing, nothing,                    // the apply, the comparison
    sayNothing, keepNothing,             // the verdict's and the preview's lines
    nullptr, nullptr, nullptr,
    1,  // the machine's: saved whoever runs the tool, and not listed among the user's extras
};
