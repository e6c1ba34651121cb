// The encoder's hot loops for any processor of the target architecture.
#include "imaging/JpegPathPrelude.h"

#include "imaging/SimdDispatch.h"

namespace jpeg_portable {
#include "imaging/JpegBlockTransform.inl"
#include "imaging/JpegColourConvert.inl"
#include "imaging/JpegBlockCoder.inl"
} // namespace jpeg_portable
