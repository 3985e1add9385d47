// The version box: its texts, how it closes, and the homepage line, whose clicks are
// recorded by the helper child registered for the http protocol in the test prefix.
#include "e2e/fixture.h"

namespace {

constexpr char kHttpCommandKey[] = "Software\\Classes\\http\\shell\\open\\command";

// Points the http protocol at the recording helper for the guard's life.
class RecordedBrowser {
public:
    explicit RecordedBrowser(const std::string& log) {
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, kHttpCommandKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr);
        char old[1024] = "";
        DWORD size = sizeof old;
        hadOld_ = RegQueryValueExA(key_, nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(old), &size) == 0;
        old_ = old;
        set("\"" + windowsPathOf(RUNNER_CHILD) + "\" \"%1\"");
        SetEnvironmentVariableA("TESSALY_CHILD_LOG", log.c_str());
    }
    ~RecordedBrowser() {
        if (hadOld_)
            set(old_);
        else
            RegDeleteValueA(key_, nullptr);
        RegCloseKey(key_);
        SetEnvironmentVariableA("TESSALY_CHILD_LOG", nullptr);
    }

private:
    void set(const std::string& command) {
        RegSetValueExA(key_, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                       static_cast<DWORD>(command.size() + 1));
    }
    HKEY key_ = nullptr;
    bool hadOld_ = false;
    std::string old_;
};

// How often the log names the address, once it has named it `expected` times or the
// wait is over (the browser starts apart from the tool).
int openings(const std::string& log, int expected) {
    int count = 0;
    for (DWORD waited = 0; waited < kWaitMs && count < expected; waited += 50, Sleep(50)) {
        const std::string text = readWholeFile(log);
        count = 0;
        const char address[] = "http://tessaly.example/";
        for (size_t at = text.find(address); at != std::string::npos; at = text.find(address, at + 1)) ++count;
    }
    return count;
}

class VersionBox : public ToolTest {};

TEST_F(VersionBox, ShowsTheProductOpensTheAddressOnEachClickAndClosesOnlyWithOkOrTheCloseBox) {
    const std::string log = dir.file("browser.log");
    RecordedBrowser browser(log);
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    ASSERT_NE(nullptr, mainWindow);
    for (bool closeBox : {false, true}) {
        postCommand(mainWindow, 508);
        HWND box = run.waitForDialog("バージョン情報");
        ASSERT_NE(nullptr, box);
        EXPECT_EQ("Tessaly Version 1.3|作成: Tessaly プロジェクト|Powered by netsh|http://tessaly.example/",
                  itemText(box, 300) + "|" + itemText(box, 301) + "|" + itemText(box, 302) + "|" + itemText(box, 303));
        for (int id : {303, 300, 303}) {
            SendMessageTimeoutA(box, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                                reinterpret_cast<LPARAM>(GetDlgItem(box, id)), SMTO_NORMAL, kWaitMs, nullptr);
        }
        sendCommand(box, IDCANCEL);
        EXPECT_TRUE(IsWindowVisible(box)) << "Esc does not close the box";
        if (closeBox)
            PostMessageA(box, WM_SYSCOMMAND, SC_CLOSE, 0);
        else
            pressButton(box, 101);
        ASSERT_TRUE(waitForWindowGone(box));
    }
    EXPECT_EQ(4, openings(log, 4)) << "two clicks on the address in each box, none elsewhere";
    Sleep(300);
    EXPECT_EQ(4, openings(log, 4));
    exitThroughMenu(run, mainWindow);
}

}  // namespace
