#pragma once
// Asks for memory to be brought into the cache ahead of its use, where the
// compiler can; for walking records in an order other than the one they lie
// in memory.

inline void Prefetch(const void* address) {
#if defined(__GNUC__)
    __builtin_prefetch(address);
#else
    (void)address;
#endif
}

// The same for every cache line of an object.
inline void PrefetchObject(const void* address, unsigned size) {
    const char* p = static_cast<const char*>(address);
    for (unsigned at = 0; at < size; at += 64) Prefetch(p + at);
}
