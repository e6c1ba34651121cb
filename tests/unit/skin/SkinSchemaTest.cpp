#include "skin/SkinPropertyKey.h"
#include "SkinTestSupport.h"

#include <gtest/gtest.h>

#include <set>

namespace tavrelin::skin {
namespace {

using test::LoadProperties;

constexpr int kGlobals = 1;
constexpr int kWindow = 6;
constexpr int kButton = 7;
constexpr int kPushButton = 1;
constexpr int kTextColor = 3803;
constexpr int kFillColor = 3802;
constexpr int kBorderColor = 3801;
constexpr int kEdgeFillColor = 3808;

class SkinSchemaLookup : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadProperties(m_schema, "[Globals]\r\n"
                                 "EdgeFillColor = 9 9 9\r\n"
                                 "TextColor = 1 0 0\r\n"
                                 "[Button]\r\n"
                                 "TextColor = 2 0 0\r\n"
                                 "BorderColor = 2 2 2\r\n"
                                 "[Button.PushButton]\r\n"
                                 "TextColor = 3 0 0\r\n"
                                 "FillColor = 3 3 3\r\n"
                                 "[Button.PushButton(Hot)]\r\n"
                                 "TextColor = 4 0 0\r\n");
    }

    SkinColorRef ColorOf(int classId, int partId, int stateId, int propertyId) const
    {
        const CSkinPropertyValue* value = m_schema.GetValue(classId, partId, stateId, propertyId);
        return value ? value->Color() : 0xFFFFFFFFu;
    }

    CSkinSchema m_schema;
};

TEST_F(SkinSchemaLookup, FallsBackFromStateToPartToClassToGlobals)
{
    EXPECT_EQ(ColorOf(kButton, kPushButton, 2, kTextColor), 4u);
    EXPECT_EQ(ColorOf(kButton, kPushButton, 3, kTextColor), 3u);
    EXPECT_EQ(ColorOf(kButton, kPushButton, 0, kTextColor), 3u);
    EXPECT_EQ(ColorOf(kButton, 2, 1, kTextColor), 2u);
    EXPECT_EQ(ColorOf(kWindow, 1, 1, kTextColor), 1u);
    EXPECT_EQ(ColorOf(kButton, kPushButton, 2, kBorderColor), 0x020202u);
    EXPECT_EQ(ColorOf(kButton, 3, 0, kFillColor), 0xFFFFFFFFu);
    EXPECT_EQ(m_schema.GetValue(kButton, kPushButton, 2, 3804), nullptr);
}

TEST_F(SkinSchemaLookup, GlobalsPropertyIsFoundForEveryClassPartAndState)
{
    for (int classId = 1; classId <= 30; ++classId) {
        for (int partId = 0; partId <= 37; partId += 5) {
            for (int stateId = 0; stateId <= 16; stateId += 4)
                EXPECT_EQ(ColorOf(classId, partId, stateId, kEdgeFillColor), 0x090909u);
        }
    }
}

TEST_F(SkinSchemaLookup, PartPropertyWithoutStateIsFoundForEveryStateOfThePart)
{
    for (int stateId = 0; stateId <= 5; ++stateId)
        EXPECT_EQ(ColorOf(kButton, kPushButton, stateId, kFillColor), 0x030303u) << stateId;
}

TEST(SkinSchemaTypedReaders, ResultCodesAndPayloads)
{
    EXPECT_EQ(S_OK, 0);
    EXPECT_EQ(static_cast<std::uint32_t>(E_INVALIDARG), 0x80070057u);
    EXPECT_EQ(static_cast<std::uint32_t>(E_FAIL), 0x80004005u);

    CSkinSchema schema;
    LoadProperties(schema, "[Window]\r\n"
                           "ImageCount = 7\r\n"
                           "Transparent = true\r\n"
                           "TextColor = 1 2 3\r\n"
                           "GlyphFont = Arial, 10, Bold\r\n"
                           "BgType = None\r\n");
    std::int32_t nValue = 0;
    EXPECT_EQ(schema.GetIntValue(kWindow, 0, 0, 2401, nValue), S_OK);
    EXPECT_EQ(nValue, 7);
    nValue = 99;
    EXPECT_EQ(schema.GetIntValue(kWindow, 0, 0, kTextColor, nValue), E_INVALIDARG);
    EXPECT_EQ(schema.GetIntValue(kWindow, 0, 0, 4001, nValue), E_INVALIDARG);
    EXPECT_EQ(schema.GetIntValue(kWindow, 0, 0, 2402, nValue), E_FAIL);
    EXPECT_EQ(nValue, 99);

    bool bValue = false;
    EXPECT_EQ(schema.GetBoolValue(kWindow, 1, 1, 2201, bValue), S_OK);
    EXPECT_TRUE(bValue);
    EXPECT_EQ(schema.GetBoolValue(kWindow, 0, 0, 2401, bValue), E_INVALIDARG);
    EXPECT_EQ(schema.GetBoolValue(kWindow, 0, 0, 2202, bValue), E_FAIL);

    SkinColorRef color = 0;
    EXPECT_EQ(schema.GetColorValue(kWindow, 0, 0, kTextColor, color), S_OK);
    EXPECT_EQ(color, 0x030201u);
    EXPECT_EQ(schema.GetColorValue(kWindow, 0, 0, 2201, color), E_INVALIDARG);
    EXPECT_EQ(schema.GetColorValue(kGlobals, 0, 0, kTextColor, color), E_FAIL);

    SkinLogFont font;
    EXPECT_EQ(schema.GetFontValue(kWindow, 2, 0, 2601, font), S_OK);
    EXPECT_STREQ(font.lfFaceName, "ARIAL");
    EXPECT_EQ(font.lfHeight, -13);
    EXPECT_EQ(schema.GetFontValue(kWindow, 0, 0, kTextColor, font), E_INVALIDARG);
    EXPECT_EQ(schema.GetFontValue(kWindow, 0, 0, 801, font), E_FAIL);
}

