#include "album/AlbumNames.h"

#include <gtest/gtest.h>

namespace {

TEST(AlbumNames, KindFollowsTheExtensionInAnyCase)
{
    EXPECT_EQ(AlbumFileKind("000001.jpg"), EAlbumFileKind::Picture);
    EXPECT_EQ(AlbumFileKind("C:\\Album\\HOLIDAY.JPG"), EAlbumFileKind::Picture);
    EXPECT_EQ(AlbumFileKind("000001.avi"), EAlbumFileKind::Video);
    EXPECT_EQ(AlbumFileKind("000001.jpeg"), EAlbumFileKind::Other);
    EXPECT_EQ(AlbumFileKind("avi"), EAlbumFileKind::Other);
}

} // namespace
