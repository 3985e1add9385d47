#include "profile_save.h"

#include <cstring>

#include "../adapters/network_place.h"
#include "../common/desktop_user.h"
#include "../common/file_retry.h"
#include "../common/message_box.h"
#include "../common/task_outcome.h"
#include "../common/text_builder.h"
#include "../netcmd/command_runner.h"
#include "../netcmd/settings_report.h"
#include "profile_catalog.h"
#include "profile_texts.h"
#include "script_path.h"

namespace {

// A script the failed dump left empty; one with text in it is left alone.
void deleteIfEmpty(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data) || data.nFileSizeHigh != 0 || data.nFileSizeLow != 0 ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    deleteFileSoon(path);
}

// kSavedText, then a line for each extra that was asked for and not saved.
void tellSaved(HWND owner, int runAs, const SaveRequest& request, const int* saved) {
    const char* lines[kExtraKindCount];
    for (int i = 0; i < kExtraKindCount; ++i)
        lines[i] = !saved[i] ? kExtraKinds[i]->notSavedLine
                   : runAs && request.extrasAsked[i] ? kExtraKinds[i]->runAsSaveLine
                                                      : nullptr;
    char* told = nullptr;
    appendLines(kSavedText, "\n", lines, kExtraKindCount, &told);
    showInformation(owner, told != nullptr ? told : kSavedText, kConfirmTitle);
    delete[] told;
}

// 1 when the listed profile's script lies in the working folder; otherwise says so and
// 0: a save again would write, rename and delete files where its path points.
int tellScriptOutsideFolder(HWND owner, const ProfileCatalog* catalog, int index) {
    ProfileEntry entry;
    if (catalog == nullptr || !catalog->entryAt(index, &entry) || isScriptInWorkingFolder(entry)) return 1;
    char* report = nullptr;
    composeOutsideFolderReport(entry.path, "\n", &report);
    showInformation(owner, report != nullptr ? report : kOutsideFolderText, kConfirmTitle);
    delete[] report;
    return 0;
}

// Why what was read cannot be saved as it is, or null.
const char* storageProblem(const ExtraStates& extras, const int* read) {
    for (int i = 0; i < kExtraKindCount; ++i) {
        const char* problem = read[i] ? kExtraKinds[i]->storageProblem(extras.states[i]) : nullptr;
        if (problem != nullptr) return problem;
    }
    return nullptr;
}

// The extras asked for, read before the network part is saved. Run as another user, the
// browser and the printers are that account's: none is read.
void readExtrasToSave(const SaveRequest& request, int runAs, const ExtraStates& extras, int* read) {
    for (int i = 0; i < kExtraKindCount; ++i)
        read[i] = (kExtraKinds[i]->machineWide || (!runAs && request.extrasAsked[i])) && extras.states[i] != nullptr &&
                  kExtraKinds[i]->readNow(extras.states[i]);
}

}  // namespace

int saveProfile(HWND owner, ProfileCatalog* catalog, CommandRunner* runner, const SaveRequest& request) {
    int anyAsked = 0;
    for (int i = 0; i < kExtraKindCount; ++i) anyAsked = anyAsked || (request.extrasAsked[i] && !kExtraKinds[i]->machineWide);
    const int runAs = anyAsked && runsAsAnotherUser();
    ExtraStates extras = {};
    createExtraStates(&extras);
    int read[kExtraKindCount] = {};
    readExtrasToSave(request, runAs, extras, read);
    const int resaved = request.replacedIndex;
    const char* problem = storageProblem(extras, read);
    if (problem != nullptr) showInformation(owner, problem, kConfirmTitle);
    if (problem != nullptr || (resaved >= 0 && !tellScriptOutsideFolder(owner, catalog, resaved))) {
        releaseExtraStates(&extras);
        return kTaskNotDone;
    }
    const SaveOutcome outcome =
        resaved >= 0 ? resaveProfile(catalog, runner, resaved) : saveNamedProfile(catalog, runner, request.name);
    const int index = resaved >= 0 ? resaved : catalog->count() - 1;
    int saved[kExtraKindCount];
    for (int i = 0; i < kExtraKindCount; ++i) {
        saved[i] = 1;
        const int machineWide = kExtraKinds[i]->machineWide;
        if (outcome != SaveOutcome::Saved || (runAs && !machineWide)) continue;
        saved[i] = read[i] ? catalog->writeProfileExtra(index, i, extras, 1)
                           : catalog->writeProfileExtra(index, i, extras, 0) && (machineWide || !request.extrasAsked[i]);
    }
    if (outcome == SaveOutcome::Saved) catalog->writeProfileKey(index, kAutoSwitchKey, request.autoSwitch ? "1" : nullptr);
    releaseExtraStates(&extras);
    if (outcome == SaveOutcome::Saved) {
        tellSaved(owner, runAs, request, saved);
        return kTaskDone;
    }
    showInformation(owner, outcome == SaveOutcome::Full ? kCatalogFullText : kSaveFailedText, kConfirmTitle);
    return kTaskNotDone;
}

SaveOutcome saveNamedProfile(ProfileCatalog* catalog, CommandRunner* runner, const char* name) {
    SectionName section;
    if (catalog == nullptr || runner == nullptr || name == nullptr) return SaveOutcome::Failed;
    if (!catalog->nextSectionName(section)) return SaveOutcome::Full;
    if (!catalog->addProfile(name)) return SaveOutcome::Failed;
    const int last = catalog->count() - 1;
    ProfileEntry entry;
    const int listed = catalog->entryAt(last, &entry);
    if (listed && runner->dumpSettings(entry.path)) return SaveOutcome::Saved;
    if (listed && catalog->removeAddedProfile(last)) deleteIfEmpty(entry.path);
    return SaveOutcome::Failed;
}

SaveOutcome resaveProfile(const ProfileCatalog* catalog, CommandRunner* runner, int index) {
    ProfileEntry entry;
    if (catalog == nullptr || runner == nullptr || !catalog->entryAt(index, &entry) ||
        !isScriptInWorkingFolder(entry))
        return SaveOutcome::Failed;
    static const char kFreshSuffix[] = ".new";
    char fresh[sizeof entry.path + sizeof kFreshSuffix];
    BoundedText(fresh, sizeof fresh).add(entry.path).add(kFreshSuffix);
    if (runner->dumpSettings(fresh) && replaceFileSoon(fresh, entry.path)) return SaveOutcome::Saved;
    deleteFileSoon(fresh);
    return SaveOutcome::Failed;
}

