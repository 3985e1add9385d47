// What the comparison benchmarks set up: connections seeded on the simulated network with
// fixed addresses and DNS servers, the dump netsh would print of them, and a working folder
// of profiles whose scripts are such dumps, every other one holding now.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "sim_registry.h"

inline std::string instanceId(int n) {
    char text[48];
    std::snprintf(text, sizeof text, "{BE0C0000-0000-0000-0000-%012d}", n);
    return text;
}

inline std::vector<std::string> numbered(const std::string& prefix, int count) {
    std::vector<std::string> texts;
    for (int i = 1; i <= count; ++i) texts.push_back(prefix + std::to_string(i));
    return texts;
}

// Connections 0..connections-1, each with fixed addresses and DNS servers, and
// `entries` device class entries of which the first `connections` belong to them.
inline void seedMachine(int connections, int entries, int addresses = 1, int servers = 2) {
    deleteKeyTree(HKEY_LOCAL_MACHINE, kNetworkClassKey);
    deleteKeyTree(HKEY_LOCAL_MACHINE, kDeviceClassKey);
    for (int n = 0; n < connections; ++n) {
        HKEY connection = createMachineKey(std::string(kNetworkClassKey) + "\\" + instanceId(n) + "\\Connection");
        writeText(connection, "Name", "Connection " + std::to_string(n));
        RegCloseKey(connection);
        HKEY tcpip = createMachineKey(interfaceKeyPath(instanceId(n)));
        writeNumber(tcpip, "EnableDHCP", 0);
        writeMultiText(tcpip, "IPAddress", numbered("10." + std::to_string(n) + ".0.", addresses));
        writeMultiText(tcpip, "SubnetMask", std::vector<std::string>(addresses, "255.255.255.0"));
        writeMultiText(tcpip, "DefaultGateway", {"10.0.0.254"});
        std::string list;
        for (const std::string& server : numbered("10.0.1.", servers)) list += (list.empty() ? "" : ",") + server;
        writeText(tcpip, "NameServer", list);
        RegCloseKey(tcpip);
    }
    for (int e = 0; e < entries; ++e) {
        char name[8];
        std::snprintf(name, sizeof name, "%04d", e);
        HKEY entry = createMachineKey(std::string(kDeviceClassKey) + "\\" + name);
        writeText(entry, "NetCfgInstanceId", e < connections ? instanceId(e) : instanceId(100000 + e));
        writeText(entry, "DriverDesc", "Network adapter model " + std::to_string(e));
        RegCloseKey(entry);
    }
}

inline void removeMachine(int connections) {
    for (int n = 0; n < connections; ++n) deleteKeyTree(HKEY_LOCAL_MACHINE, interfaceKeyPath(instanceId(n)));
}

// What the seeded connections hold, as a dump would say it.
inline std::string dumpOfSeed(int connections, int addresses, int servers) {
    std::string script = "pushd interface ip\r\n";
    for (int n = 0; n < connections; ++n) {
        const std::string name = " name=\"Connection " + std::to_string(n) + "\"";
        script += "\r\n# Interface IP Configuration for \"Connection " + std::to_string(n) + "\"\r\n\r\n";
        const std::vector<std::string> own = numbered("10." + std::to_string(n) + ".0.", addresses);
        for (size_t i = 0; i < own.size(); ++i)
            script += (i == 0 ? "set address" + name + " source=static" : "add address" + name) + " addr=" + own[i] +
                      " mask=255.255.255.0\r\n";
        script += "set address" + name + " gateway=10.0.0.254 gwmetric=0\r\n";
        const std::vector<std::string> dns = numbered("10.0.1.", servers);
        for (size_t i = 0; i < dns.size(); ++i)
            script += (i == 0 ? "set dns" + name + " source=static" : "add dns" + name) + " addr=" + dns[i] + "\r\n";
        script += "set wins" + name + " source=static addr=none\r\n";
    }
    return script + "\r\npopd\r\n";
}

inline void writeFile(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

// A dump of the 5 connections seedMachine(5, ...) makes, with netsh's banner, as a profile
// keeps it: a real dump of 5 connections is about this size.
inline std::string profileDump() {
    return "# ----------------------------------\r\n# Interface IP Configuration\r\n"
           "# ----------------------------------\r\n" + dumpOfSeed(5, 1, 2);
}

// `count` profiles in `folder` (made if missing): scripts N.dmp, even N holding now, odd N
// differing in one DNS server, and dumplist.ini naming them "Place N". With extras, each
// profile keeps the browser's proxy and the printer \\fs01\Office-LP as well.
inline void writeProfileFolder(const std::string& folder, int count, bool withExtras) {
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string holds = profileDump();
    std::string differs = holds;
    differs.replace(differs.find("addr=10.0.1.2"), 13, "addr=10.0.1.9");
    std::string catalogue;
    for (int i = 0; i < count; ++i) {
        writeFile(folder + "\\" + std::to_string(i) + ".dmp", i % 2 == 0 ? holds : differs);
        char section[8];
        std::snprintf(section, sizeof section, "[%03d]", i);
        // The scripts of the working folder, as a save names them: a catalogue path outside it
        // is never opened.
        catalogue += section + std::string("\r\nname=Place ") + std::to_string(i) + "\r\npath=.\\" +
                     std::to_string(i) + ".dmp" + "\r\nsort=0\r\n";
        if (withExtras)
            catalogue += "proxy=1\r\nproxyserver=\r\nproxybypass=\r\nproxyurl=\r\nprinter=\\\\fs01\\Office-LP\r\n";
    }
    writeFile(folder + "\\dumplist.ini", catalogue);
}

// The folder and everything in it (no subfolders).
inline void removeFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}
