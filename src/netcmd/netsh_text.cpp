#include "netsh_text.h"

#include <cstring>

#include "../common/text_builder.h"

namespace {

enum class Step { AddressDhcp, WinsDhcp, AddressStatic, Gateway, WinsNone, DnsDhcp, DnsStatic, DnsAdd };

// The steps of a request in the order they run.
int tcpIpSteps(const TcpIpRequest& request, Step steps[kMaxTcpIpCommands]) {
    int count = 0;
    if (request.addressAuto == 1) {
        steps[count++] = Step::AddressDhcp;
        steps[count++] = Step::WinsDhcp;
    } else {
        steps[count++] = Step::AddressStatic;
        steps[count++] = Step::Gateway;
        steps[count++] = Step::WinsNone;
    }
    if (request.dnsAuto == 1) {
        steps[count++] = Step::DnsDhcp;
    } else {
        steps[count++] = Step::DnsStatic;
        if (request.alternateDns != 0) steps[count++] = Step::DnsAdd;
    }
    return count;
}

}  // namespace

int isQuotableConnectionName(const char* name) {
    return name != nullptr && std::strchr(name, '"') == nullptr;
}

int tcpIpCommandCount(const TcpIpRequest& request) {
    Step steps[kMaxTcpIpCommands];
    return tcpIpSteps(request, steps);
}

int composeTcpIpCommand(int index, const char* name, const TcpIpRequest& request, char* out,
                        size_t outSize) {
    if (out == nullptr || outSize == 0) return 0;
    out[0] = '\0';
    Step steps[kMaxTcpIpCommands];
    const int count = tcpIpSteps(request, steps);
    if (name == nullptr || index < 0 || index >= count) return 0;

    BoundedText text(out, outSize);
    const char* prefix = "";
    switch (steps[index]) {
    case Step::AddressDhcp:
    case Step::AddressStatic:
    case Step::Gateway: prefix = "netsh interface ip set address name = \""; break;
    case Step::WinsDhcp:
    case Step::WinsNone: prefix = "netsh interface ip set wins name = \""; break;
    case Step::DnsDhcp:
    case Step::DnsStatic: prefix = "netsh interface ip set dns name = \""; break;
    case Step::DnsAdd: prefix = "netsh interface ip add dns name = \""; break;
    }
    text.add(prefix).add(name);
    switch (steps[index]) {
    case Step::AddressDhcp:
    case Step::WinsDhcp:
    case Step::DnsDhcp: text.add("\" source = dhcp"); break;
    case Step::AddressStatic:
        text.add("\" source = static addr = ").quad(request.address).add(" mask = ").quad(request.subnetMask);
        break;
    case Step::Gateway: text.add("\" gateway = ").quad(request.gateway).add(" gwmetric = 1"); break;
    case Step::WinsNone: text.add("\" source = static addr = none"); break;
    case Step::DnsStatic: text.add("\" source = static addr = ").quad(request.preferredDns); break;
    case Step::DnsAdd: text.add("\" addr = ").quad(request.alternateDns); break;
    }
    return text.finish();
}

int isSingleWordPath(const char* path) {
    return path != nullptr && path[0] != '\0' && std::strchr(path, ' ') == nullptr &&
           std::strchr(path, '\t') == nullptr && std::strchr(path, '"') == nullptr;
}

int composeExecCommand(const char* scriptPath, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return 0;
    out[0] = '\0';
    if (!isSingleWordPath(scriptPath)) return 0;
    return BoundedText(out, outSize).add("netsh exec ").add(scriptPath).finish();
}
