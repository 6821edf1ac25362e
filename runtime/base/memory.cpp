#include "runtime/base/memory.h"

#include <sys/mman.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace rt {

void OutOfMemory(const char* what, QSize pixels) {
    // The program's name as started, which needs no memory to read.
    const char* name = program_invocation_short_name;
    if (!what)
        std::fprintf(stderr, "%s: out of memory\n", name);
    else if (pixels.isEmpty())
        std::fprintf(stderr, "%s: out of memory for %s\n", name, what);
    else
        std::fprintf(stderr, "%s: out of memory for %s of %d x %d pixels\n", name, what,
                     pixels.width(), pixels.height());
    std::_Exit(1);
}

bool AddressSpaceShort() {
    constexpr size_t kBytes = size_t{32} << 20;
    void* probe =
        mmap(nullptr, kBytes, PROT_NONE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (probe == MAP_FAILED) return true;
    munmap(probe, kBytes);
    return false;
}

void ShareOneArena() {
#if defined(__GLIBC__)
    mallopt(M_ARENA_MAX, 1);
#endif
}

namespace {
std::terminate_handler previousTerminate = nullptr;
}  // namespace

void EndOnOutOfMemory() {
    std::set_new_handler([] { OutOfMemory(); });
    previousTerminate = std::set_terminate([] {
        try {
            if (const std::exception_ptr escaped = std::current_exception())
                std::rethrow_exception(escaped);
        } catch (const std::bad_alloc&) {
            OutOfMemory();
        } catch (...) {
        }
        if (previousTerminate) previousTerminate();
        std::abort();
    });
}

}  // namespace rt
