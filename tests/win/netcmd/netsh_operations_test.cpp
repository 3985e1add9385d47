// The netsh operations against the simulated network's netsh stand-in.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "machine_seed.h"
#include "netcmd/command_runner.h"
#include "sim_registry.h"
#include "win/scratch_dir.h"
#include "win/sim_values.h"

namespace {

constexpr uint32_t quad(uint32_t a, uint32_t b, uint32_t c, uint32_t d) { return a << 24 | b << 16 | c << 8 | d; }

class NetshOperations : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(simulationInstalled()) << "the simulated network is not installed in this prefix (sim/install)";
        ASSERT_EQ(1, seedSimulatedMachine());
        dir.enter();
        log = dir.file("netsh.log");
        SetEnvironmentVariableA("TESSALY_SIM_LOG", log.c_str());
    }
    void TearDown() override {
        for (const char* name : {"TESSALY_SIM_LOG", "TESSALY_SIM_EXIT_CODE", "TESSALY_SIM_NO_OUTPUT",
                                 "TESSALY_CHILD_LOG"})
            SetEnvironmentVariableA(name, nullptr);
        seedSimulatedMachine();
    }
    std::vector<std::string> logged() const { return crlfLines(readWholeFile(log)); }

    ScratchDir dir;
    std::string log;
    CommandRunner runner;
};

TEST_F(NetshOperations, ApplyTcpIpSendsTheCommandsInOrder) {
    const TcpIpRequest fixed = {0, 0, quad(192, 168, 0, 20), quad(255, 255, 255, 0), quad(192, 168, 0, 254), 0,
                                quad(192, 168, 0, 1), quad(8, 8, 8, 8)};
    EXPECT_EQ(1, runner.applyTcpIp(kLanName, fixed));
    const TcpIpRequest automatic = {1, 1, 0, 0, 0, 1, 0, 0};
    EXPECT_EQ(1, runner.applyTcpIp(kWirelessName, automatic));
    EXPECT_EQ((std::vector<std::string>{
                  "netsh interface ip set address name = \"ローカル エリア接続\" source = static addr = 192.168.0.20 mask = 255.255.255.0",
                  "netsh interface ip set address name = \"ローカル エリア接続\" gateway = 192.168.0.254 gwmetric = 1",
                  "netsh interface ip set wins name = \"ローカル エリア接続\" source = static addr = none",
                  "netsh interface ip set dns name = \"ローカル エリア接続\" source = static addr = 192.168.0.1",
                  "netsh interface ip add dns name = \"ローカル エリア接続\" addr = 8.8.8.8",
                  "netsh interface ip set address name = \"ワイヤレス ネットワーク接続\" source = dhcp",
                  "netsh interface ip set wins name = \"ワイヤレス ネットワーク接続\" source = dhcp",
                  "netsh interface ip set dns name = \"ワイヤレス ネットワーク接続\" source = dhcp",
              }),
              logged());
}

TEST_F(NetshOperations, DumpThenChangeThenExecRestoresEveryValue) {
    const std::map<std::string, std::string> seeded = interfaceValues();
    ASSERT_EQ(12u, seeded.size());
    ASSERT_EQ(1, runner.dumpSettings(".\\000.dmp"));

    const TcpIpRequest lanToDhcp = {0, 1, 0, 0, 0, 1, 0, 0};
    const TcpIpRequest wirelessToFixed = {1, 0, quad(10, 0, 0, 5), quad(255, 0, 0, 0), quad(10, 0, 0, 1), 0,
                                          quad(10, 0, 0, 1), quad(10, 0, 0, 2)};
    ASSERT_EQ(1, runner.applyTcpIp(kLanName, lanToDhcp));
    ASSERT_EQ(1, runner.applyTcpIp(kWirelessName, wirelessToFixed));
    const std::map<std::string, std::string> changed = interfaceValues();
    int differences = 0;
    for (const auto& value : seeded) differences += changed.at(value.first) != value.second;
    EXPECT_EQ(12, differences) << "every seeded value was changed, so the restore is seen for each";

    ASSERT_EQ(1, runner.execScript(".\\000.dmp"));
    EXPECT_EQ(seeded, interfaceValues());
    const std::vector<std::string> calls = logged();
    ASSERT_FALSE(calls.empty());
    EXPECT_EQ("netsh interface ip dump", calls.front());
    EXPECT_EQ("netsh exec .\\000.dmp", calls.back());
}

