// The encoder's hot loops for processors with AVX2, BMI2 and POPCNT (Haswell,
// Excavator and later).
#include "imaging/JpegPathPrelude.h"

#define TAVRELIN_PATH_SSE2 1
#define TAVRELIN_PATH_SSSE3 1
#define TAVRELIN_PATH_AVX2 1
#include "imaging/SimdDispatch.h"

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2,bmi,bmi2,popcnt"))), apply_to = function)
#else
#pragma GCC target("avx2,bmi,bmi2,popcnt")
#endif

namespace jpeg_avx2 {
#include "imaging/JpegBlockTransform.inl"
#include "imaging/JpegColourConvert.inl"
#include "imaging/JpegBlockCoder.inl"
} // namespace jpeg_avx2

#if defined(__clang__)
#pragma clang attribute pop
#endif
