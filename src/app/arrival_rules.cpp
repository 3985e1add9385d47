#include "arrival_rules.h"

#include <cstring>

#include "../common/profile_text.h"
#include "../common/text_builder.h"

void ArrivalRules::notice(uint32_t signature, uint32_t nowMs, uint32_t lastApplyMs) {
    if (lastApplyMs != 0 && nowMs - lastApplyMs < kQuietAfterApplyMs)
        handled_ = signature;
    else if (signature != handled_)
        heldBack_[0] = '\0';
}

ArrivalStep ArrivalRules::decide(const ArrivalView& view) {
    if (!pending(view.signature)) return ArrivalStep::Nothing;
    handled_ = view.signature;
    if (view.autoCount == 1) return ArrivalStep::Apply;
    return view.offerCount == 1 ? ArrivalStep::Offer : ArrivalStep::Nothing;
}

void ArrivalRules::applied(const char* name, int tookEffect) {
    if (!tookEffect) copyTextCut(heldBack_, sizeof heldBack_, name != nullptr ? name : "");
}

int ArrivalRules::heldBack(const char* name) const {
    return heldBack_[0] != '\0' && name != nullptr && std::strcmp(heldBack_, name) == 0;
}

size_t lastLinesStart(const char* text, size_t length, int lines) {
    size_t at = length;
    // A text that ends in a line break: that break closes the last line.
    if (at > 0 && text[at - 1] == '\n') --at;
    for (; at > 0; --at) {
        if (text[at - 1] == '\n' && --lines <= 0) return at;
    }
    return 0;
}

void addFlattened(const char* text, GrowingText& out) {
    for (const char* p = text != nullptr ? text : ""; *p != '\0'; ++p) {
        if (*p != '\r' && *p != '\n') {
            out.add(p, 1);
            continue;
        }
        if (*p == '\r' && p[1] == '\n') ++p;
        out.add(" / ");
    }
}
