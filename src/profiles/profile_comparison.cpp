#include "profile_comparison.h"

#include <new>

#include "../adapters/settings_readback.h"
#include "../browser/browser_proxy.h"
#include "../common/desktop_user.h"
#include "../netcmd/netsh_text.h"
#include "../netcmd/settings_report.h"
#include "profile_texts.h"

namespace {

// What every profile is compared with, read once.
struct Now {
    MachineSettings machine;
    ProxySettings proxy;
    int proxyRead = 0;
    int proxyWithheld = 0;  // run as another user: an apply leaves the browser alone
};

// Joins text and part with the separator into *text (new[]); a null text takes the part.
int appendPart(char** text, const char* separator, const char* part) {
    char* joined = nullptr;
    if (!appendLine(*text != nullptr ? *text : "", *text != nullptr ? separator : "", part, &joined)) return 0;
    delete[] *text;
    *text = joined;
    return 1;
}

// The profile's proxy as an apply would use it, for the comparison and the preview.
struct ProfileProxy {
    ProxySettings kept;
    int keeps = 0;
    const char* unusable = nullptr;
};

// A script that may run and names connections: what an apply would change (when the
// apply would run it and every connection it names could be read), then its contents.
// Sets holdsNow when an apply would change nothing.
void composeComparison(const ScriptSettings& script, int runnable, const Now& now, const ProfileProxy& proxy,
                       ScriptSettings* held, ProfileComparison* out) {
    char* part = nullptr;
    if (runnable && pickHeldSettings(script, now.machine, held)) {
        const ProxyOutcome outcome = {proxy.keeps && !now.proxyWithheld ? &proxy.kept : nullptr,
                                      now.proxyRead ? &now.proxy : nullptr, proxy.unusable};
        out->holdsNow = countDifferences(script, *held) == 0 && countProxyDifferences(outcome) == 0;
        if (composeChangePreview(script, *held, &outcome, &part)) appendPart(&out->preview, "", part);
        delete[] part;
        part = nullptr;
    }
    if (composeSettingsSummary(script, &part)) appendPart(&out->preview, "\r\n\r\n", part);
    delete[] part;
}

// Why the script cannot be shown or would not run, or the comparison and its contents,
// then the profile's proxy.
void compareOne(const ProfileEntry& entry, const ProfileProxy& proxy, const Now& now, ScriptSettings* buffers,
                ProfileComparison* out) {
    ScriptSettings& script = buffers[0];
    if (!readScriptSettings(entry.path, &script)) {
        if (appendPart(&out->preview, "", kUnreadableScriptText)) appendPart(&out->preview, "", entry.path);
        return;
    }
    if (script.foreignLine != 0) {
        composeForeignLineReport(script, "\r\n", &out->preview);
        return;
    }
    if (script.connectionCount > 0)
        composeComparison(script, isSingleWordPath(entry.path), now, proxy, &buffers[1], out);
    else
        appendPart(&out->preview, "", kNoConnectionScriptText);
    char* part = nullptr;
    if (composeProxySummary(proxy.keeps ? &proxy.kept : nullptr, proxy.unusable, &part))
        appendPart(&out->preview, "\r\n", part);
    delete[] part;
}

}  // namespace

int compareProfilesWithNow(const ProfileCatalog& catalog, ProfileComparison** out) {
    const int count = catalog.count();
    *out = new (std::nothrow) ProfileComparison[count > 0 ? count : 1]();
    Now* now = new (std::nothrow) Now;
    ScriptSettings* buffers = new (std::nothrow) ScriptSettings[2];  // a script, what its connections hold
    ProfileProxy* proxy = new (std::nothrow) ProfileProxy;
    if (*out == nullptr || now == nullptr || buffers == nullptr || proxy == nullptr) {
        delete[] *out;
        *out = nullptr;
    } else {
        readMachineSettings(&now->machine);
        now->proxyWithheld = runsAsAnotherUser();
        now->proxyRead = !now->proxyWithheld && readBrowserProxy(&now->proxy);
        for (int i = 0; i < count; ++i) {
            ProfileEntry entry;
            if (!catalog.entryAt(i, &entry)) continue;
            proxy->unusable = nullptr;
            proxy->keeps = catalog.readProfileProxy(i, &proxy->kept, &proxy->unusable);
            compareOne(entry, *proxy, *now, buffers, &(*out)[i]);
        }
        releaseMachineSettings(&now->machine);
    }
    delete proxy;
    delete[] buffers;
    delete now;
    return *out != nullptr;
}

void releaseProfileComparisons(ProfileComparison* comparisons, int count) {
    for (int i = 0; comparisons != nullptr && i < count; ++i) delete[] comparisons[i].preview;
    delete[] comparisons;
}
