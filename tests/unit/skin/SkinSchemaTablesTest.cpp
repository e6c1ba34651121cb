#include "skin/SkinSchemaTables.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace tavrelin::skin {
namespace {

TEST(SkinSchemaTables, HasThirtyClassesNumberedOneToThirty)
{
    const auto classes = SkinClassTable();
    ASSERT_EQ(classes.size(), 30u);
    for (size_t nIndex = 0; nIndex < classes.size(); ++nIndex)
        EXPECT_EQ(classes[nIndex].id, static_cast<int>(nIndex) + 1) << classes[nIndex].name;
}

TEST(SkinSchemaTables, HasOneHundredNinetyTwoPropertiesWithUniqueNamesAndIds)
{
    const auto properties = SkinPropertyTable();
    EXPECT_EQ(properties.size(), 192u);
    std::set<int> ids;
    std::set<std::string> names;
    for (const SkinPropertyInfo& property : properties) {
        ids.insert(property.id);
        names.insert(std::string(property.name));
    }
    EXPECT_EQ(ids.size(), properties.size());
    EXPECT_EQ(names.size(), properties.size());
}

TEST(SkinSchemaTables, CountsOfPartAndStateAndEnumerationTables)
{
    EXPECT_EQ(SkinPartTables().size(), 25u);
    EXPECT_EQ(SkinStateTables().size(), 70u);
    EXPECT_EQ(SkinEnumTables().size(), 15u);
    size_t nEnumProperties = 0;
    for (const SkinPropertyInfo& property : SkinPropertyTable()) {
        if (property.type == ESkinPropertyType::Enumeration) {
            ++nEnumProperties;
            EXPECT_FALSE(FindSkinEnumValues(property.id).empty()) << property.name;
        }
    }
    EXPECT_EQ(nEnumProperties, 15u);
}

TEST(SkinSchemaTables, PartCountsPerClass)
{
    const struct {
        const char* className;
        size_t nParts;
    } cases[] = {
        {"WINDOW", 37},    {"BUTTON", 5},        {"REBAR", 5},       {"TOOLBAR", 6},      {"STATUS", 3},
        {"MENU", 6},       {"LISTVIEW", 5},      {"HEADER", 4},      {"PROGRESS", 4},     {"TAB", 10},
        {"TRACKBAR", 10},  {"TOOLTIP", 5},       {"TREEVIEW", 3},    {"SPIN", 4},         {"PAGE", 4},
        {"SCROLLBAR", 10}, {"EDIT", 2},          {"COMBOBOX", 1},    {"CLOCK", 1},        {"TRAYNOTIFY", 2},
        {"TASKBAR", 8},    {"TASKBAND", 3},      {"STARTPANEL", 11}, {"EXPLORERBAR", 12}, {"MENUBAND", 2},
        {"Globals", 0},    {"Documentation", 0}, {"SysMetrics", 0},  {"ListBox", 0},      {"Dialog", 0},
    };
    for (const auto& entry : cases)
        EXPECT_EQ(FindSkinPartNames(FindSkinClassId(entry.className)).size(), entry.nParts) << entry.className;
}

TEST(SkinSchemaTables, SampleOfClassPartAndStateIds)
{
    EXPECT_EQ(FindSkinClassId("globals"), 1);
    EXPECT_EQ(FindSkinClassId("SYSMETRICS"), 3);
    EXPECT_EQ(FindSkinClassId("Window"), 6);
    EXPECT_EQ(FindSkinClassId("menuband"), 30);
    EXPECT_EQ(FindSkinClassId("NAVIGATION"), 0);
    EXPECT_EQ(FindSkinClassId(""), 0);

    EXPECT_EQ(FindSkinPartId(6, "CAPTION"), 1);
    EXPECT_EQ(FindSkinPartId(6, "smallframebottomsizingtemplate"), 37);
    EXPECT_EQ(FindSkinPartId(9, "SEPARATORVERT"), 6);
    EXPECT_EQ(FindSkinPartId(20, "DOWNHORZ"), 4);
    EXPECT_EQ(FindSkinPartId(30, "SEPERATOR"), 2);
    EXPECT_EQ(FindSkinPartId(30, "SEPARATOR"), 0);
    EXPECT_EQ(FindSkinPartId(1, "CAPTION"), 0);

    EXPECT_EQ(FindSkinStateId("PUSHBUTTON", "DEFAULTED"), 5);
    EXPECT_EQ(FindSkinStateId("CHECKBOX", "MIXEDDISABLED"), 12);
    EXPECT_EQ(FindSkinStateId("RADIOBUTTON", "MIXEDNORMAL"), 0);
    EXPECT_EQ(FindSkinStateId("ARROWBTN", "RIGHTDISABLED"), 16);
    EXPECT_EQ(FindSkinStateId("HEADERPIN", "SELECTEDPRESSED"), 6);
    EXPECT_EQ(FindSkinStateId("EDITTEXT", "ASSIST"), 7);
    EXPECT_EQ(FindSkinStateId("CLOCK", "NORMAL"), 1);
    EXPECT_EQ(FindSkinStateId("TOOLBAR", "HOTCHECKED"), 6);
    EXPECT_EQ(FindSkinStateId("BUTTON", "HOT"), 0);
}

TEST(SkinSchemaTables, SampleOfPropertyIdsAndTypes)
{
    const struct {
        const char* name;
        int id;
        ESkinPropertyType type;
    } cases[] = {
        {"STRING", 201, ESkinPropertyType::String},
        {"INTLIST", 211, ESkinPropertyType::IntegerList},
        {"CHARSET", 403, ESkinPropertyType::Integer},
        {"DESCRIPTION", 608, ESkinPropertyType::String},
        {"ICONTITLEFONT", 806, ESkinPropertyType::Font},
        {"FLATMENUS", 1001, ESkinPropertyType::Boolean},
        {"MENUBARHEIGHT", 1209, ESkinPropertyType::Integer},
        {"SCROLLBAR", 1601, ESkinPropertyType::Color},
        {"MENUBAR", 1631, ESkinPropertyType::Color},
        {"TOHUE5", 1810, ESkinPropertyType::Integer},
        {"TOCOLOR3", 2008, ESkinPropertyType::Color},
        {"SOURCESHRINK", 2213, ESkinPropertyType::Boolean},
        {"ALPHALEVEL", 2402, ESkinPropertyType::Integer},
        {"GRADIENTRATIO5", 2410, ESkinPropertyType::Integer},
        {"MINDPI5", 2424, ESkinPropertyType::Integer},
        {"GLYPHFONT", 2601, ESkinPropertyType::Font},
        {"GLYPHIMAGEFILE", 3008, ESkinPropertyType::String},
        {"TEXT", 3201, ESkinPropertyType::String},
        {"MINSIZE5", 3408, ESkinPropertyType::Point},
        {"NORMALSIZE", 3409, ESkinPropertyType::Point},
        {"CAPTIONMARGINS", 3603, ESkinPropertyType::Rectangle},
        {"GRADIENTCOLOR5", 3814, ESkinPropertyType::Color},
        {"ACCENTCOLORHINT", 3823, ESkinPropertyType::Color},
        {"TRUESIZESCALINGTYPE", 4015, ESkinPropertyType::Enumeration},
        {"USERPICTURE", 5001, ESkinPropertyType::Boolean},
        {"DEFAULTPANESIZE", 5002, ESkinPropertyType::Rectangle},
        {"BLENDCOLOR", 5003, ESkinPropertyType::Color},
    };
    for (const auto& entry : cases) {
        const SkinPropertyInfo* property = FindSkinProperty(entry.name);
        ASSERT_NE(property, nullptr) << entry.name;
        EXPECT_EQ(property->id, entry.id) << entry.name;
        EXPECT_EQ(property->type, entry.type) << entry.name;
        EXPECT_EQ(FindSkinPropertyById(entry.id), property) << entry.name;
    }
    EXPECT_EQ(FindSkinProperty("TextColor")->id, 3803);
    EXPECT_EQ(FindSkinProperty("TRANSITIONDURATIONS"), nullptr);
}

TEST(SkinSchemaTables, SystemColourPropertiesFollowTheColourIndex)
{
    int nColours = 0;
    for (const SkinPropertyInfo& property : SkinPropertyTable()) {
        if (property.id >= 1601 && property.id <= 1631) {
            EXPECT_EQ(property.type, ESkinPropertyType::Color) << property.name;
            ++nColours;
        }
    }
    EXPECT_EQ(nColours, 31);
}

TEST(SkinSchemaTables, SampleOfEnumerationValues)
{
    const struct {
        int propertyId;
        const char* valueName;
        int value;
    } cases[] = {
        {4001, "BORDERFILL", 1}, {4011, "VERTICAL", 0},
        {4011, "HORIZONTAL", 1}, {4002, "ELLIPSE", 2},
        {4003, "TILEIMAGE", 4},  {4004, "TILE", 2},
        {4005, "RIGHT", 2},      {4006, "CENTER", 1},
        {4007, "BOTTOM", 2},     {4008, "BELOWLASTBUTTON", 13},
        {4009, "ALPHA", 4},      {4010, "CONTINUOUS", 2},
        {4012, "FONTGLYPH", 2},  {4013, "DPI", 2},
        {4014, "SIZE", 1},       {4015, "NONE", 0},
    };
    for (const auto& entry : cases) {
        const auto values = FindSkinEnumValues(entry.propertyId);
        bool bFound = false;
        for (const SkinSchemaName& value : values) {
            if (value.name == entry.valueName) {
                EXPECT_EQ(value.id, entry.value) << entry.valueName;
                bFound = true;
            }
        }
        EXPECT_TRUE(bFound) << entry.propertyId << " " << entry.valueName;
    }
    EXPECT_EQ(FindSkinEnumValues(4008).size(), 14u);
    EXPECT_TRUE(FindSkinEnumValues(3803).empty());
}

TEST(SkinSchemaTables, EveryStateOwnerIsAPartOrClassName)
{
    for (const SkinStateTable& table : SkinStateTables()) {
        bool bKnown = table.ownerName == "FRAME" || FindSkinClassId(table.ownerName) != 0;
        for (const SkinPartTable& parts : SkinPartTables())
            bKnown = bKnown || FindSkinPartId(parts.classId, table.ownerName) != 0;
        EXPECT_TRUE(bKnown) << table.ownerName;
    }
}

} // namespace
} // namespace tavrelin::skin
