// The catalogue of saved network profiles, kept in ".\dumplist.ini".
#pragma once

constexpr char kCatalogFilePath[] = ".\\dumplist.ini";

class ProfileCatalog {
public:
    explicit ProfileCatalog(const char* catalogFilePath);

    static constexpr int kPathSize = 261;
    char iniPath[kPathSize];
};
