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

// Each listed profile as section: "name|path|script".
std::map<std::string, std::string> listed(ProfileCatalog& catalog) {
    std::map<std::string, std::string> out;
    ProfileEntry entry;
    for (int i = 0; catalog.entryAt(i, &entry); ++i)
        out[catalog.sectionNames[i]] = std::string(entry.name) + "|" + entry.path + "|" + readWholeFile(entry.path);
    return out;
}

// After every step each profile saved and not deleted is listed with its script, and every
// hand edit (a section the catalogue does not list, junk, comments) stands as written.
TEST(CatalogSoak, NoProfileIsLostAndNoSectionTheCatalogueDoesNotListIsTouched) {
    ASSERT_TRUE(simulationInstalled()) << "the soak runs the netsh stand-in";
    ScratchDir dir;
    dir.enter();
    std::mt19937 random(20261207);
    CommandRunner runner;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string netsh = system + std::string("\\netsh.exe"), aside = netsh + ".aside";
    // The last two, a short section name, end the list: every later save is refused.
    static const char* const kEdits[] = {"[abc]\r\nnote=mine\r\n", "[Basic]\r\njunk line without equals\r\n",
                                         "[0001]\r\n; a comment\r\nname=\r\n", "[x y]\r\npath=.\\9.dmp\r\n",
                                         "[abc]\r\n", "[7]\r\n", "[]\r\nnote=mine\r\n"};
    // Most failures are a missing netsh: each run costs a process start.
    static const char* const kFaults[] = {nullptr, nullptr, "missing", "missing", "TESSALY_SIM_EXIT_CODE",
                                          "TESSALY_SIM_NO_OUTPUT"};
    std::map<std::string, std::string> kept;
    std::vector<std::string> handMade;
    for (int step = 0; step < 750; ++step) {
        if (step % 15 == 0) writeWholeFile("dumplist.ini", ""), kept.clear(), handMade.clear();
        ProfileCatalog catalog(kCatalogFilePath);
        catalog.load();
        const unsigned what = random() % 4;
        if (what == 0) {
            handMade.push_back(kEdits[random() % (random() % 4 ? 5 : 7)]);
            writeWholeFile("dumplist.ini", readWholeFile("dumplist.ini") + handMade.back());
        } else if (what < 3) {
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
        } else if (catalog.count() > 0) {
            const int index = static_cast<int>(random() % catalog.count());
            const std::string section = catalog.sectionNames[index];
            if (catalog.removeProfile(index)) kept.erase(section);
        }
        ProfileCatalog now(kCatalogFilePath);
        now.load();
        const std::string file = readWholeFile("dumplist.ini");
        ASSERT_EQ(kept, listed(now)) << "step " << step << ": " << file;
        // Wine's profile writer drops a header with a blank name when it rewrites; its lines stay.
        for (const std::string& text : handMade)
            ASSERT_NE(std::string::npos, file.find(text.substr(text.compare(0, 4, "[]\r\n") == 0 ? 4 : 0))) << file;
    }
}

}  // namespace
