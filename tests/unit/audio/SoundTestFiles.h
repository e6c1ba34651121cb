#pragma once
// Where the Windows sound tests find their MP3 inputs and leave their WAV
// outputs: the folder named by TAVRELIN_AUDIO_WORK, which the native steps
// before and after the Wine run fill and check.

#include <cstdint>
#include <string>
#include <vector>

std::string InputPath(const std::string& name);
std::string OutputPath(const std::string& name);

bool FileExists(const std::string& path);
std::vector<std::uint8_t> FileBytes(const std::string& path);

std::uint16_t Field16(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::uint32_t Field32(const std::vector<std::uint8_t>& bytes, std::size_t offset);
std::string FourCharacters(const std::vector<std::uint8_t>& bytes, std::size_t offset);
