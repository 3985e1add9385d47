// The log of what a resident Tessaly switched to by itself (tessaly.log beside the
// catalogue, its last 200 lines), so that a switch the user did not make can be traced.
#pragma once

// Adds the text as one line, after the local date and time; line breaks in it become
// " / ". 1 when the log was written.
int appendSwitchLog(const char* text);
