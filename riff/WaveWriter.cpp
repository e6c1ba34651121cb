#include "riff/WaveWriter.h"

#include "riff/Fourcc.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace {

// The RIFF size field counts everything after itself: 36 header bytes plus
// the data, and it must fit in 32 bits.
constexpr std::uint32_t kRiffSizeOverhead = CWaveWriter::kHeaderSize - 8;

std::uint32_t DataLimitFor(const WaveFormat& format)
{
    const std::uint32_t limit = std::numeric_limits<std::uint32_t>::max() - kRiffSizeOverhead;
    return limit - limit % format.nBlockAlign;
}

} // namespace

CWaveWriter::~CWaveWriter() { Discard(); }

bool CWaveWriter::Open(const std::string& path, const WaveFormat& format, EPlace place)
{
    Discard();
    if (format.nBlockAlign == 0 || path.empty())
        return false;
    m_path = path;
    m_place = place;
    m_format = format;
    m_dataSize = 0;
    m_dataLimit = DataLimitFor(format);
    m_partialBlock.clear();
    m_bFull = false;
    m_bFailed = false;
    if (!m_file.OpenForWriting(WritingPath()) || !m_file.Append(Header().Bytes())) {
        Discard();
        return false;
    }
    return true;
}

CRiffBuffer CWaveWriter::Header() const
{
    CRiffBuffer header;
    header.Put32(MakeFourcc('R', 'I', 'F', 'F'));
    header.Put32(kRiffSizeOverhead + m_dataSize);
    header.Put32(MakeFourcc('W', 'A', 'V', 'E'));
    header.Put32(MakeFourcc('f', 'm', 't', ' '));
    header.Put32(16);
    header.PutPcmFormat(m_format);
    header.Put32(MakeFourcc('d', 'a', 't', 'a'));
    header.Put32(m_dataSize);
    return header;
}

bool CWaveWriter::Append(std::span<const std::uint8_t> samples)
{
    if (!m_file.IsOpen() || m_bFailed)
        return false;
    const std::size_t blockAlign = m_format.nBlockAlign;
    if (!m_partialBlock.empty()) {
        const std::size_t taken = std::min(blockAlign - m_partialBlock.size(), samples.size());
        m_partialBlock.insert(m_partialBlock.end(), samples.begin(), samples.begin() + taken);
        samples = samples.subspan(taken);
        if (m_partialBlock.size() < blockAlign)
            return true;
        const std::vector<std::uint8_t> block = std::move(m_partialBlock);
        m_partialBlock.clear();
        if (!AppendWholeBlocks(block))
            return false;
    }
    const std::size_t whole = samples.size() - samples.size() % blockAlign;
    m_partialBlock.assign(samples.begin() + whole, samples.end());
    return AppendWholeBlocks(samples.first(whole));
}

bool CWaveWriter::AppendWholeBlocks(std::span<const std::uint8_t> samples)
{
    const std::uint32_t room = m_dataLimit - m_dataSize;
    if (samples.size() > room) {
        samples = samples.first(room);
        m_bFull = true;
    }
    if (!m_file.Append(samples)) {
        m_bFailed = true;
        return false;
    }
    m_dataSize += static_cast<std::uint32_t>(samples.size());
    return true;
}

bool CWaveWriter::Refresh()
{
    return m_file.IsOpen() && !m_bFailed && m_file.Overwrite(0, Header().Bytes()) && m_file.FlushToDisk();
}

bool CWaveWriter::Commit()
{
    if (!m_file.IsOpen())
        return false;
    const std::string temporaryPath = TemporaryPathFor(m_path);
    const bool written = !m_bFailed && m_file.Overwrite(0, Header().Bytes()) && m_file.Close();
    if (written && m_place == EPlace::inPlace) {
        m_path.clear();
        return true;
    }
    // The platform's rename refuses to replace a file, so an older one goes
    // first; if it cannot go, the rename fails and nothing is left.
    if (written)
        std::remove(m_path.c_str());
    if (!written || std::rename(temporaryPath.c_str(), m_path.c_str()) != 0) {
        Discard();
        return false;
    }
    m_path.clear();
    return true;
}

void CWaveWriter::Discard()
{
    if (m_path.empty())
        return;
    if (m_file.IsOpen())
        m_file.Close();
    std::remove(WritingPath().c_str());
    m_path.clear();
}
