#include "skin/engine/controls/SkinObjectProgress.h"

#include "skin/engine/context/SkinContext.h"
#include "skin/engine/draw/SkinBackground.h"
#include "skin/engine/draw/SkinControlDraw.h"
#include "skin/engine/draw/SkinGdi.h"
#include "skin/engine/draw/SkinPropertyIds.h"

#include <commctrl.h>
#include <vssym32.h>

#include <algorithm>

namespace tavrelin::skin {
namespace {

constexpr int kProgressChunkSizeProperty = TMT_PROGRESSCHUNKSIZE;
constexpr int kProgressSpaceSizeProperty = TMT_PROGRESSSPACESIZE;
constexpr int kDefaultSpace = 2;
const SkinMargins kBarContentFallback{1, 1, 1, 1};

} // namespace

std::vector<RECT> LayoutSkinProgressChunks(const RECT& content, bool vertical, int filled, int chunk, int space)
{
    std::vector<RECT> chunks;
    const int length = vertical ? content.bottom - content.top : content.right - content.left;
    filled = std::clamp(filled, 0, length);
    if (chunk <= 0)
        chunk = filled, space = 0;
    for (int start = 0; chunk > 0 && start + chunk <= filled; start += chunk + space) {
        chunks.push_back(vertical
                             ? RECT{content.left, content.bottom - start - chunk, content.right, content.bottom - start}
                             : RECT{content.left + start, content.top, content.left + start + chunk, content.bottom});
    }
    return chunks;
}

bool CSkinObjectProgress::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (::GetWindowLongPtrA(Window(), GWL_STYLE) & PBS_MARQUEE)
        return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
    if (AnswerPaintMessage(Window(), message, wParam, lParam, result, [this](HDC dc) { Paint(dc); }))
        return true;
    return CSkinObjectFrame::HandleMessage(message, wParam, lParam, result);
}

void CSkinObjectProgress::Paint(HDC target)
{
    m_canvas.Paint(Window(), target, [&](HDC dc, const RECT& client) {
        const LONG_PTR style = ::GetWindowLongPtrA(Window(), GWL_STYLE);
        const bool bVertical = (style & PBS_VERTICAL) != 0;
        CSkinClass& progress = Skin()->GetSkinClassById(kSkinClassProgress);
        const CSkinMetrics& metrics = Skin()->GetMetrics();
        const int barPart = bVertical ? PP_BARVERT : PP_BAR;
        const bool bImage = DrawSkinBackground(dc, progress, barPart, 0, client);
        if (!bImage)
            DrawPlainFieldBorder(dc, client, metrics.Color(COLOR_BTNSHADOW), metrics.Color(COLOR_BTNFACE));
        const SkinMargins margins = progress.GetRect(barPart, 0, kPropContentMargins, kBarContentFallback);
        const RECT content{client.left + margins.cxLeftWidth, client.top + margins.cyTopHeight,
                           client.right - margins.cxRightWidth, client.bottom - margins.cyBottomHeight};
        PBRANGE range{};
        ::SendMessageA(Window(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
        const int position = static_cast<int>(::SendMessageA(Window(), PBM_GETPOS, 0, 0));
        const int length = bVertical ? content.bottom - content.top : content.right - content.left;
        const long long span = std::max<long long>(1, static_cast<long long>(range.iHigh) - range.iLow);
        const int filled = static_cast<int>(length * (static_cast<long long>(position) - range.iLow) / span);
        const int across = bVertical ? content.right - content.left : content.bottom - content.top;
        const int chunkPart = bVertical ? PP_CHUNKVERT : PP_CHUNK;
        const int chunk =
            (style & PBS_SMOOTH) ? 0 : progress.GetInt(chunkPart, 0, kProgressChunkSizeProperty, across * 2 / 3);
        const int space = progress.GetInt(chunkPart, 0, kProgressSpaceSizeProperty, kDefaultSpace);
        const auto bar = static_cast<COLORREF>(::SendMessageA(Window(), PBM_GETBARCOLOR, 0, 0));
        const COLORREF fill = bar == CLR_DEFAULT ? metrics.Color(COLOR_HIGHLIGHT) : bar;
        for (const RECT& rect : LayoutSkinProgressChunks(content, bVertical, filled, chunk, space)) {
            if (!DrawSkinBackground(dc, progress, chunkPart, 0, rect))
                FillSolid(dc, rect, fill);
        }
    });
}

} // namespace tavrelin::skin
