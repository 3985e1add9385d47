// A stand-in for Windows' netsh, for tests and the demo run only. It keeps the
// simulated machine's TCP/IP settings in the same registry values that the tool reads,
// so a dump, a change and an exec of that dump form a closed loop. Grammar: see
// netsh_grammar.h. Every command line is appended to the file named by
// TESSALY_SIM_LOG. Fault switches from the environment: TESSALY_SIM_EXIT_CODE (do
// nothing and exit with that code), TESSALY_SIM_NO_OUTPUT (print nothing),
// TESSALY_SIM_DELAY_MS (wait before acting).
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/launch_mode.h"
#include "netsh_grammar.h"
#include "sim_registry.h"

namespace {

bool quiet = false;
std::string output;

void print(const std::string& line) {
    if (!quiet) output += line + "\r\n";
}

void flushOutput() {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    DWORD written = 0;
    if (out != nullptr && out != INVALID_HANDLE_VALUE && !output.empty())
        WriteFile(out, output.data(), static_cast<DWORD>(output.size()), &written, nullptr);
    output.clear();
}

std::string environment(const char* name) {
    char value[1024];
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

void logCommandLine() {
    const std::string path = environment("TESSALY_SIM_LOG");
    if (path.empty()) return;
    HANDLE log = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return;
    const std::string line = std::string(GetCommandLineA()) + "\r\n";
    DWORD written = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    CloseHandle(log);
}

// The interface key of the named connection, opened for writing.
HKEY openConnection(const std::string& name) {
    for (const SimConnection& connection : listConnections()) {
        if (connection.name != name) continue;
        HKEY key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, interfaceKeyPath(connection.instanceId).c_str(), 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS)
            return key;
    }
    return nullptr;
}

bool isNoAddress(const std::string& address) { return address == "none" || address == "0.0.0.0"; }

std::vector<std::string> splitServers(const std::string& list) {
    std::vector<std::string> servers;
    std::stringstream stream(list);
    std::string piece;
    while (std::getline(stream, piece, ','))
        if (!piece.empty()) servers.push_back(piece);
    return servers;
}

bool apply(const SimCommand& command) {
    HKEY key = openConnection(command.name);
    if (key == nullptr) {
        print("The interface \"" + command.name + "\" is not known.");
        return false;
    }
    std::vector<std::string> list;
    std::string servers;
    switch (command.kind) {
    case SimCommandKind::SetAddressDhcp:
        writeNumber(key, "EnableDHCP", 1);
        writeMultiText(key, "IPAddress", {"0.0.0.0"});
        writeMultiText(key, "SubnetMask", {"0.0.0.0"});
        writeMultiText(key, "DefaultGateway", {});
        break;
    case SimCommandKind::SetAddressStatic:
        writeNumber(key, "EnableDHCP", 0);
        writeMultiText(key, "IPAddress", {command.address});
        writeMultiText(key, "SubnetMask", {command.mask});
        if (command.gateway.empty() || isNoAddress(command.gateway))
            writeMultiText(key, "DefaultGateway", {});
        else
            writeMultiText(key, "DefaultGateway", {command.gateway});
        break;
    case SimCommandKind::SetGateway:
        if (isNoAddress(command.gateway))
            writeMultiText(key, "DefaultGateway", {});
        else
            writeMultiText(key, "DefaultGateway", {command.gateway});
        break;
    case SimCommandKind::AddAddress:
        list = readMultiText(key, "IPAddress");
        list.push_back(command.address);
        writeMultiText(key, "IPAddress", list);
        list = readMultiText(key, "SubnetMask");
        list.push_back(command.mask);
        writeMultiText(key, "SubnetMask", list);
        break;
    case SimCommandKind::AddGateway:
        list = readMultiText(key, "DefaultGateway");
        list.push_back(command.gateway);
        writeMultiText(key, "DefaultGateway", list);
        break;
    case SimCommandKind::SetWins:
        writeText(key, kWinsValue, command.winsSource == "dhcp" ? "dhcp" : command.address);
        break;
    case SimCommandKind::SetDnsDhcp:
        writeTextOrNothing(key, "NameServer", "");
        break;
    case SimCommandKind::SetDnsStatic:
        writeTextOrNothing(key, "NameServer", isNoAddress(command.address) ? "" : command.address);
        break;
    case SimCommandKind::AddDns:
        readText(key, "NameServer", servers);
        writeTextOrNothing(key, "NameServer", servers.empty() ? command.address : servers + "," + command.address);
        break;
    default:
        break;
    }
    RegCloseKey(key);
    return true;
}

void dumpConnection(const SimConnection& connection) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, interfaceKeyPath(connection.instanceId).c_str(), 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return;
    const std::string name = "name=\"" + connection.name + "\"";
    print("");
    print("# Interface IP Configuration for \"" + connection.name + "\"");
    print("");
    DWORD dhcp = 1;
    readNumber(key, "EnableDHCP", dhcp);
    if (dhcp != 0) {
        print("set address " + name + " source=dhcp");
    } else {
        const std::vector<std::string> addresses = readMultiText(key, "IPAddress");
        const std::vector<std::string> masks = readMultiText(key, "SubnetMask");
        for (size_t i = 0; i < addresses.size(); ++i) {
            const std::string mask = i < masks.size() ? masks[i] : "0.0.0.0";
            print(std::string(i == 0 ? "set address " + name + " source=static" : "add address " + name) +
                  " addr=" + addresses[i] + " mask=" + mask);
        }
        const std::vector<std::string> gateways = readMultiText(key, "DefaultGateway");
        for (size_t i = 0; i < gateways.size(); ++i)
            print(std::string(i == 0 ? "set address " : "add address ") + name + " gateway=" + gateways[i] +
                  " gwmetric=0");
    }
    print("");
    std::string nameServer;
    readText(key, "NameServer", nameServer);
    const std::vector<std::string> servers = splitServers(nameServer);
    if (servers.empty()) {
        print("set dns " + name + (dhcp != 0 ? " source=dhcp" : " source=static addr=none") + " register=PRIMARY");
    } else {
        print("set dns " + name + " source=static addr=" + servers[0] + " register=PRIMARY");
        for (size_t i = 1; i < servers.size(); ++i)
            print("add dns " + name + " addr=" + servers[i] + " index=" + std::to_string(i + 1));
    }
    print("");
    std::string wins;
    readText(key, kWinsValue, wins);
    if (wins == "dhcp")
        print("set wins " + name + " source=dhcp");
    else
        print("set wins " + name + " source=static addr=" + (wins.empty() ? "none" : wins));
    print("");
    RegCloseKey(key);
}

