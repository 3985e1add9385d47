#include "printer/printer_name.h"

#include <gtest/gtest.h>

#include <string>

#include "host/composed_text.h"

namespace {

// The key as a hand may have left it: a name of any bytes the file gives back is used as it
// stands, a longer one is refused, and the preview says which.
TEST(PrinterName, TheKeyIsUsedAsItStandsUpToItsLengthAndThePreviewSaysWhichPrinter) {
    const std::string longest(kPrinterNameSize - 1, 'p');
    const struct {
        std::string value, preview;
    } cases[] = {
        {"\\\\fs01\\Office-LP", "通常使うプリンタ： \\\\fs01\\Office-LP"},
        {"経理 LP, 3F 「カラー」", "通常使うプリンタ： 経理 LP, 3F 「カラー」"},
        {"", "通常使うプリンタ： 保存されていません"},
        {longest, "通常使うプリンタ： " + longest},
        {longest + "p", "通常使うプリンタ： 保存された設定を使えません（設定の文字列が長すぎます）"},
    };
    for (const auto& c : cases) {
        char name[kPrinterNameSize];
        const char* problem = readPrinterKey(c.value.c_str(), name);
        EXPECT_EQ(c.preview, said([&](GrowingText& text) { sayPrinterKept(name, problem, text); })) << c.value.substr(0, 20);
        EXPECT_EQ(problem == nullptr ? c.value : "", name);
    }
    for (const char* name : {" lead", "trail ", "a\tb", "\"quoted\"", "LP\x81\x40", "\x81\x40LP"})
        EXPECT_STREQ("通常使うプリンタの名前に、保存できない文字（改行や前後の空白など）があります。",
                     printerStorageProblem(name))
            << name;
    EXPECT_EQ(nullptr, printerStorageProblem("\\\\fs01\\Office LP, 3F"));
}

// Windows does not tell letter case apart in printer names; the second byte of a two-byte
// Shift-JIS character is no letter ("ア" is 0x83 0x41, "ビ" 0x83 0x72).
TEST(PrinterName, LetterCaseIsIgnoredButNotInsideTwoByteCharacters) {
    EXPECT_EQ(1, samePrinterName("\\\\FS01\\office-lp \x83\x41", "\\\\fs01\\Office-LP \x83\x41"));
    EXPECT_EQ(0, samePrinterName("\x83\x41", "\x83\x61"));
    EXPECT_EQ(0, samePrinterName("\x83\x72", "\x83\x52"));
    EXPECT_EQ(0, samePrinterName("LP", "LP2"));
}

int listedAsked = 0;
int listsOffice(const char* name) { return ++listedAsked, samePrinterName(name, "\\\\fs01\\Office-LP"); }

// One decision for the apply and the preview: the default already holds, however the user's
// list lags; otherwise the list says whether it is set or missing.
TEST(PrinterName, OnePrinterDecisionTheDefaultFirstThenTheUsersList) {
    const struct {
        const char *asked, *defaultNow;
        PrinterStep step;
        int listAsked;
    } cases[] = {
        {"\\\\fs01\\Office-LP", "\\\\FS01\\office-lp", PrinterStep::Holds, 0},
        {"Gone-LP", "Gone-LP", PrinterStep::Holds, 0},  // the default, though not listed
        {"\\\\fs01\\Office-LP", "自宅の Inkjet", PrinterStep::Set, 1},
        {"\\\\fs01\\Office-LP", nullptr, PrinterStep::Set, 1},  // no default could be read
        {"\\\\fs01\\Office-LP", "", PrinterStep::Set, 1},
        {"Gone-LP", "自宅の Inkjet", PrinterStep::Missing, 1},
        {"Gone-LP", nullptr, PrinterStep::Missing, 1},
    };
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i) {
        listedAsked = 0;
        EXPECT_EQ(cases[i].step, decidePrinterStep(cases[i].asked, cases[i].defaultNow, listsOffice)) << "case " << i;
        EXPECT_EQ(cases[i].listAsked, listedAsked) << "case " << i;
    }
}

// Each outcome of setting the printer, as the verdict lists it and as the preview says what
// an apply would change.
TEST(PrinterName, TheVerdictAndThePreviewNameWhatTheDefaultPrinterHolds) {
    const char office[] = "\\\\fs01\\Office-LP";
    const struct {
        PrinterOutcome outcome;
        const char* line;
    } cases[] = {
        {{office, "自宅の Inkjet", nullptr, 0}, "「プリンタ」 通常使うプリンタ： 指定 \\\\fs01\\Office-LP ／ 現在 自宅の Inkjet"},
        {{office, "", nullptr, 0}, "「プリンタ」 通常使うプリンタ： 指定 \\\\fs01\\Office-LP ／ 現在 なし"},
        {{office, nullptr, nullptr, 0}, "「プリンタ」 通常使うプリンタ： 読み取れません"},
        {{"Gone-LP", nullptr, nullptr, 1}, "「プリンタ」 「Gone-LP」はこのコンピュータにありません"},
        {{office, nullptr, "理由", 0}, "「プリンタ」 通常使うプリンタ： 保存された設定を使えません（理由）"},
        {{office, "\\\\FS01\\office-lp", nullptr, 0}, nullptr},
        {{nullptr, "LP", nullptr, 0}, nullptr},
    };
    for (const auto& c : cases) {
        const auto say = [&](DifferenceLines& d) { sayPrinterDifferences(c.outcome, d); };
        EXPECT_EQ(c.line != nullptr ? "\n" + std::string(c.line) : "", differenceLines(say));
        EXPECT_EQ(c.line != nullptr, differenceCount(say)) << (c.line != nullptr ? c.line : "none");
    }
    EXPECT_EQ("\r\n「プリンタ」 通常使うプリンタ： 現在 自宅の Inkjet ／ 適用後 \\\\fs01\\Office-LP",
              differenceLines([&](DifferenceLines& d) { sayPrinterDifferences(cases[0].outcome, d); }, true));
}

}  // namespace
