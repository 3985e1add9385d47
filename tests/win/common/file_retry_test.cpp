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
    const auto open = [](const std::string& path) {
        HANDLE file = openFileSoon(path.c_str(), GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, 0);
        return file != INVALID_HANDLE_VALUE && CloseHandle(file) ? 1 : 0;
    };
    // letGoMs: when the other handle is closed; 0: only after the operation has given up.
    // after: the held file's text afterwards.
    const struct { char operation; DWORD letGoMs; int done; const char* after; } cases[] = {
        {'o', 100, 1, "old"}, {'o', 0, 0, "old"}, {'d', 100, 1, ""},
        {'d', 0, 0, "old"},   {'r', 100, 1, "new"}, {'r', 0, 0, "old"},
    };
    for (const auto& c : cases) {
        writeWholeFile(held, "old");
        writeWholeFile(source, "new");
        HANDLE other = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, other);
        std::thread letGo([&] {
            if (c.letGoMs != 0) Sleep(c.letGoMs), CloseHandle(other);
        });
        const int done = c.operation == 'o'   ? open(held)
                         : c.operation == 'd' ? deleteFileSoon(held.c_str())
                                              : replaceFileSoon(source.c_str(), held.c_str());
        const DWORD error = GetLastError();
        letGo.join();
        if (c.letGoMs == 0) CloseHandle(other);
        EXPECT_EQ(c.done, done) << c.operation << " let go after " << c.letGoMs << " ms";
        EXPECT_EQ(done || c.operation != 'o' ? error : static_cast<DWORD>(ERROR_SHARING_VIOLATION), error);
        EXPECT_EQ(c.after, readWholeFile(held)) << c.operation;
    }
    // Any other failure is told at once: a deletion of a file already gone counts as done.
    EXPECT_EQ(0, open(none));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), GetLastError());
    EXPECT_EQ(1, deleteFileSoon(none.c_str()));
    EXPECT_EQ(0, replaceFileSoon(none.c_str(), held.c_str()));
}

}  // namespace
