// The series' long loops of scalar SSE arithmetic slow down about eightfold
// when they run while the upper halves of the AVX registers are "dirty":
// some libraries the window links (Qt's drawing and font code) leave them
// so, and every later SSE instruction then waits on a merge (measured here:
// three days of the Sun's path 0.9 ms before a QGuiApplication exists, 7.7
// ms after, 0.9 ms again after one vzeroupper). cleanVectorState() clears
// them where the CPU has AVX (the instruction is invalid without it); it
// costs a cycle and does nothing on other processors or in the browser.
#pragma once

namespace astro::detail {

inline void cleanVectorState() {
#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__) && !defined(__EMSCRIPTEN__)
    static const bool hasAvx = __builtin_cpu_supports("avx");
    if (hasAvx) __asm__ volatile("vzeroupper" ::: "memory");
#endif
}

}  // namespace astro::detail
