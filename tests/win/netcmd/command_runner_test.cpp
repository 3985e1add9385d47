// Starting programs, and the netsh operations on the simulated network.
#include "netcmd/command_runner.h"

#include <gtest/gtest.h>

#include "machine_seed.h"
#include "sim_registry.h"
#include "win/support.h"

namespace {

constexpr DWORD kPoison = 0xDEADBEEF;
constexpr char kMissingProgram[] = "Z:\\no\\such\\program.exe";

class CommandRunnerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simulationInstalled()) << "the simulated network is not installed in this prefix (sim/install)";
        ASSERT_EQ(1, seedSimulatedMachine());
        dir.enter();
        SetEnvironmentVariableA("TESSALY_SIM_LOG", log.c_str());
    }
    void TearDown() override {
        for (const char* name : {"TESSALY_SIM_LOG", "TESSALY_CHILD_LOG"}) SetEnvironmentVariableA(name, nullptr);
        seedSimulatedMachine();
    }
    // A command line that starts the helper child with the given words.
    static std::string child(const std::string& words) { return "\"" + windowsPathOf(RUNNER_CHILD) + "\" " + words; }

    ScratchDir dir;
    std::string log = dir.file("netsh.log");
    CommandRunner runner;
    DWORD exitCode = kPoison;
    const TcpIpRequest fixed = {0, 0, 0x0A000005, 0xFF000000, 0, 0, 0x0A000001, 0x0A000002};
};

TEST_F(CommandRunnerTest, TheChildGetsTheCommandLineUnchangedAndItsExitCodeComesBack) {
    const std::string line = child("record=rec.txt exit=7   \"two words\"  \x90\xDD\x92\xE8 tail ");
    EXPECT_EQ(1, runner.run(line.c_str(), nullptr, &exitCode));
    EXPECT_EQ(7u, exitCode);
    EXPECT_EQ(line + "\n" + dir.path() + "\n", readWholeFile("rec.txt")) << "same text, same directory";
}

TEST_F(CommandRunnerTest, RunToFileReplacesTheWholeContentWhichOthersMayOpenMeanwhile) {
    writeWholeFile("out.txt", "an older and much longer content\r\n");
    EXPECT_EQ(1, runner.runToFile(child("print=fresh exit=4").c_str(), "out.txt", nullptr, &exitCode));
    EXPECT_EQ(4u, exitCode);
    EXPECT_EQ("fresh", readWholeFile("out.txt"));
    const std::string path = dir.file("out.txt");
    EXPECT_EQ(1, runner.runToFile(child("open=" + path + " sleep=100").c_str(), path.c_str(), nullptr, &exitCode));
    EXPECT_EQ(0u, exitCode) << "the child could not open the file it writes to";
    EXPECT_EQ("", readWholeFile("out.txt")) << "a command that prints nothing leaves an empty file";
}

TEST_F(CommandRunnerTest, NothingStartsWithoutACommandAProgramOrAnOutputFile) {
    EXPECT_EQ(0, runner.run((std::string(kMissingProgram) + " record=rec.txt").c_str(), nullptr, &exitCode));
    EXPECT_EQ(0, runner.run("anything record=rec.txt", kMissingProgram, &exitCode));
    EXPECT_EQ(0, runner.runToFile(child("record=rec.txt").c_str(), "no such folder\\out.txt", nullptr, &exitCode));
    EXPECT_EQ(kPoison, exitCode) << "no exit code without a process";
    EXPECT_FALSE(fileExists("rec.txt"));
    EXPECT_EQ(0, runner.runToFile(kMissingProgram, "out.txt", nullptr, &exitCode));
    EXPECT_EQ("", readWholeFile("out.txt")) << "a program that cannot start leaves the file empty";
    // A TCP/IP change without a connection (the dialog lists none), or with a name that cannot be quoted.
    EXPECT_EQ(0, runner.applyTcpIp(nullptr, fixed) + runner.applyTcpIp("LAN \"2\"", fixed));
    EXPECT_FALSE(fileExists(log));
}

TEST_F(CommandRunnerTest, UnknownNamesAndScriptsFailAndLongNamesReachNetshWhole) {
    EXPECT_EQ(0, runner.execScript(".\\missing.dmp"));
    std::string name = std::string(150, 'L') + " ";
    for (int i = 0; i < 75; ++i) name += "接";
    EXPECT_EQ(0, runner.applyTcpIp(name.c_str(), fixed));
    EXPECT_EQ("netsh interface ip add dns name = \"" + name + "\" addr = 10.0.0.2", crlfLines(readWholeFile(log)).back());
}

// Windows 2000's answer to a wake mask that holds QS_RAWINPUT, given to every wait.
DWORD WINAPI failingWait(DWORD, const HANDLE*, BOOL, DWORD, DWORD) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return WAIT_FAILED;
}

// Answers this process's "netsh does not respond" questions, counting them: OK to the
// first three, then Cancel, which would end the child.
DWORD WINAPI answerQuestions(void* count) {
    volatile LONG& questions = *static_cast<volatile LONG*>(count);
    for (HWND box;; Sleep(20)) {
        if ((box = FindWindowA("#32770", "確認")) == nullptr) continue;
        char text[128] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        // A box still being made has no text yet: it is answered once it reads as the question.
        if (std::string(text) != kNotRespondingText) continue;
        SendMessageA(box, WM_COMMAND, ++questions > 3 ? IDCANCEL : IDOK, 0);
    }
}

TEST_F(CommandRunnerTest, AWaitThatFailsNeverPassesForPatienceRunOut) {
    const std::pair<int, LONG> cases[] = {{300, 0}, {1600, 1}};  // a child's time, the questions 1 s of patience allows
    volatile LONG questions = 0;
    HANDLE answerer = CreateThread(nullptr, 0, answerQuestions, const_cast<LONG*>(&questions), 0, nullptr);
    runner.patienceMs = 1000;
    for (MessageWait wait : {static_cast<MessageWait>(MsgWaitForMultipleObjects), failingWait}) {
        runner.messageWait = wait;
        for (const auto& c : cases) {
            questions = 0;
            EXPECT_EQ(1, runner.run(child("sleep=" + std::to_string(c.first) + " exit=7").c_str(), nullptr, &exitCode));
            const std::string which = (wait == failingWait ? "failing wait, child " : "child ") + std::to_string(c.first);
            EXPECT_EQ(7u, exitCode) << which << ": ended by the child, not given up";
            EXPECT_EQ(c.second, questions) << which;
        }
    }
    TerminateThread(answerer, 0);
    CloseHandle(answerer);
}

TEST_F(CommandRunnerTest, ANetshInTheCurrentDirectoryIsNeverRun) {
    ASSERT_TRUE(CopyFileA(windowsPathOf(RUNNER_CHILD).c_str(), dir.file("netsh.exe").c_str(), FALSE));
    SetEnvironmentVariableA("TESSALY_CHILD_LOG", dir.file("child.log").c_str());
    ASSERT_EQ(1, runner.dumpSettings(".\\000.dmp"));
    EXPECT_EQ(1, runner.execScript(".\\000.dmp"));
    EXPECT_FALSE(fileExists(dir.file("child.log")));
    EXPECT_EQ(2u, crlfLines(readWholeFile(log)).size());
}

}  // namespace
