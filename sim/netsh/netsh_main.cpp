// A stand-in for Windows' netsh, for tests and the demo run only. It keeps the
// simulated machine's TCP/IP settings in the same registry values that the tool reads,
// so a dump, a change and an exec of that dump form a closed loop. It reads commands
// with the tool's own reader (src/netcmd/netsh_script.h). Every command line is
// appended to the file named by TESSALY_SIM_LOG. Fault switches from the environment:
// TESSALY_SIM_EXIT_CODE (do nothing and exit with that code), TESSALY_SIM_NO_OUTPUT
// (print nothing), TESSALY_SIM_DELAY_MS (wait before acting), TESSALY_SIM_DHCP_ALREADY
// (source=dhcp on an address already from DHCP changes nothing and fails, as XP's
// netsh does), TESSALY_SIM_IGNORE=address|gateway|dns|wins (that value is not written,
// and the command still succeeds).
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "app/start_request.h"
#include "netcmd/netsh_script.h"
#include "netcmd/netsh_text.h"
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

void logCommandLine() { appendSimLog("TESSALY_SIM_LOG", GetCommandLineA()); }

std::vector<std::string> quads(const AddressList& list) {
    std::vector<std::string> texts;
    for (int i = 0; i < list.count; ++i) texts.push_back(quadText(list.items[i]));
    return texts;
}

void readList(HKEY key, const char* value, AddressList* list) {
    std::string joined;
    for (const std::string& text : readMultiText(key, value)) joined += text + ',';
    parseAddressList(joined.data(), joined.size(), list);
}

// A connection's settings as the registry holds them. A server list that is empty
// reads as DHCP on a DHCP connection and as "none" on a fixed one.
bool readSettings(const SimConnection& connection, ConnectionSettings* settings) {
    resetConnectionSettings(settings, connection.name.c_str());
    HKEY key = createMachineKey(interfaceKeyPath(connection.instanceId));
    HKEY netBt = createMachineKey(netBtKeyPath(connection.instanceId));
    if (key != nullptr && netBt != nullptr) {
        DWORD dhcp = 1;
        readNumber(key, "EnableDHCP", dhcp);
        const SettingSource unlisted = dhcp != 0 ? SettingSource::Dhcp : SettingSource::Static;
        settings->addressSource = unlisted;
        readList(key, "IPAddress", &settings->addresses);
        readList(key, "SubnetMask", &settings->masks);
        readList(key, "DefaultGateway", &settings->gateways);
        std::string servers;
        readText(key, "NameServer", servers);
        parseAddressList(servers.data(), servers.size(), &settings->dns);
        settings->dnsSource = settings->dns.count != 0 ? SettingSource::Static : unlisted;
        readList(netBt, "NameServerList", &settings->wins);
        settings->winsSource = settings->wins.count != 0 ? SettingSource::Static : unlisted;
    }
    for (HKEY open : {key, netBt})
        if (open != nullptr) RegCloseKey(open);
    return key != nullptr && netBt != nullptr;
}

bool ignored(const char* what) { return environment("TESSALY_SIM_IGNORE") == what; }

bool writeSettings(const SimConnection& connection, const ConnectionSettings& s) {
    HKEY key = createMachineKey(interfaceKeyPath(connection.instanceId));
    HKEY netBt = createMachineKey(netBtKeyPath(connection.instanceId));
    bool ok = key != nullptr && netBt != nullptr;
    const bool dhcp = s.addressSource == SettingSource::Dhcp;
    if (ok && !ignored("address")) {
        std::string leased;  // a lease given earlier is kept
        ok = dhcp ? writeDhcpAddress(key, readText(key, "DhcpIPAddress", leased) ? nullptr : &kSimulatedLease)
                  : writeNumber(key, "EnableDHCP", 0) && writeMultiText(key, "IPAddress", quads(s.addresses)) &&
                        writeMultiText(key, "SubnetMask", quads(s.masks));
    }
    if (ok && !ignored("gateway")) ok = writeMultiText(key, "DefaultGateway", quads(s.gateways));
    std::string servers;
    for (const std::string& server : quads(s.dns)) servers += (servers.empty() ? "" : ",") + server;
    if (ok && !ignored("dns")) ok = writeText(key, "NameServer", servers);
    if (ok && !ignored("wins")) ok = writeMultiText(netBt, "NameServerList", quads(s.wins));
    for (HKEY open : {key, netBt})
        if (open != nullptr) RegCloseKey(open);
    return ok;
}

