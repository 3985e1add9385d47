#include "network_watch.h"

#include <windows.h>

#include "../common/late_binding.h"
#include "registry_places.h"

namespace {

// Every key whose change can change a comparison: the TCP/IP values, the WINS servers, the
// connections and their names, the user's proxy and default printer.
struct WatchedKey {
    HKEY root;
    const char* path;
    BOOL subtree;
};
const WatchedKey kWatchedKeys[] = {
    {HKEY_LOCAL_MACHINE, kInterfacesKey, TRUE},
    {HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Services\\NetBT\\Parameters\\Interfaces", TRUE},
    {HKEY_LOCAL_MACHINE, kNetworkClassKey, TRUE},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", TRUE},
    {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", FALSE},
};
constexpr int kKeyCount = sizeof kWatchedKeys / sizeof kWatchedKeys[0];

// Without the registry's signal, every this many calls count as a change.
constexpr int kUnwatchedCallsPerChange = 4;

HKEY keys[kKeyCount] = {};
HANDLE changed[kKeyCount] = {};
int watching = 0;
int callsSinceUnwatchedChange = 0;

// Asks the registry to signal the next change under the key; 1 when it will, or when the
// key is not there (nothing under it can change what a comparison reads).
int armWatch(int i) {
    if (changed[i] == nullptr) changed[i] = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    if (keys[i] == nullptr &&
        RegOpenKeyExA(kWatchedKeys[i].root, kWatchedKeys[i].path, 0, KEY_NOTIFY, &keys[i]) != ERROR_SUCCESS) {
        keys[i] = nullptr;
        return changed[i] != nullptr;
    }
    const auto notify = late::RegNotifyChangeKeyValue();
    return changed[i] != nullptr && notify != nullptr &&
           notify(keys[i], kWatchedKeys[i].subtree, REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, changed[i],
                  TRUE) == ERROR_SUCCESS;
}

// 1 when every key will signal.
int armAll() {
    int armed = 1;
    for (int i = 0; i < kKeyCount; ++i) armed &= armWatch(i);
    return armed;
}

}  // namespace

int startNetworkWatch() {
    watching = armAll();
    return watching;
}

int networkMayHaveChanged() {
    if (watching) {
        // One look at all of them; most ticks end here. The look takes the first signal.
        const DWORD first = WaitForMultipleObjects(kKeyCount, changed, FALSE, 0);
        if (first >= WAIT_OBJECT_0 + kKeyCount) return 0;
        // Each key that signalled is armed again before the caller reads, so a change while
        // it reads is not missed.
        for (int i = 0; i < kKeyCount; ++i)
            if (i == static_cast<int>(first - WAIT_OBJECT_0) || WaitForSingleObject(changed[i], 0) == WAIT_OBJECT_0)
                watching &= armWatch(i);
        return 1;
    }
    if (++callsSinceUnwatchedChange < kUnwatchedCallsPerChange) return 0;
    callsSinceUnwatchedChange = 0;
    return 1;
}

void stopNetworkWatch() {
    for (int i = 0; i < kKeyCount; ++i) {
        if (keys[i] != nullptr) RegCloseKey(keys[i]);
        if (changed[i] != nullptr) CloseHandle(changed[i]);
        keys[i] = nullptr;
        changed[i] = nullptr;
    }
    watching = 0;
}
