#include "skin/SkinSchemaTables.h"

// The property and enumeration tables of the schema, laid out by hand as
// the class, part and state tables are.
// clang-format off

namespace tavrelin::skin {
namespace {

using T = ESkinPropertyType;

constexpr SkinPropertyInfo kProperties[] = {
    {"STRING", 201, T::String}, {"INT", 202, T::Integer}, {"BOOL", 203, T::Boolean},
    {"COLOR", 204, T::Color}, {"MARGINS", 205, T::Rectangle}, {"FILENAME", 206, T::String},
    {"SIZE", 207, T::Integer}, {"POSITION", 208, T::Point}, {"RECT", 209, T::Rectangle},
    {"FONT", 210, T::Font}, {"INTLIST", 211, T::IntegerList},

    {"COLORSCHEMES", 401, T::String}, {"SIZES", 402, T::String}, {"CHARSET", 403, T::Integer},

    {"DISPLAYNAME", 601, T::String}, {"TOOLTIP", 602, T::String}, {"COMPANY", 603, T::String},
    {"AUTHOR", 604, T::String}, {"COPYRIGHT", 605, T::String}, {"URL", 606, T::String},
    {"VERSION", 607, T::String}, {"DESCRIPTION", 608, T::String},

    {"CAPTIONFONT", 801, T::Font}, {"SMALLCAPTIONFONT", 802, T::Font}, {"MENUFONT", 803, T::Font},
    {"STATUSFONT", 804, T::Font}, {"MSGBOXFONT", 805, T::Font}, {"ICONTITLEFONT", 806, T::Font},

    {"FLATMENUS", 1001, T::Boolean},

    {"SIZINGBORDERWIDTH", 1201, T::Integer}, {"SCROLLBARWIDTH", 1202, T::Integer},
    {"SCROLLBARHEIGHT", 1203, T::Integer}, {"CAPTIONBARWIDTH", 1204, T::Integer},
    {"CAPTIONBARHEIGHT", 1205, T::Integer}, {"SMCAPTIONBARWIDTH", 1206, T::Integer},
    {"SMCAPTIONBARHEIGHT", 1207, T::Integer}, {"MENUBARWIDTH", 1208, T::Integer},
    {"MENUBARHEIGHT", 1209, T::Integer},

    {"MINCOLORDEPTH", 1301, T::Integer},

    {"CSSNAME", 1401, T::String}, {"XMLNAME", 1402, T::String},

    // The system colours: property id - 1601 is the system colour index.
    {"SCROLLBAR", 1601, T::Color}, {"BACKGROUND", 1602, T::Color},
    {"ACTIVECAPTION", 1603, T::Color}, {"INACTIVECAPTION", 1604, T::Color},
    {"MENU", 1605, T::Color}, {"WINDOW", 1606, T::Color}, {"WINDOWFRAME", 1607, T::Color},
    {"MENUTEXT", 1608, T::Color}, {"WINDOWTEXT", 1609, T::Color}, {"CAPTIONTEXT", 1610, T::Color},
    {"ACTIVEBORDER", 1611, T::Color}, {"INACTIVEBORDER", 1612, T::Color},
    {"APPWORKSPACE", 1613, T::Color}, {"HIGHLIGHT", 1614, T::Color},
    {"HIGHLIGHTTEXT", 1615, T::Color}, {"BTNFACE", 1616, T::Color}, {"BTNSHADOW", 1617, T::Color},
    {"GRAYTEXT", 1618, T::Color}, {"BTNTEXT", 1619, T::Color},
    {"INACTIVECAPTIONTEXT", 1620, T::Color}, {"BTNHIGHLIGHT", 1621, T::Color},
    {"DKSHADOW3D", 1622, T::Color}, {"LIGHT3D", 1623, T::Color}, {"INFOTEXT", 1624, T::Color},
    {"INFOBK", 1625, T::Color}, {"BUTTONALTERNATEFACE", 1626, T::Color},
    {"HOTTRACKING", 1627, T::Color}, {"GRADIENTACTIVECAPTION", 1628, T::Color},
    {"GRADIENTINACTIVECAPTION", 1629, T::Color}, {"MENUHILIGHT", 1630, T::Color},
    {"MENUBAR", 1631, T::Color},

    {"FROMHUE1", 1801, T::Integer}, {"FROMHUE2", 1802, T::Integer}, {"FROMHUE3", 1803, T::Integer},
    {"FROMHUE4", 1804, T::Integer}, {"FROMHUE5", 1805, T::Integer},
    {"TOHUE1", 1806, T::Integer}, {"TOHUE2", 1807, T::Integer}, {"TOHUE3", 1808, T::Integer},
    {"TOHUE4", 1809, T::Integer}, {"TOHUE5", 1810, T::Integer},

    {"FROMCOLOR1", 2001, T::Color}, {"FROMCOLOR2", 2002, T::Color}, {"FROMCOLOR3", 2003, T::Color},
    {"FROMCOLOR4", 2004, T::Color}, {"FROMCOLOR5", 2005, T::Color},
    {"TOCOLOR1", 2006, T::Color}, {"TOCOLOR2", 2007, T::Color}, {"TOCOLOR3", 2008, T::Color},
    {"TOCOLOR4", 2009, T::Color}, {"TOCOLOR5", 2010, T::Color},

    {"TRANSPARENT", 2201, T::Boolean}, {"AUTOSIZE", 2202, T::Boolean},
    {"BORDERONLY", 2203, T::Boolean}, {"COMPOSITED", 2204, T::Boolean},
    {"BGFILL", 2205, T::Boolean}, {"GLYPHTRANSPARENT", 2206, T::Boolean},
    {"GLYPHONLY", 2207, T::Boolean}, {"ALWAYSSHOWSIZINGBAR", 2208, T::Boolean},
    {"MIRRORIMAGE", 2209, T::Boolean}, {"UNIFORMSIZING", 2210, T::Boolean},
    {"INTEGRALSIZING", 2211, T::Boolean}, {"SOURCEGROW", 2212, T::Boolean},
    {"SOURCESHRINK", 2213, T::Boolean},

    {"IMAGECOUNT", 2401, T::Integer}, {"ALPHALEVEL", 2402, T::Integer},
    {"BORDERSIZE", 2403, T::Integer}, {"ROUNDCORNERWIDTH", 2404, T::Integer},
    {"ROUNDCORNERHEIGHT", 2405, T::Integer},
    {"GRADIENTRATIO1", 2406, T::Integer}, {"GRADIENTRATIO2", 2407, T::Integer},
    {"GRADIENTRATIO3", 2408, T::Integer}, {"GRADIENTRATIO4", 2409, T::Integer},
    {"GRADIENTRATIO5", 2410, T::Integer},
    {"PROGRESSCHUNKSIZE", 2411, T::Integer}, {"PROGRESSSPACESIZE", 2412, T::Integer},
    {"SATURATION", 2413, T::Integer}, {"TEXTBORDERSIZE", 2414, T::Integer},
    {"ALPHATHRESHOLD", 2415, T::Integer}, {"WIDTH", 2416, T::Integer},
    {"HEIGHT", 2417, T::Integer}, {"GLYPHINDEX", 2418, T::Integer},
    {"TRUESIZESTRETCHMARK", 2419, T::Integer},
    {"MINDPI1", 2420, T::Integer}, {"MINDPI2", 2421, T::Integer}, {"MINDPI3", 2422, T::Integer},
    {"MINDPI4", 2423, T::Integer}, {"MINDPI5", 2424, T::Integer},

    {"GLYPHFONT", 2601, T::Font},

    {"IMAGEFILE", 3001, T::String}, {"IMAGEFILE1", 3002, T::String},
    {"IMAGEFILE2", 3003, T::String}, {"IMAGEFILE3", 3004, T::String},
    {"IMAGEFILE4", 3005, T::String}, {"IMAGEFILE5", 3006, T::String},
    {"STOCKIMAGEFILE", 3007, T::String}, {"GLYPHIMAGEFILE", 3008, T::String},

    {"TEXT", 3201, T::String},

    {"OFFSET", 3401, T::Point}, {"TEXTSHADOWOFFSET", 3402, T::Point}, {"MINSIZE", 3403, T::Point},
    {"MINSIZE1", 3404, T::Point}, {"MINSIZE2", 3405, T::Point}, {"MINSIZE3", 3406, T::Point},
    {"MINSIZE4", 3407, T::Point}, {"MINSIZE5", 3408, T::Point}, {"NORMALSIZE", 3409, T::Point},

    {"SIZINGMARGINS", 3601, T::Rectangle}, {"CONTENTMARGINS", 3602, T::Rectangle},
    {"CAPTIONMARGINS", 3603, T::Rectangle},

    {"BORDERCOLOR", 3801, T::Color}, {"FILLCOLOR", 3802, T::Color}, {"TEXTCOLOR", 3803, T::Color},
    {"EDGELIGHTCOLOR", 3804, T::Color}, {"EDGEHIGHLIGHTCOLOR", 3805, T::Color},
    {"EDGESHADOWCOLOR", 3806, T::Color}, {"EDGEDKSHADOWCOLOR", 3807, T::Color},
    {"EDGEFILLCOLOR", 3808, T::Color}, {"TRANSPARENTCOLOR", 3809, T::Color},
    {"GRADIENTCOLOR1", 3810, T::Color}, {"GRADIENTCOLOR2", 3811, T::Color},
    {"GRADIENTCOLOR3", 3812, T::Color}, {"GRADIENTCOLOR4", 3813, T::Color},
    {"GRADIENTCOLOR5", 3814, T::Color},
    {"SHADOWCOLOR", 3815, T::Color}, {"GLOWCOLOR", 3816, T::Color},
    {"TEXTBORDERCOLOR", 3817, T::Color}, {"TEXTSHADOWCOLOR", 3818, T::Color},
    {"GLYPHTEXTCOLOR", 3819, T::Color}, {"GLYPHTRANSPARENTCOLOR", 3820, T::Color},
    {"FILLCOLORHINT", 3821, T::Color}, {"BORDERCOLORHINT", 3822, T::Color},
    {"ACCENTCOLORHINT", 3823, T::Color},

    {"BGTYPE", 4001, T::Enumeration}, {"BORDERTYPE", 4002, T::Enumeration},
    {"FILLTYPE", 4003, T::Enumeration}, {"SIZINGTYPE", 4004, T::Enumeration},
    {"HALIGN", 4005, T::Enumeration}, {"CONTENTALIGNMENT", 4006, T::Enumeration},
    {"VALIGN", 4007, T::Enumeration}, {"OFFSETTYPE", 4008, T::Enumeration},
    {"ICONEFFECT", 4009, T::Enumeration}, {"TEXTSHADOWTYPE", 4010, T::Enumeration},
    {"IMAGELAYOUT", 4011, T::Enumeration}, {"GLYPHTYPE", 4012, T::Enumeration},
    {"IMAGESELECTTYPE", 4013, T::Enumeration}, {"GLYPHFONTSIZINGTYPE", 4014, T::Enumeration},
    {"TRUESIZESCALINGTYPE", 4015, T::Enumeration},

    {"USERPICTURE", 5001, T::Boolean}, {"DEFAULTPANESIZE", 5002, T::Rectangle},
    {"BLENDCOLOR", 5003, T::Color},
};

constexpr SkinSchemaName kBgTypeValues[] = {{"IMAGEFILE", 0}, {"BORDERFILL", 1}, {"NONE", 2}};
constexpr SkinSchemaName kImageLayoutValues[] = {{"VERTICAL", 0}, {"HORIZONTAL", 1}};
constexpr SkinSchemaName kBorderTypeValues[] = {{"RECT", 0}, {"ROUNDRECT", 1}, {"ELLIPSE", 2}};
constexpr SkinSchemaName kFillTypeValues[] = {
    {"SOLID", 0}, {"VERTGRADIENT", 1}, {"HORZGRADIENT", 2}, {"RADIALGRADIENT", 3}, {"TILEIMAGE", 4},
};
constexpr SkinSchemaName kSizingTypeValues[] = {{"TRUESIZE", 0}, {"STRETCH", 1}, {"TILE", 2}};
constexpr SkinSchemaName kHAlignValues[] = {{"LEFT", 0}, {"CENTER", 1}, {"RIGHT", 2}};
constexpr SkinSchemaName kVAlignValues[] = {{"TOP", 0}, {"CENTER", 1}, {"BOTTOM", 2}};
constexpr SkinSchemaName kOffsetTypeValues[] = {
    {"TOPLEFT", 0}, {"TOPRIGHT", 1}, {"TOPMIDDLE", 2}, {"BOTTOMLEFT", 3}, {"BOTTOMRIGHT", 4},
    {"BOTTOMMIDDLE", 5}, {"MIDDLELEFT", 6}, {"MIDDLERIGHT", 7}, {"LEFTOFCAPTION", 8},
    {"RIGHTOFCAPTION", 9}, {"LEFTOFLASTBUTTON", 10}, {"RIGHTOFLASTBUTTON", 11},
    {"ABOVELASTBUTTON", 12}, {"BELOWLASTBUTTON", 13},
};
constexpr SkinSchemaName kIconEffectValues[] = {
    {"NONE", 0}, {"GLOW", 1}, {"SHADOW", 2}, {"PULSE", 3}, {"ALPHA", 4},
};
constexpr SkinSchemaName kTextShadowTypeValues[] = {{"NONE", 0}, {"SINGLE", 1}, {"CONTINUOUS", 2}};
constexpr SkinSchemaName kGlyphTypeValues[] = {{"NONE", 0}, {"IMAGEGLYPH", 1}, {"FONTGLYPH", 2}};
constexpr SkinSchemaName kNoneSizeDpiValues[] = {{"NONE", 0}, {"SIZE", 1}, {"DPI", 2}};

constexpr SkinEnumTable kEnumTables[] = {
    {4001, kBgTypeValues}, {4011, kImageLayoutValues}, {4002, kBorderTypeValues},
    {4003, kFillTypeValues}, {4004, kSizingTypeValues}, {4005, kHAlignValues},
    {4006, kHAlignValues}, {4007, kVAlignValues}, {4008, kOffsetTypeValues},
    {4009, kIconEffectValues}, {4010, kTextShadowTypeValues}, {4012, kGlyphTypeValues},
    {4013, kNoneSizeDpiValues}, {4015, kNoneSizeDpiValues}, {4014, kNoneSizeDpiValues},
};

} // namespace

// clang-format on

std::span<const SkinPropertyInfo> SkinPropertyTable() { return kProperties; }
std::span<const SkinEnumTable> SkinEnumTables() { return kEnumTables; }

const SkinPropertyInfo* FindSkinProperty(std::string_view propertyName)
{
    for (const SkinPropertyInfo& property : kProperties) {
        if (SkinNamesEqual(property.name, propertyName))
            return &property;
    }
    return nullptr;
}

const SkinPropertyInfo* FindSkinPropertyById(int propertyId)
{
    for (const SkinPropertyInfo& property : kProperties) {
        if (property.id == propertyId)
            return &property;
    }
    return nullptr;
}

std::span<const SkinSchemaName> FindSkinEnumValues(int propertyId)
{
    for (const SkinEnumTable& table : kEnumTables) {
        if (table.propertyId == propertyId)
            return table.values;
    }
    return {};
}

} // namespace tavrelin::skin
