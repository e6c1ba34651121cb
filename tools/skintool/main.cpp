// skintool: looks into skin property files.
//   skintool dump FILE    every stored property, one per line
//   skintool check FILE   every line that stored nothing, and why, with counts
// and on Windows, through the engine:
//   skintool images SKINFILE [PROPERTYFILE]
//   skintool render SKINFILE PROPERTYFILE|- CLASS PART STATE WIDTH HEIGHT OUT.bmp [R G B]
//   skintool window SKINFILE [PROPERTYFILE]
#include "PropertyFileText.h"
#if defined(_WIN32)
#include "SkinEngineCommands.h"
#endif

#include "skin/SkinLineSource.h"
#include "skin/SkinPropertyDump.h"
#include "skin/SkinPropertyReader.h"
#include "skin/SkinSchema.h"

#include <cstdio>
#include <map>
#include <string>

namespace {

using namespace tavrelin::skin;

constexpr int kExitOk = 0;
constexpr int kExitUnreadable = 1;
constexpr int kExitUsage = 2;

// Lists the lines that stored nothing (comments and blank lines aside) and
// counts every kind of line.
class CLineReport final : public ISkinReadObserver {
public:
    void OnLine(int lineNumber, std::string_view text, ESkinLineKind kind, ESkinSectionResult section) override
    {
        ++m_counts[kind];
        if (kind == ESkinLineKind::Empty || kind == ESkinLineKind::Comment || kind == ESkinLineKind::PropertyStored ||
            kind == ESkinLineKind::SectionAccepted)
            return;
        std::string reason(SkinLineKindName(kind));
        if (kind == ESkinLineKind::SectionIgnored)
            reason += ":" + std::string(SkinSectionResultName(section));
        std::printf("line %d\t%s\t%.*s\n", lineNumber, reason.c_str(), static_cast<int>(text.size()), text.data());
    }

    void PrintCounts() const
    {
        for (const auto& [kind, count] : m_counts)
            std::printf("count\t%s\t%d\n", std::string(SkinLineKindName(kind)).c_str(), count);
    }

private:
    std::map<ESkinLineKind, int> m_counts;
};

int Usage()
{
    std::fprintf(stderr, "usage: skintool dump FILE | skintool check FILE\n");
#if defined(_WIN32)
    std::fprintf(stderr, "       skintool images SKINFILE [PROPERTYFILE]\n"
                         "       skintool render SKINFILE PROPERTYFILE|- CLASS PART STATE WIDTH HEIGHT OUT.bmp "
                         "[R G B]\n"
                         "       skintool window SKINFILE [PROPERTYFILE]\n");
#endif
    return kExitUsage;
}

int Run(const std::string& command, const std::string& path)
{
    std::optional<std::string> text = tavrelin::skintool::ReadPropertyFileText(path);
    if (!text) {
        std::fprintf(stderr, "skintool: cannot read %s\n", path.c_str());
        return kExitUnreadable;
    }
    CSkinTextLineSource lines(std::move(*text));
    CSkinSchema schema;
    if (command == "dump") {
        schema.ReadProperties(lines);
        std::fputs(DumpSkinProperties(schema.Properties()).c_str(), stdout);
        return kExitOk;
    }
    CLineReport report;
    schema.ReadProperties(lines, PlatformSkinScreenInfo(), &report);
    report.PrintCounts();
    std::printf("stored\t%s\n", std::to_string(schema.Properties().Size()).c_str());
    std::printf("unread-tail-bytes\t%s\n", std::to_string(lines.UnreadTailSize()).c_str());
    return kExitOk;
}

} // namespace

int main(int argc, char** argv)
{
#if defined(_WIN32)
    if (argc >= 2 && std::string(argv[1]) == "images") {
        const int code = tavrelin::skintool::RunImagesCommand(argc - 2, argv + 2);
        return code == kExitUsage ? Usage() : code;
    }
    if (argc >= 2 && std::string(argv[1]) == "window") {
        const int code = tavrelin::skintool::RunWindowCommand(argc - 2, argv + 2);
        return code == kExitUsage ? Usage() : code;
    }
    if (argc >= 2 && std::string(argv[1]) == "render") {
        const int code = tavrelin::skintool::RunRenderCommand(argc - 2, argv + 2);
        return code == kExitUsage ? Usage() : code;
    }
#endif
    if (argc != 3)
        return Usage();
    const std::string command = argv[1];
    if (command != "dump" && command != "check")
        return Usage();
    return Run(command, argv[2]);
}
