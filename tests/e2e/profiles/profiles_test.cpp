// Saving, applying and deleting profiles end to end on the simulated network.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/automation.h"
#include "e2e/expectations.h"
#include "machine_seed.h"
#include "netcmd/command_runner.h"
#include "win/scratch_dir.h"
#include "win/sim_values.h"

namespace {

const char kSaveTitle[] = "ネットワークの設定を保存";
// The dialogs' own OK and Cancel buttons (message boxes use IDOK and IDCANCEL).
constexpr int kOkButton = 101;
constexpr int kCancelButton = 102;
constexpr int kDeleteButton = 104;
const char kSelectTitle[] = "ネットワークの設定を選択";

class Profiles : public OnTheSimulatedNetwork {
protected:
    // Starts the tool in a one-task mode and waits for its dialog.
    HWND startWithDialog(TessalyRun& run, const char* tail, const char* title) {
        if (!run.start(tail, dir.path())) return nullptr;
        return run.waitForDialog(title);
    }
    // Waits for the outcome box, checks its text and closes it.
    void expectOutcome(TessalyRun& run, const char* title, const char* text) {
        HWND box = run.waitForDialog(title);
        ASSERT_NE(nullptr, box) << "no box titled " << title << "; windows: " << run.describeWindows();
        EXPECT_EQ(text, messageBoxText(box));
        EXPECT_FALSE(hasButton(box, IDCANCEL));
        pressButton(box, IDOK);
        ASSERT_TRUE(waitForWindowGone(box));
    }
    // Saves the current settings under the name in the /S mode; the outcome box must
    // show the given text.
    void saveAs(const std::string& name, const char* outcome = "ネットワークの設定を保存しました。") {
        TessalyRun run;
        HWND dialog = startWithDialog(run, "/S", kSaveTitle);
        ASSERT_NE(nullptr, dialog);
        typeText(dialog, 200, name);
        pressButton(dialog, kOkButton);
        expectOutcome(run, "確認", outcome);
        expectEndsWithZero(run);
    }
    std::string catalogue() const { return readWholeFile(dir.file("dumplist.ini")); }
    static void changeLanToDhcp() {
        CommandRunner runner;
        const TcpIpRequest dhcp = {0, 1, 0, 0, 0, 1, 0, 0};
        ASSERT_EQ(1, runner.applyTcpIp(kLanName, dhcp));
    }

};

std::vector<std::string> listItems(HWND dialog) {
    std::vector<std::string> items;
    const LRESULT count = SendDlgItemMessageA(dialog, 100, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // Across processes Wine passes list texts whole only in their wide form.
        wchar_t wide[256] = L"";
        SendDlgItemMessageW(dialog, 100, LB_GETTEXT, i, reinterpret_cast<LPARAM>(wide));
        char text[512] = "";
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        items.push_back(text);
    }
    return items;
}

TEST_F(Profiles, SavedSettingsComeBackWhenTheProfileIsApplied) {
    const auto seeded = interfaceValues();
    saveAs("Office");
    EXPECT_EQ("[000]\r\nname=Office\r\npath=.\\000.dmp\r\nsort=0\r\n", catalogue());
    const std::string script = readWholeFile(dir.file("000.dmp"));
    EXPECT_NE(std::string::npos,
              script.find("set address name=\"ローカル エリア接続\" source=static addr=192.168.0.10 mask=255.255.255.0"))
        << script;

    changeLanToDhcp();
    ASSERT_NE(seeded, interfaceValues());

    TessalyRun run;
    HWND dialog = startWithDialog(run, "/L", kSelectTitle);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ((std::vector<std::string>{"Office"}), listItems(dialog));
    EXPECT_EQ(0, SendDlgItemMessageA(dialog, 100, LB_GETCURSEL, 0, 0)) << "the first profile is preselected";
    pressButton(dialog, kOkButton);
    expectOutcome(run, "確認", "ネットワークの設定を適応しました。");
    expectEndsWithZero(run);
    EXPECT_EQ(seeded, interfaceValues());
    EXPECT_EQ("netsh exec .\\000.dmp", logged().back());
}

TEST_F(Profiles, DoubleClickOnAnItemAppliesIt) {
    saveAs("Home");
    saveAs("Customer");
    changeLanToDhcp();
    TessalyRun run;
    HWND dialog = startWithDialog(run, "/L", kSelectTitle);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ((std::vector<std::string>{"Home", "Customer"}), listItems(dialog));
    HWND list = GetDlgItem(dialog, 100);
    const LRESULT itemHeight = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    const LPARAM secondItem = MAKELPARAM(10, itemHeight + itemHeight / 2);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, secondItem);
    PostMessageA(list, WM_LBUTTONUP, 0, secondItem);
    PostMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, secondItem);
    PostMessageA(list, WM_LBUTTONUP, 0, secondItem);
    expectOutcome(run, "確認", "ネットワークの設定を適応しました。");
    expectEndsWithZero(run);
    EXPECT_EQ("netsh exec .\\001.dmp", logged().back());
}

