// Starting programs: what reaches the child, what comes back, and the output file.
#include "netcmd/command_runner.h"

#include <gtest/gtest.h>

#include <string>

#include "win/scratch_dir.h"

namespace {

constexpr DWORD kPoison = 0xDEADBEEF;

class CommandRunnerTest : public ::testing::Test {
protected:
    void SetUp() override { dir.enter(); }
    // A command line that starts the helper child with the given words.
    static std::string child(const std::string& words) { return "\"" + childPath() + "\" " + words; }
    static std::string childPath() { return windowsPathOf(RUNNER_CHILD); }

    ScratchDir dir;
    CommandRunner runner;
};

TEST_F(CommandRunnerTest, RunPassesTheCommandLineUnchangedAndReportsTheExitCode) {
    const std::string line = child("record=rec.txt exit=7   \"two words\"  \x90\xDD\x92\xE8 tail ");
    DWORD exitCode = kPoison;
    EXPECT_EQ(1, runner.run(line.c_str(), nullptr, &exitCode));
    EXPECT_EQ(7u, exitCode);
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_EQ(line + "\n" + current + "\n", readWholeFile("rec.txt")) << "same text, same directory";
}

TEST_F(CommandRunnerTest, AnApplicationNameRunsThatProgramWithTheTextAsGiven) {
    DWORD exitCode = kPoison;
    EXPECT_EQ(1, runner.run("netsh interface ip dump record=rec.txt exit=0", childPath().c_str(), &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_EQ(0u, readWholeFile("rec.txt").find("netsh interface ip dump record=rec.txt exit=0\n"));
}

TEST_F(CommandRunnerTest, NothingStartsWithoutACommandOrAProgram) {
    DWORD exitCode = kPoison;
    EXPECT_EQ(0, runner.run(nullptr, nullptr, &exitCode));
    EXPECT_EQ(0, runner.run("Z:\\no\\such\\program.exe record=rec.txt", nullptr, &exitCode));
    EXPECT_EQ(0, runner.run("anything record=rec.txt", "Z:\\no\\such\\program.exe", &exitCode));
    EXPECT_EQ(kPoison, exitCode) << "no exit code without a process";
    EXPECT_EQ(0, runner.runToFile(nullptr, "out.txt", nullptr, &exitCode));
    EXPECT_EQ(0, runner.runToFile(child("record=rec.txt").c_str(), nullptr, nullptr, &exitCode));
    EXPECT_FALSE(fileExists("out.txt"));
    EXPECT_FALSE(fileExists("rec.txt"));
}

TEST_F(CommandRunnerTest, RunToFileReplacesTheWholeContent) {
    writeWholeFile("out.txt", "an older and much longer content\r\n");
    DWORD exitCode = kPoison;
    EXPECT_EQ(1, runner.runToFile(child("print=fresh exit=4").c_str(), "out.txt", nullptr, &exitCode));
    EXPECT_EQ(4u, exitCode);
    EXPECT_EQ("fresh", readWholeFile("out.txt"));

    EXPECT_EQ(1, runner.runToFile(child("").c_str(), "out.txt", nullptr, &exitCode));
    EXPECT_EQ(0u, exitCode);
    EXPECT_TRUE(fileExists("out.txt"));
    EXPECT_EQ("", readWholeFile("out.txt")) << "a command that prints nothing leaves an empty file";
}

TEST_F(CommandRunnerTest, OthersMayOpenTheOutputFileWhileTheChildRuns) {
    DWORD exitCode = kPoison;
    const std::string path = dir.file("out.txt");
    EXPECT_EQ(1, runner.runToFile(child("open=" + path + " sleep=100").c_str(), path.c_str(), nullptr, &exitCode));
    EXPECT_EQ(0u, exitCode) << "the child could not open the file it writes to";
}

TEST_F(CommandRunnerTest, AnOutputFileThatCannotBeCreatedStartsNothing) {
    DWORD exitCode = kPoison;
    EXPECT_EQ(0, runner.runToFile(child("record=rec.txt").c_str(), "no such folder\\out.txt", nullptr, &exitCode));
    EXPECT_EQ(kPoison, exitCode);
    EXPECT_FALSE(fileExists("rec.txt"));

    EXPECT_EQ(0, runner.runToFile("Z:\\no\\such\\program.exe", "out.txt", nullptr, &exitCode));
    EXPECT_EQ("", readWholeFile("out.txt")) << "a program that cannot start leaves the file empty";
}

}  // namespace
