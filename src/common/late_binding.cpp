#include "late_binding.h"

#include <shellapi.h>
#include <wininet.h>
#include <winspool.h>

#include <type_traits>

#include "text_builder.h"

// Each entry of the table has the type of the system's own declaration.
#define TESSALY_LATE_TYPE_CHECK(dll, name, result, parameters)                                        \
    static_assert(std::is_same<decltype(late::name)::Pointer, decltype(&::name)>::value, #name " is declared " \
                                                                                        "as the system does");
TESSALY_LATE_FUNCTIONS(TESSALY_LATE_TYPE_CHECK)
#undef TESSALY_LATE_TYPE_CHECK

namespace late {
#define TESSALY_LATE_DEFINITION(dll, name, result, parameters) decltype(name) name;
TESSALY_LATE_FUNCTIONS(TESSALY_LATE_DEFINITION)
#undef TESSALY_LATE_DEFINITION
}  // namespace late

FARPROC boundSystemFunction(const char* dllName, const char* functionName) {
    if (dllName == nullptr || functionName == nullptr) return nullptr;
    char directory[MAX_PATH], path[MAX_PATH];
    const UINT length = GetSystemDirectoryA(directory, sizeof directory);
    if (length == 0 || length >= sizeof directory ||
        !BoundedText(path, sizeof path).add(directory).add("\\").add(dllName).finish())
        return nullptr;
    // Loaded once for the process's life: a second load only counts up, and nothing frees it.
    HMODULE module = LoadLibraryA(path);
    return module != nullptr ? GetProcAddress(module, functionName) : nullptr;
}
