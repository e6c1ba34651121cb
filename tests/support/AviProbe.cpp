#include "AviProbe.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace {

std::string FourccAt(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                       bytes.begin() + static_cast<std::ptrdiff_t>(offset + 4));
}

class CAviWalker {
public:
    CAviWalker(const std::vector<std::uint8_t>& bytes, ProbedAvi& avi) : m_bytes(bytes), m_avi(avi) {}

    bool WalkList(std::size_t begin, std::size_t end)
    {
        std::size_t offset = begin;
        while (offset + 8 <= end) {
            const std::string id = FourccAt(m_bytes, offset);
            const std::uint32_t size = ReadLe32(m_bytes, offset + 4);
            const std::size_t dataOffset = offset + 8;
            if (dataOffset + size > end)
                return false;
            if (id == "LIST" || id == "RIFF") {
                if (size < 4 || !WalkList(dataOffset + 4, dataOffset + size))
                    return false;
            } else {
                ReadChunk(id, dataOffset, size);
            }
            offset = dataOffset + size + (size & 1);
        }
        return offset == end || offset == end + 1;
    }

private:
    void ReadChunk(const std::string& id, std::size_t offset, std::uint32_t size)
    {
        if (id == "avih" && size >= 40) {
            m_avi.microSecPerFrame = ReadLe32(m_bytes, offset);
            m_avi.totalFrames = ReadLe32(m_bytes, offset + 16);
            m_avi.streamCount = ReadLe32(m_bytes, offset + 24);
            m_avi.width = ReadLe32(m_bytes, offset + 32);
            m_avi.height = ReadLe32(m_bytes, offset + 36);
        } else if (id == "strh" && size >= 48) {
            ProbedStream stream;
            stream.type = FourccAt(m_bytes, offset);
            stream.handler = ReadLe32(m_bytes, offset + 4) == 0 ? "" : FourccAt(m_bytes, offset + 4);
            stream.scale = ReadLe32(m_bytes, offset + 20);
            stream.rate = ReadLe32(m_bytes, offset + 24);
            stream.length = ReadLe32(m_bytes, offset + 32);
            stream.sampleSize = ReadLe32(m_bytes, offset + 44);
            m_avi.streams.push_back(stream);
        } else if (id == "strf" && !m_avi.streams.empty()) {
            m_avi.streams.back().format.assign(m_bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                                               m_bytes.begin() + static_cast<std::ptrdiff_t>(offset + size));
        } else if (id == "indx" && !m_avi.streams.empty() && size >= 8) {
            m_avi.streams.back().superIndexEntries = ReadLe32(m_bytes, offset + 4);
        } else if (id == "dmlh" && size >= 4) {
            m_avi.extendedTotalFrames = ReadLe32(m_bytes, offset);
        } else if (id == "idx1") {
            m_avi.legacyIndexEntries = size / 16;
        } else if (id.rfind("ix", 0) == 0 && size >= 24) {
            m_avi.standardIndexEntries[id] += ReadLe32(m_bytes, offset + 4);
        } else if (id.size() == 4 && std::isdigit(static_cast<unsigned char>(id[0]))) {
            m_avi.samples.push_back({id, offset, size});
        }
    }

    const std::vector<std::uint8_t>& m_bytes;
    ProbedAvi& m_avi;
};

} // namespace

std::uint32_t ReadLe32(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::uint32_t>(ReadLe16(bytes, offset)) | static_cast<std::uint32_t>(ReadLe16(bytes, offset + 2))
                                                                     << 16;
}

std::uint16_t ReadLe16(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

ProbedAvi ProbeAvi(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ProbedAvi avi;
    std::size_t offset = 0;
    while (offset + 12 <= bytes.size() && FourccAt(bytes, offset) == "RIFF") {
        avi.riffTypes.push_back(FourccAt(bytes, offset + 8));
        avi.riffSpans.push_back(8 + static_cast<std::uint64_t>(ReadLe32(bytes, offset + 4)));
        offset += avi.riffSpans.back();
    }
    CAviWalker walker(bytes, avi);
    avi.bValid = !avi.riffTypes.empty() && offset == bytes.size() && walker.WalkList(0, bytes.size());
    return avi;
}
