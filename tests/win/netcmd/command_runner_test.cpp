// Starting programs: what reaches the child, what comes back, and the output file.
#include "netcmd/command_runner.h"

#include <gtest/gtest.h>

#include "win/scratch_dir.h"

namespace {

constexpr DWORD kPoison = 0xDEADBEEF;
constexpr char kMissingProgram[] = "Z:\\no\\such\\program.exe";

class CommandRunnerTest : public ::testing::Test {
protected:
    void SetUp() override { dir.enter(); }
    // A command line that starts the helper child with the given words.
    static std::string child(const std::string& words) { return "\"" + windowsPathOf(RUNNER_CHILD) + "\" " + words; }

    ScratchDir dir;
    CommandRunner runner;
    DWORD exitCode = kPoison;
};

TEST_F(CommandRunnerTest, TheChildGetsTheCommandLineUnchangedAndItsExitCodeComesBack) {
    const std::string line = child("record=rec.txt exit=7   \"two words\"  \x90\xDD\x92\xE8 tail ");
    EXPECT_EQ(1, runner.run(line.c_str(), nullptr, &exitCode));
    EXPECT_EQ(7u, exitCode);
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_EQ(line + "\n" + current + "\n", readWholeFile("rec.txt")) << "same text, same directory";
    // With an application name, that program runs with the text as given.
    EXPECT_EQ(1, runner.run("netsh interface ip dump record=app.txt", windowsPathOf(RUNNER_CHILD).c_str(), &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(0u, readWholeFile("app.txt").find("netsh interface ip dump record=app.txt\n"));
}

TEST_F(CommandRunnerTest, RunToFileReplacesTheWholeContentWhichOthersMayReadMeanwhile) {
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
    EXPECT_EQ(0, runner.run(nullptr, nullptr, &exitCode));
    EXPECT_EQ(0, runner.run((std::string(kMissingProgram) + " record=rec.txt").c_str(), nullptr, &exitCode));
    EXPECT_EQ(0, runner.run("anything record=rec.txt", kMissingProgram, &exitCode));
    EXPECT_EQ(0, runner.runToFile(nullptr, "out.txt", nullptr, &exitCode));
    EXPECT_EQ(0, runner.runToFile(child("record=rec.txt").c_str(), nullptr, nullptr, &exitCode));
    EXPECT_EQ(0, runner.runToFile(child("record=rec.txt").c_str(), "no such folder\\out.txt", nullptr, &exitCode));
    EXPECT_EQ(kPoison, exitCode) << "no exit code without a process";
    EXPECT_FALSE(fileExists("rec.txt"));
    EXPECT_EQ(0, runner.runToFile(kMissingProgram, "out.txt", nullptr, &exitCode));
    EXPECT_EQ("", readWholeFile("out.txt")) << "a program that cannot start leaves the file empty";
}

}  // namespace
