// Run as another user: the tool asks the tokens whose desktop it is on, and keeps the
// browser's proxy and the default printer of another account out of a profile and off an
// apply. The test program answers the token question through the functions the tool binds
// at first use.
#include "common/desktop_user.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "browser/browser_proxy.h"
#include "common/late_binding.h"
#include "machine_seed.h"
#include "netcmd/command_runner.h"
#include "printer/default_printer.h"
#include "profiles/profile_apply.h"
#include "profiles/profile_catalog.h"
#include "profiles/profile_texts.h"
#include "profiles/save_dialog.h"
#include "profiles/select_dialog.h"
#include "shortcuts/desktop_shortcut.h"
#include "win/support.h"

namespace {

bool otherUser = false;               // the shell's token answers with another account
HANDLE shellToken = nullptr;          // the token last opened, when it is another process's
std::vector<std::string> shown;       // message boxes, in order
int proxyCalls = 0;                   // WinINet and winspool calls of the proxy and the printer
HWND WINAPI desktopAsShell() { return GetDesktopWindow(); }  // a window of another process

DWORD refused = 0;                    // 1: the shell's process, 2: its token, 3: the process, not for rights
decltype(&OpenProcess) realOpenProcess = nullptr;  // this program's own calls go to the stand-in too
HANDLE WINAPI openProcess(DWORD access, BOOL inherit, DWORD id) {
    if (refused == 1 || refused == 3) return SetLastError(refused == 1 ? ERROR_ACCESS_DENIED : ERROR_INVALID_PARAMETER), nullptr;
    return realOpenProcess(access, inherit, id);
}
BOOL WINAPI openToken(HANDLE process, DWORD access, PHANDLE token) {
    if (refused == 2 && process != GetCurrentProcess()) return SetLastError(ERROR_ACCESS_DENIED), FALSE;
    const BOOL opened = OpenProcessToken(process, access, token);
    shellToken = opened && process != GetCurrentProcess() ? *token : nullptr;  // handle values come again
    return opened;
}
BOOL WINAPI tokenInformation(HANDLE token, TOKEN_INFORMATION_CLASS kind, LPVOID out, DWORD size, PDWORD needed) {
    const BOOL read = GetTokenInformation(token, kind, out, size, needed);
    if (read && kind == TokenUser && otherUser && token == shellToken) {
        PSID sid = static_cast<TOKEN_USER*>(out)->User.Sid;
        ++*GetSidSubAuthority(sid, *GetSidSubAuthorityCount(sid) - 1u);  // the next account of that domain
    }
    return read;
}
int WINAPI recordBox(HWND, LPCSTR text, LPCSTR, UINT) { return shown.push_back(text), IDCANCEL; }
INT_PTR WINAPI saveAgain(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM request) {
    return reinterpret_cast<SaveRequest*>(request)->replacedIndex = 0, 101;
}
BOOL WINAPI countQuery(void*, DWORD, void*, DWORD*) { return ++proxyCalls, TRUE; }
BOOL WINAPI countSet(void*, DWORD, void*, DWORD) { return ++proxyCalls, TRUE; }
BOOL WINAPI countGetPrinter(LPSTR, LPDWORD) { return ++proxyCalls, FALSE; }
BOOL WINAPI countSetPrinter(LPCSTR) { return ++proxyCalls, TRUE; }

class DesktopUser : public ::testing::Test {
protected:
    void SetUp() override {
        late::GetShellWindow.standIn = desktopAsShell;
        late::OpenProcessToken.standIn = openToken;
        late::GetTokenInformation.standIn = tokenInformation;
        if (realOpenProcess == nullptr)  // stays: it answers as Windows does unless told to refuse
            realOpenProcess = reinterpret_cast<decltype(&OpenProcess)>(
                replaceImport("kernel32.dll", "OpenProcess", reinterpret_cast<void*>(openProcess)));
        otherUser = false;
        refused = 0;
    }
    void TearDown() override { endStandIns(); refused = 0; }
};

TEST_F(DesktopUser, AnotherAccountIsToldOnlyWhenEveryStepAnswersAndTheUsersDiffer) {
    // lack: takes a function away in this case, as a Windows without it
    const struct { void (*lack)(); bool other; DWORD refused; int runsAsAnother; } cases[] = {
        {nullptr, false, 0, 0},  {nullptr, true, 0, 1},
        // Windows refuses another account's shell process or token: that is the answer.
        {nullptr, false, 1, 1},  {nullptr, false, 2, 1},
        {nullptr, true, 3, 0},   {[] { late::GetShellWindow.standIn = nullptr; }, true, 0, 0},  // NT 4.0
        {[] { late::OpenProcessToken.standIn = nullptr; }, true, 0, 0},
        {[] { late::EqualSid.standIn = nullptr; }, true, 0, 0},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        TearDown();
        SetUp();
        if (cases[i].lack != nullptr) cases[i].lack();
        otherUser = cases[i].other;
        refused = cases[i].refused;
        EXPECT_EQ(cases[i].runsAsAnother, runsAsAnotherUser()) << "case " << i;
    }
}

// Run as another user, an apply leaves the browser and the printer alone and says so, a
// save records neither (a profile saved again keeps its own; the network it records) and says so, and a shortcut question names
// the account whose desktop gets it.
TEST_F(DesktopUser, RunAsAnotherUserTheProxyStaysOutAndTheShortcutNamesTheDesktop) {
    ASSERT_EQ(1, seedSimulatedMachine());
    ScratchDir dir;
    dir.enter();
    const std::string listed = "[000]\r\nname=Office\r\npath=.\\000.dmp\r\nproxy=1\r\nproxyserver=\r\nprinter=LP\r\n";
    writeWholeFile("dumplist.ini", listed);
    writeWholeFile("000.dmp", "pushd interface ip\r\nset dns name=\"ローカル エリア接続\" source=dhcp\r\npopd\r\n");
    void* box = replaceImport("user32.dll", "MessageBoxA", reinterpret_cast<void*>(recordBox));
    void* dialog = replaceImport("user32.dll", "DialogBoxParamA", reinterpret_cast<void*>(saveAgain));
    late::InternetQueryOptionA.standIn = countQuery;
    late::InternetSetOptionA.standIn = countSet;
    late::GetDefaultPrinterA.standIn = countGetPrinter;
    late::SetDefaultPrinterA.standIn = countSetPrinter;
    otherUser = true;
    ProfileCatalog catalog(kCatalogFilePath);
    catalog.load();
    CommandRunner runner;
    applyNamedProfile(nullptr, &catalog, &runner, "Office", 1);
    std::strcpy(profileNameBuffer, "Office");
    runSaveCommand(nullptr, &catalog, &runner);  // Yes to saving "Office" again
    runProfileShortcutCommand(nullptr, "Office");
    replaceImport("user32.dll", "DialogBoxParamA", dialog);
    replaceImport("user32.dll", "MessageBoxA", box);
    seedSimulatedMachine();
    char user[kUserNameSize];
    processUserName(user);
    EXPECT_EQ((std::vector<std::string>{
                  std::string(kAppliedText) + "\n\n" + kProxyWithheldLine + "\n" + kPrinterWithheldLine,
                  std::string(kSavedText) + "\n" + kProxyRunAsLine + "\n" + kPrinterRunAsLine,
                  std::string("ネットワーク設定「Office」のショートカットをデスクトップに作成します。\nよろしいですか？\n"
                              "（別のユーザーとして実行しているため、ユーザー「") +
                      user + "」のデスクトップに作成されます）"}),
              shown);
    EXPECT_EQ(0, proxyCalls) << "another account's browser or printer was asked or set";
    // The network is the machine's: recorded whoever runs the tool.
    EXPECT_EQ(listed + kSeededNetworkKey, readWholeFile("dumplist.ini")) << "the proxy or printer its own user saved goes";
}

}  // namespace
