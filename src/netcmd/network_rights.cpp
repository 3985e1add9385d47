#include "network_rights.h"

#include <windows.h>

#include "../common/late_binding.h"

namespace {

// Network Configuration Operators, a built-in group of Windows XP; Windows 2000 has no
// group of that id, so nobody is a member there.
constexpr DWORD kNetworkConfigurationOperatorsRid = 556;

// 1: the token of this thread's process is a member; 0: it is not; -1: unknown. The
// three calls are bound at first use: CheckTokenMembership exists from Windows 2000 on,
// and Windows 98 has no security calls.
int isMemberOfBuiltinGroup(DWORD groupRid) {
    const auto allocate = late::AllocateAndInitializeSid();
    const auto check = late::CheckTokenMembership();
    const auto release = late::FreeSid();
    if (allocate == nullptr || check == nullptr || release == nullptr) return -1;
    SID_IDENTIFIER_AUTHORITY ntAuthority = {SECURITY_NT_AUTHORITY};
    PSID group = nullptr;
    if (!allocate(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, groupRid, 0, 0, 0, 0, 0, 0, &group)) return -1;
    BOOL member = FALSE;
    const int answer = check(nullptr, group, &member) ? (member ? 1 : 0) : -1;
    release(group);
    return answer;
}

}  // namespace

int mayChangeNetworkSettings() {
    const int administrator = isMemberOfBuiltinGroup(DOMAIN_ALIAS_RID_ADMINS);
    if (administrator != 0) return 1;
    return isMemberOfBuiltinGroup(kNetworkConfigurationOperatorsRid) != 0;
}
