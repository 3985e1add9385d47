#include "profile_catalog.h"

#include <windows.h>

#include <cstring>
#include <new>

#include "../common/private_profile.h"
#include "../common/profile_text.h"
#include "script_path.h"

namespace {

constexpr char kScratchFilePath[] = ".\\temp.$$$";
constexpr char kNameKey[] = "name";
constexpr char kPathKey[] = "path";
constexpr char kSortKey[] = "sort";
constexpr char kMissingText[] = ".\\";
// Room for a profile's section read whole: its keys with the proxy's texts and the printer's
// name at their longest.
constexpr DWORD kSectionRoom = 8192;
constexpr DWORD kPathReadLimit = 260;
constexpr DWORD kFirstListSize = 4096;
constexpr DWORD kLargestListSize = 1 << 20;

// The whole section-name list of the file; the caller frees it. Grows the buffer until
// the list fits, since the platform cuts a list that does not.
char* readWholeSectionList(const char* file, DWORD* listSize) {
    for (DWORD size = kFirstListSize; size <= kLargestListSize; size *= 2) {
        char* list = new (std::nothrow) char[size];
        if (list == nullptr) return nullptr;
        ZeroMemory(list, size);
        const DWORD length = readSectionNames(file, list, size);
        if (length < size - 2) {
            *listSize = size;
            return list;
        }
        delete[] list;
    }
    return nullptr;
}

// Marks the numbers whose script is on disk: a deleted profile leaves its script, and a
// new profile must not take its number and overwrite it.
void markScriptFiles(bool present[kMaxSections]) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(".\\*.dmp", &found);
    for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
        markScriptNumber(found.cFileName, present);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

}  // namespace

ProfileCatalog::ProfileCatalog(const char* catalogFilePath)
    : profileCount(0), sectionNames(nullptr), entries(nullptr) {
    copyTextCut(iniPath, sizeof iniPath, catalogFilePath);
    adapters.adapterCount = 0;
    for (AdapterInfo& slot : adapters.slots) resetAdapterSlot(slot);
}

ProfileCatalog::~ProfileCatalog() {
    releaseAdapters();
    unload();
}

int ProfileCatalog::loadSectionNames() {
    profileCount = 0;
    DWORD listSize = 0;
    char* list = readWholeSectionList(iniPath, &listSize);
    if (list == nullptr) return 0;
    sectionNames = new (std::nothrow) SectionName[kMaxSections];
    if (sectionNames != nullptr) profileCount = collectSectionNames(list, listSize, sectionNames, kMaxSections);
    delete[] list;
    return profileCount;
}

int ProfileCatalog::loadEntries() {
    entries = new (std::nothrow) ProfileEntry[profileCount];
    if (entries == nullptr) {
        profileCount = 0;
        return 0;
    }
    for (int i = 0; i < profileCount; ++i) {
        ProfileEntry& entry = entries[i];
        readProfileString(iniPath, sectionNames[i], kNameKey, entry.name, sizeof entry.name, kMissingText);
        readProfileString(iniPath, sectionNames[i], kPathKey, entry.path, kPathReadLimit, kMissingText);
        entry.sort = readProfileInt(iniPath, sectionNames[i], kSortKey, 0);
    }
    return 1;
}

void ProfileCatalog::load() {
    if (loadSectionNames() > 0) loadEntries();
}

void ProfileCatalog::unload() {
    delete[] entries;
    entries = nullptr;
    delete[] sectionNames;
    sectionNames = nullptr;
    profileCount = 0;
}

int isScriptInWorkingFolder(const ProfileEntry& entry) {
    return isPathInWorkingFolder(entry.path, GetACP() == 932);
}

int ProfileCatalog::entryAt(int index, ProfileEntry* out) const {
    if (out == nullptr || index < 0 || index >= profileCount || entries == nullptr) return 0;
    *out = entries[index];
    return 1;
}

int ProfileCatalog::markPresentSections(bool present[kMaxSections]) const {
    DWORD listSize = 0;
    char* list = readWholeSectionList(iniPath, &listSize);
    if (list == nullptr) return 0;
    markSectionNumbers(list, listSize, present);
    delete[] list;
    return 1;
}

int ProfileCatalog::nextSectionName(SectionName out) const {
    if (out == nullptr) return 0;
    bool* present = new (std::nothrow) bool[kMaxSections]();
    if (present != nullptr) markScriptFiles(present);
    const int found = present != nullptr && markPresentSections(present) &&
                      nextFreeSectionName(sectionNames, profileCount, present, out);
    delete[] present;
    return found;
}

int ProfileCatalog::dropSection(const char* section) {
    WritePrivateProfileStringA(section, nullptr, nullptr, iniPath);
    unload();
    load();
    bool* present = new (std::nothrow) bool[kMaxSections]();
    const int gone = present != nullptr && markPresentSections(present) && !present[parseProfileInt(section)];
    delete[] present;
    return gone;
}

int ProfileCatalog::removeAddedProfile(int index) {
    if (index < 0 || index >= profileCount || sectionNames == nullptr) return 0;
    SectionName section;
    std::memcpy(section, sectionNames[index], sizeof section);
    return dropSection(section);
}

