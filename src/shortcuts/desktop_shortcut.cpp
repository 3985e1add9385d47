#include "desktop_shortcut.h"

#include <cstring>
#include <new>

#include "../common/desktop_user.h"
#include "../common/file_identity.h"
#include "../common/late_binding.h"
#include "../common/message_box.h"
#include "../common/profile_text.h"
#include "../common/text_builder.h"
#include "../resources/resource.h"
#include "profile_link.h"
#include "strip_file_name.h"

namespace {

constexpr DWORD kLinkPathSize = 264;
constexpr int kWidePathSize = 260;
constexpr ULONG kFolderPathAllocation = 520;

constexpr char kShortcutTitle[] = "ショートカット作成";
// Around a profile's name in the question before its shortcut is made.
constexpr char kProfileQuestionBefore[] = "ネットワーク設定「";
constexpr char kProfileQuestionAfter[] = "」のショートカットをデスクトップに作成します。\nよろしいですか？";
// Added to a question when the shortcut goes to another account's desktop (Run as).
constexpr char kOtherDesktopBefore[] = "\n（別のユーザーとして実行しているため、ユーザー「";
constexpr char kOtherDesktopAfter[] = "」のデスクトップに作成されます）";
// A profile's link name and arguments: the name (99 bytes) and what surrounds it.
constexpr size_t kProfileLinkTextSize = 160;

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
    const auto getMalloc = late::SHGetMalloc();
    IMalloc* allocator = nullptr;
    if (getMalloc == nullptr || FAILED(getMalloc(&allocator)) || allocator == nullptr) return 0;
    char* path = static_cast<char*>(allocator->Alloc(kFolderPathAllocation));
    int found = 0;
    LPITEMIDLIST items = nullptr;
    const auto locate = late::SHGetSpecialFolderLocation();
    if (path != nullptr && locate != nullptr && locate(owner, folder, &items) == S_OK) {
        const auto pathOf = late::SHGetPathFromIDListA();
        if (pathOf != nullptr && pathOf(items, path)) {
            lstrcpynA(output, path, MAX_PATH);
            found = 1;
        }
    }
    if (items != nullptr) allocator->Free(items);
    if (path != nullptr) allocator->Free(path);
    allocator->Release();
    return found;
}

namespace {

// A new shell link object, COM started first; null when ole32 cannot be bound or makes none.
IShellLinkA* newShellLink() {
    if (const auto initialize = late::CoInitialize()) initialize(nullptr);
    const auto create = late::CoCreateInstance();
    IShellLinkA* link = nullptr;
    if (create == nullptr || FAILED(create(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                           reinterpret_cast<void**>(&link))))
        return nullptr;
    return link;
}

// Tells the shell that the file at the path changed; nothing when shell32 cannot be bound.
void tellShell(LONG event, const char* path) {
    if (const auto notify = late::SHChangeNotify()) notify(event, SHCNF_PATHA, path, nullptr);
}

// Asks before a shortcut is made. Run as another user, the question also names the
// account whose desktop gets it: the one this process runs as.
int askShortcutQuestion(HWND owner, const char* question) {
    if (!runsAsAnotherUser()) return askOkCancel(owner, question, kShortcutTitle);
    char user[kUserNameSize];
    processUserName(user);
    GrowingText text;
    char* told = nullptr;
    text.add(question).add(kOtherDesktopBefore).add(user).add(kOtherDesktopAfter).hand(&told);
    const int answer = askOkCancel(owner, told != nullptr ? told : question, kShortcutTitle);
    delete[] told;
    return answer;
}

}  // namespace

int createShellLink(const char* target, const char* arguments, const char* linkPath, const char* description) {
    IShellLinkA* link = newShellLink();
    if (link == nullptr) return 0;
    link->SetPath(target);
    link->SetArguments(arguments);
    char directory[MAX_PATH];
    lstrcpynA(directory, target, sizeof directory);
    stripFileName(directory);
    link->SetWorkingDirectory(directory);
    if (description != nullptr) {
        link->SetDescription(description);
        link->SetIconLocation(target, 0);
    }

    int saved = 0;
    const int replaced = GetFileAttributesA(linkPath) != INVALID_FILE_ATTRIBUTES;
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        WCHAR widePath[kWidePathSize];
        if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, kWidePathSize) > 0)
            saved = SUCCEEDED(file->Save(widePath, TRUE));
        file->Release();
    }
    link->Release();
    // A desktop on a server share shows a new or replaced file only once the shell is told.
    if (saved) tellShell(replaced ? SHCNE_UPDATEITEM : SHCNE_CREATE, linkPath);
    return saved;
}

