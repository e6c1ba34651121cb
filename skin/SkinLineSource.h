#pragma once
// Sources of property-file lines. A source yields one line at a time (without
// its line end) and reports the end by returning false.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace tavrelin::skin {

class ISkinLineSource {
public:
    virtual ~ISkinLineSource() = default;
    virtual bool ReadLine(std::string& line) = 0;
};

// 8-bit property text in memory. A line ends at a carriage return and a line
// feed right after it is skipped; text after the last carriage return is not
// read, as with the resource reader of a skin module.
class CSkinTextLineSource final : public ISkinLineSource {
public:
    explicit CSkinTextLineSource(std::string text) : m_text(std::move(text)) {}

    bool ReadLine(std::string& line) override;

    // Bytes after the last carriage return, which are never read.
    size_t UnreadTailSize() const;

private:
    std::string m_text;
    size_t m_nPos = 0;
};

} // namespace tavrelin::skin