bool apply(const NetshLine& line) {
    for (const SimConnection& connection : listConnections()) {
        if (connection.name != line.name) continue;
        ConnectionSettings settings;
        if (!readSettings(connection, &settings)) break;
        if (line.kind == NetshLineKind::SetAddressDhcp && settings.addressSource == SettingSource::Dhcp &&
            !environment("TESSALY_SIM_DHCP_ALREADY").empty()) {
            print("DHCP is already enabled on this interface.");
            return false;
        }
        if (!applyNetshLine(line, &settings)) {
            print("The list of addresses is full.");
            return false;
        }
        return writeSettings(connection, settings);
    }
    print("The interface \"" + std::string(line.name) + "\" is not known.");
    return false;
}

void printServers(const std::string& what, const std::string& name, SettingSource source, const AddressList& list) {
    const std::string tail = what == "dns" ? " register=PRIMARY" : "";
    if (list.count == 0) {
        print("set " + what + " " + name + (source == SettingSource::Dhcp ? " source=dhcp" : " source=static addr=none") +
              tail);
        return;
    }
    print("set " + what + " " + name + " source=static addr=" + quadText(list.items[0]) + tail);
    for (int i = 1; i < list.count; ++i)
        print("add " + what + " " + name + " addr=" + quadText(list.items[i]) + " index=" + std::to_string(i + 1));
}

void dumpConnection(const SimConnection& connection) {
    ConnectionSettings s;
    if (!readSettings(connection, &s)) return;
    const std::string name = "name=\"" + connection.name + "\"";
    print("");
    print("# Interface IP Configuration for \"" + connection.name + "\"");
    print("");
    if (s.addressSource == SettingSource::Dhcp) {
        print("set address " + name + " source=dhcp");
    } else {
        for (int i = 0; i < s.addresses.count; ++i)
            print(std::string(i == 0 ? "set address " + name + " source=static" : "add address " + name) +
                  " addr=" + quadText(s.addresses.items[i]) + " mask=" + quadText(i < s.masks.count ? s.masks.items[i] : 0));
        for (int i = 0; i < s.gateways.count; ++i)
            print(std::string(i == 0 ? "set address " : "add address ") + name +
                  " gateway=" + quadText(s.gateways.items[i]) + " gwmetric=0");
    }
    print("");
    printServers("dns", name, s.dnsSource, s.dns);
    print("");
    printServers("wins", name, s.winsSource, s.wins);
    print("");
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

bool isSetting(NetshLineKind kind) { return kind >= NetshLineKind::SetAddressDhcp; }

bool execScript(const std::string& file) {
    std::ifstream script(file, std::ios::binary);
    if (!script) {
        print("The file " + file + " could not be opened.");
        return false;
    }
    int inInterfaceIp = 0;
    bool ok = true;
    std::string text;
    int number = 0;
    NetshLine line;
    while (std::getline(script, text)) {
        ++number;
        parseNetshLine(text.data(), text.size(), inInterfaceIp, &line);
        if (line.kind == NetshLineKind::Pushd || line.kind == NetshLineKind::Popd) {
            inInterfaceIp = line.kind == NetshLineKind::Pushd;
        } else if (isSetting(line.kind)) {
            ok = apply(line) && ok;
        } else if (line.kind != NetshLineKind::Nothing) {
            print("Line " + std::to_string(number) + ": the command was not accepted (" +
                  (line.error != nullptr ? line.error : "not allowed in a script") + ").");
            ok = false;
        }
    }
    return ok;
}

int runCommandLine() {
    const char* tail = commandLineTail(GetCommandLineA());
    NetshLine line;
    parseNetshLine(tail, std::strlen(tail), 0, &line);
    if (line.kind == NetshLineKind::Dump) {
        dump();
        return 0;
    }
    if (line.kind == NetshLineKind::Exec) return execScript(line.file) ? 0 : 1;
    if (isSetting(line.kind)) return apply(line) ? 0 : 1;
    print("The following command was not found: " + std::string(tail) +
          (line.error != nullptr ? " (" + std::string(line.error) + ")" : ""));
    return 1;
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
