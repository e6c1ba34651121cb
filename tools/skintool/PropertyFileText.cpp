#include "PropertyFileText.h"

#include <fstream>
#include <iterator>

namespace tavrelin::skintool {

std::string NarrowUtf16Le(const std::string& bytes)
{
    std::string text;
    text.reserve(bytes.size() / 2);
    for (size_t nPos = 0; nPos + 1 < bytes.size(); nPos += 2) {
        const unsigned codeUnit = static_cast<unsigned char>(bytes[nPos]) |
                                  (static_cast<unsigned>(static_cast<unsigned char>(bytes[nPos + 1])) << 8);
        text += codeUnit <= 0xFF ? static_cast<char>(codeUnit) : '?';
    }
    return text;
}

std::optional<std::string> ReadPropertyFileText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad())
        return std::nullopt;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
        return NarrowUtf16Le(bytes.substr(2));
    return bytes;
}

} // namespace tavrelin::skintool
