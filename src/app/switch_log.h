// The log of what a resident Tessaly switched to by itself (tessaly.log beside the
// catalogue, its last 200 lines), so that a switch the user did not make can be traced.
#pragma once

// Adds one line: the local date and time, the profile's name in 「」, the text (its line
// breaks become " / "). 1 when the log was written.
int appendSwitchLog(const char* name, const char* text);
