// The encoder's hot loops for processors with SSSE3 and SSE4.1 (Core 2 of 2008,
// Bulldozer and later): byte shuffles and 32-bit vector multiplies.
#include "imaging/JpegPathPrelude.h"

#define TAVRELIN_PATH_SSE2 1
#define TAVRELIN_PATH_SSSE3 1
#define TAVRELIN_PATH_AVX2 0
#include "imaging/SimdDispatch.h"

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("ssse3,sse4.1"))), apply_to = function)
#else
#pragma GCC target("ssse3,sse4.1")
#endif

namespace jpeg_sse41 {
#include "imaging/JpegBlockTransform.inl"
#include "imaging/JpegColourConvert.inl"
#include "imaging/JpegBlockCoder.inl"
} // namespace jpeg_sse41

#if defined(__clang__)
#pragma clang attribute pop
#endif
