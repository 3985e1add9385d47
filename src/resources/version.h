// The version: these two numbers are the one place it is written. The version resource,
// the version box and the release archive's name (scripts/package) all take it from here.
#pragma once

#define TESSALY_VERSION_MAJOR 1
#define TESSALY_VERSION_MINOR 3

#define TESSALY_TEXT_OF(x) #x
#define TESSALY_TEXT(x) TESSALY_TEXT_OF(x)
// "1.3": adjacent literals, which the resource compiler joins as C does.
#define TESSALY_VERSION_TEXT TESSALY_TEXT(TESSALY_VERSION_MAJOR) "." TESSALY_TEXT(TESSALY_VERSION_MINOR)
