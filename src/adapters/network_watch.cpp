#include "network_watch.h"

#include <windows.h>

#include "../common/late_binding.h"
#include "registry_places.h"

namespace {

// Without the registry's signal, every this many calls count as a change.
constexpr int kUnwatchedCallsPerChange = 4;

HKEY watchedKey = nullptr;
HANDLE changed = nullptr;
int callsSinceUnwatchedChange = 0;

// Asks the registry to signal the next change under the key; 1 when it will.
int armWatch() {
    if (changed == nullptr) changed = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (watchedKey == nullptr &&
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kInterfacesKey, 0, KEY_NOTIFY, &watchedKey) != ERROR_SUCCESS)
        watchedKey = nullptr;
    const auto notify = late::RegNotifyChangeKeyValue();
    return changed != nullptr && watchedKey != nullptr && notify != nullptr &&
           notify(watchedKey, TRUE, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, changed, TRUE) ==
               ERROR_SUCCESS;
}

int watching = 0;

}  // namespace

int startNetworkWatch() {
    watching = armWatch();
    return watching;
}

int networkMayHaveChanged() {
    if (watching) {
        if (WaitForSingleObject(changed, 0) != WAIT_OBJECT_0) return 0;
        // Armed again before the caller reads, so a change while it reads is not missed.
        watching = armWatch();
        return 1;
    }
    watching = armWatch();
    if (++callsSinceUnwatchedChange < kUnwatchedCallsPerChange) return 0;
    callsSinceUnwatchedChange = 0;
    return 1;
}

void stopNetworkWatch() {
    if (watchedKey != nullptr) RegCloseKey(watchedKey);
    if (changed != nullptr) CloseHandle(changed);
    watchedKey = nullptr;
    changed = nullptr;
    watching = 0;
}
