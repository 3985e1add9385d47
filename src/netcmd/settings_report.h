// Texts about connection settings: what of an apply did not take, and a profile's
// contents for the selection dialog. Portable: no windows.h.
#pragma once

#include "../common/difference_lines.h"
#include "../common/profile_extra.h"
#include "netsh_script.h"

// How many settings of `asked` the connections in `held` (same order) do not hold.
// For an automatic (DHCP) source only the source is compared.
int countDifferences(const ScriptSettings& asked, const ScriptSettings& held);

// How many lines the extras' outcomes add to the verdict.
int countExtraDifferences(const ExtraOutcomes& extras);

// failureText, a blank line, the heading and one line per difference (the connections',
// then each extra's, as its kind says them) into a new[] buffer at *out. 0, with *out
// null, when memory is short.
int composeDifferenceReport(const char* failureText, const ScriptSettings& asked, const ScriptSettings& held,
                            const ExtraOutcomes* extras, char** out);

// What the preview says when an apply would change nothing.
constexpr char kSameAsNowText[] = "現在の設定と同じです。";

// What an apply of `asked` would change on connections holding `held` (same order) and of
// the extras, as their judgements say: kSameAsNowText, or the heading and one line
// per difference, held value first ("現在"), then the one after the apply ("適用後"), lines
// ended by CR LF; into a new[] buffer at *out. 0, with *out null, when memory is short.
int composeChangePreview(const ScriptSettings& asked, const ScriptSettings& held, const ExtraOutcomes* extras,
                         char** out);

// Why a script saved as Unicode is not run.
constexpr char kNotAnsiScriptText[] = "設定ファイルが ANSI（Shift-JIS）形式で保存されていないため、適用しませんでした。";

// Why a script with a line no dump holds is not run, naming that line, the two lines
// of the text joined by lineBreak (or why a script saved as Unicode is not), into a
// new[] buffer at *out. 0, with *out null, when memory is short.
int composeForeignLineReport(const ScriptSettings& script, const char* lineBreak, char** out);

// Each connection's name, then its settings indented, lines ended by CR LF, into a
// new[] buffer at *out. 0, with *out null, when memory is short.
int composeSettingsSummary(const ScriptSettings& script, char** out);

// text, then each line of `lines` that is not null, the first after the separator and the
// others after a line break, into a new[] buffer at *out; 0, with *out null, when memory is
// short.
int appendLines(const char* text, const char* separator, const char* const* lines, int count, char** out);
