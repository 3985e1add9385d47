// The netsh operations against the simulated network's netsh stand-in.
#include <gtest/gtest.h>

#include "machine_seed.h"
#include "netcmd/command_runner.h"
#include "sim_registry.h"
#include "win/scratch_dir.h"
#include "win/sim_values.h"

namespace {

class NetshOperations : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simulationInstalled()) << "the simulated network is not installed in this prefix (sim/install)";
        ASSERT_EQ(1, seedSimulatedMachine());
        dir.enter();
        SetEnvironmentVariableA("TESSALY_SIM_LOG", log.c_str());
    }
    void TearDown() override {
        for (const char* name : {"TESSALY_SIM_LOG", "TESSALY_SIM_EXIT_CODE", "TESSALY_SIM_NO_OUTPUT", "TESSALY_CHILD_LOG"})
            SetEnvironmentVariableA(name, nullptr);
        seedSimulatedMachine();
    }

    ScratchDir dir;
    std::string log = dir.file("netsh.log");
    CommandRunner runner;
    const TcpIpRequest fixed = {0, 0, 0x0A000005, 0xFF000000, 0, 0, 0x0A000001, 0x0A000002};
};

TEST_F(NetshOperations, AnExitCodeOrAnEmptyDumpMakesTheOperationFail) {
    SetEnvironmentVariableA("TESSALY_SIM_EXIT_CODE", "5");
    EXPECT_EQ(0, runner.dumpSettings(".\\000.dmp"));
    EXPECT_EQ(0, runner.execScript(".\\000.dmp"));
    EXPECT_EQ(0, runner.applyTcpIp(kLanName, fixed));
    EXPECT_EQ(7u, crlfLines(readWholeFile(log)).size()) << "dump, exec, and all five commands of the sequence";
    SetEnvironmentVariableA("TESSALY_SIM_EXIT_CODE", nullptr);
    SetEnvironmentVariableA("TESSALY_SIM_NO_OUTPUT", "1");
    EXPECT_EQ(0, runner.dumpSettings(".\\001.dmp"));
    SetEnvironmentVariableA("TESSALY_SIM_NO_OUTPUT", nullptr);
    EXPECT_EQ(0, runner.applyTcpIp("no such connection", fixed)) << "netsh refuses an unknown name";
    EXPECT_EQ(0, runner.execScript(".\\missing.dmp"));
    EXPECT_EQ(1, runner.applyTcpIp(kLanName, fixed));
}

TEST_F(NetshOperations, MissingArgumentsAndQuotedNamesRunNothing) {
    EXPECT_EQ(0, runner.dumpSettings(nullptr));
    EXPECT_EQ(0, runner.execScript(nullptr));
    EXPECT_EQ(0, runner.applyTcpIp(nullptr, fixed));
    EXPECT_EQ(0, runner.applyTcpIp("LAN \"2\"", fixed));
    EXPECT_FALSE(fileExists(log));
}

TEST_F(NetshOperations, VeryLongConnectionNamesReachNetshWhole) {
    std::string name = std::string(150, 'L') + " ";
    for (int i = 0; i < 75; ++i) name += "接";
    EXPECT_EQ(0, runner.applyTcpIp(name.c_str(), fixed)) << "the stand-in knows no such connection";
    const std::vector<std::string> calls = crlfLines(readWholeFile(log));
    ASSERT_EQ(5u, calls.size());
    EXPECT_EQ("netsh interface ip add dns name = \"" + name + "\" addr = 10.0.0.2", calls[4]);
}

TEST_F(NetshOperations, ANetshInTheCurrentDirectoryIsNeverRun) {
    ASSERT_TRUE(CopyFileA(windowsPathOf(RUNNER_CHILD).c_str(), dir.file("netsh.exe").c_str(), FALSE));
    SetEnvironmentVariableA("TESSALY_CHILD_LOG", dir.file("child.log").c_str());
    ASSERT_EQ(1, runner.dumpSettings(".\\000.dmp"));
    EXPECT_EQ(1, runner.execScript(".\\000.dmp"));
    EXPECT_FALSE(fileExists(dir.file("child.log")));
    EXPECT_EQ(2u, crlfLines(readWholeFile(log)).size());
}

}  // namespace
