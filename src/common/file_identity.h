// Whether two paths name the same file or folder, however each is spelt.
#pragma once

#include <windows.h>

// 1 when both paths name the same file or folder: the same text, or the same index on
// the same volume (a short 8.3 name, another drive letter for the same folder). A file
// system that gives no index (0) is compared by the texts alone.
int isSameFile(const char* path, const char* other);