namespace {

// <folder>\linkFileName (the desktop unless another shell folder is named) and this
// program's path; 0 when either cannot be had whole. No path is composed from an
// unresolved folder or beyond the buffer.
int linkAndProgramPaths(HWND owner, const char* linkFileName, char (&linkPath)[kLinkPathSize],
                        char (&program)[MAX_PATH], int folder = CSIDL_DESKTOP) {
    char folderPath[kLinkPathSize];
    if (linkFileName == nullptr || !getSpecialFolderPath(owner, folder, folderPath)) return 0;
    if (!BoundedText(linkPath, sizeof linkPath).add(folderPath).add("\\").add(linkFileName).finish()) return 0;
    const DWORD length = GetModuleFileNameA(nullptr, program, sizeof program);
    return length != 0 && length < sizeof program;
}

// 1 when the link at the path leads to the target with exactly those arguments.
int linkLeadsTo(const char* linkPath, const char* target, const char* arguments) {
    IShellLinkA* link = newShellLink();
    if (link == nullptr) return 0;
    int leads = 0;
    IPersistFile* file = nullptr;
    WCHAR widePath[kWidePathSize];
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        char path[MAX_PATH] = "";
        char held[kProfileLinkTextSize] = "";
        if (MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, kWidePathSize) > 0 &&
            SUCCEEDED(file->Load(widePath, STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, sizeof path, nullptr, SLGP_RAWPATH)) &&
            SUCCEEDED(link->GetArguments(held, sizeof held)))
            leads = std::strcmp(held, arguments) == 0 && isSameFile(path, target);
        file->Release();
    }
    link->Release();
    return leads;
}

// The profile's link name and arguments; 0 when the name cannot be put in both.
int profileLinkTexts(const char* profileName, char (&linkName)[kProfileLinkTextSize],
                     char (&arguments)[kProfileLinkTextSize]) {
    return composeProfileLinkName(profileName, linkName, sizeof linkName) &&
           composeProfileArguments(profileName, arguments, sizeof arguments);
}

}  // namespace

int createDesktopShortcut(HWND owner, const char* linkFileName, const char* arguments, const char* description) {
    char linkPath[kLinkPathSize];
    char program[MAX_PATH];
    if (arguments == nullptr || !linkAndProgramPaths(owner, linkFileName, linkPath, program)) return 0;
    return createShellLink(program, arguments, linkPath, description);
}

int createProfileShortcut(HWND owner, const char* profileName) {
    char linkName[kProfileLinkTextSize];
    char arguments[kProfileLinkTextSize];
    char description[kProfileLinkTextSize];
    if (!profileLinkTexts(profileName, linkName, arguments)) return 0;
    composeProfileLinkDescription(profileName, description, sizeof description);
    return createDesktopShortcut(owner, linkName, arguments, description);
}

namespace {

// The path of the profile's shortcut into linkPath; 1 when a link this program made for
// that profile stands there.
int findProfileShortcut(HWND owner, const char* profileName, char (&linkPath)[kLinkPathSize]) {
    char linkName[kProfileLinkTextSize];
    char arguments[kProfileLinkTextSize];
    char program[MAX_PATH];
    return profileLinkTexts(profileName, linkName, arguments) &&
           linkAndProgramPaths(owner, linkName, linkPath, program) && linkLeadsTo(linkPath, program, arguments);
}

}  // namespace

int hasProfileShortcut(HWND owner, const char* profileName) {
    char linkPath[kLinkPathSize];
    return findProfileShortcut(owner, profileName, linkPath);
}

int deleteProfileShortcut(HWND owner, const char* profileName) {
    char linkPath[kLinkPathSize];
    if (!findProfileShortcut(owner, profileName, linkPath) || !DeleteFileA(linkPath)) return 0;
    tellShell(SHCNE_DELETE, linkPath);
    return 1;
}

void runProfileShortcutCommand(HWND owner, const char* profileName) {
    char name[kProfileLinkTextSize];
    copyTextCut(name, sizeof name, profileName);
    char question[sizeof kProfileQuestionBefore + sizeof name + sizeof kProfileQuestionAfter];
    BoundedText(question, sizeof question).add(kProfileQuestionBefore).add(name).add(kProfileQuestionAfter);
    if (!askShortcutQuestion(owner, question)) return;
    if (!createProfileShortcut(owner, profileName)) showInformation(owner, kShortcutFailedText, kConfirmTitle);
}

namespace {

// The Startup folder's path for the shortcut into linkPath; 1 when a link this program made
// with "/R" stands there.
int findStartupShortcut(HWND owner, char (&linkPath)[kLinkPathSize]) {
    char program[MAX_PATH];
    return linkAndProgramPaths(owner, kStartupLinkName, linkPath, program, CSIDL_STARTUP) &&
           linkLeadsTo(linkPath, program, kStartupArguments);
}

}  // namespace

int hasStartupShortcut(HWND owner) {
    char linkPath[kLinkPathSize];
    return findStartupShortcut(owner, linkPath);
}

int runStartupShortcutCommand(HWND owner) {
    char linkPath[kLinkPathSize];
    char program[MAX_PATH];
    int done = 0;
    if (findStartupShortcut(owner, linkPath)) {
        done = DeleteFileA(linkPath) != FALSE;
        if (done) tellShell(SHCNE_DELETE, linkPath);
    } else if (linkAndProgramPaths(owner, kStartupLinkName, linkPath, program, CSIDL_STARTUP)) {
        done = createShellLink(program, kStartupArguments, linkPath, kStartupLinkDescription);
    }
    if (!done) showInformation(owner, kStartupShortcutFailedText, kConfirmTitle);
    return done;
}

void runShortcutCommand(HWND mainWindow, int commandId) {
    for (const ShortcutKind& kind : kShortcuts) {
        if (kind.commandId != commandId) continue;
        if (!askShortcutQuestion(mainWindow, kind.question)) return;
        if (!createDesktopShortcut(mainWindow, kind.linkFileName, kind.arguments))
            showInformation(mainWindow, kShortcutFailedText, kConfirmTitle);
        return;
    }
}
