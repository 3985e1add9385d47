#include "profile_apply.h"

#include <new>

#include "../adapters/settings_readback.h"
#include "../common/desktop_user.h"
#include "../common/message_box.h"
#include "../common/profile_text.h"
#include "../common/task_outcome.h"
#include "../common/text_builder.h"
#include "../netcmd/command_runner.h"
#include "../netcmd/netsh_text.h"
#include "../netcmd/network_rights.h"
#include "../netcmd/settings_report.h"
#include "../shortcuts/desktop_shortcut.h"
#include "profile_catalog.h"
#include "profile_texts.h"
#include "script_path.h"

namespace {

unsigned long lastApplyEnd = 0;

// The verdict, then a line for each extra left alone: they join the list of what did not
// take, or stand after the verdict's text.
void tellApplied(HWND owner, int applied, const char* report, const int* withheld) {
    const char* verdict = applied ? kAppliedText : report != nullptr ? report : kApplyFailedText;
    const char* lines[kExtraKindCount];
    for (int i = 0; i < kExtraKindCount; ++i) lines[i] = withheld != nullptr && withheld[i] ? kExtraKinds[i]->withheldLine : nullptr;
    char* told = nullptr;
    appendLines(verdict, report != nullptr && !applied ? "\n" : "\n\n", lines, kExtraKindCount, &told);
    // One that took needs no answer: resident, it is told in a balloon.
    if (applied)
        showSuccess(owner, told != nullptr ? told : verdict);
    else
        showInformation(owner, told != nullptr ? told : verdict, kConfirmTitle);
    delete[] told;
}

// Run as another user, the browser and the printers here are not those of the user at the
// screen: the extras are left alone, and told apart from the verdict.
void applyExtras(const ProfileCatalog* catalog, int index, const ExtraStates& extras, int* withheld) {
    const int runAs = runsAsAnotherUser();
    if (!catalog->readProfileExtras(index, extras)) return;
    for (int i = 0; i < kExtraKindCount; ++i) {
        if (!kExtraKinds[i]->keeps(extras.states[i])) continue;
        withheld[i] = runAs;
        if (!runAs) kExtraKinds[i]->apply(extras.states[i]);
    }
}

}  // namespace

int applyProfile(HWND owner, const ProfileCatalog* catalog, CommandRunner* runner, int index) {
    if (!mayChangeNetworkSettings()) {
        showInformation(owner, kNeedsAdministratorText, kConfirmTitle);
        return kTaskRefused;
    }
    ProfileEntry entry;
    ScriptSettings* asked = new (std::nothrow) ScriptSettings;
    ExtraStates extras = {};
    int withheld[kExtraKindCount] = {};
    HANDLE script = INVALID_HANDLE_VALUE;
    char* report = nullptr;
    int ran = 0, applied = 0;
    const int listed = catalog != nullptr && runner != nullptr && asked != nullptr && createExtraStates(&extras) &&
                       catalog->entryAt(index, &entry);
    const int inFolder = listed && isScriptInWorkingFolder(entry);
    // Nothing is run that could not be read whole and checked; the script stays open,
    // unchangeable, from the check to netsh's end.
    const int checked = inFolder && isSingleWordPath(entry.path) && readScriptSettings(entry.path, asked, &script);
    if (listed && !inFolder) {
        composeOutsideFolderReport(entry.path, "\n", &report);
    } else if (checked && asked->foreignLine != 0) {
        composeForeignLineReport(*asked, "\n", &report);
    } else if (checked) {
        ran = 1;
        applied = runner->execScript(entry.path);
        applyExtras(catalog, index, extras, withheld);
        const ExtraOutcomes outcomes = extraOutcomes(extras);
        applied = verifyApplied(*asked, applied, kApplyFailedText, &report, &outcomes);
    }
    if (script != INVALID_HANDLE_VALUE) CloseHandle(script);
    tellApplied(owner, applied, report, withheld);
    // After the verdict's box: the changes seen while it stood are the apply's own.
    if (ran) lastApplyEnd = GetTickCount() | 1;
    delete[] report;
    releaseExtraStates(&extras);
    delete asked;
    return applied ? kTaskDone : ran ? kTaskNotDone : kTaskRefused;
}

unsigned long lastApplyEndTick() { return lastApplyEnd; }

int applyNamedProfile(HWND owner, const ProfileCatalog* catalog, CommandRunner* runner, const char* name,
                      int nameIsWhole) {
    if (name == nullptr) name = "";
    const int index = nameIsWhole && catalog != nullptr ? catalog->indexOfName(name) : -1;
    if (index >= 0) return applyProfile(owner, catalog, runner, index);
    char cut[kProfileNameSize];
    copyTextCut(cut, sizeof cut, name);
    char text[sizeof kNoSuchProfileBefore + sizeof cut + sizeof kNoSuchProfileAfter];
    BoundedText(text, sizeof text).add(kNoSuchProfileBefore).add(cut).add(kNoSuchProfileAfter);
    showInformation(owner, text, kConfirmTitle);
    return kTaskNoSuchProfile;
}

int deleteProfile(HWND owner, ProfileCatalog* catalog, int index) {
    ProfileEntry entry;
    if (catalog == nullptr || !catalog->entryAt(index, &entry) || catalog->removeProfile(index) < 1) {
        showInformation(owner, kDeleteFailedText, kConfirmTitle);
        return kTaskNotDone;
    }
    if (catalog->indexOfName(entry.name) < 0) deleteProfileShortcut(owner, entry.name);
    showInformation(owner, kDeletedText, kConfirmTitle);
    return kTaskDone;
}
