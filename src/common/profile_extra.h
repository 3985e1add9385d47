// What a profile carries besides its script, its extras: the browser's proxy, the
// default printer and the network it was saved on, each one kind. A kind is one file in the folder of what it sets (shaped
// like src/printer/printer_extra.cpp) and one entry of the table in
// src/profiles/profile_extras.cpp; the save, the apply, the comparison and the verdict
// loop over the table. Portable: no windows.h.
#pragma once

#include <cstddef>

class DifferenceLines;
class GrowingText;

// The keys of one profile's section in the catalogue.
struct ProfileKeys {
    void* catalog;
    // The key's value into out, cut at a character boundary to fit; `missing` when the
    // section has no such key.
    void (*read)(void* catalog, const char* key, char* out, size_t outSize, const char* missing);
    // Writes the key as the section's last, or deletes it for a null value; 1 when done.
    int (*write)(void* catalog, const char* key, const char* value);
};

// The four jobs of one kind, each on the kind's own state: what the system holds, what
// the profile keeps, and how an apply or a comparison went.
struct ExtraKind {
    void* (*create)();  // null when memory is short
    void (*release)(void* state);

    // From the system, for a save: the value in force now. 0 when it cannot be read.
    int (*readNow)(void* state);
    // Why the value read cannot be kept as it is, which refuses the whole save; or null.
    const char* (*storageProblem)(const void* state);
    // The value read now as the profile's keys, after "name", "path" and "sort" (a key
    // that must follow an earlier kind's is deleted first), or, for write 0, the keys
    // deleted. 1 when done.
    int (*writeKeys)(const ProfileKeys& keys, const void* state, int write);

    // The profile's keys, read afresh: whether it keeps the kind, and why the kept value
    // cannot be used. Forgets how the last apply or comparison went.
    void (*readKeys)(const ProfileKeys& keys, void* state);
    int (*keeps)(const void* state);

    // Sets the kept value, unless it cannot be used, then reads back what holds.
    void (*apply)(void* state);
    // The same judgement without setting anything: what holds now against the kept value.
    // What holds now is read once for the state's life, for many profiles in a row.
    void (*judge)(void* state);

    // The lines of what did not take (after apply) or would change (after judge); none
    // when neither ran.
    void (*sayDifferences)(const void* state, DifferenceLines& lines);
    // The preview's part for the kept value (or that none is kept, or why it cannot be used).
    void (*sayKept)(const void* state, GrowingText& text);

    const char* notSavedLine;  // after the save's text: asked for, and not saved
    const char* runAsSaveLine;  // the same when the tool runs as another user
    const char* withheldLine;  // after the apply's verdict: not set, as another user

    // 1: the machine's, not the user's (the network): read and written by every save,
    // whoever runs the tool, whether asked or not, and left out of the preview's list.
    int machineWide;
};

// How the kinds of one apply or comparison went: one state per kind, in table order.
struct ExtraOutcomes {
    const ExtraKind* const* kinds;
    void* const* states;
    int count;
};
