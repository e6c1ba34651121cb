// Everything the path bodies use, included before a path file switches the
// instruction set, so that shared inline code keeps the baseline one.
#pragma once

#include "imaging/JpegBitWriter.h"
#include "imaging/JpegBlockCoder.h"
#include "imaging/JpegTables.h"

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#if defined(__i386__) || defined(__x86_64__)
#include <immintrin.h>
#endif
