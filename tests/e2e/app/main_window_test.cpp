// The main window end to end: size, background picture, menu commands 503 and 507.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e/automation.h"
#include "e2e/expectations.h"
#include "win/scratch_dir.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 160, 0);

// A visible tool in a fresh directory that has already made its first-run offer.
class VisibleTool {
public:
    VisibleTool() { writeNotFirstRun(dir); }
    bool start() {
        if (!run.start("", dir.path())) return false;
        mainWindow = run.waitForMainWindow();
        return mainWindow != nullptr;
    }

    ScratchDir dir;
    TessalyRun run;
    HWND mainWindow = nullptr;
};

// A 24-bit bottom-up bitmap file whose pixels come from the function.
template <typename PixelAt>
std::string bitmapFile(int width, int height, PixelAt pixelAt) {
    const int rowBytes = (width * 3 + 3) & ~3;
    std::string out = bitmapFileHeaders(width, height);
    for (int y = height - 1; y >= 0; --y) {
        std::string row(rowBytes, '\0');
        for (int x = 0; x < width; ++x) {
            const COLORREF colour = pixelAt(x, y);
            row[x * 3] = static_cast<char>(GetBValue(colour));
            row[x * 3 + 1] = static_cast<char>(GetGValue(colour));
            row[x * 3 + 2] = static_cast<char>(GetRValue(colour));
        }
        out += row;
    }
    return out;
}

