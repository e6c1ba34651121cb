#pragma once
// Reads a property file from disk as the 8-bit text the property reader takes.

#include <optional>
#include <string>

namespace tavrelin::skintool {

// A file that starts with the UTF-16LE byte-order mark (as the property files
// inside skin modules do) is narrowed: characters up to U+00FF keep their
// code, others become "?". Any other file is taken as 8-bit text.
std::optional<std::string> ReadPropertyFileText(const std::string& path);

std::string NarrowUtf16Le(const std::string& bytes);

} // namespace tavrelin::skintool
