// Operations on a file that another handle holds without sharing it are tried again until
// it is let go, for half a second.
#include "common/file_retry.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "win/support.h"

namespace {

TEST(FileRetry, AFileInUseIsTriedAgainUntilItIsLetGoOrHalfASecondHasPassed) {
    ScratchDir dir;
    const std::string held = dir.file("held.txt"), source = dir.file("new.txt"), none = dir.file("none.txt");
    // letGoMs: when the other handle is closed; 0: only after the operation has given up
    const struct { const char* operation; DWORD letGoMs; int done; } cases[] = {
        {"open", 100, 1}, {"open", 0, 0}, {"delete", 100, 1}, {"delete", 0, 0}, {"replace", 100, 1}, {"replace", 0, 0},
    };
    for (const auto& c : cases) {
        writeWholeFile(held, "old");
        writeWholeFile(source, "new");
        HANDLE other = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, other);
        std::thread letGo([&] {
            if (c.letGoMs == 0) return;
            Sleep(c.letGoMs);
            CloseHandle(other);
        });
        const std::string operation = c.operation;
        int done = 0;
        if (operation == "open") {
            HANDLE file = openFileSoon(held.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0);
            done = file != INVALID_HANDLE_VALUE;
            const DWORD error = GetLastError();
            if (done) CloseHandle(file);
            EXPECT_EQ(done ? error : static_cast<DWORD>(ERROR_SHARING_VIOLATION), error);
        } else if (operation == "delete") {
            done = deleteFileSoon(held.c_str());
        } else {
            done = replaceFileSoon(source.c_str(), held.c_str());
        }
        letGo.join();
        if (c.letGoMs == 0) CloseHandle(other);
        EXPECT_EQ(c.done, done) << operation << " let go after " << c.letGoMs << " ms";
        if (operation != "open") {
            EXPECT_EQ(!done ? "old" : operation == "delete" ? "" : "new", readWholeFile(held)) << operation;
        }
    }
    // Any other failure is told at once: a deletion of a file already gone counts as done.
    EXPECT_EQ(INVALID_HANDLE_VALUE, openFileSoon(none.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_EQ(1, deleteFileSoon(none.c_str()));
    EXPECT_EQ(0, replaceFileSoon(none.c_str(), held.c_str()));
}

}  // namespace
