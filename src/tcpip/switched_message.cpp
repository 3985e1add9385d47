#include "switched_message.h"

#include <cstring>

#include "../netcmd/netsh_text.h"

int composeSwitchedMessage(const char* connectionName, uint32_t address, char* out, size_t outSize) {
    if (out == nullptr || outSize == 0) return 0;
    out[0] = '\0';
    if (connectionName == nullptr) return 0;
    char quad[16];
    formatDottedQuad(address, quad);
    const char* pieces[] = {"「", connectionName, "」の設定を切り替えました。\n (IP=", quad, ")"};
    size_t length = 0;
    for (const char* piece : pieces) {
        const size_t pieceLength = std::strlen(piece);
        if (length + pieceLength >= outSize) {
            out[0] = '\0';
            return 0;
        }
        std::memcpy(out + length, piece, pieceLength + 1);
        length += pieceLength;
    }
    return 1;
}
