#pragma once
// Little-endian fields read from bytes already in memory; the caller has
// checked that the bytes are there.

#include <cstdint>

inline std::uint16_t ReadLe16(const std::uint8_t* pBytes)
{
    return static_cast<std::uint16_t>(pBytes[0] | pBytes[1] << 8);
}

inline std::uint32_t ReadLe32(const std::uint8_t* pBytes)
{
    return static_cast<std::uint32_t>(ReadLe16(pBytes)) | static_cast<std::uint32_t>(ReadLe16(pBytes + 2)) << 16;
}
