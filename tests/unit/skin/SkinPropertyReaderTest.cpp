#include "skin/SkinPropertyKey.h"
#include "skin/SkinPropertyReader.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tavrelin::skin {
namespace {

using test::LoadProperties;

constexpr int kWindow = 6;
constexpr int kButton = 7;
constexpr int kToolbar = 9;
constexpr int kTextColor = 3803;
constexpr int kImageCount = 2401;

std::uint32_t Key(int classId, int partId, int stateId, int propertyId = 0)
{
    return MakeSkinPropertyKey(classId, partId, stateId, propertyId);
}

std::vector<std::string> AllLines(std::string text)
{
    CSkinTextLineSource source(std::move(text));
    std::vector<std::string> lines;
    std::string line;
    while (source.ReadLine(line))
        lines.push_back(line);
    return lines;
}

TEST(SkinLineSource, LinesEndAtCarriageReturnsAndTheUnterminatedTailIsNotRead)
{
    EXPECT_EQ(AllLines("A\r\nB\rC\r\n"), (std::vector<std::string>{"A", "B", "C"}));
    EXPECT_EQ(AllLines("A\r\n\r\nB\r\nTAIL"), (std::vector<std::string>{"A", "", "B"}));
    EXPECT_EQ(AllLines("A\nB\r\n"), (std::vector<std::string>{"A\nB"}));
    EXPECT_EQ(AllLines("A\r\n\nB\r"), (std::vector<std::string>{"A", "\nB"}));
    EXPECT_TRUE(AllLines("NO LINE END").empty());
    EXPECT_TRUE(AllLines("").empty());

    CSkinTextLineSource source("X\r\nTAIL");
    EXPECT_EQ(source.UnreadTailSize(), 4u);
}

TEST(SkinPropertyKey, CombinesIdsAndSplitsBack)
{
    EXPECT_EQ(Key(6, 1, 1, 3803), (6u + 64u + 4096u) * 16384u + 3803u);
    EXPECT_EQ(Key(1, 0, 0, 0), 16384u);
    const SkinKeyParts parts = SplitSkinPropertyKey(Key(21, 10, 16, 5003));
    EXPECT_EQ(parts.classId, 21);
    EXPECT_EQ(parts.partId, 10);
    EXPECT_EQ(parts.stateId, 16);
    EXPECT_EQ(parts.propertyId, 5003);
    // Ids beyond their widths are cut to 24, 16 and 8 bits.
    EXPECT_EQ(Key(0x1000006, 0x10001, 0x101, 7), Key(6, 1, 1, 7));
}

TEST(SkinSectionName, FormsAndLetterCase)
{
    const struct {
        const char* name;
        std::uint32_t key;
    } cases[] = {
        {"WINDOW", Key(kWindow, 0, 0)},
        {"Window.Caption", Key(kWindow, 1, 0)},
        {"Button.PushButton(Hot)", Key(kButton, 1, 2)},
        {"BUTTON.PUSHBUTTON(HOT)", Key(kButton, 1, 2)},
        {" Button . PushButton ( Hot ) ", Key(kButton, 1, 2)},
        {"Toolbar(Hot)", Key(kToolbar, 0, 2)},
        {"Toolbar.Button(Hot)", 0},
        {"Toolbar.Button", Key(kToolbar, 1, 0)},
        {"Window.Caption:Foo", 0},
        {"Explorer::TreeView", 0},
        {"Window.Caption]", 0},
        {"Globals.Caption", 0},
        {"Window.Nothing", 0},
        {"Window.Caption(Pushed)", 0},
        {"Nothing", 0},
        {"", 0},
        {"Button(", Key(kButton, 0, 0)},
        {"Button()", Key(kButton, 0, 0)},
        {"Button.(Hot)", 0},
        {"Window.Caption.Extra", 0},
        {"Scrollbar.ArrowBtn(RightDisabled)", Key(21, 1, 16)},
        {"Window.MinCaption(Disabled)", Key(kWindow, 3, 3)},
        {"Window.SmallCaption(Active)", 0},
        {"Rebar.Chevron(Pressed)", Key(8, 4, 3)},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(ParseSkinSectionName(entry.name).key, entry.key) << "[" << entry.name << "]";
}

TEST(SkinSectionName, ReportsWhySectionsAreIgnored)
{
    EXPECT_EQ(ParseSkinSectionName("A:B").result, ESkinSectionResult::HasColon);
    EXPECT_EQ(ParseSkinSectionName("NAVIGATION").result, ESkinSectionResult::UnknownClass);
    EXPECT_EQ(ParseSkinSectionName("BUTTON.COMMANDLINK").result, ESkinSectionResult::UnknownPart);
    EXPECT_EQ(ParseSkinSectionName("TOOLBAR.BUTTON(HOT)").result, ESkinSectionResult::UnknownState);
    EXPECT_EQ(ParseSkinSectionName("TOOLBAR(HOT)").result, ESkinSectionResult::Accepted);
}

class SkinPropertyReader : public ::testing::Test {
protected:
    const CSkinPropertyValue* Stored(std::uint32_t key) const { return m_schema.Properties().Find(key); }

    CSkinSchema m_schema;
};

TEST_F(SkinPropertyReader, LastLineWithoutCarriageReturnIsNotRead)
{
    LoadProperties(m_schema, "[Window]\r\nImageCount = 3\r\nTextColor = 255 0 0");
    ASSERT_NE(Stored(Key(kWindow, 0, 0, kImageCount)), nullptr);
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, kTextColor)), nullptr);
    EXPECT_EQ(m_schema.Properties().Size(), 1u);
}

