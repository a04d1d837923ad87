#pragma once
// Libraries the portable build opens when a feature first needs them rather
// than at start-up: libcurl and OpenSSL cost a command that never goes on
// the network more than its own work (loading, relocating and initialising
// some thirty libraries). POSIX only; Windows links its system libraries.
#include <cstddef>
#include <cstring>

namespace platform {

// Opens the first of `sonames` (null-terminated list) that loads and looks
// up each of `names` in it and the libraries it depends on, storing the
// addresses in `slots`; on success the library stays open for the rest of
// the process. False, with every slot null, when no library loads or a
// name is missing.
bool LoadSharedFunctions(const char* const* sonames, const char* const* names, void** slots,
                         size_t count);

// Loads `table`, a struct of nothing but function pointers declared in the
// order of `names`, as above.
template <class Table, size_t N>
bool LoadSharedTable(const char* const* sonames, const char* const (&names)[N], Table* table) {
    static_assert(sizeof(Table) == N * sizeof(void*), "one name per function pointer");
    void* slots[N];
    if (!LoadSharedFunctions(sonames, names, slots, N)) return false;
    std::memcpy(static_cast<void*>(table), slots, sizeof slots);
    return true;
}

// The table loaded by the first call for the process (thread-safe), null
// when it cannot be; later calls return the same answer.
template <class Table, size_t N>
const Table* LoadSharedTableOnce(const char* const* sonames, const char* const (&names)[N]) {
    static Table table;
    static const bool loaded = LoadSharedTable(sonames, names, &table);
    return loaded ? &table : nullptr;
}

}  // namespace platform
