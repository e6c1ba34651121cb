#include "skin/SkinPngReader.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <memory>

namespace tavrelin::skin {
namespace {

constexpr double kScreenGamma = 2.2;
// Chunks whose data libpng would take into a buffer of the size the chunk's
// length field claims (up to 2 GB, before it finds the file too short) and
// that a skin's pictures never need: passed over unread. Each name ends in
// a zero, as libpng's list wants.
constexpr png_byte kUnreadChunks[] = "eXIf\0iCCP\0iTXt\0pCAL\0sCAL\0sPLT\0tEXt\0zTXt";
constexpr int kUnreadChunkCount = sizeof kUnreadChunks / 5;
// And no other chunk besides the image data may hold more than this.
constexpr png_alloc_size_t kMostChunkBytes = 1 << 20;

struct MemoryInput {
    const std::uint8_t* data;
    size_t size;
    size_t pos;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t count)
{
    auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
    if (count > input->size - input->pos)
        png_error(png, "truncated");
    std::memcpy(out, input->data + input->pos, count);
    input->pos += count;
}

// libpng reports errors by calling this, which must not return.
[[noreturn]] void JumpOnError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

void IgnoreWarning(png_structp, png_const_charp) {}

struct PngReadDeleter {
    png_structp png;
    png_infop info;
    ~PngReadDeleter() { png_destroy_read_struct(&png, info ? &info : nullptr, nullptr); }
};

struct PngLayout {
    png_uint_32 width;
    png_uint_32 height;
    int channels;
    size_t rowBytes;
};

// The functions that call setjmp hold only plain data, so that a jump out of
// libpng skips no destructor.
bool ReadHeader(png_structp png, png_infop info, PngLayout& layout)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_set_user_limits(png, kMaxSkinImageSide, kMaxSkinImageSide);
    png_set_chunk_malloc_max(png, kMostChunkBytes);
    png_set_keep_unknown_chunks(png, PNG_HANDLE_CHUNK_NEVER, kUnreadChunks, kUnreadChunkCount);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    if (!SkinImageSizeAllowed(width, height))
        return false;
    png_set_strip_16(png);
    png_set_palette_to_rgb(png);
    png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS))
        png_set_tRNS_to_alpha(png);
    png_set_gray_to_rgb(png);
    double fileGamma = 0;
    if (png_get_gAMA(png, info, &fileGamma) && fileGamma > 0)
        png_set_gamma(png, kScreenGamma, fileGamma);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    layout = {width, height, png_get_channels(png, info), png_get_rowbytes(png, info)};
    return (layout.channels == 3 || layout.channels == 4) &&
           layout.rowBytes == static_cast<size_t>(width) * static_cast<size_t>(layout.channels);
}

bool ReadRows(png_structp png, png_bytepp rows)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    png_read_image(png, rows);
    return true;
}

} // namespace

bool LooksLikeSkinPng(const std::uint8_t* data, size_t size)
{
    return size >= 4 && data[0] == 0x89 && data[1] == 'P' && data[2] == 'N' && data[3] == 'G';
}

std::optional<SkinPixels> DecodeSkinPng(const std::uint8_t* data, size_t size)
{
    if (size < 8 || png_sig_cmp(data, 0, 8) != 0)
        return std::nullopt;
    PngReadDeleter owner{png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, JumpOnError, IgnoreWarning), nullptr};
    if (!owner.png)
        return std::nullopt;
    owner.info = png_create_info_struct(owner.png);
    if (!owner.info)
        return std::nullopt;
    MemoryInput input{data, size, 0};
    png_set_read_fn(owner.png, &input, ReadFromMemory);

    PngLayout layout{};
    if (!ReadHeader(owner.png, owner.info, layout))
        return std::nullopt;
    std::vector<png_byte> samples(layout.rowBytes * layout.height);
    std::vector<png_bytep> rows(layout.height);
    for (png_uint_32 y = 0; y < layout.height; ++y)
        rows[y] = samples.data() + y * layout.rowBytes;
    if (!ReadRows(owner.png, rows.data()))
        return std::nullopt;

    SkinPixels pixels;
    pixels.width = static_cast<int>(layout.width);
    pixels.height = static_cast<int>(layout.height);
    pixels.hasAlphaChannel = layout.channels == 4;
    pixels.argb.resize(static_cast<size_t>(layout.width) * layout.height);
    const png_byte* sample = samples.data();
    for (std::uint32_t& pixel : pixels.argb) {
        const std::uint32_t alpha = layout.channels == 4 ? sample[3] : 0;
        pixel = MakeSkinArgb(alpha, sample[0], sample[1], sample[2]);
        sample += layout.channels;
    }
    return pixels;
}

} // namespace tavrelin::skin
