#pragma once
// Reads back the structure of an AVI file written by the tests: headers,
// stream formats, sample chunks and indexes, by walking its RIFF tree.

#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct ProbedStream {
    std::string type;    // "vids" or "auds"
    std::string handler; // four characters, or empty for 0
    std::uint32_t scale = 0;
    std::uint32_t rate = 0;
    std::uint32_t length = 0;
    std::uint32_t sampleSize = 0;
    std::vector<std::uint8_t> format; // the strf bytes
    std::uint32_t superIndexEntries = 0;
};

struct ProbedChunk {
    std::string id;
    std::uint64_t dataOffset = 0;
    std::uint32_t size = 0;
};

struct ProbedAvi {
    bool bValid = false; // every chunk lies within its parent and the file
    std::uint32_t microSecPerFrame = 0;
    std::uint32_t totalFrames = 0; // avih: frames of the first RIFF
    std::uint32_t streamCount = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint32_t extendedTotalFrames = 0; // dmlh
    std::vector<ProbedStream> streams;
    std::vector<std::string> riffTypes;   // "AVI ", "AVIX", ...
    std::vector<std::uint64_t> riffSpans; // bytes of each RIFF, header included
    std::vector<ProbedChunk> samples;     // "00db", "01wb", ... in file order
    std::uint32_t legacyIndexEntries = 0;
    std::map<std::string, std::uint32_t> standardIndexEntries; // "ix00" -> entries in all of them
};

ProbedAvi ProbeAvi(const std::string& path);

std::uint32_t ReadLe32(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::uint16_t ReadLe16(const std::vector<std::uint8_t>& bytes, std::size_t offset);