// The client area as it is on the screen, 300 x 50 pixels read back from the display.
class ClientPixels {
public:
    explicit ClientPixels(HWND window) {
        POINT origin = {0, 0};
        ClientToScreen(window, &origin);
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kWidth;
        info.bmiHeader.biHeight = -kHeight;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ previous = SelectObject(memory, bitmap);
        BitBlt(memory, 0, 0, kWidth, kHeight, screen, origin.x, origin.y, SRCCOPY);
        GdiFlush();
        const DWORD* pixels = static_cast<const DWORD*>(bits);
        pixels_.assign(pixels, pixels + kWidth * kHeight);
        SelectObject(memory, previous);
        DeleteObject(bitmap);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    COLORREF at(int x, int y) const {
        const DWORD bgr = pixels_[y * kWidth + x];
        return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
    }
    static constexpr int kWidth = 300;
    static constexpr int kHeight = 50;

private:
    std::vector<DWORD> pixels_;
};

struct ExpectedPixel {
    int x, y;
    COLORREF colour;
};

// Polls the screen until every expected pixel shows (painting is asynchronous).
void expectPixels(HWND window, const std::vector<ExpectedPixel>& expected) {
    std::string mismatches;
    for (int attempt = 0; attempt < 50; ++attempt) {
        ClientPixels pixels(window);
        mismatches.clear();
        for (size_t i = 0; i < expected.size(); ++i) {
            const ExpectedPixel& e = expected[i];
            if (pixels.at(e.x, e.y) != e.colour) {
                char line[128];
                snprintf(line, sizeof line, "pixel %zu at (%d,%d): %06lx, expected %06lx\n", i, e.x, e.y,
                         static_cast<unsigned long>(pixels.at(e.x, e.y)),
                         static_cast<unsigned long>(e.colour));
                mismatches += line;
            }
        }
        if (mismatches.empty()) return;
        Sleep(100);
    }
    ADD_FAILURE() << mismatches;
}

TEST(MainWindow, ClientAreaIs300By50AndTheFrameIsFixed) {
    VisibleTool tool;
    ASSERT_TRUE(tool.start());
    // The window is shown before it is given its final size; wait for the size to settle.
    RECT client = {};
    for (DWORD waited = 0; waited < kWaitMs; waited += 20) {
        ASSERT_TRUE(GetClientRect(tool.mainWindow, &client));
        if (client.right == 300 && client.bottom == 50) break;
        Sleep(20);
    }
    EXPECT_EQ(300, client.right - client.left);
    EXPECT_EQ(50, client.bottom - client.top);
    const LONG style = GetWindowLongA(tool.mainWindow, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME) << "no sizing border";
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_EQ("Tessaly ネットワーク設定切替ツール", windowText(tool.mainWindow));
    exitThroughMenu(tool.run, tool.mainWindow);
}

TEST(MainWindow, BackgroundPictureIsDrawnAtTheClientHeight) {
    auto stripes = [](int x, int) { return x % 2 ? kBlue : kRed; };
    auto halves = [](int x, int) { return x < 300 ? kRed : kBlue; };
    auto solid = [](int, int) { return kGreen; };
    const struct {
        const char* name;
        std::string file;
        std::vector<ExpectedPixel> pixels;
    } cases[] = {
        {"50 high: drawn unscaled", bitmapFile(200, 50, stripes),
         {{0, 0, kRed}, {1, 0, kBlue}, {2, 25, kRed}, {198, 49, kRed}, {199, 49, kBlue},
          {200, 0, kWhite}, {299, 49, kWhite}}},
        {"600 x 100: drawn 300 x 50", bitmapFile(600, 100, halves),
         {{0, 0, kRed}, {146, 49, kRed}, {153, 0, kBlue}, {299, 49, kBlue}}},
        {"7 x 10: drawn 35 x 50", bitmapFile(7, 10, solid),
         {{0, 0, kGreen}, {34, 49, kGreen}, {35, 0, kWhite}, {35, 49, kWhite}, {299, 25, kWhite}}},
        {"empty file: white", std::string(),
         {{0, 0, kWhite}, {150, 25, kWhite}, {299, 49, kWhite}}},
        {"not a bitmap: white", std::string("BM this is not a picture at all"),
         {{0, 0, kWhite}, {150, 25, kWhite}, {299, 49, kWhite}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        VisibleTool tool;
        writeWholeFile(tool.dir.file("bgpict.bmp"), c.file);
        ASSERT_TRUE(tool.start());
        expectPixels(tool.mainWindow, c.pixels);
        exitThroughMenu(tool.run, tool.mainWindow);
    }
}

TEST(MainWindow, WithoutAPictureTheClientAreaIsWhite) {
    VisibleTool tool;
    ASSERT_TRUE(tool.start());
    expectPixels(tool.mainWindow, {{0, 0, kWhite}, {150, 25, kWhite}, {299, 49, kWhite}});
    exitThroughMenu(tool.run, tool.mainWindow);
}

TEST(MainWindow, SettingsCommandShowsItsNoteAndUnknownIdsDoNothing) {
    VisibleTool tool;
    ASSERT_TRUE(tool.start());
    const int unknownIds[] = {0, 1, 2, 101, 499, 509, 600, 0xFFFF};
    for (int id : unknownIds) postCommand(tool.mainWindow, id);
    postCommand(tool.mainWindow, 507);
    HWND note = tool.run.waitForDialog("設定");
    ASSERT_NE(nullptr, note);
    EXPECT_EQ("実装する事無いです。", messageBoxText(note));
    EXPECT_TRUE(hasButton(note, IDOK));
    EXPECT_FALSE(hasButton(note, IDCANCEL));
    const std::vector<HWND> windows = tool.run.visibleWindows();
    EXPECT_EQ(2u, windows.size()) << "the main window and the note, nothing else";
    pressButton(note, IDOK);
    ASSERT_TRUE(waitForWindowGone(note));
    EXPECT_TRUE(tool.run.isRunning());
    exitThroughMenu(tool.run, tool.mainWindow);
}

TEST(MainWindow, CloseBoxEndsTheProcessWithCodeZero) {
    VisibleTool tool;
    ASSERT_TRUE(tool.start());
    PostMessageA(tool.mainWindow, WM_SYSCOMMAND, SC_CLOSE, 0);
    expectEndsWithZero(tool.run);
}

}  // namespace
