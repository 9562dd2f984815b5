#pragma once
// tavo::Prefetch(p): asks for the cache line of p ahead of its use, for the
// walks that know their next addresses long before they read them.
//
// GCC's dead-code pass may drop __builtin_prefetch whose address is only
// computed for it (a helper that does nothing else compiles to a bare
// return), so on x86-64 the instruction is written out: an asm with side
// effects stays where it is put. The address goes in a register and is
// never dereferenced: a prefetch does not fault, so any address, null or
// one past an array, is harmless.

namespace tavo {

inline void Prefetch(const void *p) {
#if defined(__x86_64__) || defined(__i386__)
  asm volatile("prefetcht0 (%0)" : : "r"(p));
#else
  __builtin_prefetch(p);
#endif
}

}  // namespace tavo