TEST_F(SkinPropertyReader, HeaderFollowedByBlankOrCommentIsIgnoredWithItsLines)
{
    LoadProperties(m_schema, "[Window.Caption] \r\nImageCount = 1\r\n"
                             "[Window.Caption] ; note\r\nTextColor = 1 2 3\r\n"
                             "[Window.Caption]\r\nBorderSize = 4\r\n");
    EXPECT_EQ(Stored(Key(kWindow, 1, 0, kImageCount)), nullptr);
    EXPECT_EQ(Stored(Key(kWindow, 1, 0, kTextColor)), nullptr);
    ASSERT_NE(Stored(Key(kWindow, 1, 0, 2403)), nullptr);
    EXPECT_EQ(m_schema.Properties().Size(), 1u);
}

TEST_F(SkinPropertyReader, CommentsBlanksAndLetterCase)
{
    LoadProperties(m_schema, "; a comment\r\n"
                             "   ; an indented comment\r\n"
                             "\t [window] \t\r\n"
                             "   \r\n"
                             "  text = Hello World ; the rest is cut\r\n"
                             "ImageFile=  a;b.bmp\r\n"
                             "   Author   =   Someone   \r\n");
    // The header line keeps its trailing blanks, so this section is ignored.
    EXPECT_EQ(m_schema.Properties().Size(), 0u);

    LoadProperties(m_schema, "\t [window]\r\n"
                             "  text = Hello World ; the rest is cut\r\n"
                             "ImageFile=  a;b.bmp\r\n"
                             "   Author   =   Someone   \r\n");
    ASSERT_NE(Stored(Key(kWindow, 0, 0, 3201)), nullptr);
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 3201))->Text(), "HELLO WORLD");
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 3001))->Text(), "A");
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 604))->Text(), "SOMEONE");
}

TEST_F(SkinPropertyReader, LinesThatAreSkipped)
{
    LoadProperties(m_schema,
                   "TextColor = 1 1 1\r\n" // before the first section
                   "[Window]\r\n"
                   "TextColor\r\n"         // no "="
                   "= 5\r\n"               // "=" first
                   "Unknown = 5\r\n"       // unknown property
                   "IntList = 1, 2, 3\r\n" // integer list
                   "[Navigation]\r\n"
                   "TextColor = 2 2 2\r\n" // in an ignored section
                   "[Window.Caption]\r\n"
                   "TextColor = 3 3 3\r\n");
    EXPECT_EQ(m_schema.Properties().Size(), 1u);
    ASSERT_NE(Stored(Key(kWindow, 1, 0, kTextColor)), nullptr);
    EXPECT_EQ(Stored(Key(kWindow, 1, 0, kTextColor))->Color(), 0x030303u);
}

TEST_F(SkinPropertyReader, ColonHeaderIsIgnored)
{
    LoadProperties(m_schema, "[Window.Caption:Foo]\r\nTextColor = 1 2 3\r\n");
    EXPECT_EQ(m_schema.Properties().Size(), 0u);
}

