// Texts about connection settings: what of an apply did not take, and a profile's
// contents for the selection dialog. Portable: no windows.h.
#pragma once

#include "netsh_script.h"

// Difference lines shown at most; the rest are counted in one line.
constexpr int kMaxReportedDifferences = 10;

// How many settings of `asked` the connections in `held` (same order) do not hold.
// For an automatic (DHCP) source only the source is compared.
int countDifferences(const ScriptSettings& asked, const ScriptSettings& held);

// failureText, a blank line, the heading and one line per difference into a new[]
// buffer at *out. 0, with *out null, when memory is short.
int composeDifferenceReport(const char* failureText, const ScriptSettings& asked, const ScriptSettings& held,
                            char** out);

// Why a script with a line no dump holds is not run, naming that line, the two lines
// of the text joined by lineBreak, into a new[] buffer at *out. 0, with *out null, when
// memory is short.
int composeForeignLineReport(const ScriptSettings& script, const char* lineBreak, char** out);

// Each connection's name, then its settings indented, lines ended by CR LF, into a
// new[] buffer at *out. 0, with *out null, when memory is short.
int composeSettingsSummary(const ScriptSettings& script, char** out);
