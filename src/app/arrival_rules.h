// When a resident Tessaly acts on arriving at a network: it offers the one profile saved
// there, or applies it without asking where the user marked it so; never twice for one
// change of network, never within 10 s of an apply (a change then is the apply's own),
// never again for a profile whose automatic apply did not take until the network changes
// once more, never while the user is in one of its dialogs. And the lines of the log of
// what it applied. Portable: no windows.h.
#pragma once

#include <cstddef>
#include <cstdint>

class GrowingText;

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

enum class ArrivalStep { Nothing, Offer, Apply };

class ArrivalRules {
public:
    // The network the tool started on is no arrival.
    void start(uint32_t signature) { handled_ = signature; }
    // A network seen (never while the user is in one of the tool's dialogs). One seen
    // within 10 s of an apply (lastApplyMs, 0 for none) is that apply's doing and is taken
    // as handled; a later change lets go of a profile held back.
    void notice(uint32_t signature, uint32_t nowMs, uint32_t lastApplyMs);
    // 1 while the network seen has not been acted on.
    int pending(uint32_t signature) const { return signature != handled_; }
    // What to do about the network of the view, once: Offer names view.offerIndex, Apply
    // view.autoIndex.
    ArrivalStep decide(const ArrivalView& view);
    // After an automatic apply: a profile that did not take is held back.
    void applied(const char* name, int tookEffect);
    // 1 when the profile of that name is held back.
    int heldBack(const char* name) const;

private:
    uint32_t handled_ = 0;
    char heldBack_[100] = "";
};

// Where the last `lines` lines of the text begin (a last line without its line break
// counts as one).
size_t lastLinesStart(const char* text, size_t length, int lines);
// Adds the text on one line: each line break (CR, LF, CR LF) becomes " / ".
void addFlattened(const char* text, GrowingText& out);
