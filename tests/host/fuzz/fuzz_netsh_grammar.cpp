// The netsh stand-in's parser on arbitrary lines: no crash, and what it accepts is sane.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "netsh_grammar.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string line(reinterpret_cast<const char*>(data + 1), size - 1);
    const SimCommand command = parseSimCommand(line, (data[0] & 1) != 0);
    if (command.kind == SimCommandKind::Invalid && command.error.empty()) std::abort();
    if (command.kind == SimCommandKind::SetAddressStatic && !(isDottedQuad(command.address) && isDottedQuad(command.mask)))
        std::abort();
    if (command.kind == SimCommandKind::AddDns && !isDottedQuad(command.address)) std::abort();
    return 0;
}
