// The default printer through a stand-in winspool that does what Wine's does not: Windows
// gives a name back whole (Wine cuts it at its first comma), and a set may not take (Wine's
// always does). The real winspool is driven end to end in Profiles.TheDefaultPrinter….
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "common/late_binding.h"
#include "common/task_outcome.h"
#include "machine_seed.h"
#include "netcmd/command_runner.h"
#include "printer/default_printer.h"
#include "printer/printer_extra.h"
#include "profiles/profile_apply.h"
#include "profiles/profile_catalog.h"
#include "profiles/profile_texts.h"
#include "profiles/profile_save.h"
#include "sim_registry.h"
#include "win/support.h"

namespace {

std::string windowsDefault;  // what the stand-in holds
std::wstring wideDefault;    // its Unicode name, when the ANSI one is not that name converted
bool setTakes = true, getFails = false, wideFails = false;
std::vector<std::string> shown;

BOOL WINAPI getDefault(LPSTR buffer, LPDWORD size) {
    if (getFails || *size <= windowsDefault.size()) return SetLastError(ERROR_INSUFFICIENT_BUFFER), FALSE;
    return lstrcpyA(buffer, windowsDefault.c_str()) != nullptr;
}
BOOL WINAPI getDefaultWide(LPWSTR buffer, LPDWORD size) {
    std::wstring name = wideDefault;
    if (name.empty()) {
        name.resize(windowsDefault.size() + 1);
        name.resize(MultiByteToWideChar(CP_ACP, 0, windowsDefault.c_str(), -1, &name[0], name.size()) - 1);
    }
    if (getFails || wideFails || *size <= name.size()) return SetLastError(ERROR_INSUFFICIENT_BUFFER), FALSE;
    return lstrcpyW(buffer, name.c_str()) != nullptr;
}
BOOL WINAPI setDefault(LPCSTR name) { return setTakes ? windowsDefault = name, wideDefault.clear(), TRUE : TRUE; }
int WINAPI recordBox(HWND, LPCSTR text, LPCSTR, UINT) { return shown.push_back(text), IDOK; }

// A name with a comma, blanks and Japanese text is saved and set byte for byte; a printer
// that cannot be read, in ANSI or in Unicode, is not saved and says so, and one whose name the
// code page cannot hold refuses the save; a set that did not take, or a default that cannot be read back, fails
// the verdict with its line, and so does a default that only looks like the profile's printer
// in the code page (another printer, whose name has a character 932 lacks).
TEST(DefaultPrinter, ANameRoundTripsByteForByteAndTheVerdictIsWhatWinspoolHolds) {
    ASSERT_EQ(1, seedSimulatedMachine());
    ScratchDir dir;
    dir.enter();
    void* box = replaceImport("user32.dll", "MessageBoxA", reinterpret_cast<void*>(recordBox));
    late::GetDefaultPrinterA.standIn = getDefault;
    late::SetDefaultPrinterA.standIn = setDefault;
    late::GetDefaultPrinterW.standIn = getDefaultWide;
    const std::string odd = "\\\\fs01\\経理 LP, 3F";
    HKEY devices = createKey(HKEY_CURRENT_USER, kUserPrintersKey);  // this user has it
    ASSERT_TRUE(writeText(devices, odd.c_str(), "winspool,Ne02:"));
    RegCloseKey(devices);
    ProfileCatalog catalog(kCatalogFilePath);
    catalog.load();
    CommandRunner runner;
    SaveRequest request = {nullptr, -1, {}, 0};
    for (int i = 0; i < kExtraKindCount; ++i) request.extrasAsked[i] = kExtraKinds[i] == &kPrinterExtra;  // the printer alone
    for (const char* name : {"Office", "Lost", "Wide", "Cafe"}) {
        windowsDefault = name[0] == 'C' ? "Cafe LP" : odd;  // what Windows makes of "Café LP"
        wideDefault = name[0] == 'C' ? L"Caf\u00E9 LP" : L"";
        getFails = name[0] == 'L';
        wideFails = name[0] == 'W';
        request.name = name;
        EXPECT_EQ(name[0] == 'C' ? kTaskNotDone : kTaskDone, saveProfile(nullptr, &catalog, &runner, request)) << name;
    }
    wideFails = false;
    const std::string notTaken = std::string(kApplyFailedText) + "\n\n反映されていない設定：\n「プリンタ」 通常使うプリンタ： ";
    const std::wstring lookAlike = L"\\\\fs01\\経理 \u0141P, 3F";  // "ŁP" given as "LP"
    const struct {
        bool takes, fails;
        std::wstring wide;
        std::string told;
    } cases[] = {{true, false, L"", kAppliedText}, {false, false, L"", notTaken + "指定 " + odd + " ／ 現在 Home"},
                 {true, true, L"", notTaken + "読み取れません"}, {false, false, lookAlike, notTaken + "読み取れません"}};
    const std::string notSaved = std::string(kSavedText) + "\n" + kPrinterNotSavedLine;
    std::vector<std::string> expected = {kSavedText, notSaved, notSaved, kPrinterNameNotAnsiText};
    for (const auto& c : cases) {
        windowsDefault = c.wide.empty() ? "Home" : odd;
        wideDefault = c.wide;
        setTakes = c.takes;
        getFails = c.fails;
        EXPECT_EQ(c.takes && !c.fails ? kTaskDone : kTaskNotDone,
                  applyNamedProfile(nullptr, &catalog, &runner, "Office", 1));
        EXPECT_EQ(c.takes || !c.wide.empty() ? odd : "Home", windowsDefault);
        expected.push_back(c.told);
    }
    setTakes = true;
    getFails = false;
    endStandIns();
    replaceImport("user32.dll", "MessageBoxA", box);
    seedSimulatedMachine();
    EXPECT_EQ(expected, shown);
    const std::string network = kSeededNetworkKey;  // every save records the network
    EXPECT_EQ("[000]\r\nname=Office\r\npath=.\\000.dmp\r\nsort=0\r\nprinter=" + odd + "\r\n" + network +
                  "[001]\r\nname=Lost\r\npath=.\\001.dmp\r\nsort=0\r\n" + network +
                  "[002]\r\nname=Wide\r\npath=.\\002.dmp\r\nsort=0\r\n" + network,
              readWholeFile("dumplist.ini"));
}

}  // namespace
