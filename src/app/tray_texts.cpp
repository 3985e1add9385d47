#include "tray_texts.h"

#include "../common/profile_text.h"
#include "../common/text_builder.h"

namespace {

constexpr char kTipHolding[] = "Tessaly - 現在：";
constexpr char kTipNoneHolds[] = "Tessaly - 保存した設定と一致しません";

}  // namespace

void composeTrayTip(const char* holdingNames, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return;
    if (holdingNames == nullptr || *holdingNames == '\0') {
        copyTextWhole(out, outSize, kTipNoneHolds);
        return;
    }
    BoundedText(out, outSize).add(kTipHolding).addCut(holdingNames, 0);
}

void doubleAmpersands(const char* name, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return;
    size_t length = 0;
    for (const char* p = name != nullptr ? name : ""; *p != '\0'; ++p) {
        // A double-byte character goes whole or not at all; its second byte is never an "&".
        const int doubleByte = isShiftJisLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0';
        const size_t piece = doubleByte || *p == '&' ? 2 : 1;
        if (length + piece >= outSize) break;
        if (doubleByte) {
            out[length++] = *p++;
            out[length++] = *p;
        } else {
            out[length++] = *p;
            if (*p == '&') out[length++] = '&';
        }
    }
    out[length] = '\0';
}