int ProfileCatalog::writeEntry(const char* file, const char* section, const ProfileEntry& entry) const {
    return writeProfileString(file, section, kNameKey, entry.name) &&
           writeProfileString(file, section, kPathKey, entry.path) &&
           writeProfileInt(file, section, kSortKey, entry.sort);
}

int ProfileCatalog::addProfile(const char* displayName) {
    if (displayName == nullptr) return 0;
    SectionName section;
    if (!nextSectionName(section)) return 0;
    ProfileEntry entry;
    copyTextCut(entry.name, sizeof entry.name, displayName);
    wsprintfA(entry.path, ".\\%s.dmp", section);
    entry.sort = 0;
    const int written = writeEntry(iniPath, section, entry);
    unload();
    load();
    // The new profile must read back as the last entry, or it is not kept.
    if (!written || profileCount == 0 || std::strcmp(sectionNames[profileCount - 1], section) != 0) {
        dropSection(section);
        return 0;
    }
    return 1;
}

int ProfileCatalog::removeProfile(int index) {
    if (index < 0 || index >= profileCount || sectionNames == nullptr) return 0;
    // Earlier versions rewrote the file through this scratch file; one left behind goes.
    DeleteFileA(kScratchFilePath);
    // Only this section is deleted: sections the catalogue does not list (hand-made ones,
    // profiles behind a name that ends the list), comments and extra keys all stay.
    const int before = profileCount;
    SectionName section;
    std::memcpy(section, sectionNames[index], sizeof section);
    const int written = WritePrivateProfileStringA(section, nullptr, nullptr, iniPath);
    unload();
    load();
    return written && profileCount == before - 1;
}

int ProfileCatalog::renameProfile(int index, const char* displayName) {
    if (index < 0 || index >= profileCount || sectionNames == nullptr || displayName == nullptr) return 0;
    char name[kProfileNameSize];
    copyTextCut(name, sizeof name, displayName);
    SectionName section;
    std::memcpy(section, sectionNames[index], sizeof section);
    const int written = writeProfileString(iniPath, section, kNameKey, name);
    unload();
    load();
    ProfileEntry entry;
    return written && entryAt(index, &entry) && std::strcmp(sectionNames[index], section) == 0 &&
           std::strcmp(entry.name, name) == 0;
}

namespace {

// A profile's section as its extras read and write it. A reading takes the lines of one
// reading where they are plain, a hand's odd line key by key, as the file's own reading
// takes it; a writing has no lines.
struct Section {
    const char* file;
    const char* name;
    const char* lines;
    DWORD length;
    int whole;  // the lines hold the whole section
};

void readSectionKey(void* context, const char* key, char* out, size_t outSize, const char* missing) {
    const Section& section = *static_cast<const Section*>(context);
    const char* value = nullptr;
    const int found = section.whole ? plainSectionValue(section.lines, section.length, key, &value) : -1;
    if (found >= 0)
        copyTextCut(out, outSize, found == 1 ? value : missing);
    else
        readProfileString(section.file, section.name, key, out, static_cast<DWORD>(outSize), missing);
}

int writeSectionKey(void* context, const char* key, const char* value) {
    const Section& section = *static_cast<const Section*>(context);
    if (value != nullptr) return writeProfileString(section.file, section.name, key, value);
    return WritePrivateProfileStringA(section.name, key, nullptr, section.file);
}

}  // namespace

int ProfileCatalog::readProfileExtras(int index, const ExtraStates& states) const {
    if (index < 0 || index >= profileCount || sectionNames == nullptr) return 0;
    char* lines = new (std::nothrow) char[kSectionRoom];
    if (lines == nullptr) return 0;
    Section section = {iniPath, sectionNames[index], lines, 0, 0};
    section.length = GetPrivateProfileSectionA(section.name, lines, kSectionRoom, iniPath);
    section.whole = section.length + 2 < kSectionRoom;
    const ProfileKeys keys = {&section, readSectionKey, nullptr};
    for (int i = 0; i < kExtraKindCount; ++i) kExtraKinds[i]->readKeys(keys, states.states[i]);
    delete[] lines;
    return 1;
}

int ProfileCatalog::writeProfileExtra(int index, int kind, const ExtraStates& states, int write) {
    if (index < 0 || index >= profileCount || sectionNames == nullptr || kind < 0 || kind >= kExtraKindCount) return 0;
    Section section = {iniPath, sectionNames[index], nullptr, 0, 0};
    const ProfileKeys keys = {&section, nullptr, writeSectionKey};
    return kExtraKinds[kind]->writeKeys(keys, states.states[kind], write);
}

int ProfileCatalog::writeProfileKey(int index, const char* key, const char* value) {
    if (index < 0 || index >= profileCount || sectionNames == nullptr || key == nullptr) return 0;
    Section section = {iniPath, sectionNames[index], nullptr, 0, 0};
    return writeSectionKey(&section, key, value);
}

int ProfileCatalog::indexOfName(const char* name) const {
    ProfileEntry entry;
    for (int i = 0; name != nullptr && entryAt(i, &entry); ++i)
        if (std::strcmp(entry.name, name) == 0) return i;
    return -1;
}
