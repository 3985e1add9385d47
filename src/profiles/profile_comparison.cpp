#include "profile_comparison.h"

#include <new>

#include "../adapters/network_extra.h"
#include "../adapters/settings_readback.h"
#include "../common/desktop_user.h"
#include "../common/text_builder.h"
#include "../netcmd/netsh_text.h"
#include "../netcmd/settings_report.h"
#include "profile_texts.h"
#include "script_path.h"

namespace {

// What every profile is compared with, read once; the extras read theirs once too, when
// the first profile that keeps one needs it.
struct Now {
    MachineSettings machine;
    ExtraStates extras;
    int runAs = 0;  // run as another user: an apply leaves the extras alone
    int withPreviews = 1;
};

// Adds the part, after the separator unless it is the text's first.
void appendPart(GrowingText* text, const char* separator, const char* part) {
    if (part != nullptr) text->add(text->length() != 0 ? separator : "").add(part);
}

// A script that may run and names connections: what an apply would change (when the
// apply would run it and every connection it names could be read), then its contents.
// Sets holdsNow when an apply would change nothing.
void composeComparison(const ScriptSettings& script, int runnable, Now* now, ScriptSettings* held,
                       GrowingText* preview, ProfileComparison* out) {
    char* part = nullptr;
    if (runnable && pickHeldSettings(script, now->machine, held)) {
        for (int i = 0; i < kExtraKindCount && !now->runAs; ++i) kExtraKinds[i]->judge(now->extras.states[i]);
        const ExtraOutcomes extras = extraOutcomes(now->extras);
        out->holdsNow = countDifferences(script, *held) == 0 && countExtraDifferences(extras) == 0;
        if (!now->withPreviews) return;
        if (composeChangePreview(script, *held, &extras, &part)) appendPart(preview, "", part);
        delete[] part;
        part = nullptr;
    }
    if (composeSettingsSummary(script, &part)) appendPart(preview, "\r\n\r\n", part);
    delete[] part;
}

// Why the script is not opened, cannot be shown or would not run, or the comparison and
// its contents, then what the profile keeps of each extra.
void compareOne(const ProfileEntry& entry, Now* now, ScriptSettings* buffers, ProfileComparison* out) {
    ScriptSettings& script = buffers[0];
    if (!isScriptInWorkingFolder(entry)) {
        if (now->withPreviews) composeOutsideFolderReport(entry.path, "\r\n", &out->preview);
        return;
    }
    if (!readScriptSettings(entry.path, &script)) {
        if (now->withPreviews) GrowingText().add(kUnreadableScriptText).add(entry.path).hand(&out->preview);
        return;
    }
    if (script.foreignLine != 0) {
        if (now->withPreviews) composeForeignLineReport(script, "\r\n", &out->preview);
        return;
    }
    GrowingText preview;
    if (script.connectionCount > 0)
        composeComparison(script, isSingleWordPath(entry.path), now, &buffers[1], &preview, out);
    else
        preview.add(kNoConnectionScriptText);
    if (!now->withPreviews) return;
    for (int i = 0; i < kExtraKindCount; ++i)
        if (!kExtraKinds[i]->machineWide) kExtraKinds[i]->sayKept(now->extras.states[i], preview.add("\r\n"));
    preview.hand(&out->preview);
}

// Whether the network now is the one the profile was saved on; when it is, or when the
// profile holds somewhere else, the preview says so first.
void judgeNetwork(const ProfileEntry& entry, Now* now, ProfileComparison* out) {
    const PlaceJudgement place = judgePlace(now->extras.states[kNetworkExtraIndex]);
    out->onItsNetwork = place.matches;
    out->evidence = place.evidence;
    out->notItsNetwork = out->holdsNow && !out->onItsNetwork && place.recordsHardware;
    out->autoSwitch = place.autoSwitch;
    out->recordsNetwork = place.recorded;
    if (!now->withPreviews || (!out->onItsNetwork && !out->notItsNetwork)) return;
    GrowingText preview;
    if (out->onItsNetwork)
        sayPlaceMatch(entry.name, place.evidence, preview);
    else
        sayNotItsPlace(entry.name, preview);
    preview.add(out->preview != nullptr ? "\r\n\r\n" : "").add(out->preview);
    char* joined = nullptr;
    if (!preview.hand(&joined)) return;
    delete[] out->preview;
    out->preview = joined;
}

}  // namespace

int compareProfilesWithNow(const ProfileCatalog& catalog, ProfileComparison** out, int withPreviews) {
    const int count = catalog.count();
    *out = new (std::nothrow) ProfileComparison[count > 0 ? count : 1]();
    Now* now = new (std::nothrow) Now;
    ScriptSettings* buffers = new (std::nothrow) ScriptSettings[2];  // a script, what its connections hold
    if (*out == nullptr || now == nullptr || buffers == nullptr || !createExtraStates(&now->extras)) {
        delete[] *out;
        *out = nullptr;
    } else {
        readMachineSettings(&now->machine);
        now->runAs = runsAsAnotherUser();
        now->withPreviews = withPreviews;
        for (int i = 0; i < count; ++i) {
            ProfileEntry entry;
            if (!catalog.entryAt(i, &entry)) continue;
            if (!catalog.readProfileExtras(i, now->extras)) continue;
            compareOne(entry, now, buffers, &(*out)[i]);
            judgeNetwork(entry, now, &(*out)[i]);
        }
        releaseMachineSettings(&now->machine);
        releaseExtraStates(&now->extras);
    }
    delete[] buffers;
    delete now;
    return *out != nullptr;
}
void releaseProfileComparisons(ProfileComparison* comparisons, int count) {
    for (int i = 0; comparisons != nullptr && i < count; ++i) delete[] comparisons[i].preview;
    delete[] comparisons;
}
