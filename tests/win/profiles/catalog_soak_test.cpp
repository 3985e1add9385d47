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
// is not three digits, blank, short, or one used before), keys and junk lines.
std::string handEdit(std::mt19937& random) {
    static const char* const kNames[] = {"abc", "Basic", "0001", "x y", "abc", "Basic", "", "7"};
    static const char* const kLines[] = {"note=mine", "junk line without equals", "; a comment", "name=", "path=.\\9.dmp"};
    std::string text = std::string("[") + kNames[random() % (random() % 4 ? 6 : 8)] + "]\r\n";  // short ones rarer
    for (unsigned lines = random() % 3; lines > 0; --lines) text += std::string(kLines[random() % 5]) + "\r\n";
    return text;
}

TEST(CatalogSoak, NoProfileIsLostAndNoSectionTheCatalogueDoesNotListIsTouched) {
    ASSERT_TRUE(simulationInstalled()) << "the soak runs the netsh stand-in";
    ScratchDir dir;
    dir.enter();
    std::mt19937 random(20261207);
    CommandRunner runner;
    int steps = 0, saves = 0, faults = 0, deletes = 0, edits = 0;
    std::map<std::string, std::string> kept;  // section: "name|path|script"
    std::vector<std::string> handMade;
    for (int sequence = 0; sequence < 500; ++sequence) {
        if (sequence % 10 == 0) {  // a short section name blocks all later saves: start afresh now and then
            writeWholeFile("dumplist.ini", "");
            kept.clear();
            handMade.clear();
        }
        for (unsigned step = 0, count = 1 + random() % 3; step < count; ++step, ++steps) {
            ProfileCatalog catalog(kCatalogFilePath);
            catalog.load();
            const unsigned what = random() % 4;
            if (what == 0) {
                handMade.push_back(handEdit(random));
                writeWholeFile("dumplist.ini", readWholeFile("dumplist.ini") + handMade.back());
                ++edits;
            } else if (what == 1 || what == 2) {
                const char* fault = random() % 2 ? nullptr : random() % 2 ? "TESSALY_SIM_EXIT_CODE" : "TESSALY_SIM_NO_OUTPUT";
                if (fault != nullptr) SetEnvironmentVariableA(fault, "1");
                const std::string name = "P" + std::to_string(random() % 1000);
                const SaveOutcome outcome = saveNamedProfile(&catalog, &runner, name.c_str());
                if (fault != nullptr) SetEnvironmentVariableA(fault, nullptr);
                ProfileEntry entry;
                if (outcome == SaveOutcome::Saved && catalog.entryAt(catalog.count() - 1, &entry))
                    kept[catalog.sectionNames[catalog.count() - 1]] =
                        std::string(entry.name) + "|" + entry.path + "|" + readWholeFile(entry.path);
                EXPECT_TRUE(fault == nullptr || outcome == SaveOutcome::Failed) << fault;
                ++saves;
                faults += fault != nullptr;
            } else if (catalog.count() > 0) {
                const int index = static_cast<int>(random() % catalog.count());
                const std::string section = catalog.sectionNames[index];
                if (catalog.removeProfile(index)) kept.erase(section);
                ++deletes;
            }
            // Every kept profile is listed with its script; the hand edits are there verbatim.
            ProfileCatalog now(kCatalogFilePath);
            now.load();
            std::map<std::string, std::string> listed;
            for (int i = 0; i < now.count(); ++i) {
                ProfileEntry entry;
                now.entryAt(i, &entry);
                listed[now.sectionNames[i]] = std::string(entry.name) + "|" + entry.path + "|" + readWholeFile(entry.path);
            }
            ASSERT_EQ(kept, listed) << "sequence " << sequence << " step " << step << ": " << readWholeFile("dumplist.ini");
            const std::string file = readWholeFile("dumplist.ini");
            // (A header with a blank name is the platform's to drop when it rewrites the file.)
            for (const std::string& text : handMade)
                ASSERT_NE(std::string::npos, file.find(text.substr(text.compare(0, 4, "[]\r\n") == 0 ? 4 : 0)))
                    << "sequence " << sequence << ": " << text << " in " << file;
        }
    }
    std::printf("catalogue soak: %d sequences, %d steps: %d saves (%d with netsh failing), %d deletes, %d hand edits\n",
                500, steps, saves, faults, deletes, edits);
}

}  // namespace
