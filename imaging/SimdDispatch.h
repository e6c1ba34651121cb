// Hot loops are written plainly so the compiler can vectorise them. On
// 64-bit Linux with GCC each such function is also built for AVX2, and the
// loader picks the variant the processor runs; elsewhere the baseline build
// is used. Every variant computes the same integers.
#pragma once

#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define TAVRELIN_SIMD_CLONES __attribute__((target_clones("avx2", "default")))
// Bit-serial code gains from single-cycle variable shifts and bit counts.
#define TAVRELIN_BIT_CLONES __attribute__((target_clones("bmi2", "default")))
#else
#define TAVRELIN_SIMD_CLONES
#define TAVRELIN_BIT_CLONES
#endif

// Where the compiler vectorises poorly, a hand-written AVX2 variant is chosen
// at run time on 64-bit Linux (GCC or Clang).
#if defined(__GNUC__) && defined(__x86_64__) && defined(__linux__)
#define TAVRELIN_HAVE_AVX2_PATH 1
#else
#define TAVRELIN_HAVE_AVX2_PATH 0
#endif

// Helpers of such functions must be inlined into each variant to profit.
#if defined(__GNUC__)
#define TAVRELIN_FORCE_INLINE inline __attribute__((always_inline))
#else
#define TAVRELIN_FORCE_INLINE inline
#endif
