#include "skin/engine/draw/SkinBackground.h"

#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/draw/SkinPropertyIds.h"

#include <algorithm>
#include <string>

namespace tavrelin::skin {
namespace {

constexpr COLORREF kDefaultTransparentColor = RGB(255, 0, 255);

struct FrameChoice {
    SkinRect source;
    bool vertical = false;
    int count = 1;
};

std::optional<FrameChoice> ChooseFrame(CSkinClass& skinClass, int part, int state, const CSkinImage& image)
{
    FrameChoice choice;
    choice.count = std::max(skinClass.GetInt(part, state, kPropImageCount, 1), 1);
    choice.vertical = skinClass.GetEnum(part, state, kPropImageLayout, kImageLayoutHorizontal) == kImageLayoutVertical;
    const std::optional<SkinRect> source =
        SelectSkinFrame(image.Width(), image.Height(), choice.count, choice.vertical, state);
    if (!source)
        return std::nullopt;
    choice.source = *source;
    return choice;
}

bool DrawImageBackground(HDC dc, CSkinClass& skinClass, int part, int state, const RECT& rect)
{
    const std::string name = skinClass.BackgroundImageName(part, state);
    CSkinImage* image = name.empty() ? nullptr : skinClass.GetImage(name);
    if (!image)
        return false;
    const std::optional<FrameChoice> frame = ChooseFrame(skinClass, part, state, *image);
    if (!frame)
        return false;

    SkinDrawRequest request;
    request.source = ToRect(frame->source);
    request.dest = rect;
    request.margins = skinClass.GetRect(part, state, kPropSizingMargins, {});
    if (!image->HasAlpha() && skinClass.GetBool(part, state, kPropTransparent, false))
        request.colorKey = skinClass.GetColor(part, state, kPropTransparentColor, kDefaultTransparentColor);
    request.sizing = static_cast<ESkinSizing>(skinClass.GetEnum(part, state, kPropSizingType, kSizingStretch));
    if (request.sizing == ESkinSizing::TrueSize) {
        const bool bLimit = skinClass.GetInt(part, state, kPropTrueSizeStretchMark, 0) > 0;
        const bool bBottom = skinClass.GetEnum(part, state, kPropVAlign, 0) == kVAlignBottom;
        request.dest =
            ToRect(PlaceSkinTrueSize(ToSkinRect(rect), frame->source.Width(), frame->source.Height(), bLimit, bBottom));
        request.margins = {};
    } else if (request.sizing != ESkinSizing::Stretch && request.sizing != ESkinSizing::Tile) {
        request.sizing = ESkinSizing::Stretch;
    }
    // The window frame parts always paint their middle.
    const bool bFramePart =
        skinClass.ClassId() == kSkinClassWindow && part >= WP_FRAMELEFT && part <= WP_SMALLFRAMEBOTTOM;
    request.borderOnly = !bFramePart && skinClass.GetBool(part, state, kPropBorderOnly, false);

    image->SetMirror(skinClass.GetBool(part, state, kPropMirrorImage, true));
    image->PrepareFrames(frame->count, frame->vertical);
    image->DrawImage(dc, request);
    if (skinClass.GetEnum(part, state, kPropGlyphType, kGlyphTypeNone) == kGlyphTypeImage)
        DrawSkinGlyph(dc, skinClass, part, state, rect);
    return true;
}

// The largest of IMAGEFILE5 down to IMAGEFILE1 whose MINSIZE fits the rect.
CSkinImage* ChooseSizedGlyph(CSkinClass& skinClass, int part, int state, const RECT& rect)
{
    for (int index = 4; index >= 0; --index) {
        const std::string name = skinClass.GetString(part, state, kPropImageFile1 + index, "");
        if (name.empty())
            continue;
        const SkinPoint minimum = skinClass.GetPoint(part, state, kPropMinSize1 + index, {});
        if (minimum.x <= rect.right - rect.left && minimum.y <= rect.bottom - rect.top)
            return skinClass.GetImage(name);
    }
    return nullptr;
}

} // namespace

bool DrawSkinBackground(HDC dc, CSkinClass& skinClass, int part, int state, const RECT& rect)
{
    const int type = skinClass.GetEnum(part, state, kPropBgType, kBgTypeImageFile);
    if (type == kBgTypeBorderFill) {
        DrawSkinBorderFill(dc, skinClass, part, state, rect);
        return true;
    }
    if (type != kBgTypeImageFile)
        return true; // NONE and unknown types: handled, nothing to paint
    return DrawImageBackground(dc, skinClass, part, state, rect);
}

void DrawSkinBorderFill(HDC dc, CSkinClass& skinClass, int part, int state, RECT rect)
{
    const int size = skinClass.GetInt(part, state, kPropBorderSize, 1);
    const COLORREF border = skinClass.GetColor(part, state, kPropBorderColor, CLR_INVALID);
    const COLORREF fill = skinClass.GetColor(part, state, kPropFillColor, CLR_INVALID);
    const bool bBorderOnly = skinClass.GetBool(part, state, kPropBorderOnly, false);
    if (size > 0 && border != CLR_INVALID) {
        const int height = static_cast<int>(rect.bottom - rect.top);
        const int width = std::min(size, static_cast<int>(rect.right - rect.left));
        const int strip = std::min(size, height);
        FillSolid(dc, RECT{rect.left, rect.top, rect.right, rect.top + strip}, border);
        FillSolid(dc, RECT{rect.left, rect.bottom - strip, rect.right, rect.bottom}, border);
        FillSolid(dc, RECT{rect.left, rect.top + strip, rect.left + width, rect.bottom - strip}, border);
        FillSolid(dc, RECT{rect.right - width, rect.top + strip, rect.right, rect.bottom - strip}, border);
        ::InflateRect(&rect, -size, -size);
    }
    if (fill != CLR_INVALID && !bBorderOnly && rect.right > rect.left && rect.bottom > rect.top)
        FillSolid(dc, rect, fill);
}

void DrawSkinGlyph(HDC dc, CSkinClass& skinClass, int part, int state, RECT rect)
{
    const int count = skinClass.GetInt(part, state, kPropImageCount, 1);
    if (count < 1)
        return;
    const SkinMargins content = skinClass.GetRect(part, state, kPropContentMargins, {});
    rect.left += content.cxLeftWidth;
    rect.right -= content.cxRightWidth;
    rect.top += content.cyTopHeight;
    rect.bottom -= content.cyBottomHeight;
    CSkinImage* glyph = nullptr;
    if (skinClass.GetEnum(part, state, kPropImageSelectType, kImageSelectNone) == kImageSelectSize)
        glyph = ChooseSizedGlyph(skinClass, part, state, rect);
    else if (const std::string name = skinClass.GetString(part, state, kPropGlyphImageFile, ""); !name.empty())
        glyph = skinClass.GetImage(name);
    if (!glyph)
        return;
    const std::optional<FrameChoice> frame = ChooseFrame(skinClass, part, state, *glyph);
    if (!frame)
        return;
    SkinDrawRequest request;
    request.source = ToRect(frame->source);
    request.dest =
        ToRect(PlaceSkinTrueSize(ToSkinRect(rect), frame->source.Width(), frame->source.Height(), false, false));
    request.sizing = ESkinSizing::TrueSize;
    if (!glyph->HasAlpha() && skinClass.GetBool(part, state, kPropGlyphTransparent, false))
        request.colorKey = skinClass.GetColor(part, state, kPropTransparentColor, kDefaultTransparentColor);
    glyph->PrepareFrames(frame->count, frame->vertical);
    glyph->DrawImage(dc, request);
}

} // namespace tavrelin::skin
