#include "section_names.h"

#include <cstring>

#include "../common/profile_text.h"

namespace {

bool isThreeDigits(const char* name, size_t length) {
    return length == 3 && name[0] >= '0' && name[0] <= '9' && name[1] >= '0' && name[1] <= '9' &&
           name[2] >= '0' && name[2] <= '9';
}

int sectionNumber(const char* name) { return (name[0] - '0') * 100 + (name[1] - '0') * 10 + (name[2] - '0'); }

}  // namespace

int collectSectionNames(const char* list, size_t listSize, SectionName* names, int maxNames) {
    int count = 0;
    size_t position = 0;
    while (position < listSize && list[position] != '\0' && count < maxNames) {
        const char* name = list + position;
        size_t length = 0;
        while (position + length < listSize && name[length] != '\0') ++length;
        // A name without its terminator may have been cut; it ends the list too.
        if (length < 3 || position + length == listSize) break;
        if (isThreeDigits(name, length)) {
            std::memcpy(names[count], name, 3);
            names[count][3] = '\0';
            ++count;
        }
        position += length + 1;
    }
    return count;
}

void markSectionNumbers(const char* list, size_t listSize, bool present[kMaxSections]) {
    size_t position = 0;
    while (position < listSize && list[position] != '\0') {
        size_t length = 0;
        while (position + length < listSize && list[position + length] != '\0') ++length;
        if (position + length < listSize && isThreeDigits(list + position, length))
            present[sectionNumber(list + position)] = true;
        position += length + 1;
    }
}

void markScriptNumber(const char* fileName, bool present[kMaxSections]) {
    if (fileName == nullptr || std::strlen(fileName) != 7 || !isThreeDigits(fileName, 3) || fileName[3] != '.') return;
    const char* extension = fileName + 4;
    for (int i = 0; i < 3; ++i) {
        if (lowerAscii(extension[i]) != "dmp"[i]) return;
    }
    present[sectionNumber(fileName)] = true;
}

void nextSectionNumber(const char* name, SectionName out) {
    // out may be name itself.
    const char hundreds = name[0], tens = name[1], ones = name[2];
    out[0] = hundreds;
    out[1] = tens;
    out[2] = ones;
    out[3] = '\0';
    for (int i = 2; i >= 0; --i) {
        if (out[i] < '9') {
            ++out[i];
            return;
        }
        out[i] = '0';
    }
}

int nextFreeSectionName(const SectionName* names, int count, const bool* alsoPresent, SectionName out) {
    bool used[kMaxSections] = {};
    for (int i = 0; i < kMaxSections && alsoPresent != nullptr; ++i) used[i] = alsoPresent[i];
    for (int i = 0; i < count; ++i) used[sectionNumber(names[i])] = true;
    if (count <= 0)
        std::memcpy(out, "000", 4);
    else
        nextSectionNumber(names[count - 1], out);
    for (int tried = 0; tried < kMaxSections; ++tried) {
        if (!used[sectionNumber(out)]) return 1;
        nextSectionNumber(out, out);
    }
    out[0] = '\0';
    return 0;
}
