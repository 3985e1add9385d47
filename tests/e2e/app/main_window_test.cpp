// The main window end to end: its size and frame, the background picture, the version box.
#include <functional>

#include "e2e/fixture.h"
#include "sim_registry.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255), kRed = RGB(255, 0, 0), kBlue = RGB(0, 0, 255);

class MainWindow : public ToolTest {};

// A 24-bit bitmap file whose pixel colours depend on x alone.
std::string bitmapFile(int width, int height, const std::function<COLORREF(int x)>& colourAt) {
    std::string row((width * 3 + 3) & ~3, '\0');
    for (int x = 0; x < width; ++x) {
        const COLORREF colour = colourAt(x);
        row.replace(x * 3, 3, {char(GetBValue(colour)), char(GetGValue(colour)), char(GetRValue(colour))});
    }
    std::string out = bitmapFileHeaders(width, height);
    for (int y = 0; y < height; ++y) out += row;
    return out;
}

// The client pixels ("x,y") that do not show their colour, polled while painting goes on.
std::string pixelsNotShown(HWND window, const std::vector<std::pair<POINT, COLORREF>>& expected, int attempts = 50) {
    std::string wrong;
    for (int attempt = 0; attempt < attempts; Sleep(100), ++attempt) {
        wrong.clear();
        HDC screen = GetDC(nullptr);
        for (const auto& e : expected) {
            POINT at = e.first;
            ClientToScreen(window, &at);
            if (GetPixel(screen, at.x, at.y) != e.second) wrong += std::to_string(at.x) + "," + std::to_string(at.y) + " ";
        }
        ReleaseDC(nullptr, screen);
        if (wrong.empty()) break;
    }
    return wrong;
}

// A fixed 300 x 50 client area, whatever the picture; the close box ends the tool too.
TEST_F(MainWindow, TheBackgroundPictureIsDrawnAtTheClientHeight) {
    const struct { std::string file; std::vector<std::pair<POINT, COLORREF>> pixels; } cases[] = {
        {bitmapFile(200, 50, [](int x) { return x % 2 ? kBlue : kRed; }),  // unscaled
         {{{0, 0}, kRed}, {{1, 0}, kBlue}, {{198, 49}, kRed}, {{199, 49}, kBlue}, {{200, 0}, kWhite}}},
        {bitmapFile(600, 100, [](int x) { return x < 300 ? kRed : kBlue; }),  // drawn 300 x 50
         {{{0, 0}, kRed}, {{146, 49}, kRed}, {{153, 0}, kBlue}, {{299, 49}, kBlue}}},
        {"BM this is not a picture at all", {{{0, 0}, kWhite}, {{299, 49}, kWhite}}},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        writeWholeFile(dir.file("bgpict.bmp"), cases[i].file);
        TessalyRun run;
        HWND mainWindow = startVisible(run);
        EXPECT_EQ("", pixelsNotShown(mainWindow, cases[i].pixels)) << "case " << i;
        RECT client = {};
        GetClientRect(mainWindow, &client);
        EXPECT_TRUE(client.right == 300 && client.bottom == 50) << "case " << i;
        EXPECT_EQ("Tessaly ネットワーク設定切替ツール", windowText(mainWindow));
        const LONG frame = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        EXPECT_EQ(frame, GetWindowLongA(mainWindow, GWL_STYLE) & (frame | WS_THICKFRAME | WS_MAXIMIZEBOX));
        PostMessageA(mainWindow, i % 2 ? WM_SYSCOMMAND : WM_COMMAND, i % 2 ? SC_CLOSE : 503, 0);  // close box or menu
        expectEndsWithZero(run);
    }
}

// While netsh runs, the window repaints but is disabled, so a command posted to it meanwhile
// starts nothing.
TEST_F(MainWindow, WhileNetshRunsTheWindowRepaintsAndTakesNoCommand) {
    writeWholeFile(dir.file("bgpict.bmp"), bitmapFile(300, 50, [](int) { return kRed; }));
    SetEnvironmentVariableA("TESSALY_SIM_DELAY_MS", "6000");
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    postCommand(mainWindow, 501);
    HWND dialog = run.waitForDialog("ネットワークの設定を保存");
    typeText(dialog, 200, "Office");
    pressButton(dialog, 101);
    for (int i = 0; i < 100 && !fileExists(log); ++i) Sleep(50);  // netsh has started
    EXPECT_FALSE(IsWindowEnabled(mainWindow));
    postCommand(mainWindow, 502);
    writeWholeFile(dir.file("bgpict.bmp"), bitmapFile(300, 50, [](int) { return kBlue; }));
    InvalidateRect(mainWindow, nullptr, TRUE);
    EXPECT_EQ("", pixelsNotShown(mainWindow, {{{0, 0}, kBlue}, {{299, 49}, kBlue}}, 20))
        << "the new picture is painted while netsh still runs";
    EXPECT_EQ(nullptr, run.waitForDialog("確認", 0)) << "netsh has not ended yet";
    EXPECT_EQ("ネットワークの設定を保存しました。", answerBox(run, "確認"));
    EXPECT_EQ(mainWindow, run.waitForMainWindow());
    EXPECT_EQ(nullptr, run.waitForDialog("インターネットプロトコル(TCP/IP)の設定", 500)) << "502 was not started";
    exitThroughMenu(run, mainWindow);
}

// The version box; the http protocol of the test prefix is pointed at the helper child,
// which records the addresses it is asked to open.
TEST_F(MainWindow, TheVersionBoxOpensTheAddressOnEachClickAndClosesOnlyWithOkOrTheCloseBox) {
    HKEY http = createKey(HKEY_LOCAL_MACHINE, "Software\\Classes\\http\\shell\\open\\command");
    std::string previous;
    readText(http, nullptr, previous);
    writeText(http, nullptr, "\"" + windowsPathOf(RUNNER_CHILD) + "\" \"%1\"");
    const std::string browserLog = dir.file("browser.log");
    SetEnvironmentVariableA("TESSALY_CHILD_LOG", browserLog.c_str());
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    for (bool closeBox : {false, true}) {
        postCommand(mainWindow, 508);
        HWND box = run.waitForDialog("バージョン情報");
        EXPECT_EQ("Tessaly Version 1.3|作成: Tessaly プロジェクト|Powered by netsh|http://tessaly.example/",
                  itemText(box, 300) + "|" + itemText(box, 301) + "|" + itemText(box, 302) + "|" + itemText(box, 303));
        for (int id : {303, 300, 303}) pressButton(box, id);  // a click on a static sends STN_CLICKED, 0 as BN_CLICKED
        sendCommand(box, IDCANCEL);
        EXPECT_TRUE(IsWindowVisible(box)) << "Esc does not close the box";
        PostMessageA(box, closeBox ? WM_SYSCOMMAND : WM_COMMAND, closeBox ? SC_CLOSE : 101, 0);
        EXPECT_TRUE(waitForWindowGone(box));
    }
    exitThroughMenu(run, mainWindow);
    // Two clicks on the address in each box, none elsewhere; the browser starts apart.
    const std::string address = "http://tessaly.example/";
    int openings = 0;
    for (DWORD waited = 0; waited < kWaitMs && openings < 4; waited += 50, Sleep(50)) {
        const std::string text = readWholeFile(browserLog);
        openings = 0;
        for (size_t at = text.find(address); at != std::string::npos; at = text.find(address, at + 1)) ++openings;
    }
    EXPECT_EQ(4, openings);
    writeText(http, nullptr, previous);
    RegCloseKey(http);
    SetEnvironmentVariableA("TESSALY_CHILD_LOG", nullptr);
}

}  // namespace
