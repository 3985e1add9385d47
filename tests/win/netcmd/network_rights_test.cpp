// Who may change the network: asked of the process token, and told before netsh runs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "common/late_binding.h"
#include "common/task_outcome.h"
#include "netcmd/command_runner.h"
#include "netcmd/network_rights.h"
#include "profiles/profile_apply.h"
#include "profiles/profile_catalog.h"
#include "profiles/select_dialog.h"
#include "tcpip/tcpip_dialog.h"
#include "win/support.h"

namespace {

int memberships = 0;  // bit 0: Administrators, bit 1: Network Configuration Operators; -1: the check fails, -2: missing
std::vector<std::string> shown;

BOOL WINAPI answerMembership(HANDLE, PSID group, PBOOL member) {
    if (memberships < 0) return FALSE;
    const DWORD rid = *GetSidSubAuthority(group, 1);
    *member = (rid == DOMAIN_ALIAS_RID_ADMINS && (memberships & 1)) || (rid == 556 && (memberships & 2));
    return TRUE;
}
int WINAPI recordBox(HWND, LPCSTR text, LPCSTR, UINT) { return shown.push_back(text), IDOK; }
INT_PTR WINAPI pressOk(HINSTANCE, LPCSTR, HWND, DLGPROC, LPARAM) { return 101; }

TEST(NetworkRights, NeitherGroupMayChangeTheNetworkAndIsToldSoBeforeAnyNetshRuns) {
    EXPECT_EQ(1, mayChangeNetworkSettings()) << "Wine's user is an administrator";
    // Bound at first use: on Windows NT 4.0 (-2) it is missing, and cannot be asked.
    const int cases[][2] = {{1, 1}, {2, 1}, {3, 1}, {0, 0}, {-1, 1}, {-2, 1}};  // groups, may change
    for (const auto& c : cases) {
        memberships = c[0];
        late::CheckTokenMembership.standIn = memberships == -2 ? nullptr : answerMembership;
        EXPECT_EQ(c[1], mayChangeNetworkSettings()) << "groups " << c[0];
    }

    // Menu 500 and "/L" (the dialog answered with OK), "/L NAME" and the TCP/IP dialog's OK.
    ScratchDir dir;
    dir.enter();
    writeWholeFile("dumplist.ini", "[000]\r\nname=Office\r\npath=.\\000.dmp\r\n");
    writeWholeFile("000.dmp", "pushd interface ip\r\nset address name=\"x\" source=dhcp\r\npopd\r\n");
    SetEnvironmentVariableA("TESSALY_SIM_LOG", dir.file("netsh.log").c_str());
    void* box = replaceImport("user32.dll", "MessageBoxA", reinterpret_cast<void*>(recordBox));
    void* dialog = replaceImport("user32.dll", "DialogBoxParamA", reinterpret_cast<void*>(pressOk));
    memberships = 0;
    late::CheckTokenMembership.standIn = answerMembership;
    ProfileCatalog catalog(kCatalogFilePath);
    catalog.load();
    CommandRunner runner;
    // The exit codes: refused before netsh for an apply, not done for the TCP/IP change.
    EXPECT_EQ(kTaskRefused, runSelectCommand(nullptr, &catalog, &runner));
    EXPECT_EQ(kTaskRefused, applyNamedProfile(nullptr, &catalog, &runner, "Office", 1));
    tcpIpRequest.adapterIndex = 0;  // the dialog's first connection
    EXPECT_EQ(kTaskNotDone, runTcpIpCommand(nullptr, &catalog, &runner));
    replaceImport("user32.dll", "DialogBoxParamA", dialog);
    replaceImport("user32.dll", "MessageBoxA", box);
    endStandIns();
    SetEnvironmentVariableA("TESSALY_SIM_LOG", nullptr);
    EXPECT_EQ(std::vector<std::string>(3, kNeedsAdministratorText), shown);
    EXPECT_FALSE(fileExists(dir.file("netsh.log"))) << "netsh ran";
}

}  // namespace