void dump() {
    print("");
    print("# ----------------------------------");
    print("# Interface IP Configuration");
    print("# ----------------------------------");
    print("pushd interface ip");
    for (const SimConnection& connection : listConnections()) dumpConnection(connection);
    print("");
    print("popd");
    print("# End of interface IP configuration");
    print("");
}

bool execScript(const std::string& file) {
    std::ifstream script(file, std::ios::binary);
    if (!script) {
        print("The file " + file + " could not be opened.");
        return false;
    }
    bool inInterfaceIp = false;
    bool ok = true;
    std::string line;
    int number = 0;
    while (std::getline(script, line)) {
        ++number;
        const SimCommand command = parseSimCommand(line, inInterfaceIp);
        switch (command.kind) {
        case SimCommandKind::Nothing: break;
        case SimCommandKind::Pushd: inInterfaceIp = true; break;
        case SimCommandKind::Popd: inInterfaceIp = false; break;
        case SimCommandKind::Invalid:
        case SimCommandKind::Dump:
        case SimCommandKind::Exec:
            print("Line " + std::to_string(number) + ": the command was not accepted (" +
                  (command.error.empty() ? "not allowed in a script" : command.error) + ").");
            ok = false;
            break;
        default:
            if (!apply(command)) ok = false;
            break;
        }
    }
    return ok;
}

int runCommandLine() {
    const SimCommand command = parseSimCommand(commandLineTail(GetCommandLineA()), false);
    switch (command.kind) {
    case SimCommandKind::Dump: dump(); return 0;
    case SimCommandKind::Exec: return execScript(command.file) ? 0 : 1;
    case SimCommandKind::Invalid:
    case SimCommandKind::Nothing:
    case SimCommandKind::Pushd:
    case SimCommandKind::Popd:
        print("The following command was not found: " + std::string(commandLineTail(GetCommandLineA())) +
              (command.error.empty() ? "" : " (" + command.error + ")"));
        return 1;
    default: return apply(command) ? 0 : 1;
    }
}

}  // namespace

int main() {
    logCommandLine();
    quiet = !environment("TESSALY_SIM_NO_OUTPUT").empty();
    const std::string delay = environment("TESSALY_SIM_DELAY_MS");
    if (!delay.empty()) Sleep(static_cast<DWORD>(std::strtoul(delay.c_str(), nullptr, 10)));
    const std::string failure = environment("TESSALY_SIM_EXIT_CODE");
    if (!failure.empty()) {
        print("Simulated failure.");
        flushOutput();
        return static_cast<int>(std::strtol(failure.c_str(), nullptr, 10));
    }
    const int code = runCommandLine();
    flushOutput();
    return code;
}
