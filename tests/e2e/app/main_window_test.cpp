// The main window end to end: size, background picture, commands 503 and 507.
#include <functional>

#include "e2e/fixture.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class MainWindow : public ToolTest {};

// A 24-bit bottom-up bitmap file whose pixels come from the function.
std::string bitmapFile(int width, int height, const std::function<COLORREF(int x)>& pixelAt) {
    std::string out = bitmapFileHeaders(width, height);
    for (int y = height - 1; y >= 0; --y) {
        std::string row((width * 3 + 3) & ~3, '\0');
        for (int x = 0; x < width; ++x) {
            row[x * 3] = static_cast<char>(GetBValue(pixelAt(x)));
            row[x * 3 + 1] = static_cast<char>(GetGValue(pixelAt(x)));
            row[x * 3 + 2] = static_cast<char>(GetRValue(pixelAt(x)));
        }
        out += row;
    }
    return out;
}

// "x,y" of every client pixel that does not show its colour yet; polled, since painting
// is asynchronous.
std::string pixelsNotShown(HWND window, const std::vector<std::pair<POINT, COLORREF>>& expected) {
    std::string wrong;
    for (int attempt = 0; attempt < 50; Sleep(100), ++attempt) {
        wrong.clear();
        HDC screen = GetDC(nullptr);
        for (const auto& e : expected) {
            POINT at = e.first;
            ClientToScreen(window, &at);
            if (GetPixel(screen, at.x, at.y) != e.second)
                wrong += std::to_string(e.first.x) + "," + std::to_string(e.first.y) + " ";
        }
        ReleaseDC(nullptr, screen);
        if (wrong.empty()) break;
    }
    return wrong;
}

TEST_F(MainWindow, HasAFixed300By50ClientAreaAndEndsWithTheCloseBox) {
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    ASSERT_NE(nullptr, mainWindow);
    RECT client = {};
    GetClientRect(mainWindow, &client);
    EXPECT_EQ(300, client.right);
    EXPECT_EQ(50, client.bottom);
    EXPECT_EQ("Tessaly ネットワーク設定切替ツール", windowText(mainWindow));
    const LONG style = GetWindowLongA(mainWindow, GWL_STYLE);
    EXPECT_EQ(WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, style & (WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_THICKFRAME | WS_MAXIMIZEBOX));


    PostMessageA(mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    expectEndsWithZero(run);
}

TEST_F(MainWindow, BackgroundPictureIsDrawnAtTheClientHeight) {
    const struct {
        const char* name;
        std::string file;
        std::vector<std::pair<POINT, COLORREF>> pixels;
    } cases[] = {
        {"200 x 50: unscaled", bitmapFile(200, 50, [](int x) { return x % 2 ? kBlue : kRed; }),
         {{{0, 0}, kRed}, {{1, 0}, kBlue}, {{198, 49}, kRed}, {{199, 49}, kBlue}, {{200, 0}, kWhite}}},
        {"600 x 100: 300 x 50", bitmapFile(600, 100, [](int x) { return x < 300 ? kRed : kBlue; }),
         {{{0, 0}, kRed}, {{146, 49}, kRed}, {{153, 0}, kBlue}, {{299, 49}, kBlue}}},
        {"7 x 10: 35 x 50", bitmapFile(7, 10, [](int) { return kBlue; }),
         {{{0, 0}, kBlue}, {{34, 49}, kBlue}, {{35, 0}, kWhite}, {{299, 25}, kWhite}}},
        {"not a bitmap: white", "BM this is not a picture at all", {{{0, 0}, kWhite}, {{299, 49}, kWhite}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        writeWholeFile(dir.file("bgpict.bmp"), c.file);
        TessalyRun run;
        HWND mainWindow = startVisible(run);
        ASSERT_NE(nullptr, mainWindow);
        EXPECT_EQ("", pixelsNotShown(mainWindow, c.pixels));
        exitThroughMenu(run, mainWindow);
    }
}

TEST_F(MainWindow, SettingsCommandShowsItsNoteAndUnknownIdsDoNothing) {
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    ASSERT_NE(nullptr, mainWindow);
    for (int id : {0, 1, 101, 499, 509, 0xFFFF}) postCommand(mainWindow, id);
    postCommand(mainWindow, 507);
    HWND note = run.waitForDialog("設定");
    ASSERT_NE(nullptr, note);
    EXPECT_EQ(1u, run.windows("#32770", nullptr).size()) << run.describeWindows();
    EXPECT_EQ("実装する事無いです。", answerBox(run, "設定"));
    EXPECT_NE(nullptr, run.waitForMainWindow());
    exitThroughMenu(run, mainWindow);
}

}  // namespace
