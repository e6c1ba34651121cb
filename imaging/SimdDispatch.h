// The encoder's hot loops are built once per processor path (JpegPath*.cpp):
// the same source, each time for another instruction set, selected at run
// time by JpegPaths.cpp. Every path computes the same integers.
#pragma once

// Helpers must be inlined into each path's functions to profit from its
// instruction set, and are then compiled for it.
#if defined(__GNUC__)
#define TAVRELIN_FORCE_INLINE inline __attribute__((always_inline))
#else
#define TAVRELIN_FORCE_INLINE inline
#endif

// A path file sets the TAVRELIN_PATH_* switches it was built for before it
// includes the bodies; unset ones mean the instruction set is not there.
#if !defined(TAVRELIN_PATH_SSE2)
#if defined(__SSE2__)
#define TAVRELIN_PATH_SSE2 1
#else
#define TAVRELIN_PATH_SSE2 0
#endif
#endif
#if !defined(TAVRELIN_PATH_SSSE3)
#define TAVRELIN_PATH_SSSE3 0
#endif
#if !defined(TAVRELIN_PATH_AVX2)
#define TAVRELIN_PATH_AVX2 0
#endif
