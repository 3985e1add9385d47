#include "difference_lines.h"

GrowingText* DifferenceLines::next(const char* subject) {
    if (++count_ > kMaxReportedDifferences || text_ == nullptr) return nullptr;
    return &text_->add(lineBreak_).add("「").add(subject).add("」 ");
}

void DifferenceLines::pair(const char* subject, const char* what, const char* asked, const char* held) {
    GrowingText* line = next(subject);
    if (line == nullptr) return;
    line->add(what).add(beforeApply_ ? "： 現在 " : "： 指定 ").add(beforeApply_ ? held : asked);
    line->add(beforeApply_ ? " ／ 適用後 " : " ／ 現在 ").add(beforeApply_ ? asked : held);
}

int DifferenceLines::finish() {
    if (text_ != nullptr && count_ > kMaxReportedDifferences)
        text_->add(lineBreak_).add("ほか ").number(count_ - kMaxReportedDifferences).add(" 件");
    return count_;
}
