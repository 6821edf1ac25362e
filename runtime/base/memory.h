#pragma once
// When memory runs out. Under an address-space limit the toolkit gets null
// pictures and buffers, then warns at every paint and crashes further on:
// whatever finds one ends the program with one line instead.

#include <QSize>

namespace rt {

// Prints "<program>: out of memory for <what> of <W> x <H> pixels" (the
// parts given) and exits with status 1, allocating nothing.
[[noreturn]] void OutOfMemory(const char* what = nullptr, QSize pixels = {});

// Whether a few dozen megabytes more of address space are out of reach: a
// platform that fails to start then failed for want of memory.
bool AddressSpaceShort();

// Before the first thread: all threads share one malloc arena. Each further
// arena reserves 64 MB of address space that the program's few, mostly idle
// threads never fill, and under an address-space limit that runs out first.
void ShareOneArena();

// A failing operator new, and a std::bad_alloc that nothing catches, end the
// program through OutOfMemory.
void EndOnOutOfMemory();

}  // namespace rt
