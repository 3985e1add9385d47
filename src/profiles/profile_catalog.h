// The catalogue of saved network profiles, kept in ".\dumplist.ini": one section per
// profile, named by its three-digit number, with the keys "name", "path" and "sort".
#pragma once

#include "../adapters/discovery.h"
#include "profile_extras.h"
#include "section_names.h"

constexpr char kCatalogFilePath[] = ".\\dumplist.ini";

constexpr size_t kProfileNameSize = 100;

// One saved profile, copied whole by value.
struct ProfileEntry {
    char name[kProfileNameSize];  // display name, at most 99 bytes
    char path[264];  // script path, read with a limit of 260 bytes
    int sort;        // carried unchanged; no effect on the order
};

// 1 when the entry's script is a file of the working folder, the path read as this system's
// code page reads it (isPathInWorkingFolder).
int isScriptInWorkingFolder(const ProfileEntry& entry);

class ProfileCatalog {
public:
    explicit ProfileCatalog(const char* catalogFilePath);
    ~ProfileCatalog();
    ProfileCatalog(const ProfileCatalog&) = delete;
    ProfileCatalog& operator=(const ProfileCatalog&) = delete;

    // Reads the file again: every section named by three digits, in file order.
    void load();
    void unload();

    int count() const { return profileCount; }
    // The index of the first entry of exactly that name (byte for byte); -1 for none.
    int indexOfName(const char* name) const;
    // 1 with the entry copied; 0 for an index out of range or a null out record.
    int entryAt(int index, ProfileEntry* out) const;
    // The section a new profile gets, read afresh from the file: no section name present
    // in it, listed or not, is given out. 0 when all 1000 numbers are in use or the
    // file's section names cannot be read.
    int nextSectionName(SectionName out) const;
    // Appends a profile under the next free number and reloads; afterwards it is the
    // last entry. 0 for a null name, when no number is free, or when the file could
    // not be written (nothing of the new profile is then kept).
    int addProfile(const char* displayName);
    // Undoes addProfile for the last entry: deletes that section alone, leaving every
    // other line of the file as it is, and reloads. 1 when the section is gone.
    int removeAddedProfile(int index);
    // Deletes that profile's section from the file, every other line staying as it is
    // (its script stays on disk), and reloads. 1 when one entry fewer is listed.
    int removeProfile(int index);
    // Each kind's keys of the profile read into its state (src/profiles/profile_extras.h),
    // from one reading of its section. 0 for an index out of range or when memory is short.
    int readProfileExtras(int index, const ExtraStates& states) const;
    // One kind's keys written from its state, or deleted for write 0; 1 when done.
    int writeProfileExtra(int index, int kind, const ExtraStates& states, int write);
    // One key of the profile's section written as its last, or deleted for a null value;
    // 1 when done.
    int writeProfileKey(int index, const char* key, const char* value);
    // Writes the profile's "name" key alone (cut at a character boundary to fit an entry)
    // and reloads. 1 when that entry reads back with the new name.
    int renameProfile(int index, const char* displayName);

    // The machine's network connections, held in `adapters` and read by discovery
    // (src/adapters/discovery.h, which says what each returns). Filled only while the
    // TCP/IP command runs.
    int discover(DescriptionScan scan = DescriptionScan::Once) { return discoverAdapters(adapters, scan); }
    int adapterCount() const { return adapters.adapterCount; }
    int adapterAt(int index, AdapterInfo* out) const { return adapterSlotAt(adapters, index, out); }
    int releaseAdapters() { return releaseAdapterList(adapters); }

    static constexpr int kPathSize = 261;
    char iniPath[kPathSize];
    int profileCount;
    SectionName* sectionNames;  // profileCount names in file order, or null
    ProfileEntry* entries;      // profileCount records, or null
    AdapterList adapters;

private:
    int loadSectionNames();
    int loadEntries();
    int writeEntry(const char* file, const char* section, const ProfileEntry& entry) const;
    // Marks the number of every three-digit section name in the file; 0 when unreadable.
    int markPresentSections(bool present[kMaxSections]) const;
    // Deletes the section from the file and reloads; 1 when it is gone afterwards.
    int dropSection(const char* section);
};
