// Paths posted with a message arrive once, and a number we never gave finds
// nothing.
#include "core/PostedPath.h"

#include <gtest/gtest.h>

namespace {

constexpr UINT kMessage = WM_APP + 7;

std::optional<std::string> PostAndReceive(const std::string& path)
{
    if (!PostPathMessage(nullptr, kMessage, path))
        return std::nullopt;
    MSG message{};
    if (!::PeekMessageA(&message, nullptr, kMessage, kMessage, PM_REMOVE))
        return std::nullopt;
    const std::optional<std::string> taken = TakePostedPath(message.lParam);
    EXPECT_FALSE(TakePostedPath(message.lParam)) << "taken once only";
    return taken;
}

TEST(PostedPath, ArrivesOnceAndForeignNumbersFindNothing)
{
    EXPECT_EQ(PostAndReceive("C:\\Album\\000001.jpg"), "C:\\Album\\000001.jpg");
    EXPECT_EQ(PostAndReceive(""), "");
    EXPECT_FALSE(TakePostedPath(0));
    EXPECT_FALSE(TakePostedPath(-1));
    EXPECT_FALSE(TakePostedPath(0x12345678));
    EXPECT_FALSE(PostPathMessage(reinterpret_cast<HWND>(0x1234), kMessage, "lost")) << "no such window";
}

} // namespace
