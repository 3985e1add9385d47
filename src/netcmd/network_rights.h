// Whether this process may change TCP/IP settings. On Windows 2000 and XP only members
// of Administrators (on XP also of Network Configuration Operators) may; netsh fails for
// anyone else without saying why.
#pragma once

constexpr char kNeedsAdministratorText[] = "ネットワークの設定を変更するには管理者の権限が必要です。";

// 1 when the process token is a member of either group, or when membership cannot be
// checked at all (netsh and the read-back then decide); 0 when it is a member of neither.
int mayChangeNetworkSettings();