TEST_F(SkinPropertyReader, LaterLineReplacesEarlierOne)
{
    LoadProperties(m_schema, "[Button.PushButton(Hot)]\r\nTextColor = 1 0 0\r\n"
                             "[BUTTON.PUSHBUTTON(HOT)]\r\nTextColor = 2 0 0\r\n");
    EXPECT_EQ(m_schema.Properties().Size(), 1u);
    EXPECT_EQ(Stored(Key(kButton, 1, 2, kTextColor))->Color(), 2u);
}

TEST_F(SkinPropertyReader, ValuesOfEveryType)
{
    LoadProperties(m_schema, "[SysMetrics]\r\n"
                             "CaptionFont = Tahoma, 8, Bold\r\n"
                             "FlatMenus = True\r\n"
                             "ScrollbarWidth = 17px\r\n"
                             "[Window]\r\n"
                             "TextColor = 255 0 0\r\n"
                             "FillColor = 0x10 0 0\r\n"
                             "BorderColor = 255\r\n"
                             "ContentMargins = 1, 2, 3, 4\r\n"
                             "SizingType = Diagonal\r\n"
                             "BgType = BorderFill\r\n"
                             "MinSize = 10, 5\r\n"
                             "ImageFile = Blue.bmp\r\n");
    const SkinLogFont& font = Stored(Key(3, 0, 0, 801))->Font();
    EXPECT_STREQ(font.lfFaceName, "TAHOMA");
    EXPECT_EQ(font.lfWeight, 700);
    EXPECT_EQ(font.lfHeight, -11);
    EXPECT_EQ(Stored(Key(3, 0, 0, 1001))->Number(), 1);
    EXPECT_EQ(Stored(Key(3, 0, 0, 1202))->Number(), 17);
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, kTextColor))->Color(), 0x0000FFu);
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 3802))->Color(), 0x000010u);
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 3801))->Color(), 0x0000FFu);
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 3602))->Margins(), (SkinMargins{1, 2, 3, 4}));
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 4004))->Number(), -1);
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 4004))->Type(), ESkinPropertyType::Enumeration);
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 4001))->Number(), 1);
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 3403))->Point(), (SkinPoint{10, 5}));
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 3001))->Text(), "BLUE.BMP");
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 3001))->PropertyId(), 3001);
}

TEST_F(SkinPropertyReader, ANulCharacterEndsTheLine)
{
    const char text[] = "[Window]\r\nText = AB\0CD\r\nImageCount = 4\0\r\n";
    LoadProperties(m_schema, std::string(text, sizeof text - 1));
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, 3201))->Text(), "AB");
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, kImageCount))->Number(), 4);
}

TEST_F(SkinPropertyReader, ReadingAgainEmptiesTheStore)
{
    LoadProperties(m_schema, "[Window]\r\nImageCount = 4\r\n");
    LoadProperties(m_schema, "[Button]\r\nImageCount = 5\r\n");
    EXPECT_EQ(Stored(Key(kWindow, 0, 0, kImageCount)), nullptr);
    EXPECT_EQ(m_schema.Properties().Size(), 1u);
}

class CLineRecorder final : public ISkinReadObserver {
public:
    void OnLine(int, std::string_view, ESkinLineKind kind, ESkinSectionResult) override { kinds.push_back(kind); }
    std::vector<ESkinLineKind> kinds;
};

TEST_F(SkinPropertyReader, ObserverLearnsWhatBecameOfEachLine)
{
    CLineRecorder recorder;
    LoadProperties(m_schema,
                   "X = 1\r\n;c\r\n\r\n[Nope]\r\nA = 1\r\n[Window]\r\nNothing\r\nFoo = 1\r\n"
                   "IntList = 1\r\nImageCount = 1\r\n",
                   &recorder);
    using K = ESkinLineKind;
    EXPECT_EQ(recorder.kinds,
              (std::vector<K>{K::BeforeFirstSection, K::Comment, K::Empty, K::SectionIgnored, K::InIgnoredSection,
                              K::SectionAccepted, K::NoEquals, K::UnknownProperty, K::IntegerList, K::PropertyStored}));
}

} // namespace
} // namespace tavrelin::skin
