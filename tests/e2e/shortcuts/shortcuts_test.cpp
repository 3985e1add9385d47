// Desktop shortcuts end to end, read back with an independent reader of .lnk files
// (Debian's lnkinfo, run through the shell from inside Wine).
#include <shlobj.h>

#include <cstdio>

#include "e2e/fixture.h"

namespace {

const char kQuestionTitle[] = "ショートカット作成";

struct Shortcut {
    int command;
    const char* question;
    const char* file;
    const char* arguments;
};

const Shortcut kShortcuts[] = {
    {504, "ネットワーク設定の読込み専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "ネットワーク設定読込み.lnk", "/L"},
    {505, "ネットワーク設定の保存専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "ネットワーク設定保存.lnk", "/S"},
    {506, "インターネットプロトコル設定の専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "インターネットプロトコル設定.lnk", "/T"},
};

// What lnkinfo reports of the link's target, arguments, working directory, description
// and icon, one per line, "(none)" for a field it does not show. The link is read from a
// byte-identical copy with a plain name: the command line reaches the shell re-encoded.
std::string linkFields(const std::string& linkPath) {
    char output[64];
    std::snprintf(output, sizeof output, "/tmp/tessaly-lnkinfo-%lu", GetCurrentProcessId());
    const std::string copy = std::string(output) + ".lnk";
    if (!CopyFileA(linkPath.c_str(), windowsPathOf(copy).c_str(), FALSE)) return "no link";
    // Wine cannot wait for a Unix process: the report is moved into place when complete.
    const std::string report = windowsPathOf(std::string(output) + ".txt");
    DeleteFileA(report.c_str());
    std::string command = std::string("/bin/sh -c \"/usr/bin/lnkinfo ") + copy + " > " + output + ".part 2>&1; mv " +
                          output + ".part " + output + ".txt\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return "lnkinfo did not start";
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    for (DWORD waited = 0; !fileExists(report) && waited < kWaitMs; waited += 50) Sleep(50);
    const std::string text = readWholeFile(report);
    DeleteFileA(report.c_str());
    DeleteFileA(windowsPathOf(copy).c_str());
    std::string fields;
    for (const char* name : {"Local path", "Command line arguments", "Working directory", "Description", "Icon location"}) {
        const size_t at = text.find(std::string("\t") + name);
        const size_t colon = text.find(": ", at);
        fields += at == std::string::npos ? "(none)\n" : text.substr(colon + 2, text.find('\n', colon) - colon - 1);
    }
    return fields;
}

class Shortcuts : public ToolTest {
protected:
    void SetUp() override {
        ToolTest::SetUp();
        char path[MAX_PATH] = "";
        ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, path, CSIDL_DESKTOP, FALSE));
        desktop = path;  // inside the test prefix (scripts/wine-env)
        removeLinks();
    }
    void TearDown() override {
        removeLinks();
        ToolTest::TearDown();
    }
    void removeLinks() {
        for (const Shortcut& s : kShortcuts) {
            RemoveDirectoryA(link(s).c_str());
            DeleteFileA(link(s).c_str());
        }
    }
    std::string link(const Shortcut& s) const { return desktop + "\\" + s.file; }
    std::string expectedFields(const Shortcut& s) const {
        const std::string exe = tessalyExePath();
        return exe + "\n" + s.arguments + "\n" + exe.substr(0, exe.rfind('\\') + 1) + "\n(none)\n(none)\n";
    }
    // Answers the shortcut's question; returns once the command has finished, which a
    // 507 note, handled after it, shows.
    std::string answer(TessalyRun& run, HWND mainWindow, int button) {
        const std::string question = answerBox(run, kQuestionTitle, button);
        postCommand(mainWindow, 507);
        answerBox(run, "設定");
        return question;
    }

    std::string desktop;
};

TEST_F(Shortcuts, EachCommandAsksThenWritesItsShortcutOverAnOldFile) {
    writeWholeFile(link(kShortcuts[0]), "not a shortcut at all");
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    ASSERT_NE(nullptr, mainWindow);
    for (const Shortcut& s : kShortcuts) {
        SCOPED_TRACE(s.file);
        DeleteFileA(link(s).c_str());
        postCommand(mainWindow, s.command);
        EXPECT_EQ(std::string("[OK Cancel] ") + s.question, answer(run, mainWindow, IDCANCEL));
        EXPECT_FALSE(fileExists(link(s)));
        if (s.command == 504) writeWholeFile(link(s), "not a shortcut at all");
        postCommand(mainWindow, s.command);
        answer(run, mainWindow, IDOK);
        EXPECT_EQ(expectedFields(s), linkFields(link(s)));
    }
    exitThroughMenu(run, mainWindow);
}

TEST_F(Shortcuts, TheFirstRunOfferCreatesTheFirstTwo) {
    DeleteFileA(dir.file("tessaly.ini").c_str());
    TessalyRun run;
    ASSERT_TRUE(run.start("", dir.path()));
    HWND mainWindow = run.waitForWindow("Tessaly", nullptr);
    ASSERT_NE(nullptr, mainWindow);
    EXPECT_EQ("[OK Cancel] ショートカットをデスクトップに作成します。", answerBox(run, kQuestionTitle));
    EXPECT_EQ(std::string("[OK Cancel] ") + kShortcuts[0].question, answerBox(run, kQuestionTitle));
    EXPECT_EQ(std::string("[OK Cancel] ") + kShortcuts[1].question, answer(run, mainWindow, IDOK));
    EXPECT_EQ(expectedFields(kShortcuts[0]), linkFields(link(kShortcuts[0])));
    EXPECT_EQ(expectedFields(kShortcuts[1]), linkFields(link(kShortcuts[1])));
    EXPECT_FALSE(fileExists(link(kShortcuts[2])));
    exitThroughMenu(run, mainWindow);
    EXPECT_EQ("[Basic]\r\nFirstTime=0\r\n", readWholeFile(dir.file("tessaly.ini")));
}

TEST_F(Shortcuts, AShortcutThatCannotBeWrittenIsReported) {
    // A folder of the link's name stands where the file should go.
    ASSERT_TRUE(CreateDirectoryA(link(kShortcuts[2]).c_str(), nullptr));
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    ASSERT_NE(nullptr, mainWindow);
    postCommand(mainWindow, 506);
    answerBox(run, kQuestionTitle);
    EXPECT_EQ("ショートカットを作成できませんでした。", answerBox(run, "確認"));
    exitThroughMenu(run, mainWindow);
}

}  // namespace
