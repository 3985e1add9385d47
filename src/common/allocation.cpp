// The program's own allocation operators. The runtime library's versions carry the
// exception machinery and its name demangler, which would triple the size of the exe;
// nothing here throws, and a failed allocation returns null.
#include <cstdlib>
#include <new>

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size != 0 ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return std::malloc(size != 0 ? size : 1);
}
void operator delete(void* block) noexcept { std::free(block); }
void operator delete[](void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
void operator delete[](void* block, std::size_t) noexcept { std::free(block); }

// The one nothrow tag, here: the library's own sits in a file that brings its new-handler
// and that handler's unwind tables into the exe.
namespace std {
const nothrow_t nothrow{};
}