TEST_F(NetshOperations, AnExitCodeOrAnEmptyDumpMakesTheOperationFail) {
    const TcpIpRequest request = {0, 0, quad(10, 0, 0, 5), quad(255, 0, 0, 0), 0, 0, quad(10, 0, 0, 1),
                                  quad(10, 0, 0, 2)};
    SetEnvironmentVariableA("TESSALY_SIM_EXIT_CODE", "5");
    EXPECT_EQ(0, runner.dumpSettings(".\\000.dmp"));
    EXPECT_EQ(0, runner.execScript(".\\000.dmp"));
    EXPECT_EQ(0, runner.applyTcpIp(kLanName, request));
    EXPECT_EQ(7u, logged().size()) << "dump, exec, and all five commands of the failing sequence";

    SetEnvironmentVariableA("TESSALY_SIM_EXIT_CODE", nullptr);
    SetEnvironmentVariableA("TESSALY_SIM_NO_OUTPUT", "1");
    EXPECT_EQ(0, runner.dumpSettings(".\\001.dmp"));
    EXPECT_TRUE(fileExists(".\\001.dmp"));
    SetEnvironmentVariableA("TESSALY_SIM_NO_OUTPUT", nullptr);

    EXPECT_EQ(0, runner.applyTcpIp("no such connection", request)) << "netsh refuses an unknown name";
    EXPECT_EQ(0, runner.execScript(".\\missing.dmp"));
}

TEST_F(NetshOperations, MissingArgumentsAndQuotedNamesRunNothing) {
    const TcpIpRequest request = {0, 1, 0, 0, 0, 1, 0, 0};
    EXPECT_EQ(0, runner.dumpSettings(nullptr));
    EXPECT_EQ(0, runner.execScript(nullptr));
    EXPECT_EQ(0, runner.applyTcpIp(nullptr, request));
    EXPECT_EQ(0, runner.applyTcpIp("LAN \"2\"", request));
    EXPECT_FALSE(fileExists(log));
}

TEST_F(NetshOperations, VeryLongConnectionNamesReachNetshWhole) {
    std::string name = std::string(150, 'L') + " ";
    for (int i = 0; i < 75; ++i) name += "接";
    const TcpIpRequest request = {0, 0, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0, 0xFFFFFFFF, 0xFFFFFFFF};
    EXPECT_EQ(0, runner.applyTcpIp(name.c_str(), request)) << "the stand-in knows no such connection";
    const std::vector<std::string> calls = logged();
    ASSERT_EQ(5u, calls.size());
    EXPECT_EQ("netsh interface ip set address name = \"" + name +
                  "\" source = static addr = 255.255.255.255 mask = 255.255.255.255",
              calls[0]);
    EXPECT_EQ("netsh interface ip add dns name = \"" + name + "\" addr = 255.255.255.255", calls[4]);
}

TEST_F(NetshOperations, ANetshInTheCurrentDirectoryIsNeverRun) {
    ASSERT_TRUE(CopyFileA(windowsPathOf(RUNNER_CHILD).c_str(), dir.file("netsh.exe").c_str(), FALSE));
    SetEnvironmentVariableA("TESSALY_CHILD_LOG", dir.file("child.log").c_str());
    ASSERT_EQ(1, runner.dumpSettings(".\\000.dmp"));
    EXPECT_EQ(1, runner.execScript(".\\000.dmp"));
    EXPECT_FALSE(fileExists(dir.file("child.log")));
    EXPECT_EQ(2u, logged().size());
}

}  // namespace
