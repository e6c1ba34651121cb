#pragma once
// Property ids and enumeration values the drawing reads, by the platform's
// names for them.

#include <vssym32.h>

namespace tavrelin::skin {

enum ESkinDrawProperty : int {
    kPropColor = TMT_COLOR,
    kPropTransparent = TMT_TRANSPARENT,
    kPropBorderOnly = TMT_BORDERONLY,
    kPropGlyphTransparent = TMT_GLYPHTRANSPARENT,
    kPropMirrorImage = TMT_MIRRORIMAGE,
    kPropUniformSizing = TMT_UNIFORMSIZING,
    kPropImageCount = TMT_IMAGECOUNT,
    kPropBorderSize = TMT_BORDERSIZE,
    kPropTrueSizeStretchMark = TMT_TRUESIZESTRETCHMARK,
    kPropImageFile = TMT_IMAGEFILE,
    kPropImageFile1 = TMT_IMAGEFILE1,
    kPropImageFile5 = TMT_IMAGEFILE5,
    kPropGlyphImageFile = TMT_GLYPHIMAGEFILE,
    kPropTextShadowOffset = TMT_TEXTSHADOWOFFSET,
    kPropMinSize1 = TMT_MINSIZE1,
    kPropSizingMargins = TMT_SIZINGMARGINS,
    kPropContentMargins = TMT_CONTENTMARGINS,
    kPropCaptionMargins = TMT_CAPTIONMARGINS,
    kPropBorderColor = TMT_BORDERCOLOR,
    kPropFillColor = TMT_FILLCOLOR,
    kPropTextColor = TMT_TEXTCOLOR,
    kPropTransparentColor = TMT_TRANSPARENTCOLOR,
    kPropTextShadowColor = TMT_TEXTSHADOWCOLOR,
    kPropBgType = TMT_BGTYPE,
    kPropSizingType = TMT_SIZINGTYPE,
    kPropContentAlignment = TMT_CONTENTALIGNMENT,
    kPropVAlign = TMT_VALIGN,
    kPropTextShadowType = TMT_TEXTSHADOWTYPE,
    kPropImageLayout = TMT_IMAGELAYOUT,
    kPropGlyphType = TMT_GLYPHTYPE,
    kPropImageSelectType = TMT_IMAGESELECTTYPE,
};

// Fonts of the SysMetrics class.
enum ESkinFontProperty : int {
    kPropCaptionFont = TMT_CAPTIONFONT,
    kPropSmallCaptionFont = TMT_SMALLCAPTIONFONT,
    kPropMenuFont = TMT_MENUFONT,
    kPropStatusFont = TMT_STATUSFONT,
    kPropIconTitleFont = TMT_ICONTITLEFONT,
};

enum ESkinDrawEnum : int {
    kBgTypeImageFile = BT_IMAGEFILE,
    kBgTypeBorderFill = BT_BORDERFILL,
    kImageLayoutVertical = IL_VERTICAL,
    kImageLayoutHorizontal = IL_HORIZONTAL,
    kSizingStretch = ST_STRETCH,
    kAlignLeft = CA_LEFT,
    kAlignCenter = CA_CENTER,
    kVAlignBottom = VA_BOTTOM,
    kShadowNone = TST_NONE,
    kShadowSingle = TST_SINGLE,
    kGlyphTypeNone = GT_NONE,
    kGlyphTypeImage = GT_IMAGEGLYPH,
    kImageSelectNone = IST_NONE,
    kImageSelectSize = IST_SIZE,
};

} // namespace tavrelin::skin
