// The texts of the notification area's icon: its tooltip and its menu's profile items.
// Portable: no windows.h.
#pragma once

#include <cstddef>

// The tooltip's room on shell 5.0 (Windows 2000) and later, terminator included.
constexpr size_t kTrayTipSize = 128;

// Between the names of the profiles that hold now.
constexpr char kTrayTipNameSeparator[] = "、";

// "Tessaly - 現在：" and the names (joined by kTrayTipNameSeparator) of the profiles that
// hold now, the names cut at a character boundary to fit outSize bytes (kTrayTipSize), or
// "Tessaly - 保存した設定と一致しません" when none does (null or empty).
void composeTrayTip(const char* holdingNames, char* out, size_t outSize);

// A profile's name as the menu's and the tooltip's text: "&" doubled, so that it shows and
// marks no key. Cut at a character boundary to fit outSize bytes.
void doubleAmpersands(const char* name, char* out, size_t outSize);
