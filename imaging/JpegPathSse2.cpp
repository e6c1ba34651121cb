// The encoder's hot loops for processors with SSE2 (Pentium 4, Athlon 64 and later).
#include "imaging/JpegPathPrelude.h"

#define TAVRELIN_PATH_SSE2 1
#define TAVRELIN_PATH_SSSE3 0
#define TAVRELIN_PATH_AVX2 0
#include "imaging/SimdDispatch.h"

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("sse2"))), apply_to = function)
#else
#pragma GCC target("sse2")
#endif

namespace jpeg_sse2 {
#include "imaging/JpegBlockTransform.inl"
#include "imaging/JpegColourConvert.inl"
#include "imaging/JpegBlockCoder.inl"
} // namespace jpeg_sse2

#if defined(__clang__)
#pragma clang attribute pop
#endif
