// A big album shows thumbnails wherever it is scrolled to; thumbnails are
// remembered between starts in thumbnails.cache, follow a rename, a delete
// and a changed picture, and a damaged cache file is made anew.
#include "AlbumSession.h"
#include "album/ThumbnailCache.h"

#include <commctrl.h>

#include <cstdio>
#include <fstream>

namespace {

using namespace album_e2e;

std::string Numbered(int number)
{
    char name[32];
    std::snprintf(name, sizeof name, "p%05d.jpg", number);
    return name;
}

void Copy(const std::string& made, const std::string& to)
{
    ASSERT_TRUE(::CopyFileA(MadePicture(made).c_str(), to.c_str(), FALSE)) << to;
}

// Ends the program as a user does; the cache is written on the way out.
void EndCleanly(AlbumSession& session)
{
    ::PostMessageA(session.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(session.Program().WaitForExit(), std::optional<DWORD>(0));
}

TEST(BigAlbum, ThumbnailsShowAtBothEndsOfThreeThousandPictures)
{
    constexpr int kPictures = 3000;
    AlbumSession session([](const std::string& album) {
        Copy("gradient.jpg", album + Numbered(0));
        // Links to one file: thousands of pictures in no time and no room.
        for (int number = 1; number < kPictures; ++number)
            ASSERT_TRUE(::CreateHardLinkA((album + Numbered(number)).c_str(), (album + Numbered(0)).c_str(), nullptr));
    });
    ASSERT_NE(session.MainWindow(), nullptr);
    ASSERT_TRUE(
        e2e::WaitUntil([&] { return e2e::ListViewItemCount(session.List()) == kPictures; }, e2e::Timeout{60000}));
    ASSERT_TRUE(session.ShowAlbumPage());
    // Every item is the same picture: items by number, not by name (reading
    // thousands of names takes a while).
    EXPECT_TRUE(session.ShowsGradient(0));
    EXPECT_TRUE(session.ShowsGradient(kPictures - 1)) << "after a jump to the end";
    EXPECT_TRUE(session.ShowsGradient(kPictures / 2)) << "and to the middle";
}

TEST(AlbumCache, ThumbnailsAreRememberedAndFollowRenameDeleteAndChange)
{
    std::string album;
    const auto prepare = [&](const std::string& folder) {
        album = folder;
        for (const char* name : {"keep.jpg", "rename.jpg", "delete.jpg", "change.jpg"})
            Copy("gradient.jpg", folder + name);
    };
    e2e::ProgramCopy copy;
    {
        AlbumSession first(copy, prepare);
        ASSERT_NE(first.MainWindow(), nullptr);
        ASSERT_TRUE(first.ShowAlbumPage());
        for (const char* name : {"keep.jpg", "rename.jpg", "delete.jpg", "change.jpg"})
            ASSERT_TRUE(first.ShowsGradient(first.IndexOf(name))) << name;
        ASSERT_TRUE(first.Rename(first.IndexOf("rename.jpg"), "renamed"));
        ASSERT_TRUE(first.WaitForItem("renamed.jpg"));
        ASSERT_TRUE(first.ChooseFromMenu(first.IndexOf("delete.jpg"), EMenuItem::Delete));
        ASSERT_TRUE(first.WaitForItem("delete.jpg", false));
        EndCleanly(first);
    }
    {
        CThumbnailCache written;
        ASSERT_TRUE(written.Open(copy.File("thumbnails.cache"), 80, 60));
        EXPECT_EQ(written.Count(), 3u) << "kept, renamed and to be changed; the deleted one forgotten";
    }
    // Between the runs: a new picture under the deleted one's name, and a
    // changed one.
    Copy("white-shapes.jpg", album + "delete.jpg");
    Copy("white-shapes.jpg", album + "change.jpg");

    AlbumSession second(copy);
    ASSERT_NE(second.MainWindow(), nullptr);
    ASSERT_TRUE(second.ShowAlbumPage());
    EXPECT_TRUE(second.ShowsGradient(second.IndexOf("keep.jpg")));
    EXPECT_TRUE(second.ShowsGradient(second.IndexOf("renamed.jpg")));
    EXPECT_TRUE(second.ShowsShapes(second.IndexOf("delete.jpg"))) << "a new picture, not the deleted one's thumbnail";
    EXPECT_TRUE(second.ShowsShapes(second.IndexOf("change.jpg"))) << "the changed picture";
}

TEST(AlbumCache, ADamagedCacheFileIsMadeAnew)
{
    e2e::ProgramCopy copy;
    const auto prepare = [](const std::string& album) {
        for (int number = 0; number < 30; ++number)
            Copy(number % 2 ? "white-shapes.jpg" : "gradient.jpg", album + Numbered(number));
    };
    {
        AlbumSession first(copy, prepare);
        ASSERT_TRUE(first.ShowAlbumPage());
        for (int number = 0; number < 30; number += 2)
            ASSERT_TRUE(first.ShowsGradient(first.IndexOf(Numbered(number))));
        EndCleanly(first);
    }
    // Every other kilobyte of the file overwritten.
    const std::string cache = copy.File("thumbnails.cache");
    std::fstream file(cache, std::ios::binary | std::ios::in | std::ios::out);
    file.seekg(0, std::ios::end);
    const std::streamoff size = file.tellg();
    ASSERT_GT(size, 4096);
    for (std::streamoff at = 100; at < size; at += 2048) {
        file.seekp(at);
        file.write("damage", 6);
    }
    file.close();

    {
        AlbumSession second(copy);
        ASSERT_TRUE(second.ShowAlbumPage());
        for (int number = 0; number < 30; ++number) {
            const int item = second.IndexOf(Numbered(number));
            EXPECT_TRUE(number % 2 ? second.ShowsShapes(item) : second.ShowsGradient(item)) << Numbered(number);
        }
        EndCleanly(second);
    }
    CThumbnailCache reread;
    ASSERT_TRUE(reread.Open(cache, 80, 60));
    EXPECT_EQ(reread.Count(), 30u) << "every picture shown is in the new file";
}

} // namespace
