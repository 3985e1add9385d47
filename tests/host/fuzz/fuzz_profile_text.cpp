// The parsers of short outside texts on the same arbitrary bytes: integers, section-name
// lists, a profile's proxy and network keys, character-boundary cuts, addresses and DNS server lists
// from the registry, the command line, a second start's hand-over and catalogue paths.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "adapters/network_place.h"
#include "app/hand_over.h"
#include "app/start_request.h"
#include "browser/proxy_settings.h"
#include "common/dotted_quad.h"
#include "common/profile_text.h"
#include "common/text_builder.h"
#include "netcmd/settings_report.h"
#include "profiles/script_path.h"
#include "profiles/section_names.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const size_t outSize = data[0] % 64;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    parseProfileInt(text.c_str());

    // The section-name walk never reads past the list and takes only three-digit names.
    std::vector<SectionName> names(8);
    const int count = collectSectionNames(text.data(), text.size(), names.data(), 8);
    if (count < 0 || count > 8) std::abort();
    for (int i = 0; i < count; ++i)
        for (int j = 0; j < 3; ++j)
            if (names[i][j] < '0' || names[i][j] > '9' || names[i][3] != '\0') std::abort();
    // Every name the list takes is also marked present by the walk that does not stop early.
    bool present[kMaxSections] = {};
    markSectionNumbers(text.data(), text.size(), present);
    for (int i = 0; i < count; ++i)
        if (!present[std::atoi(names[i])]) std::abort();

    // A section's lines: a plain value lies inside them, is terminated and has plain ends.
    for (const char* sought : {"proxy", "proxyserver"}) {
        const char* value = nullptr;
        if (plainSectionValue(text.data(), text.size(), sought, &value) != 1) continue;
        const size_t length = value - text.data() < static_cast<ptrdiff_t>(text.size()) ? std::strlen(value) : 0;
        if (value < text.data() || value + length >= text.data() + text.size() ||
            (length > 0 && (value[0] == ' ' || value[0] == '"' || value[length - 1] == ' ' || value[length - 1] == '"')))
            std::abort();
    }

    // A profile's network key is used only when it reads back exactly as written.
    PlaceRecord place;
    if (readPlaceValue(text.c_str(), &place)) {
        char again[kNetworkValueSize];
        formatPlaceValue(place, again, sizeof again);
        if (std::strcmp(again, text.c_str()) != 0 || place.count > kMaxPlaceEntries) std::abort();
    } else if (place.count != 0 || !place.unreadable) {
        std::abort();
    }

    // The text split at NULs as the four proxy keys: a usable proxy fits and shows.
    const char* key[4] = {"", "", "", ""};
    for (size_t at = 0, k = 0; at <= text.size() && k < 4; at += std::strlen(text.c_str() + at) + 1) key[k++] = text.c_str() + at;
    ProxySettings proxy;
    const char* problem = readProxyKeys(key[0], key[1], key[2], key[3], &proxy);
    if (problem == nullptr && (proxy.flags & ~kProxyKnownFlags) != 0) std::abort();
    GrowingText summary;
    sayProxyKept(&proxy, problem, summary);
    char* shown = nullptr;
    if (!summary.hand(&shown)) std::abort();
    delete[] shown;

    // DNS server lists: two pieces that fit, without separators, the second only after a first.
    parseDottedQuad(text.c_str());
    char first[kDnsPieceSize + 1], second[kDnsPieceSize + 1];
    first[kDnsPieceSize] = second[kDnsPieceSize] = '\x7F';
    splitNameServers(text.c_str(), first, second);
    if (first[kDnsPieceSize] != '\x7F' || second[kDnsPieceSize] != '\x7F') std::abort();
    if (std::strlen(first) >= kDnsPieceSize || std::strlen(second) >= kDnsPieceSize) std::abort();
    if (std::strpbrk(first, ", \t") || std::strpbrk(second, ", \t") || (first[0] == '\0' && second[0] != '\0')) std::abort();

    // A command line gives a tail inside it and a launch mode, and "/L NAME" a name that fits
    // and is never empty when whole.
    const char* tail = commandLineTail(text.c_str());
    if (tail < text.c_str() || tail > text.c_str() + std::strlen(text.c_str())) std::abort();
    const LaunchMode mode = launchModeFromTail(tail);
    const StartRequest request = parseStartRequest(tail);
    const char* name = request.profileName;
    if (request.mode != mode || std::strlen(name) >= sizeof request.profileName ||
        (request.nameIsWhole && (mode != SelectNamed || name[0] == '\0')))
        std::abort();
    if (mode != Normal && mode != SelectNamed && std::strlen(tail) != 2) std::abort();

    // A hand-over's untrusted bytes: read only when well formed, into a terminated folder;
    // what a second start sends reads back as the request its tail makes.
    HandOver handOver;
    if (readHandOver(kHandOverTag, text.data(), text.size(), &handOver) &&
        (handOver.folder[0] == '\0' || std::strlen(handOver.folder) >= kHandOverFolderSize ||
         std::strlen(handOver.request.profileName) >= kStartNameSize))
        std::abort();
    std::vector<char> message(kHandOverMaxSize);
    const size_t sent = composeHandOver("C:\\t", tail, message.data(), message.size());
    if (sent == 0 || !readHandOver(kHandOverTag, message.data(), sent, &handOver) || handOver.request.mode != mode ||
        std::strcmp(handOver.request.profileName, request.profileName) != 0)
        std::abort();

    // A catalogue path taken as the folder's own has no drive, stream or server in it.
    if (isPathInWorkingFolder(text.c_str(), 1) &&
        (text[0] == '\\' || text[0] == '/' || std::strchr(text.c_str(), ':') != nullptr)) std::abort();

    // The two builders on the text's halves: the growing one holds both, the bounded one both
    // or nothing, and the cut add stops on a character boundary before the reserve.
    const size_t half = text.size() / 2;
    GrowingText grown;
    char* joined = nullptr;
    if (!grown.add(text.data(), half).add(text.c_str() + half).hand(&joined) || std::strcmp(joined, text.c_str()) != 0)
        std::abort();
    delete[] joined;
    std::vector<char> bounded(outSize + 1, '\x7F');
    BoundedText pieces(bounded.data(), outSize);
    const int fit = pieces.add(text.data(), half).add(text.c_str() + half).finish();
    if (outSize > 0 && (bounded[outSize] != '\x7F' || (fit ? std::strcmp(bounded.data(), text.c_str()) : bounded[0]) != 0))
        std::abort();
    BoundedText cut(bounded.data(), outSize);
    if (outSize > 0 && (!cut.addCut(text.c_str(), 2).finish() || (cut.length() != 0 && cut.length() + 3 > outSize) ||
                        characterBoundaryLength(text.c_str(), cut.length()) != cut.length()))
        std::abort();

    std::vector<char> out(outSize + 1, '\x7F');
    const int whole = copyTextCut(out.data(), outSize, text.c_str());
    if (outSize == 0) return 0;
    const size_t length = std::strlen(out.data());
    if (length >= outSize) std::abort();
    if (out[outSize] != '\x7F') std::abort();  // never past the given size
    if (std::memcmp(out.data(), text.c_str(), length) != 0) std::abort();
    if (whole && length != std::strlen(text.c_str())) std::abort();
    // The copy ends on a character boundary of the original.
    if (characterBoundaryLength(text.c_str(), length) != length) std::abort();
    return 0;
}
