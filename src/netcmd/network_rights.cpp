#include "network_rights.h"

#include <windows.h>

namespace {

// Network Configuration Operators, a built-in group of Windows XP; Windows 2000 has no
// group of that id, so nobody is a member there.
constexpr DWORD kNetworkConfigurationOperatorsRid = 556;

// 1: the token of this thread's process is a member; 0: it is not; -1: unknown.
int isMemberOfBuiltinGroup(DWORD groupRid) {
    SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
    PSID group = nullptr;
    if (!AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, groupRid, 0, 0, 0, 0, 0, 0, &group))
        return -1;
    BOOL member = FALSE;
    const int answer = CheckTokenMembership(nullptr, group, &member) ? (member ? 1 : 0) : -1;
    FreeSid(group);
    return answer;
}

}  // namespace

int mayChangeNetworkSettings() {
    const int administrator = isMemberOfBuiltinGroup(DOMAIN_ALIAS_RID_ADMINS);
    if (administrator != 0) return 1;
    return isMemberOfBuiltinGroup(kNetworkConfigurationOperatorsRid) != 0;
}
