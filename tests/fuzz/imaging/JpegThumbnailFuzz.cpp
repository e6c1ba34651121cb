// Hostile JPEG files for the thumbnail decoder: it must never read outside
// the file's bytes. Random bytes rarely get past the headers, so the input
// is also laid over a real file of our encoder as byte edits (two bytes say
// where, one what), which reach the tables and the entropy-coded data.
#include "imaging/JpegThumbnail.h"
#include "TestPictures.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static const std::vector<uint8_t> real = EncodeToVector(MakePicture(35, 21, EPattern::Photo), 80);
    JpegThumbnail(data, size, 80, 60);
    std::vector<uint8_t> edited = real;
    for (std::size_t i = 0; i + 3 <= size; i += 3)
        edited[(data[i] << 8 | data[i + 1]) % edited.size()] = data[i + 2];
    if (size % 7 == 1)
        edited.resize(edited.size() / 2);
    JpegThumbnail(edited.data(), edited.size(), 80, 60);
    return 0;
}
