// Hostile thumbnail cache files: the cache opens any bytes without reading
// outside its buffers, hands out only what passes its checks (and that the
// thumbnail decoder then reads safely), and leaves a file that the next start
// reads as it was left.
#include "album/ThumbnailCache.h"
#include "imaging/JpegThumbnail.h"

#include <unistd.h>

#include <cstdio>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const std::string path = "/dev/shm/tavrelin-cache-fuzz-" + std::to_string(::getpid()) + ".cache";
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    std::size_t count = 0;
    {
        CThumbnailCache cache;
        if (!cache.Open(path, 80, 60))
            return 0;
        // Names as the seeds' records have them, and one from the input.
        const std::string names[] = {"000001.jpg", "broken.jpg",
                                     std::string(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 12))};
        for (const std::string& name : names)
            for (std::uint64_t time : {0ull, 1ull, 2ull})
                if (const auto thumbnail = cache.Find(name, {size % 3 == 0 ? 1234ull : size, time})) {
                    Check(thumbnail->readable != thumbnail->jpeg.empty());
                    JpegThumbnail(thumbnail->jpeg.data(), thumbnail->jpeg.size(), 80, 60);
                }
        cache.Store("new.jpg", {1, 2}, {true, {0xFF, 0xD8, 0xFF, 0xD9}});
        cache.Rename("000001.jpg", "renamed.jpg");
        cache.Forget("broken.jpg");
        count = cache.Count();
        cache.Close();
    }
    CThumbnailCache again;
    Check(again.Open(path, 80, 60) && again.Count() == count);
    return 0;
}
