#include "desktop_shortcut.h"

#include "../common/late_binding.h"
#include "../common/message_box.h"
#include "../resources/resource.h"
#include "strip_file_name.h"

namespace {

constexpr DWORD kLinkPathSize = 264;
constexpr int kWidePathSize = 260;
constexpr ULONG kFolderPathAllocation = 520;

constexpr char kShortcutTitle[] = "ショートカット作成";
constexpr char kShortcutFailedText[] = "ショートカットを作成できませんでした。";

struct ShortcutKind {
    int commandId;
    const char* question;
    const char* linkFileName;
    const char* arguments;
};

const ShortcutKind kShortcuts[] = {
    {IDM_SHORTCUT_SELECT, "ネットワーク設定の読込み専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "ネットワーク設定読込み.lnk", "/L"},
    {IDM_SHORTCUT_SAVE, "ネットワーク設定の保存専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "ネットワーク設定保存.lnk", "/S"},
    {IDM_SHORTCUT_TCPIP,
     "インターネットプロトコル設定の専用ショートカットをデスクトップに作成します。\nよろしいですか？",
     "インターネットプロトコル設定.lnk", "/T"},
};

}  // namespace

int getSpecialFolderPath(HWND owner, int folder, char* output) {
    if (output == nullptr) return 0;
    IMalloc* allocator = nullptr;
    if (FAILED(lateSHGetMalloc(&allocator)) || allocator == nullptr) return 0;
    char* path = static_cast<char*>(allocator->Alloc(kFolderPathAllocation));
    int found = 0;
    LPITEMIDLIST items = nullptr;
    if (path != nullptr && lateSHGetSpecialFolderLocation(owner, folder, &items) == S_OK) {
        if (lateSHGetPathFromIDListA(items, path)) {
            lstrcpynA(output, path, MAX_PATH);
            found = 1;
        }
    }
    if (items != nullptr) allocator->Free(items);
    if (path != nullptr) allocator->Free(path);
    allocator->Release();
    return found;
}

int createShellLink(const char* target, const char* arguments, const char* linkPath) {
    lateCoInitialize(nullptr);
    IShellLinkA* link = nullptr;
    if (FAILED(lateCoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                    reinterpret_cast<void**>(&link))))
        return 0;
    link->SetPath(target);
    link->SetArguments(arguments);
    char directory[MAX_PATH];
    lstrcpynA(directory, target, sizeof directory);
    stripFileName(directory);
    link->SetWorkingDirectory(directory);

    int saved = 0;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR widePath[kWidePathSize];
        if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, kWidePathSize) > 0)
            saved = SUCCEEDED(file->Save(widePath, TRUE));
        file->Release();
    }
    link->Release();
    return saved;
}

int createDesktopShortcut(HWND owner, const char* linkFileName, const char* arguments) {
    if (linkFileName == nullptr || arguments == nullptr) return 0;
    char linkPath[kLinkPathSize];
    // No path is composed from an unresolved folder or beyond the buffer.
    if (!getSpecialFolderPath(owner, CSIDL_DESKTOP, linkPath)) return 0;
    if (lstrlenA(linkPath) + 1 + lstrlenA(linkFileName) >= static_cast<int>(sizeof linkPath)) return 0;
    lstrcatA(linkPath, "\\");
    lstrcatA(linkPath, linkFileName);
    char program[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    if (length == 0 || length >= sizeof program) return 0;
    return createShellLink(program, arguments, linkPath);
}

void runShortcutCommand(HWND mainWindow, int commandId) {
    for (const ShortcutKind& kind : kShortcuts) {
        if (kind.commandId != commandId) continue;
        if (!askOkCancel(mainWindow, kind.question, kShortcutTitle)) return;
        if (!createDesktopShortcut(mainWindow, kind.linkFileName, kind.arguments))
            showInformation(mainWindow, kShortcutFailedText, kConfirmTitle);
        return;
    }
}
