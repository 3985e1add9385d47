#include "sim_values.h"

#include <windows.h>

#include "machine_seed.h"
#include "sim_registry.h"

std::map<std::string, std::string> interfaceValues() {
    std::map<std::string, std::string> values;
    for (const char* id : {kLanInstanceId, kWirelessInstanceId}) {
        HKEY key;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, interfaceKeyPath(id).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            continue;
        for (DWORD index = 0;; ++index) {
            char name[256];
            DWORD nameLength = sizeof name;
            BYTE data[4096];
            DWORD size = sizeof data;
            DWORD type = 0;
            if (RegEnumValueA(key, index, name, &nameLength, nullptr, &type, data, &size) != ERROR_SUCCESS) break;
            values[std::string(id) + "\\" + name] =
                std::to_string(type) + ":" + std::string(reinterpret_cast<char*>(data), size);
        }
        RegCloseKey(key);
    }
    return values;
}

std::vector<std::string> crlfLines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        out.push_back(text.substr(start, end - start));
    return out;
}
