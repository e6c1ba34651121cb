#pragma once
// Property ids and enumeration values the drawing reads.

namespace tavrelin::skin {

enum ESkinDrawProperty : int {
    kPropColor = 204,
    kPropTransparent = 2201,
    kPropBorderOnly = 2203,
    kPropGlyphTransparent = 2206,
    kPropMirrorImage = 2209,
    kPropUniformSizing = 2210,
    kPropImageCount = 2401,
    kPropBorderSize = 2403,
    kPropTrueSizeStretchMark = 2419,
    kPropImageFile = 3001,
    kPropImageFile1 = 3002,
    kPropImageFile5 = 3006,
    kPropGlyphImageFile = 3008,
    kPropTextShadowOffset = 3402,
    kPropMinSize1 = 3404,
    kPropSizingMargins = 3601,
    kPropContentMargins = 3602,
    kPropCaptionMargins = 3603,
    kPropBorderColor = 3801,
    kPropFillColor = 3802,
    kPropTextColor = 3803,
    kPropTransparentColor = 3809,
    kPropTextShadowColor = 3818,
    kPropBgType = 4001,
    kPropSizingType = 4004,
    kPropContentAlignment = 4006,
    kPropVAlign = 4007,
    kPropTextShadowType = 4010,
    kPropImageLayout = 4011,
    kPropGlyphType = 4012,
    kPropImageSelectType = 4013,
};

// Fonts of the SysMetrics class.
enum ESkinFontProperty : int {
    kPropCaptionFont = 801,
    kPropSmallCaptionFont = 802,
    kPropMenuFont = 803,
    kPropStatusFont = 804,
    kPropIconTitleFont = 806,
};

enum ESkinDrawEnum : int {
    kBgTypeImageFile = 0,
    kBgTypeBorderFill = 1,
    kImageLayoutVertical = 0,
    kImageLayoutHorizontal = 1,
    kSizingStretch = 1,
    kAlignLeft = 0,
    kAlignCenter = 1,
    kVAlignBottom = 2,
    kShadowNone = 0,
    kShadowSingle = 1,
    kGlyphTypeNone = 0,
    kGlyphTypeImage = 1,
    kImageSelectNone = 0,
    kImageSelectSize = 1,
};

} // namespace tavrelin::skin
