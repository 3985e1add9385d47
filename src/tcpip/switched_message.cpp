#include "switched_message.h"

#include "../common/text_builder.h"

int composeSwitchedMessage(const char* connectionName, uint32_t address, char* out, size_t outSize) {
    if (connectionName == nullptr) {
        BoundedText(out, outSize).finish();
        return 0;
    }
    return BoundedText(out, outSize).add("「").add(connectionName).add("」の設定を切り替えました。\n (IP=").quad(address).add(")").finish();
}
