// The encoder's hot loops for any processor of the target architecture.
#include "JpegPathPrelude.h"

#include "SimdDispatch.h"

namespace jpeg_portable {
#include "JpegBlockTransform.inl"
#include "JpegColourConvert.inl"
#include "JpegBlockCoder.inl"
} // namespace jpeg_portable