TEST_F(Profiles, DeleteAsksFirstAndKeepsTheScriptFile) {
    saveAs("A");
    saveAs("B");
    const std::string before = catalogue();
    TessalyRun run;
    HWND dialog = startWithDialog(run, "/L", kSelectTitle);
    ASSERT_NE(nullptr, dialog);
    pressButton(dialog, kDeleteButton);
    HWND question = run.waitForDialog("確認");
    ASSERT_NE(nullptr, question);
    EXPECT_EQ("削除して良いですか？", messageBoxText(question));
    EXPECT_TRUE(hasButton(question, IDCANCEL));
    pressButton(question, IDCANCEL);
    ASSERT_TRUE(waitForWindowGone(question));
    EXPECT_TRUE(IsWindowVisible(dialog)) << "Cancel keeps the dialog open";
    EXPECT_EQ(before, catalogue());

    pressButton(dialog, kDeleteButton);
    question = run.waitForDialog("確認");
    ASSERT_NE(nullptr, question);
    pressButton(question, IDOK);
    ASSERT_TRUE(waitForWindowGone(question));
    expectOutcome(run, "確認", "ネットワークの設定を削除しました。");
    expectEndsWithZero(run);
    EXPECT_EQ("[001]\r\nname=B\r\npath=.\\001.dmp\r\nsort=0\r\n", catalogue());
    EXPECT_TRUE(fileExists(dir.file("000.dmp")));
}

TEST_F(Profiles, EscClosesNeitherDialogAndTheCloseBoxChangesNothing) {
    saveAs("Office");
    const std::string before = catalogue();
    const struct {
        const char* tail;
        const char* title;
    } dialogs[] = {{"/L", kSelectTitle}, {"/S", kSaveTitle}};
    for (const auto& d : dialogs) {
        SCOPED_TRACE(d.tail);
        const size_t calls = logged().size();
        TessalyRun run;
        HWND dialog = startWithDialog(run, d.tail, d.title);
        ASSERT_NE(nullptr, dialog);
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutA(dialog, WM_COMMAND, IDCANCEL, 0, SMTO_NORMAL, kWaitMs, &result));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "Esc does not close the dialog";
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        // No outcome box may come up: the one-task process ends by itself.
        expectEndsWithZero(run);
        EXPECT_EQ(calls, logged().size()) << "no netsh was run";
        EXPECT_EQ(before, catalogue());
    }
}

TEST_F(Profiles, EmptyNamesAndMissingSelectionsAreTold) {
    {
        TessalyRun run;
        HWND dialog = startWithDialog(run, "/L", kSelectTitle);
        ASSERT_NE(nullptr, dialog);
        EXPECT_TRUE(listItems(dialog).empty());
        for (int button : {kOkButton, kDeleteButton}) {
            pressButton(dialog, button);
            expectOutcome(run, "設定の読込み", "選択されていません。");
            EXPECT_TRUE(IsWindowVisible(dialog));
        }
        pressButton(dialog, kCancelButton);
        expectEndsWithZero(run);
    }
    TessalyRun run;
    HWND dialog = startWithDialog(run, "/S", kSaveTitle);
    ASSERT_NE(nullptr, dialog);
    pressButton(dialog, kOkButton);
    expectOutcome(run, "設定の保存", "設定名称が入力されていません。");
    EXPECT_TRUE(IsWindowVisible(dialog));
    typeText(dialog, 200, " ");
    pressButton(dialog, kOkButton);
    expectOutcome(run, "確認", "ネットワークの設定を保存しました。");
    expectEndsWithZero(run);
}

TEST_F(Profiles, LongNamesAreCutTo99Bytes) {
    saveAs(std::string(120, 'a'));
    EXPECT_EQ("[000]\r\nname=" + std::string(99, 'a') + "\r\npath=.\\000.dmp\r\nsort=0\r\n", catalogue());
    // 60 two-byte characters: the cut falls inside the 50th, which is left out.
    std::string japanese;
    for (int i = 0; i < 60; ++i) japanese += "設";
    saveAs(japanese);
    EXPECT_NE(std::string::npos, catalogue().find("name=" + japanese.substr(0, 98) + "\r\n"));
}

