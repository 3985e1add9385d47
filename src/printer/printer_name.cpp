#include "printer_name.h"

#include "../common/difference_lines.h"
#include "../common/profile_text.h"

namespace {

constexpr char kNotStorableText[] = "通常使うプリンタの名前に、保存できない文字（改行や前後の空白など）があります。";

}  // namespace

const char* readPrinterKey(const char* value, char (&out)[kPrinterNameSize]) {
    return copyTextWhole(out, kPrinterNameSize, value) ? nullptr : kTooLongValueText;
}

const char* printerStorageProblem(const char* name) { return isStorableValue(name) ? nullptr : kNotStorableText; }

int samePrinterName(const char* a, const char* b) {
    for (size_t i = 0;; ++i) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        if (lowerAscii(a[i]) != lowerAscii(b[i])) return 0;
        if (x == '\0') return 1;
        // The second byte of a two-byte character is no letter, whatever its value.
        if (!isShiftJisLeadByte(x)) continue;
        ++i;
        if (a[i] != b[i]) return 0;
        if (a[i] == '\0') return 1;
    }
}

PrinterStep decidePrinterStep(const char* asked, const char* defaultNow, int (*isListed)(const char* name)) {
    if (defaultNow != nullptr && samePrinterName(asked, defaultNow)) return PrinterStep::Holds;
    return isListed(asked) ? PrinterStep::Set : PrinterStep::Missing;
}

void sayPrinterDifferences(const PrinterOutcome& outcome, DifferenceLines& lines) {
    static const char kSubject[] = "プリンタ";
    if (outcome.asked == nullptr) return;
    if (outcome.unusable == nullptr && !outcome.missing && outcome.held != nullptr) {
        if (!samePrinterName(outcome.asked, outcome.held))
            lines.pair(kSubject, kPrinterLabel, outcome.asked, outcome.held[0] != '\0' ? outcome.held : kNothingWord);
        return;
    }
    GrowingText* line = lines.next(kSubject);
    if (line == nullptr) return;
    if (outcome.missing)
        line->add("「").add(outcome.asked).add("」はこのコンピュータにありません");
    else if (outcome.unusable != nullptr)
        line->add(kPrinterLabel).add("： ").add(kUnusableBefore).add(outcome.unusable).add("）");
    else
        line->add(kPrinterLabel).add("： ").add(kUnreadableWord);
}

void sayPrinterKept(const char* printer, const char* unusable, GrowingText& text) {
    text.add(kPrinterLabel).add("： ");
    if (unusable != nullptr)
        text.add(kUnusableBefore).add(unusable).add("）");
    else
        text.add(printer != nullptr && printer[0] != '\0' ? printer : "保存されていません");
}
