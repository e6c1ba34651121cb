#include "SoundTestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::string WorkFolder()
{
    const char* pFolder = std::getenv("TAVRELIN_AUDIO_WORK");
    EXPECT_NE(pFolder, nullptr) << "TAVRELIN_AUDIO_WORK names the folder made by make-mp3-inputs.sh";
    return pFolder ? pFolder : "";
}

} // namespace

std::string InputPath(const std::string& name) { return WorkFolder() + "/inputs/" + name; }

std::string OutputPath(const std::string& name) { return WorkFolder() + "/outputs/" + name; }

bool FileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(path, error);
}

std::vector<std::uint8_t> FileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

std::uint16_t Field16(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    if (offset + 2 > bytes.size())
        return 0;
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t Field32(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    return Field16(bytes, offset) | static_cast<std::uint32_t>(Field16(bytes, offset + 2)) << 16;
}

std::string FourCharacters(const std::vector<std::uint8_t>& bytes, std::size_t offset)
{
    if (offset + 4 > bytes.size())
        return {};
    return std::string(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                       bytes.begin() + static_cast<std::ptrdiff_t>(offset + 4));
}
