// Saving, applying and deleting profiles end to end on the simulated network.
#include <algorithm>
#include <cstring>
#include <functional>

#include "browser/browser_proxy.h"
#include "e2e/fixture.h"
#include "machine_seed.h"
#include "netcmd/command_runner.h"
#include "printer/default_printer.h"
#include "sim_registry.h"

namespace {

const char kSaveTitle[] = "ネットワークの設定を保存";
const char kSelectTitle[] = "ネットワークの設定を選択";
const char kSaved[] = "ネットワークの設定を保存しました。";
const char kSaveFailed[] = "ネットワークの設定を保存できませんでした。";
const char kApplied[] = "ネットワークの設定を適応しました。";
const char kDeleteQuestion[] = "[OK Cancel] 削除して良いですか？";
const std::string kNotAnsi = "設定ファイルが ANSI（Shift-JIS）形式で保存されていないため、適用しませんでした。";
const char kNotTaken[] = "ネットワークの設定を適応できませんでした。\n\n反映されていない設定：\n";
// The keys a save writes after the network on the test prefix, whose browser goes direct
// and whose default printer is the office's.
const std::string kOfficePrinterKey = "printer=\\\\fs01\\Office-LP\r\n";
// What a save records of the network here: the fixture's gateways do not answer and its
// DHCP servers give no suffix, so no profile is told as this network's or another's.
const std::string kNetworkKey = "network=192.168.0.1,192.168.1.1,10.0.0.1,172.16.0.1\r\n";
const std::string kSavedExtras =
    "proxy=1\r\nproxyserver=\r\nproxybypass=\r\nproxyurl=\r\n" + kOfficePrinterKey + kNetworkKey;
const std::string kNoExtrasPreview = "\r\nブラウザのプロキシ： 保存されていません\r\n通常使うプリンタ： 保存されていません";
const std::string kSameAsNow = "現在の設定と同じです。\r\n\r\n", kChanges = "適用すると変わる設定：\r\n";
constexpr int kList = 100, kOk = 101, kCancel = 102, kDelete = 104, kPreview = 105, kNameEdit = 200;

// " (exit N)" for a process that ended with exit code N, nothing for 0.
std::string exitNote(TessalyRun& run) {
    DWORD code = 0xDEADBEEF;
    if (!run.waitForExit(kWaitMs, &code)) return " (still running)";
    return code == 0 ? "" : " (exit " + std::to_string(code) + ")";
}

class Profiles : public ToolTest {
protected:
    // A place where no gateway answers ARP and no DHCP server gives a DNS suffix: the
    // profiles saved here record their gateways, and nothing tells this network.
    void SetUp() override {
        ToolTest::SetUp();
        SetEnvironmentVariableA("TESSALY_SIM_ARP_WAIT_MS", "0");
        for (const char* gateway : {"192.168.0.1", "192.168.1.1", "10.0.0.1", "172.16.0.1", "192.168.11.1"})
            ASSERT_TRUE(silenceHost(gateway));
        for (const char* id : {kWirelessInstanceId, kSecondWirelessInstanceId}) {
            HKEY key = createMachineKey(interfaceKeyPath(id));
            ASSERT_TRUE(key != nullptr && writeText(key, "DhcpDomain", ""));
            RegCloseKey(key);
        }
    }
    // Saves the current settings under the name with a /S start, the check box of that id
    // (checked when the dialog opens) clicked off, a listed name replaced; returns the outcome
    // and the exit code's note.
    std::string saveAs(const std::string& name, int uncheck = 0, bool replace = false) {
        TessalyRun run;
        HWND dialog = startTask(run, "/S", kSaveTitle);
        if (uncheck != 0) {
            EXPECT_TRUE(isChecked(dialog, uncheck)) << "checked when the dialog opens";
            click(dialog, uncheck);
        }
        typeText(dialog, kNameEdit, name);
        pressButton(dialog, kOk);
        if (replace) answerBox(run, "確認", IDYES);
        const std::string outcome = answerBox(run, "確認");
        return outcome + exitNote(run);
    }
    // Presses the button in a /L start, answers what follows with OK; returns the texts and
    // the exit code's note.
    std::string select(int button, bool withPreview = false) {
        TessalyRun run;
        HWND dialog = startTask(run, "/L", kSelectTitle);
        const std::string preview = withPreview ? itemText(dialog, kPreview) + "|" : "";
        pressButton(dialog, button);
        std::string boxes = answerBox(run, "確認");
        if (boxes == kDeleteQuestion) boxes += "|" + answerBox(run, "確認");
        return preview + boxes + exitNote(run);
    }
    std::string catalogue() const { return readWholeFile(dir.file("dumplist.ini")); }
};

// "/L NAME" applies the first profile of exactly that name at once, with no dialog and the
// verdict OK gives; a name that is not listed whole runs nothing and ends with 2.
TEST_F(Profiles, AStartWithAProfileNameAppliesItAtOnce) {
    const std::string seeded = settingsNow(), longest(99, 'n');
    for (const std::string& name : {std::string("Home LAN"), std::string("事務所"), longest}) ASSERT_EQ(kSaved, saveAs(name));
    const std::string missing = "」という名前の設定は保存されていません。";
    const struct {
        std::string tail, outcome, run;
    } cases[] = {
        {"/L 事務所", kApplied, "netsh exec .\\001.dmp\r\n"},
        {"/L \"Home LAN\"", kApplied, "netsh exec .\\000.dmp\r\n"},
        {"/L " + longest, kApplied, "netsh exec .\\002.dmp\r\n"},
        {"/L 事務", "「事務" + missing, ""},
        {"/L " + longest + "n", "「" + longest + missing, ""},  // cut, it would name a listed profile
    };
    for (const auto& c : cases) {
        ASSERT_EQ(1, runner.applyTcpIp(kLanName, TcpIpRequest{0, 1, 0, 0, 0, 1, 0, 0}));
        DeleteFileA(log.c_str());
        TessalyRun run;
        ASSERT_TRUE(run.start(c.tail, dir.path()));
        EXPECT_EQ(c.outcome, answerBox(run, "確認")) << c.tail;
        expectEndsWith(run, c.outcome == kApplied ? 0 : 2);
        EXPECT_EQ(c.run, readWholeFile(log)) << c.tail;
        EXPECT_TRUE(c.outcome != kApplied || seeded == settingsNow()) << c.tail;
    }
}

// Saving under a listed name asks first: Cancel goes back with the name kept, Yes dumps
// into that profile's own script through a new file (a failing netsh keeps the old one),
// No adds a profile as before.
TEST_F(Profiles, SavingUnderAListedNameAsksAndYesReplacesThatScriptInPlace) {
    for (const char* name : {"Office", "Home", "Spare"}) ASSERT_EQ(kSaved, saveAs(name));
    std::string listed = catalogue();
    std::string home = readWholeFile(dir.file("001.dmp"));
    ASSERT_EQ(1, runner.applyTcpIp(kLanName, TcpIpRequest{0, 1, 0, 0, 0, 1, 0, 0}));
    // The LAN connection's gateway is now its DHCP server's.
    const std::string onDhcp = "network=192.168.11.1,192.168.1.1,10.0.0.1,172.16.0.1\r\n";
    const std::string now = settingsNow(), question = "[Yes No Cancel] 「Home」はすでに保存されています。\n置き換えますか？";
    const struct {
        const char* fault;
        std::vector<int> answers;
        const char* outcome;
    } runs[] = {{"1", {IDCANCEL, IDYES}, kSaveFailed}, {nullptr, {IDYES}, kSaved}, {nullptr, {IDNO}, kSaved}};
    for (const auto& r : runs) {
        SetEnvironmentVariableA("TESSALY_SIM_EXIT_CODE", r.fault);
        TessalyRun run;
        HWND dialog = startTask(run, "/S", kSaveTitle);
        typeText(dialog, kNameEdit, "Home");
        for (int answer : r.answers) {  // after Cancel the dialog is back with the name kept
            pressButton(dialog, kOk);
            EXPECT_EQ(question, answerBox(run, "確認", answer));
        }
        EXPECT_EQ(r.outcome, answerBox(run, "確認"));
        expectEndsWith(run, r.fault != nullptr ? 1 : 0);
        SetEnvironmentVariableA("TESSALY_SIM_EXIT_CODE", nullptr);
        const bool added = r.answers.back() == IDNO;
        if (r.outcome == kSaved && !added) listed.replace(listed.find(kNetworkKey, listed.find("[001]")), kNetworkKey.size(), onDhcp);
        const std::string extras = kSavedExtras.substr(0, kSavedExtras.size() - kNetworkKey.size()) + onDhcp;
        EXPECT_EQ(added ? listed + "[003]\r\nname=Home\r\npath=.\\003.dmp\r\nsort=0\r\n" + extras : listed, catalogue());
        EXPECT_EQ(r.outcome == kSaved && !added ? now : home, readWholeFile(dir.file("001.dmp"))) << r.outcome;
        EXPECT_FALSE(fileExists(dir.file("001.dmp.new")));
        home = readWholeFile(dir.file("001.dmp"));
    }
}

// The browser's proxy as WinINet holds it ("flags server"); Wine's keeps the two alone.
std::string proxyNow() {
    ProxySettings proxy;
    return readBrowserProxy(&proxy) ? std::to_string(proxy.flags) + " " + proxy.server : "unreadable";
}

void setProxy(uint32_t flags, const char* server) {
    ProxySettings proxy = {};
    proxy.flags = flags;
    std::strcpy(proxy.server, server);
    ASSERT_EQ(1, applyBrowserProxy(proxy));
}

// A profile carries the browser's proxy: saved when the box is checked, set again by an
// apply and judged with the connections; a profile without it leaves the proxy alone, and
// one whose keys a hand spoilt sends none and says so while the network still applies.
TEST_F(Profiles, TheBrowsersProxyTravelsWithItsProfile) {
    setProxy(2, " proxy.example:8080");  // a blank the file would not give back: nothing is written
    EXPECT_EQ("ブラウザのプロキシ設定に、保存できない文字（改行や前後の空白など）があります。 (exit 1)", saveAs("Lost"));
    EXPECT_FALSE(fileExists(dir.file("dumplist.ini")) || fileExists(dir.file("000.dmp")));
    setProxy(2, "proxy.example:8080");  // Wine keeps the proxy bit alone, without the direct one
    ASSERT_EQ(kSaved, saveAs("Office"));
    ASSERT_EQ(kSaved, saveAs("Away", 207));
    EXPECT_EQ("[000]\r\nname=Office\r\npath=.\\000.dmp\r\nsort=0\r\nproxy=2\r\nproxyserver=proxy.example:8080\r\n"
              "proxybypass=\r\nproxyurl=\r\n" + kOfficePrinterKey + kNetworkKey +
                  "[001]\r\nname=Away\r\npath=.\\001.dmp\r\nsort=0\r\n" + kOfficePrinterKey + kNetworkKey,
              catalogue());
    const std::string office = "2 proxy.example:8080";
    const struct {
        const char* name;
        std::string before, outcome, after;
    } cases[] = {
        {"Office", "1 ", kApplied, office},
        {"Away", "2 other:3128", kApplied, "2 other:3128"},
        {"Spoilt", "1 ", kNotTaken + std::string("「ブラウザ」 プロキシ： 保存された設定を使えません（設定の値が正しくありません）"), "1 "},
    };
    writeWholeFile(dir.file("dumplist.ini"), catalogue() + "[002]\r\nname=Spoilt\r\npath=.\\000.dmp\r\nproxy=three\r\n");
    for (const auto& c : cases) {
        const std::string server = c.before.substr(2, c.before.find(' ', 2) - 2);
        setProxy(c.before[0] - '0', server.c_str());
        ASSERT_EQ(c.before, proxyNow());
        TessalyRun run;
        ASSERT_TRUE(run.start(std::string("/L ") + c.name, dir.path()));
        EXPECT_EQ(c.outcome, answerBox(run, "確認")) << c.name;
        expectEndsWith(run, c.outcome == kApplied ? 0 : 1);
        EXPECT_EQ(c.after, proxyNow()) << c.name;
    }
    setProxy(1, "");
}

std::string printerNow() {
    char name[kPrinterNameSize];
    return readDefaultPrinter(name) ? name : "unreadable";
}

// The default printer travels with its profile: saved when the second box is checked (empty
// when the user has none; saved again unchecked, the key goes), set again by an apply and
// judged with the connections; a profile without one leaves the printer alone, and one
// naming a printer this user lacks says so while the network still applies.
TEST_F(Profiles, TheDefaultPrinterTravelsWithItsProfile) {
    const std::string seeded = settingsNow();
    ASSERT_EQ(kSaved, saveAs("Office"));
    ASSERT_EQ(1, setDefaultPrinter(kHomePrinter));
    ASSERT_EQ(kSaved, saveAs("Home"));
    ASSERT_EQ(kSaved, saveAs("Bare"));
    ASSERT_EQ(kSaved, saveAs("Bare", 208, true));
    HKEY windows = createKey(HKEY_CURRENT_USER, kUserWindowsKey);
    RegDeleteValueA(windows, "Device");  // the user has no default printer
    RegCloseKey(windows);
    ASSERT_EQ(kSaved, saveAs("Nowhere"));
    const std::string proxy = "proxy=1\r\nproxyserver=\r\nproxybypass=\r\nproxyurl=\r\n";
    EXPECT_EQ("[000]\r\nname=Office\r\npath=.\\000.dmp\r\nsort=0\r\n" + kSavedExtras +
                  "[001]\r\nname=Home\r\npath=.\\001.dmp\r\nsort=0\r\n" + proxy + "printer=" + kHomePrinter + "\r\n" +
                  kNetworkKey + "[002]\r\nname=Bare\r\npath=.\\002.dmp\r\nsort=0\r\n" + proxy + kNetworkKey +
                  "[003]\r\nname=Nowhere\r\npath=.\\003.dmp\r\nsort=0\r\n" + proxy + "printer=\r\n" + kNetworkKey,
              catalogue());
    // Up names Bare's script, which holds, by a way out of the folder: never read, so no mark.
    writeWholeFile(dir.file("dumplist.ini"), catalogue() + "[004]\r\nname=Abroad\r\npath=.\\000.dmp\r\nprinter=Gone-LP\r\n"
                                             "[005]\r\nname=Up\r\npath=.\\sub\\..\\002.dmp\r\n");
    ASSERT_TRUE(CreateDirectoryA(dir.file("sub").c_str(), nullptr));
    ASSERT_EQ(1, setDefaultPrinter(kHomePrinter));
    {
        TessalyRun run;  // each item's mark, what an apply would change, the preview's last line
        HWND dialog = startTask(run, "/L", kSelectTitle);
        std::string seen;
        for (int i = 0; i < 6; ++i, SendMessageA(GetDlgItem(dialog, kList), WM_KEYDOWN, VK_DOWN, 0)) {
            const std::string preview = itemText(dialog, kPreview);
            seen += std::to_string(SendDlgItemMessageA(dialog, kList, LB_GETITEMDATA, i, 0)) + " " +
                    preview.substr(0, preview.find("\r\n\r\n")) + " / " + preview.substr(preview.rfind("\r\n") + 2) + "|";
        }
        const std::string same = "現在の設定と同じです。 / 通常使うプリンタ： ";
        EXPECT_EQ("0 " + kChanges + "「プリンタ」 通常使うプリンタ： 現在 自宅の Inkjet ／ 適用後 \\\\fs01\\Office-LP / 通常使うプリンタ： "
                  "\\\\fs01\\Office-LP|1 " + same + kHomePrinter + "|1 " + same + "保存されていません|1 " + same +
                  "保存されていません|0 " + kChanges + "「プリンタ」 「Gone-LP」はこのコンピュータにありません / "
                  "通常使うプリンタ： Gone-LP|0 設定ファイルの場所がこのフォルダの外を指しているため、使いませんでした。\r\n"
                  "（.\\sub\\..\\002.dmp） / （.\\sub\\..\\002.dmp）|",
                  seen);
        pressButton(dialog, kCancel);
        expectEndsWith(run, 1);
    }
    const struct {
        const char* name;
        std::string outcome, after;
    } cases[] = {
        {"Office", kApplied, kOfficePrinter},
        {"Bare", kApplied, kHomePrinter},
        {"Nowhere", kApplied, kHomePrinter},
        {"Abroad", kNotTaken + std::string("「プリンタ」 「Gone-LP」はこのコンピュータにありません"), kHomePrinter},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(1, setDefaultPrinter(kHomePrinter));
        ASSERT_EQ(1, runner.applyTcpIp(kLanName, TcpIpRequest{0, 1, 0, 0, 0, 1, 0, 0}));
        TessalyRun run;
        ASSERT_TRUE(run.start(std::string("/L ") + c.name, dir.path()));
        EXPECT_EQ(c.outcome, answerBox(run, "確認")) << c.name;
        expectEndsWith(run, c.outcome == kApplied ? 0 : 1);
        EXPECT_EQ(c.after, printerNow()) << c.name;
        EXPECT_EQ(seeded, settingsNow()) << c.name;
    }
    // The default already, though the user's list lags behind it (a printer of the machine
    // before the next logon): it holds and is not set again.
    ASSERT_EQ(1, setDefaultPrinter(kOfficePrinter));
    HKEY devices = createKey(HKEY_CURRENT_USER, kUserPrintersKey);
    RegDeleteValueA(devices, kOfficePrinter);
    RegCloseKey(devices);
    TessalyRun run;
    ASSERT_TRUE(run.start("/L Office", dir.path()));
    EXPECT_EQ(kApplied, answerBox(run, "確認"));
    expectEndsWithZero(run);
    EXPECT_EQ(kOfficePrinter, printerNow());
}

TEST_F(Profiles, NamesAreCutTo99BytesMissingOnesAreToldAndDeleteAsksFirst) {
    TessalyRun run;
    HWND dialog = startTask(run, "/L", kSelectTitle);
    for (int button : {kOk, kDelete}) {
        pressButton(dialog, button);
        EXPECT_EQ("選択されていません。", answerBox(run, "設定の読込み"));
    }
    pressButton(dialog, kCancel);
    expectEndsWith(run, 1);
    TessalyRun save;
    dialog = startTask(save, "/S", kSaveTitle);
    pressButton(dialog, kOk);
    EXPECT_EQ("設定名称が入力されていません。", answerBox(save, "設定の保存"));
    typeText(dialog, kNameEdit, std::string(120, 'a'));
    pressButton(dialog, kOk);
    EXPECT_EQ(kSaved, answerBox(save, "確認"));
    expectEndsWithZero(save);
    std::string japanese;  // 60 two-byte characters: the cut falls inside the 50th, which is left out
    for (int i = 0; i < 60; ++i) japanese += "設";
    EXPECT_EQ(kSaved, saveAs(japanese));
    const std::string second = "[001]\r\nname=" + japanese.substr(0, 98) + "\r\npath=.\\001.dmp\r\nsort=0\r\n" + kSavedExtras;
    EXPECT_EQ("[000]\r\nname=" + std::string(99, 'a') + "\r\npath=.\\000.dmp\r\nsort=0\r\n" + kSavedExtras + second,
              catalogue());

    TessalyRun deleting;  // Cancel keeps the dialog open, OK deletes
    dialog = startTask(deleting, "/L", kSelectTitle);
    for (int answer : {IDCANCEL, IDOK}) {
        pressButton(dialog, kDelete);
        EXPECT_EQ(kDeleteQuestion, answerBox(deleting, "確認", answer));
    }
    EXPECT_EQ("ネットワークの設定を削除しました。", answerBox(deleting, "確認"));
    expectEndsWithZero(deleting);
    EXPECT_EQ(second, catalogue());
}

TEST_F(Profiles, TheVerdictIsWhatTheConnectionsHoldAndThePreviewFollowsTheSelection) {
    ASSERT_EQ(kSaved, saveAs("Office"));
    const std::string dnsNotTaken = "「ローカル エリア接続」 DNSサーバー： 指定 192.168.0.1, 192.168.0.2 ／ 現在 なし";
    const struct {
        const char *fault, *value;
        std::string outcome;
    } cases[] = {
        {"TESSALY_SIM_EXIT_CODE", "1",
         kNotTaken + std::string("「ローカル エリア接続」 取得方法： 指定 固定 ／ 現在 自動\n") + dnsNotTaken + " (exit 1)"},
        {"TESSALY_SIM_DHCP_ALREADY", "1", kApplied},  // netsh fails on the wireless connection, yet all took
    };
    for (const auto& c : cases) {
        ASSERT_EQ(1, runner.applyTcpIp(kLanName, TcpIpRequest{0, 1, 0, 0, 0, 1, 0, 0}));
        SetEnvironmentVariableA(c.fault, c.value);
        EXPECT_EQ(c.outcome, select(kOk)) << c.fault;
        SetEnvironmentVariableA(c.fault, nullptr);
    }

    writeWholeFile(dir.file("dumplist.ini"), catalogue() + "[001]\r\nname=Moved\r\npath=.\\moved.dmp\r\n"
                                                           "[002]\r\nname=Lost\r\npath=.\\lost.dmp\r\n"
                                                           "[003]\r\nname=Empty\r\npath=.\\empty.dmp\r\n");
    writeWholeFile(dir.file("empty.dmp"), "pushd interface ip\r\npopd\r\n");
    writeWholeFile(dir.file("moved.dmp"), "pushd interface ip\r\nset address name=\"Gone\" source=dhcp\r\n"
                                          "set wins name=\"ローカル エリア接続\" source=static addr=10.0.0.44\r\npopd\r\n");
    SetEnvironmentVariableA("TESSALY_SIM_IGNORE", "wins");
    TessalyRun run;
    HWND dialog = startTask(run, "/L", kSelectTitle);
    EXPECT_EQ(kSameAsNow + "ローカル エリア接続\r\n  IPアドレス： 192.168.0.10 / 255.255.255.0\r\n  ゲートウェイ： 192.168.0.1\r\n"
              "  DNS： 192.168.0.1, 192.168.0.2\r\nワイヤレス ネットワーク接続\r\n  IPアドレス： 自動 (DHCP)\r\n  DNS： 自動\r\n"
              "ローカル エリア接続 2\r\n  IPアドレス： 10.0.0.20 / 255.255.255.0\r\n  ゲートウェイ： 10.0.0.1\r\n"
              "  DNS： 10.0.0.1, 10.0.0.2\r\nワイヤレス ネットワーク接続 2\r\n  IPアドレス： 自動 (DHCP)\r\n"
              "  DNS： 192.168.1.53\r\nブラウザのプロキシ\r\n  プロキシ： なし\r\n  除外： なし\r\n  自動構成スクリプト： なし\r\n"
                  "通常使うプリンタ： \\\\fs01\\Office-LP",
              itemText(dialog, kPreview));
    HWND list = GetDlgItem(dialog, kList);
    for (int key = 0; key < 2; ++key) SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ("設定ファイルを読めません： .\\lost.dmp", itemText(dialog, kPreview));
    SendMessageA(list, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ("設定ファイルに接続の設定がありません。" + kNoExtrasPreview, itemText(dialog, kPreview));
    const LRESULT itemHeight = SendMessageA(list, LB_GETITEMHEIGHT, 0, 0);
    for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
        SendMessageA(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(10, itemHeight * 3 / 2));
    EXPECT_EQ(kChanges + "「Gone」 この接続はありません\r\n「ローカル エリア接続」 WINSサーバー： 現在 なし ／ 適用後 10.0.0.44\r\n\r\n"
              "Gone\r\n  IPアドレス： 自動 (DHCP)\r\nローカル エリア接続\r\n  WINS： 10.0.0.44" + kNoExtrasPreview,
              itemText(dialog, kPreview));
    for (UINT message : {WM_LBUTTONDBLCLK, WM_LBUTTONUP})  // a double-click on the item counts as OK
        PostMessageA(list, message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM(10, itemHeight * 3 / 2));
    EXPECT_EQ(kNotTaken + std::string("「Gone」 この接続はありません\n「ローカル エリア接続」 WINSサーバー： 指定 10.0.0.44 ／ 現在 なし"),
              answerBox(run, "確認"));
    expectEndsWith(run, 1);
}

// The list marks the profiles whose every setting holds now, read when the dialog opens;
// each preview starts with what an apply would change. A refused script is never marked.
TEST_F(Profiles, TheListMarksWhatHoldsNowAndThePreviewSaysWhatAnApplyWouldChange) {
    ASSERT_EQ(kSaved, saveAs("Office"));
    ASSERT_EQ(1, runner.applyTcpIp(kLanName, TcpIpRequest{0, 0, 0x0A000005, 0xFF000000, 0, 0, 0x0A000035, 0}));
    ASSERT_EQ(kSaved, saveAs("Away"));
    writeWholeFile(dir.file("foreign.dmp"), readWholeFile(dir.file("001.dmp")) + "firewall set opmode mode=DISABLE\r\n");
    writeWholeFile(dir.file("dumplist.ini"), catalogue() + "[002]\r\nname=Foreign\r\npath=.\\foreign.dmp\r\n");
    const std::string lan = "「ローカル エリア接続」 ";
    // Each item's mark, then the head of each preview, up to the profile's contents.
    const auto look = [&](HWND dialog) {
        std::string seen;
        for (int i = 0; i < 3; ++i) {
            seen += std::to_string(SendDlgItemMessageA(dialog, kList, LB_GETITEMDATA, i, 0));
            const std::string preview = itemText(dialog, kPreview);
            seen += "|" + preview.substr(0, preview.find("\r\n\r\n")).substr(0, preview.find("\r\n（"));
            SendMessageA(GetDlgItem(dialog, kList), WM_KEYDOWN, VK_DOWN, 0);
        }
        return seen;
    };
    const std::string foreign = "|設定ファイルにネットワークの設定以外のコマンドがあるため、適用しませんでした。";
    SetEnvironmentVariableA("TESSALY_SIM_IGNORE", "dns");  // for the netsh runs of the tool started next
    TessalyRun run;
    HWND mainWindow = startVisible(run);
    postCommand(mainWindow, 500);
    HWND dialog = run.waitForDialog(kSelectTitle);
    EXPECT_EQ("0|" + kChanges + lan + "IPアドレス： 現在 10.0.0.5 ／ 適用後 192.168.0.10\r\n" + lan +
                  "サブネットマスク： 現在 255.0.0.0 ／ 適用後 255.255.255.0\r\n" + lan +
                  "デフォルトゲートウェイ： 現在 なし ／ 適用後 192.168.0.1\r\n" + lan +
                  "DNSサーバー： 現在 10.0.0.53 ／ 適用後 192.168.0.1, 192.168.0.21|現在の設定と同じです。0" + foreign,
              look(dialog));
    EXPECT_EQ((std::vector<std::string>{"Office", "Away", "Foreign"}), listItems(dialog, kList));
    // Office applied with its DNS servers left undone: the next opening reads them afresh.
    SendDlgItemMessageA(dialog, kList, LB_SETCURSEL, 0, 0);
    pressButton(dialog, kOk);
    EXPECT_EQ(kNotTaken + lan + "DNSサーバー： 指定 192.168.0.1, 192.168.0.2 ／ 現在 10.0.0.53", answerBox(run, "確認"));
    ASSERT_EQ(mainWindow, run.waitForMainWindow());
    postCommand(mainWindow, 500);
    dialog = run.waitForDialog(kSelectTitle);
    EXPECT_EQ("0|" + kChanges + lan + "DNSサーバー： 現在 10.0.0.53 ／ 適用後 192.168.0.1, 192.168.0.20|" + kChanges + lan +
                  "IPアドレス： 現在 192.168.0.10 ／ 適用後 10.0.0.5\r\n" + lan +
                  "サブネットマスク： 現在 255.255.255.0 ／ 適用後 255.0.0.0\r\n" + lan +
                  "デフォルトゲートウェイ： 現在 192.168.0.1 ／ 適用後 なし0" + foreign,
              look(dialog));
    pressButton(dialog, kCancel);
    ASSERT_EQ(mainWindow, run.waitForMainWindow());
    exitThroughMenu(run, mainWindow);
}

// Each fault is told, and the saved files are exactly as before afterwards: a failed save
// takes back its own section alone, and its script when that is empty. A script that holds
// more than network settings is never run; nor is one that path= puts outside the folder.
TEST_F(Profiles, NoFaultLosesAProfile) {
    ASSERT_EQ(kSaved, saveAs("Office"));
    writeWholeFile(dir.file("dumplist.ini"), catalogue() + "[abc]\r\n; mine\r\nnote=kept\r\n[001]\r\nname=Lost\r\n");
    const std::string before = savedFiles(), dump = readWholeFile(dir.file("000.dmp")), listed = catalogue();
    const std::string saveFailed = kSaveFailed + std::string(" (exit 1)");
    ScratchDir other;  // a folder elsewhere, named by a hand-edited path=
    const std::string foreign = dump + "firewall set opmode mode=DISABLE\r\n", elsewhere = other.file("lan.dmp");
    writeWholeFile(elsewhere, foreign);
    const std::string outside = "設定ファイルの場所がこのフォルダの外を指しているため、使いませんでした。";
    const std::string up = ".\\sub\\..\\000.dmp";
    const std::string refusal = "設定ファイルにネットワークの設定以外のコマンドがあるため、適用しませんでした。\n（" +
                                std::to_string(std::count(foreign.begin(), foreign.end(), '\n')) +
                                " 行目： firewall set opmode mode=DISABLE）";
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    const std::string netsh = system + std::string("\\netsh.exe"), ini = dir.file("dumplist.ini");
    const auto aside = [](const std::string& path, bool on) {
        on ? MoveFileA(path.c_str(), (path + ".aside").c_str()) : MoveFileA((path + ".aside").c_str(), path.c_str());
    };
    const auto ran = [&] { return fileExists(log) ? " (netsh ran)" : ""; };
    HANDLE lock = INVALID_HANDLE_VALUE;  // another program holding the catalogue open
    std::string full;
    char section[64];
    for (int i = 0; i < 1000; ++i)
        full += (snprintf(section, sizeof section, "[%03d]\r\nname=n\r\npath=.\\%03d.dmp\r\nsort=0\r\n", i, i), section);
    const struct {
        std::function<void(bool)> fault;  // true: set it up, false: take it away
        std::function<std::string()> run;
        std::string outcome;
    } cases[] = {
        {[&](bool on) { aside(netsh, on); }, [&] { return saveAs("x"); }, saveFailed},
        {[&](bool on) {  // the script the failed dump wrote into is not empty and stays: take it away here
             SetEnvironmentVariableA("TESSALY_SIM_EXIT_CODE", on ? "1" : nullptr);
             EXPECT_EQ(on ? "" : "Simulated failure.\r\n", readWholeFile(dir.file("002.dmp")));
             for (int i = 0; i < 40 && !DeleteFileA(dir.file("002.dmp").c_str()) && fileExists(dir.file("002.dmp")); ++i)
                 Sleep(50);  // netsh's console helper may hold the file a moment longer
         },
         [&] { return saveAs("x"); }, saveFailed},
        {[](bool on) { SetEnvironmentVariableA("TESSALY_SIM_NO_OUTPUT", on ? "1" : nullptr); }, [&] { return saveAs("x"); },
         saveFailed},
        {[&](bool on) { on ? (lock = CreateFileA(ini.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) : (CloseHandle(lock), lock); },
         [&] { return saveAs("x"); }, saveFailed},
        {[&](bool on) {  // a directory in the catalogue's place: no entry, so no netsh run either
             if (!on) RemoveDirectoryA(ini.c_str());
             aside(ini, on);
             if (on) CreateDirectoryA(ini.c_str(), nullptr);
         },
         [&] { return saveAs("x") + ran(); }, saveFailed},
        {[&](bool on) {
             if (!on) DeleteFileA(ini.c_str());
             aside(ini, on);
             if (on) writeWholeFile(ini, full);
         },
         [&] { return saveAs("one more") + (catalogue() == full ? "" : " (changed)"); },
         "これ以上設定を保存できません。\n不要な設定を削除してください。 (exit 1)"},
        {[&](bool on) { aside(dir.file("000.dmp"), on); }, [&] { return select(kOk) + ran(); },
         "ネットワークの設定を適応できませんでした。 (exit 3)"},  // script missing
        {[&](bool on) { writeWholeFile(dir.file("000.dmp"), on ? foreign : dump); }, [&] { return select(kOk) + ran(); },
         refusal + " (exit 3)"},
        {[&](bool on) { writeWholeFile(dir.file("000.dmp"), on ? "\xEF\xBB\xBF" + dump : dump); },  // Notepad's "UTF-8"
         [&] { return select(kOk, true) + ran(); }, kNotAnsi + "|" + kNotAnsi + " (exit 3)"},
        {[&](bool on) { writeWholeFile(ini, on ? listed.substr(0, listed.find(".\\000.dmp")) + elsewhere + "\r\n" : listed); },
         [&] { return select(kOk, true) + ran(); },  // and the preview says it first
         outside + "\r\n（" + elsewhere + "）|" + outside + "\n（" + elsewhere + "） (exit 3)"},
        // A way out of the folder to a script that would apply is not saved again either.
        {[&](bool on) { writeWholeFile(ini, on ? listed.substr(0, listed.find(".\\000.dmp")) + up + "\r\n" : listed); },
         [&] { return saveAs("Office", 0, true) + ran(); }, outside + "\n（" + up + "） (exit 1)"},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        cases[i].fault(true);
        DeleteFileA(log.c_str());
        EXPECT_EQ(cases[i].outcome, cases[i].run()) << "case " << i;
        cases[i].fault(false);
        EXPECT_EQ(before, savedFiles()) << "case " << i;
    }
}

// A tool built to wait 2 s for netsh before it asks; Cancel ends netsh (OK waits on:
// CommandRunnerTest.AWaitThatFails…).
TEST_F(Profiles, ANetshThatRunsTooLongIsEndedOnCancelAndNothingIsKept) {
    const std::string before = savedFiles();
    SetEnvironmentVariableA("TESSALY_SIM_DELAY_MS", "30000");
    TessalyRun run;
    ASSERT_TRUE(run.startCommandLine("tessaly.exe /S", windowsPathOf(IMPATIENT_EXE), dir.path()));
    HWND dialog = run.waitForDialog(kSaveTitle);
    typeText(dialog, kNameEdit, "Slow");
    pressButton(dialog, kOk);
    EXPECT_EQ("[OK Cancel] netsh が応答しません。\n待ち続けますか？", answerBox(run, "確認", IDCANCEL));
    EXPECT_EQ(kSaveFailed, answerBox(run, "確認"));
    expectEndsWith(run, 1);
    EXPECT_EQ(before, savedFiles()) << "nothing kept of the abandoned save";
}

}  // namespace