TEST(SkinSchemaVariant, PremultiplyFollowsTheVariantAndTheDocumentationAlphaLevel)
{
    const struct {
        ESkinSchemaVariant variant;
        const char* text;
        bool bPremultiply;
    } cases[] = {
        {ESkinSchemaVariant::Default, "", true},
        {ESkinSchemaVariant::Office2007, "", false},
        {ESkinSchemaVariant::Default, "[Documentation]\r\nAlphaLevel = 255\r\n", false},
        {ESkinSchemaVariant::Default, "[Documentation]\r\nAlphaLevel = 254\r\n", true},
        {ESkinSchemaVariant::Default, "[Globals]\r\nAlphaLevel = 255\r\n", true},
        {ESkinSchemaVariant::Default, "[Window]\r\nAlphaLevel = 255\r\n", true},
        {ESkinSchemaVariant::Default, "[Documentation]\r\nAlphaLevel = 255\r\nAlphaLevel = 1\r\n", true},
    };
    for (const auto& entry : cases) {
        CSkinSchema schema(entry.variant);
        LoadProperties(schema, entry.text);
        EXPECT_EQ(schema.Premultiply(), entry.bPremultiply) << entry.text;
    }
    EXPECT_EQ(CSkinSchema(ESkinSchemaVariant::Default).VariantName(), "Default");
    EXPECT_EQ(CSkinSchema(ESkinSchemaVariant::Office2007).VariantName(), "Office2007");
    EXPECT_EQ(CSkinSchema().GlobalsClassId(), 1);
    EXPECT_EQ(CSkinSchema().WindowClassId(), 6);
}

TEST(SkinPropertyStore, KeysSpreadOverOneHundredNinetyNineBuckets)
{
    EXPECT_EQ(CSkinPropertyStore::BucketOf(0), 0u);
    EXPECT_EQ(CSkinPropertyStore::BucketOf(15), 0u);
    EXPECT_EQ(CSkinPropertyStore::BucketOf(16), 1u);
    EXPECT_EQ(CSkinPropertyStore::BucketOf(16 * 199), 0u);
    EXPECT_EQ(CSkinPropertyStore::BucketOf(0xFFFFFFFFu), (0xFFFFFFFFu / 16u) % 199u);

    CSkinPropertyStore store;
    const CSkinPropertyValue one(ESkinPropertyType::Integer, 2401, std::int32_t{1});
    const CSkinPropertyValue two(ESkinPropertyType::Integer, 2401, std::int32_t{2});
    store.Set(5, one);
    store.Set(5 + 16 * 199, two);
    store.Set(5, two);
    EXPECT_EQ(store.Size(), 2u);
    EXPECT_EQ(store.BucketSize(0), 2u);
    EXPECT_EQ(store.Find(5)->Number(), 2);
    EXPECT_EQ(store.Find(6), nullptr);

    std::set<std::uint32_t> visited;
    std::uint32_t previous = 0;
    store.ForEachSorted([&](std::uint32_t key, const CSkinPropertyValue&) {
        EXPECT_GE(key, previous);
        previous = key;
        visited.insert(key);
    });
    EXPECT_EQ(visited, (std::set<std::uint32_t>{5, 5 + 16 * 199}));
    store.Clear();
    EXPECT_EQ(store.Size(), 0u);
    EXPECT_EQ(store.Find(5), nullptr);
}

} // namespace
} // namespace tavrelin::skin
