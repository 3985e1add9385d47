#include "tcpip_apply.h"

#include <cstring>
#include <new>

#include "../adapters/settings_readback.h"
#include "../common/message_box.h"
#include "../common/task_outcome.h"
#include "../netcmd/command_runner.h"
#include "../netcmd/netsh_text.h"
#include "../netcmd/network_rights.h"
#include "../profiles/profile_catalog.h"
#include "switched_message.h"
#include "tcpip_texts.h"

int applyTcpIpRequest(HWND owner, const ProfileCatalog* catalog, CommandRunner* runner, const TcpIpRequest& request) {
    AdapterInfo adapter;
    const char* name = nullptr;
    if (catalog != nullptr && catalog->adapterAt(request.adapterIndex, &adapter)) name = adapter.connectionName;
    if (name == nullptr || runner == nullptr) {
        showInformation(owner, kTcpIpFailedText, kConfirmTitle);
        return kTaskNotDone;
    }
    if (!mayChangeNetworkSettings()) {
        showInformation(owner, kNeedsAdministratorText, kConfirmTitle);
        return kTaskNotDone;
    }
    int applied = runner->applyTcpIp(name, request);
    char* report = nullptr;
    ScriptSettings* asked = new (std::nothrow) ScriptSettings;
    // A name the commands could not carry whole is left to the exit codes.
    if (asked != nullptr && isQuotableConnectionName(name) && std::strlen(name) < kScriptNameSize) {
        asked->connectionCount = 1;
        asked->unreadLines = 0;
        tcpIpRequestSettings(name, request, &asked->connections[0]);
        applied = verifyApplied(*asked, applied, kTcpIpFailedText, &report);
    }
    delete asked;
    if (!applied) {
        showInformation(owner, report != nullptr ? report : kTcpIpFailedText, kConfirmTitle);
        delete[] report;
        return kTaskNotDone;
    }
    const size_t size = std::strlen(name) + kSwitchedMessageOverhead;
    char* message = new (std::nothrow) char[size];
    if (message != nullptr && composeSwitchedMessage(name, request.address, message, size))
        showInformation(owner, message, kConfirmTitle);
    delete[] message;
    return kTaskDone;
}

