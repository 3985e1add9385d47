#include "proxy_extra.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "../common/text_builder.h"
#include "browser_proxy.h"

namespace {

struct ProxyExtra {
    ProxySettings kept;
    int keeps = 0;
    const char* unusable = nullptr;
    ProxySettings now;  // in force when read for a save, or for the first judgement
    int nowRead = -1;   // -1: not read yet
    ProxySettings held;
    ProxyOutcome outcome = {nullptr, nullptr, nullptr};
};

ProxyExtra& own(void* state) { return *static_cast<ProxyExtra*>(state); }
const ProxyExtra& own(const void* state) { return *static_cast<const ProxyExtra*>(state); }

void* create() { return new (std::nothrow) ProxyExtra; }
void release(void* state) { delete static_cast<ProxyExtra*>(state); }

int readNow(void* state) { return own(state).nowRead = readBrowserProxy(&own(state).now); }

const char* storageProblem(const void* state) {
    return own(state).nowRead == 1 ? proxyStorageProblem(own(state).now) : nullptr;
}

int writeKeys(const ProfileKeys& keys, const void* state, int write) {
    if (!write) {
        static const char* const all[4] = {kProxyFlagsKey, kProxyServerKey, kProxyBypassKey, kProxyScriptKey};
        int deleted = 1;
        for (const char* key : all) deleted = keys.write(keys.catalog, key, nullptr) && deleted;
        return deleted;
    }
    const ProxySettings& proxy = own(state).now;
    char flags[16];
    wsprintfA(flags, "%d", static_cast<int>(proxy.flags));
    return keys.write(keys.catalog, kProxyFlagsKey, flags) && keys.write(keys.catalog, kProxyServerKey, proxy.server) &&
           keys.write(keys.catalog, kProxyBypassKey, proxy.bypass) &&
           keys.write(keys.catalog, kProxyScriptKey, proxy.script);
}

void readKeys(const ProfileKeys& keys, void* state) {
    ProxyExtra& proxy = own(state);
    // A byte no value of the file holds stands for a missing key.
    static const char kMissing[] = "\x01";
    // Two bytes more than a text: a longer value reads long even when cut at a character
    // boundary, and is refused as such.
    constexpr size_t kTextRoom = kProxyTextSize + 2;
    char flags[16], server[kTextRoom], bypass[kTextRoom], script[kTextRoom];
    keys.read(keys.catalog, kProxyFlagsKey, flags, sizeof flags, kMissing);
    proxy.keeps = std::strcmp(flags, kMissing) != 0;
    proxy.unusable = nullptr;
    proxy.outcome = {nullptr, nullptr, nullptr};
    if (!proxy.keeps) return;
    keys.read(keys.catalog, kProxyServerKey, server, sizeof server, "");
    keys.read(keys.catalog, kProxyBypassKey, bypass, sizeof bypass, "");
    keys.read(keys.catalog, kProxyScriptKey, script, sizeof script, "");
    proxy.unusable = readProxyKeys(flags, server, bypass, script, &proxy.kept);
}

int keeps(const void* state) { return own(state).keeps; }

// A proxy that cannot be used is not sent at all; one that is, is judged by its read-back.
void apply(void* state) {
    ProxyExtra& proxy = own(state);
    if (!proxy.keeps) return;
    proxy.outcome = {&proxy.kept, nullptr, proxy.unusable};
    if (proxy.unusable != nullptr) return;
    applyBrowserProxy(proxy.kept);
    if (readBrowserProxy(&proxy.held)) proxy.outcome.held = &proxy.held;
}

void judge(void* state) {
    ProxyExtra& proxy = own(state);
    if (!proxy.keeps) return;
    if (proxy.nowRead < 0) readNow(state);
    proxy.outcome = {&proxy.kept, proxy.nowRead ? &proxy.now : nullptr, proxy.unusable};
}

void sayDifferences(const void* state, DifferenceLines& lines) { sayProxyDifferences(own(state).outcome, lines); }

void sayKept(const void* state, GrowingText& text) {
    sayProxyKept(own(state).keeps ? &own(state).kept : nullptr, own(state).unusable, text);
}

}  // namespace

// In the order of ExtraKind's members.
const ExtraKind kProxyExtra = {
    create, release,                     // the state
    readNow, storageProblem, writeKeys,  // the save
    readKeys, keeps,                     // the profile's keys
    apply, judge,                        // the apply, the comparison
    sayDifferences, sayKept,             // the verdict's and the preview's lines
    kProxyNotSavedLine, kProxyRunAsLine, kProxyWithheldLine,
    0,  // the user's
};
