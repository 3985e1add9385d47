#include "arrival_rules.h"

#include <cstring>

#include "../common/profile_text.h"
#include "../common/text_builder.h"

void ArrivalRules::start(uint32_t signature) {
    handled_ = signature;
    heldBack_[0] = '\0';
}

void ArrivalRules::notice(uint32_t signature, uint32_t nowMs, uint32_t lastApplyMs) {
    if (signature != handled_ && nowMs - lastApplyMs >= kQuietAfterApplyMs) heldBack_[0] = '\0';
}

ArrivalStep ArrivalRules::decide(const ArrivalView& view, uint32_t nowMs, uint32_t lastApplyMs, int busy) {
    if (!pending(view.signature)) return ArrivalStep::Nothing;
    if (busy) return ArrivalStep::Wait;
    if (view.autoCount == 1) {
        if (lastApplyMs != 0 && nowMs - lastApplyMs < kQuietAfterApplyMs) return ArrivalStep::Wait;
        handled_ = view.signature;
        return ArrivalStep::Apply;
    }
    handled_ = view.signature;
    return view.offerCount == 1 ? ArrivalStep::Offer : ArrivalStep::Nothing;
}

void ArrivalRules::applied(uint32_t signatureAfter, const char* name, int tookEffect) {
    handled_ = signatureAfter;
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

void flattenLines(const char* text, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return;
    GrowingText flat;
    for (const char* p = text != nullptr ? text : ""; *p != '\0'; ++p) {
        if (*p == '\r' || *p == '\n') {
            if (*p == '\r' && p[1] == '\n') ++p;
            flat.add(" / ");
        } else {
            flat.add(p, 1);
        }
    }
    char* joined = nullptr;
    copyTextCut(out, outSize, flat.hand(&joined) ? joined : "");
    delete[] joined;
}
