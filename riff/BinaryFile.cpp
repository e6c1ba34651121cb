#include "riff/BinaryFile.h"

#include <limits>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

int Seek64(std::FILE* pFile, std::uint64_t offset, int origin)
{
    if (offset > static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()))
        return -1;
#ifdef _WIN32
    return _fseeki64(pFile, static_cast<__int64>(offset), origin);
#else
    static_assert(sizeof(off_t) == 8, "files above 2 GB need 64-bit file offsets");
    return fseeko(pFile, static_cast<off_t>(offset), origin);
#endif
}

// msvcrt's _commit is the platform's FlushFileBuffers on the file's handle.
bool SyncDescriptor(int descriptor)
{
#ifdef _WIN32
    return _commit(descriptor) == 0;
#else
    return fsync(descriptor) == 0;
#endif
}

std::int64_t Tell64(std::FILE* pFile)
{
#ifdef _WIN32
    return _ftelli64(pFile);
#else
    return ftello(pFile);
#endif
}

} // namespace

bool CBinaryFile::OpenForWriting(const std::string& path)
{
    m_pFile.reset(std::fopen(path.c_str(), "wb"));
    return IsOpen() && std::setvbuf(m_pFile.get(), nullptr, _IONBF, 0) == 0;
}

bool CBinaryFile::OpenForReading(const std::string& path)
{
    m_pFile.reset(std::fopen(path.c_str(), "rb"));
    return IsOpen();
}

bool CBinaryFile::OpenForUpdating(const std::string& path, bool create)
{
    m_pFile.reset(std::fopen(path.c_str(), "r+b"));
    if (!m_pFile && create)
        m_pFile.reset(std::fopen(path.c_str(), "w+b"));
    return IsOpen() && std::setvbuf(m_pFile.get(), nullptr, _IONBF, 0) == 0;
}

bool CBinaryFile::Append(std::span<const std::uint8_t> bytes)
{
    if (!IsOpen())
        return false;
    return std::fwrite(bytes.data(), 1, bytes.size(), m_pFile.get()) == bytes.size();
}

bool CBinaryFile::MoveTo(std::uint64_t offset) { return IsOpen() && Seek64(m_pFile.get(), offset, SEEK_SET) == 0; }

bool CBinaryFile::Overwrite(std::uint64_t offset, std::span<const std::uint8_t> bytes)
{
    if (!IsOpen())
        return false;
    const std::int64_t resume = Tell64(m_pFile.get());
    if (resume < 0 || !MoveTo(offset))
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), m_pFile.get()) == bytes.size();
    return MoveTo(static_cast<std::uint64_t>(resume)) && written;
}

std::size_t CBinaryFile::ReadAt(std::uint64_t offset, std::span<std::uint8_t> bytes)
{
    if (!MoveTo(offset))
        return 0;
    return std::fread(bytes.data(), 1, bytes.size(), m_pFile.get());
}

std::optional<std::uint64_t> CBinaryFile::Size()
{
    if (!IsOpen() || Seek64(m_pFile.get(), 0, SEEK_END) != 0)
        return std::nullopt;
    const std::int64_t size = Tell64(m_pFile.get());
    if (size < 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(size);
}

bool CBinaryFile::FlushToDisk()
{
    return IsOpen() && std::fflush(m_pFile.get()) == 0 && SyncDescriptor(fileno(m_pFile.get()));
}

bool CBinaryFile::Close()
{
    if (!IsOpen())
        return false;
    const bool flushed = std::fflush(m_pFile.get()) == 0 && std::ferror(m_pFile.get()) == 0;
    const bool closed = std::fclose(m_pFile.release()) == 0;
    return flushed && closed;
}
