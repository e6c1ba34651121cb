#pragma once
// The few screen facts that property values depend on (font height and
// character set), behind an interface so the parser runs without a display.

#include <cstdint>

namespace tavrelin::skin {

class ISkinScreenInfo {
public:
    virtual ~ISkinScreenInfo() = default;
    virtual int LogicalPixelsPerInchY() const = 0;
    virtual std::uint8_t TextCharSet() const = 0;
};

// A screen with fixed figures: the native build's screen, and the one tests use.
class CFixedSkinScreenInfo final : public ISkinScreenInfo {
public:
    explicit CFixedSkinScreenInfo(int nPixelsPerInchY = 96, std::uint8_t nCharSet = 0)
        : m_nPixelsPerInchY(nPixelsPerInchY), m_nCharSet(nCharSet)
    {}
    int LogicalPixelsPerInchY() const override { return m_nPixelsPerInchY; }
    std::uint8_t TextCharSet() const override { return m_nCharSet; }

private:
    int m_nPixelsPerInchY;
    std::uint8_t m_nCharSet;
};

// The screen of the running platform: the desktop's device context on Windows,
// a fixed 96 pixels per inch with the ANSI character set elsewhere.
const ISkinScreenInfo& PlatformSkinScreenInfo();

// number * numerator / denominator rounded half away from zero, computed in 64
// bits; -1 when the denominator is 0 or the result does not fit, as MulDiv does.
std::int32_t SkinMulDiv(std::int32_t number, std::int32_t numerator, std::int32_t denominator);

} // namespace tavrelin::skin
