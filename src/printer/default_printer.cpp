#include "default_printer.h"

#include <new>

#include "../common/late_binding.h"

namespace {

// One value per printer of the user, local or on a server: the printer's name, "winspool,PORT".
constexpr char kUserPrintersKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Devices";

}  // namespace

int readDefaultPrinter(char (&out)[kPrinterNameSize]) {
    out[0] = '\0';
    const auto get = late::GetDefaultPrinterA();
    if (get == nullptr) return 0;
    // The size is counted in characters, and each may take two bytes: half the buffer's
    // bytes are offered, and the size query is never used (Wine's counts the wide name).
    DWORD size = kPrinterNameSize / 2;
    if (get(out, &size)) {
        out[kPrinterNameSize - 1] = '\0';
        return 1;
    }
    // No default printer: an empty name, read as such.
    const int none = GetLastError() == ERROR_FILE_NOT_FOUND;
    out[0] = '\0';
    return none;
}

WideName compareDefaultPrinterWide(const char* ansiName) {
    const auto get = late::GetDefaultPrinterW();
    WCHAR* names = new (std::nothrow) WCHAR[2 * kPrinterNameSize];
    DWORD size = kPrinterNameSize;
    if (names == nullptr || get == nullptr || ansiName == nullptr || !get(names, &size)) {
        delete[] names;
        return WideName::Unreadable;
    }
    // The ANSI name turned back into Unicode: a '?' or a look-alike the code page put in
    // place of a character does not give the name back.
    WCHAR* wide = names + kPrinterNameSize;
    names[kPrinterNameSize - 1] = 0;
    int same = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, ansiName, -1, wide, kPrinterNameSize) > 0;
    for (int i = 0; same && (names[i] != 0 || wide[i] != 0); ++i) same = names[i] == wide[i];
    delete[] names;
    return same ? WideName::Same : WideName::Differs;
}

int readDefaultPrinterExactly(char (&out)[kPrinterNameSize]) {
    if (!readDefaultPrinter(out)) return 0;
    if (out[0] == '\0' || compareDefaultPrinterWide(out) != WideName::Differs) return 1;
    out[0] = '\0';
    return 0;
}

int setDefaultPrinter(const char* name) {
    const auto set = late::SetDefaultPrinterA();
    return set != nullptr && name != nullptr && name[0] != '\0' && set(name) != FALSE;
}

int userHasPrinter(const char* name) {
    if (name == nullptr || name[0] == '\0') return 0;
    HKEY printers = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kUserPrintersKey, 0, KEY_READ, &printers) != ERROR_SUCCESS) return 0;
    DWORD type = 0, size = 0;
    const int listed = RegQueryValueExA(printers, name, nullptr, &type, nullptr, &size) == ERROR_SUCCESS;
    RegCloseKey(printers);
    return listed;
}
