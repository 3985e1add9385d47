// When a resident Tessaly acts on arriving at a network: it offers the one profile saved
// there, or applies it without asking where the user marked it so, never twice for one
// change of network, never within 10 s of an apply, never again for a profile whose
// automatic apply did not take until the network changes once more, never while the user
// is in one of its dialogs. And the lines of the log of what it applied. Portable: no
// windows.h.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr uint32_t kQuietAfterApplyMs = 10000;
constexpr int kSwitchLogLines = 200;
constexpr char kSwitchLogPath[] = ".\\tessaly.log";

// What the comparison says of the network now.
struct ArrivalView {
    uint32_t signature;  // networkSignature
    int offerCount;      // profiles on their network that do not hold now
    int offerIndex;      // the last of them
    int autoCount;       // of those, the ones marked automatic and not held back
    int autoIndex;
};

enum class ArrivalStep { Nothing, Wait, Offer, Apply };

class ArrivalRules {
public:
    // The network the tool started on is no arrival.
    void start(uint32_t signature);
    // A network seen: a profile held back after an automatic apply that did not take is
    // let go once the network changed again, 10 s or more after that apply.
    void notice(uint32_t signature, uint32_t nowMs, uint32_t lastApplyMs);
    // 1 while the network seen has not been acted on.
    int pending(uint32_t signature) const { return signature != handled_; }
    // What to do now; Offer and Apply name view.offerIndex or view.autoIndex. lastApplyMs
    // is the end of the last apply, 0 for none.
    ArrivalStep decide(const ArrivalView& view, uint32_t nowMs, uint32_t lastApplyMs, int busy);
    // After an automatic apply: the network it left is taken as handled, and a profile that
    // did not take is held back.
    void applied(uint32_t signatureAfter, const char* name, int tookEffect);
    // 1 when the profile of that name is held back.
    int heldBack(const char* name) const;

private:
    uint32_t handled_ = 0;
    char heldBack_[100] = "";
};

// Where the last `lines` lines of the text begin (a last line without its line break
// counts as one).
size_t lastLinesStart(const char* text, size_t length, int lines);
// The text on one line: each line break (CR, LF, CR LF) becomes " / ".
void flattenLines(const char* text, char* out, size_t outSize);
