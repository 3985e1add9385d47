#include "profile_catalog.h"

#include "../app/profile_text.h"

ProfileCatalog::ProfileCatalog(const char* catalogFilePath) {
    copyTextCut(iniPath, sizeof iniPath, catalogFilePath);
}