TEST_F(Profiles, NetshFailuresKeepNoEntryAndAreTold) {
    for (const char* fault : {"TESSALY_SIM_EXIT_CODE", "TESSALY_SIM_NO_OUTPUT"}) {
        SCOPED_TRACE(fault);
        SetEnvironmentVariableA(fault, "1");
        saveAs("Office", "ネットワークの設定を保存できませんでした。");
        EXPECT_EQ(std::string::npos, catalogue().find("Office"));
        SetEnvironmentVariableA(fault, nullptr);
    }
    saveAs("Office");
    SetEnvironmentVariableA("TESSALY_SIM_EXIT_CODE", "1");
    TessalyRun run;
    HWND dialog = startWithDialog(run, "/L", kSelectTitle);
    ASSERT_NE(nullptr, dialog);
    pressButton(dialog, kOkButton);
    expectOutcome(run, "確認", "ネットワークの設定を適応できませんでした。");
    expectEndsWithZero(run);
}

TEST_F(Profiles, ACatalogueThatCannotBeWrittenOrIsFullRefusesTheSave) {
    ASSERT_TRUE(CreateDirectoryA(dir.file("dumplist.ini").c_str(), nullptr));
    saveAs("Office", "ネットワークの設定を保存できませんでした。");
    EXPECT_TRUE(logged().empty()) << "nothing is dumped for an entry that was not written";
    RemoveDirectoryA(dir.file("dumplist.ini").c_str());
    std::string full;
    for (int i = 0; i < 1000; ++i) {
        char section[64];
        snprintf(section, sizeof section, "[%03d]\r\nname=n\r\npath=.\\%03d.dmp\r\nsort=0\r\n", i, i);
        full += section;
    }
    writeWholeFile(dir.file("dumplist.ini"), full);
    saveAs("one more", "これ以上設定を保存できません。\n不要な設定を削除してください。");
    EXPECT_EQ(full, catalogue());
}

TEST_F(Profiles, InTheVisibleToolTheCommandsLeaveTheWindowOpen) {
    TessalyRun run;
    ASSERT_TRUE(run.start("", dir.path()));
    HWND mainWindow = run.waitForMainWindow();
    ASSERT_NE(nullptr, mainWindow);
    postCommand(mainWindow, 501);
    HWND save = run.waitForDialog(kSaveTitle);
    ASSERT_NE(nullptr, save);
    pressButton(save, kCancelButton);
    ASSERT_TRUE(waitForWindowGone(save));
    postCommand(mainWindow, 500);
    HWND select = run.waitForDialog(kSelectTitle);
    ASSERT_NE(nullptr, select);
    pressButton(select, kCancelButton);
    ASSERT_TRUE(waitForWindowGone(select));
    EXPECT_TRUE(run.isRunning());
    EXPECT_FALSE(fileExists(dir.file("dumplist.ini")));
    postCommand(mainWindow, 503);
    expectEndsWithZero(run);
}

TEST_F(Profiles, DialogsHaveTheirControls) {
    {
        TessalyRun run;
        HWND dialog = startWithDialog(run, "/L", kSelectTitle);
        ASSERT_NE(nullptr, dialog);
        expectControls(dialog, {
            // The list box drops WS_VSCROLL while its few items need no scroll bar.
            {100, "ListBox", nullptr, WS_TABSTOP, LBS_NOTIFY | LBS_SORT},
            {101, "Button", "O K", BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
            {102, "Button", "Cancel", WS_TABSTOP, BS_DEFPUSHBUTTON},
            {103, "Static", "保存済み設定一覧：", 0, 0},
            {104, "Button", "Del", 0, WS_TABSTOP | BS_DEFPUSHBUTTON},
        });
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, 100), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        const LONG style = GetWindowLongA(dialog, GWL_STYLE);
        EXPECT_TRUE(style & WS_MINIMIZEBOX);
        EXPECT_FALSE(style & WS_THICKFRAME);
        pressButton(dialog, kCancelButton);
        expectEndsWithZero(run);
    }
    TessalyRun run;
    HWND dialog = startWithDialog(run, "/S", kSaveTitle);
    ASSERT_NE(nullptr, dialog);
    expectControls(dialog, {
        {200, "Edit", "", ES_AUTOHSCROLL | WS_TABSTOP, 0},
        {101, "Button", "O K", BS_DEFPUSHBUTTON | WS_TABSTOP, 0},
        {102, "Button", "Cancel", WS_TABSTOP, BS_DEFPUSHBUTTON},
        {203, "Static", "現在のネットワークの設定を保存します。", 0, 0},
        {204, "Static", "設定名称：", 0, 0},
        {205, "Static", "場所の名前など後でわかりやすい名称を入力してください。", 0, 0},
        {206, "Static", "ここで入力した名称が選択時の一覧に表示されます。", 0, 0},
    });
    EXPECT_TRUE(GetWindowLongA(dialog, GWL_STYLE) & WS_THICKFRAME);
    pressButton(dialog, kCancelButton);
    expectEndsWithZero(run);
}

}  // namespace
