// The version box: its texts, how it closes, and the homepage line, whose clicks go to
// the helper child registered for the http protocol in the test prefix.
#include "e2e/fixture.h"

namespace {

class VersionBox : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command", 0, nullptr, 0,
                        KEY_ALL_ACCESS, nullptr, &http, nullptr);
        DWORD size = sizeof previous;
        RegQueryValueExA(http, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(previous), &size);
        const std::string browser = "\"" + windowsPathOf(RUNNER_CHILD) + "\" \"%1\"";
        RegSetValueExA(http, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(browser.c_str()), browser.size() + 1);
        SetEnvironmentVariableA("TESSALY_CHILD_LOG", browserLog.c_str());
    }
    void TearDown() override {
        if (*previous)
            RegSetValueExA(http, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(previous), strlen(previous) + 1);
        else
            RegDeleteValueA(http, nullptr);
        RegCloseKey(http);
        SetEnvironmentVariableA("TESSALY_CHILD_LOG", nullptr);
        ToolTest::TearDown();
    }
    // How often the browser was asked for the address, once it has been `expected`
    // times or the wait is over (it starts apart from the tool).
    int openings(int expected) {
        int count = 0;
        for (DWORD waited = 0; waited < kWaitMs && count < expected; waited += 50, Sleep(50)) {
            const std::string text = readWholeFile(browserLog);
            const std::string address = "http://tessaly.example/";
            count = 0;
            for (size_t at = text.find(address); at != std::string::npos; at = text.find(address, at + 1)) ++count;
        }
        return count;
    }

    HKEY http = nullptr;
    char previous[1024] = "";
    std::string browserLog = dir.file("browser.log");
};

TEST_F(VersionBox, ShowsTheProductOpensTheAddressOnEachClickAndClosesOnlyWithOkOrTheCloseBox) {
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    ASSERT_NE(nullptr, mainWindow);
    for (bool closeBox : {false, true}) {
        postCommand(mainWindow, 508);
        HWND box = run.waitForDialog("バージョン情報");
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("Tessaly Version 1.3|作成: Tessaly プロジェクト|Powered by netsh|http://tessaly.example/",
                  itemText(box, 300) + "|" + itemText(box, 301) + "|" + itemText(box, 302) + "|" + itemText(box, 303));
        for (int id : {303, 300, 303})
            SendMessageTimeoutA(box, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                                reinterpret_cast<LPARAM>(GetDlgItem(box, id)), SMTO_NORMAL, kWaitMs, nullptr);
        sendCommand(box, IDCANCEL);
        EXPECT_TRUE(IsWindowVisible(box)) << "Esc does not close the box";
        if (closeBox)
            PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            pressButton(box, 101);
        ASSERT_TRUE(waitForWindowGone(box));
    }
    EXPECT_EQ(4, openings(4)) << "two clicks on the address in each box";
    Sleep(300);
    EXPECT_EQ(4, openings(4)) << "a click elsewhere opens nothing";
    exitThroughMenu(run, mainWindow);
}

}  // namespace
