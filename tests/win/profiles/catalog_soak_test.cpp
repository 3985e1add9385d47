// The catalogue under random saves, deletes and hand edits, with netsh failing at random.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <random>

#include "netcmd/command_runner.h"
#include "profiles/profile_catalog.h"
#include "profiles/save_dialog.h"
#include "sim_registry.h"
#include "win/support.h"

namespace {

// A hand edit appended to the file: a section the catalogue does not list (a name that
// is not three digits, a duplicate, now and then a blank or short one), keys, junk lines.
std::string handEdit(std::mt19937& random) {
    static const char* const kNames[] = {"abc", "Basic", "0001", "x y", "abc", "Basic", "", "7"};
    static const char* const kLines[] = {"note=mine", "junk line without equals", "; a comment", "name=", "path=.\\9.dmp"};
    std::string text = std::string("[") + kNames[random() % (random() % 4 ? 6 : 8)] + "]\r\n";
    for (unsigned lines = random() % 3; lines > 0; --lines) text += std::string(kLines[random() % 5]) + "\r\n";
    return text;
}

// Each listed profile as section: "name|path|script".
std::map<std::string, std::string> listed(ProfileCatalog& catalog) {
    std::map<std::string, std::string> out;
    ProfileEntry entry;
    for (int i = 0; catalog.entryAt(i, &entry); ++i)
        out[catalog.sectionNames[i]] = std::string(entry.name) + "|" + entry.path + "|" + readWholeFile(entry.path);
    return out;
}

TEST(CatalogSoak, NoProfileIsLostAndNoSectionTheCatalogueDoesNotListIsTouched) {
    ASSERT_TRUE(simulationInstalled()) << "the soak runs the netsh stand-in";
    ScratchDir dir;
    dir.enter();
    std::mt19937 random(20261207);
    CommandRunner runner;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string netsh = system + std::string("\\netsh.exe"), aside = netsh + ".aside";
    std::map<std::string, std::string> kept;
    std::vector<std::string> handMade;
    int steps = 0, saves = 0, faults = 0, deletes = 0, edits = 0;
    for (int sequence = 0; sequence < 500; ++sequence) {
        if (sequence % 10 == 0) {  // a short section name blocks every later save: start afresh now and then
            writeWholeFile("dumplist.ini", "");
            kept.clear();
            handMade.clear();
        }
        for (unsigned step = 0, count = 1 + random() % 2; step < count; ++step, ++steps) {
            ProfileCatalog catalog(kCatalogFilePath);
            catalog.load();
            const unsigned what = random() % 4;
            if (what == 0) {
                handMade.push_back(handEdit(random));
                writeWholeFile("dumplist.ini", readWholeFile("dumplist.ini") + handMade.back());
                ++edits;
            } else if (what < 3) {
                // Each netsh run costs a process start, so most failures are a missing netsh.
                static const char* const kFaults[] = {nullptr, nullptr, "missing", "missing", "TESSALY_SIM_EXIT_CODE",
                                                      "TESSALY_SIM_NO_OUTPUT"};
                const char* fault = kFaults[random() % 6];
                const bool missing = fault == kFaults[2], switched = fault != nullptr && !missing;
                if (switched) SetEnvironmentVariableA(fault, "1");
                if (missing) MoveFileA(netsh.c_str(), aside.c_str());
                const SaveOutcome outcome = saveNamedProfile(&catalog, &runner, ("P" + std::to_string(random() % 1000)).c_str());
                if (missing) MoveFileA(aside.c_str(), netsh.c_str());
                if (switched) SetEnvironmentVariableA(fault, nullptr);
                EXPECT_TRUE(fault == nullptr || outcome == SaveOutcome::Failed) << fault;
                if (outcome == SaveOutcome::Saved) {
                    const std::string section = catalog.sectionNames[catalog.count() - 1];
                    kept[section] = listed(catalog)[section];
                }
                ++saves;
                faults += fault != nullptr;
            } else if (catalog.count() > 0) {
                const int index = static_cast<int>(random() % catalog.count());
                const std::string section = catalog.sectionNames[index];
                if (catalog.removeProfile(index)) kept.erase(section);
                ++deletes;
            }
            // Every kept profile is listed with its script, and the hand edits stand verbatim
            // (but for a header with a blank name, which the platform drops when it rewrites).
            ProfileCatalog now(kCatalogFilePath);
            now.load();
            const std::string file = readWholeFile("dumplist.ini");
            ASSERT_EQ(kept, listed(now)) << "sequence " << sequence << " step " << step << ": " << file;
            for (const std::string& text : handMade)
                ASSERT_NE(std::string::npos, file.find(text.substr(text.compare(0, 4, "[]\r\n") == 0 ? 4 : 0)))
                    << "sequence " << sequence << ": " << text << " in " << file;
        }
    }
    std::printf("catalogue soak: 500 sequences, %d steps: %d saves (%d with netsh failing), %d deletes, %d hand edits\n",
                steps, saves, faults, deletes, edits);
}

}  // namespace
