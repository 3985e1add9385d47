// The lines that say what of an apply did not take (the verdict) or what an apply would
// change (the preview), one setting a line. Portable: no windows.h.
#pragma once

#include "text_builder.h"

// Difference lines shown at most; the rest are counted in one line.
constexpr int kMaxReportedDifferences = 10;

// The words the lines of every kind of setting share.
constexpr char kNothingWord[] = "なし";
constexpr char kUnreadableWord[] = "読み取れません";
// Before why a stored setting cannot be used; "）" closes it.
constexpr char kUnusableBefore[] = "保存された設定を使えません（";

// Collects difference lines: every one is counted, the first few are written, and the
// rest counted in one line by finish(). The verdict says what was asked, then what is
// held; the preview what is held now, then what an apply would leave.
class DifferenceLines {
public:
    // A null text only counts.
    DifferenceLines(GrowingText* text, bool beforeApply, const char* lineBreak)
        : text_(text), beforeApply_(beforeApply), lineBreak_(lineBreak) {}

    // Counts a line and, while it is among the first few, begins it with 「subject」 and a
    // blank and gives it to be written on; null when it is only counted.
    GrowingText* next(const char* subject);
    // A line "what： 指定 asked ／ 現在 held" in the verdict, "what： 現在 held ／ 適用後 asked"
    // in the preview.
    void pair(const char* subject, const char* what, const char* asked, const char* held);
    // Adds the line that counts the lines not written; the number of lines in all.
    int finish();
    int count() const { return count_; }
    bool writes() const { return text_ != nullptr; }

private:
    GrowingText* text_;
    bool beforeApply_;
    const char* lineBreak_;
    int count_ = 0;
};
