#include "imaging/JpegPaths.h"

#include <array>
#include <cstdlib>

#if defined(__i386__) || defined(__x86_64__)
#include <cpuid.h>
#define TAVRELIN_X86 1
#else
#define TAVRELIN_X86 0
#endif

#define TAVRELIN_DECLARE_JPEG_PATH(space)                                                                              \
    namespace space {                                                                                                  \
    void ConvertMcuColours(const uint8_t* const rows[16], int32_t luminance[4][64], int32_t blueDifference[64],        \
                           int32_t redDifference[64]);                                                                 \
    void EncodeMcu(const uint8_t* const rows[16], const SComponentCoding& luminance,                                   \
                   const SComponentCoding& chrominance, int32_t predictors[3], CJpegBitWriter& writer);                \
    }

TAVRELIN_DECLARE_JPEG_PATH(jpeg_portable)
#if TAVRELIN_X86
TAVRELIN_DECLARE_JPEG_PATH(jpeg_sse2)
TAVRELIN_DECLARE_JPEG_PATH(jpeg_sse41)
TAVRELIN_DECLARE_JPEG_PATH(jpeg_avx2)
#endif

namespace {

#if TAVRELIN_X86
// What CPUID reports, and for AVX also whether the system saves the vector
// registers on a task switch (XCR0 bits 1 and 2).
struct SCpuFeatures {
    bool sse2 = false, ssse3 = false, sse41 = false, popcnt = false;
    bool avx2 = false, bmi1 = false, bmi2 = false;
};

SCpuFeatures ReadCpuFeatures()
{
    SCpuFeatures features;
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (!__get_cpuid(1, &eax, &ebx, &ecx, &edx))
        return features;
    features.sse2 = (edx & bit_SSE2) != 0;
    features.ssse3 = (ecx & bit_SSSE3) != 0;
    features.sse41 = (ecx & bit_SSE4_1) != 0;
    features.popcnt = (ecx & bit_POPCNT) != 0;
    const bool osSavesYmm = [&] {
        if ((ecx & bit_OSXSAVE) == 0 || (ecx & bit_AVX) == 0)
            return false;
        unsigned low = 0, high = 0;
        __asm__("xgetbv" : "=a"(low), "=d"(high) : "c"(0));
        return (low & 6) == 6;
    }();
    if (osSavesYmm && __get_cpuid_count(7, 0, &eax, &ebx, &ecx, &edx)) {
        features.avx2 = (ebx & bit_AVX2) != 0;
        features.bmi1 = (ebx & bit_BMI) != 0;
        features.bmi2 = (ebx & bit_BMI2) != 0;
    }
    return features;
}

const SCpuFeatures& CpuFeatures()
{
    static const SCpuFeatures features = ReadCpuFeatures();
    return features;
}
#endif

bool Always() { return true; }

#if TAVRELIN_X86
#if defined(__i386__)
bool HasSse2() { return CpuFeatures().sse2; }
#endif
bool HasSse41() { return CpuFeatures().sse2 && CpuFeatures().ssse3 && CpuFeatures().sse41; }
bool HasAvx2()
{
    const SCpuFeatures& cpu = CpuFeatures();
    return HasSse41() && cpu.popcnt && cpu.avx2 && cpu.bmi1 && cpu.bmi2;
}
#endif

#define TAVRELIN_JPEG_PATH(name, features, check, space)                                                               \
    SJpegPath { name, features, check, space::ConvertMcuColours, space::EncodeMcu }

const auto kPaths = std::to_array<SJpegPath>({
#if defined(__x86_64__)
    TAVRELIN_JPEG_PATH("portable", "SSE2", Always, jpeg_portable),
#else
    TAVRELIN_JPEG_PATH("portable", "none", Always, jpeg_portable),
#endif
#if defined(__i386__)
        // On x86-64 the portable path already has SSE2.
        TAVRELIN_JPEG_PATH("sse2", "SSE2", HasSse2, jpeg_sse2),
#endif
#if TAVRELIN_X86
        TAVRELIN_JPEG_PATH("sse4.1", "SSE2, SSSE3, SSE4.1", HasSse41, jpeg_sse41),
        TAVRELIN_JPEG_PATH("avx2", "SSE4.1, POPCNT, AVX2 (with the system's YMM support), BMI1, BMI2", HasAvx2,
                           jpeg_avx2),
#endif
});

} // namespace

std::span<const SJpegPath> JpegPaths() { return kPaths; }

const SJpegPath& PortableJpegPath() { return kPaths.front(); }

const SJpegPath* FindSupportedJpegPath(std::string_view name)
{
    for (const SJpegPath& path : kPaths)
        if (name == path.name && path.isSupported())
            return &path;
    return nullptr;
}

const SJpegPath& ChooseJpegPath(const char* wanted)
{
    if (wanted != nullptr) {
        if (const SJpegPath* path = FindSupportedJpegPath(wanted))
            return *path;
    }
    const SJpegPath* best = &kPaths.front();
    for (const SJpegPath& path : kPaths)
        if (path.isSupported())
            best = &path;
    return *best;
}

const SJpegPath& DefaultJpegPath()
{
    static const SJpegPath& path = ChooseJpegPath(std::getenv("TAVRELIN_JPEG_PATH"));
    return path;
}
