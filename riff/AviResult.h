#pragma once
// Result codes of the AVI writer. They keep the platform's numeric values so
// that Windows code can compare them with the ones from <vfw.h>; whichever of
// the two headers comes first defines them, the other one skips its block.

#include <cstdint>

#ifndef _HRESULT_DEFINED
#define _HRESULT_DEFINED
#ifdef _WIN32
typedef long HRESULT;
#else
typedef std::int32_t HRESULT;
#endif
#endif

#ifndef AVIERR_OK
#define AVIERR_OK static_cast<HRESULT>(0)
#define AVIERR_UNSUPPORTED static_cast<HRESULT>(0x80044065u)
#define AVIERR_BADFORMAT static_cast<HRESULT>(0x80044066u)
#define AVIERR_MEMORY static_cast<HRESULT>(0x80044067u)
#define AVIERR_INTERNAL static_cast<HRESULT>(0x80044068u)
#define AVIERR_BADFLAGS static_cast<HRESULT>(0x80044069u)
#define AVIERR_BADPARAM static_cast<HRESULT>(0x8004406Au)
#define AVIERR_BADSIZE static_cast<HRESULT>(0x8004406Bu)
#define AVIERR_BADHANDLE static_cast<HRESULT>(0x8004406Cu)
#define AVIERR_FILEREAD static_cast<HRESULT>(0x8004406Du)
#define AVIERR_FILEWRITE static_cast<HRESULT>(0x8004406Eu)
#define AVIERR_FILEOPEN static_cast<HRESULT>(0x8004406Fu)
#define AVIERR_COMPRESSOR static_cast<HRESULT>(0x80044070u)
#define AVIERR_NOCOMPRESSOR static_cast<HRESULT>(0x80044071u)
#define AVIERR_READONLY static_cast<HRESULT>(0x80044072u)
#define AVIERR_NODATA static_cast<HRESULT>(0x80044073u)
#define AVIERR_BUFFERTOOSMALL static_cast<HRESULT>(0x80044074u)
#define AVIERR_CANTCOMPRESS static_cast<HRESULT>(0x80044075u)
#define AVIERR_USERABORT static_cast<HRESULT>(0x800440C6u)
#define AVIERR_ERROR static_cast<HRESULT>(0x800440C7u)
#endif
