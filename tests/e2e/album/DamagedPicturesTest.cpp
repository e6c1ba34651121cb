// An album of a thousand damaged JPEG files (bytes flipped, files cut short,
// marker lengths and Huffman tables made impossible), with whole pictures
// among them and the file that once overran the thumbnail decoder's tables:
// the program lists them all, goes on showing the whole ones page after
// page, answers throughout, still takes a picture and ends cleanly.
#include "AlbumSession.h"

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>

namespace {

using namespace album_e2e;

constexpr int kPictures = 1000;
// Every tenth file is a whole copy of the gradient picture.
constexpr int kWholeEvery = 10;

bool IsWhole(const std::string& name)
{
    int number = 0;
    return std::sscanf(name.c_str(), "photo-%d.jpg", &number) == 1 && number % kWholeEvery == 0;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// One of the ways a picture arrives broken.
std::string Damaged(std::string bytes, std::mt19937& random)
{
    const auto at = [&](std::size_t size) { return static_cast<std::size_t>(random() % size); };
    switch (random() % 5) {
    case 0: // a few bytes changed anywhere
        for (int flips = 1 + static_cast<int>(random() % 8); flips > 0; --flips)
            bytes[at(bytes.size())] = static_cast<char>(random());
        break;
    case 1: // cut short
        bytes.resize(at(bytes.size()));
        break;
    case 2: // junk in the middle
        bytes.insert(at(bytes.size()), std::string(1 + at(300), static_cast<char>(random())));
        break;
    default: { // a segment's length or a Huffman table's counts made impossible
        const std::size_t marker = bytes.find(random() % 2 ? "\xFF\xC4" : "\xFF\xDB", at(bytes.size() / 2));
        if (marker == std::string::npos || marker + 21 > bytes.size())
            return Damaged(std::move(bytes), random);
        for (std::size_t i = marker + 2; i < marker + 21; ++i)
            bytes[i] = static_cast<char>(random() | 0x80);
    }
    }
    return bytes;
}

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class DamagedAlbum : public AlbumSession {
public:
    DamagedAlbum() : AlbumSession([](const std::string& album) { Fill(album); }) {}

    bool Answers()
    {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutA(MainWindow(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
    }

private:
    static void Fill(const std::string& album)
    {
        const std::string bases[] = {ReadFile(MadePicture("white-shapes.jpg")), ReadFile(MadePicture("gradient.jpg")),
                                     ReadFile(MadePicture("progressive.jpg"))};
        std::mt19937 random(2026);
        char name[32];
        for (int index = 0; index < kPictures; ++index) {
            const bool whole = index % kWholeEvery == 0;
            std::snprintf(name, sizeof name, "photo-%04d.jpg", index);
            WriteFile(album + name, whole ? bases[1] : Damaged(bases[random() % 3], random));
        }
        WriteFile(album + "holiday.jpg",
                  ReadFile(e2e::ToWindowsPath(ALBUM_CRASH_INPUTS_DIR) + "\\jpeg-thumbnail-huffman-overflow.jpg"));
    }
};

TEST(DamagedPictures, AThousandAreListedTheWholeOnesShowAndTheProgramGoesOn)
{
    DamagedAlbum album;
    ASSERT_NE(album.MainWindow(), nullptr);
    ASSERT_TRUE(e2e::WaitUntil([&] { return album.Items().size() == kPictures + 1; }, e2e::Timeout{60000}))
        << album.Items().size() << " items listed";
    ASSERT_TRUE(album.ShowAlbumPage());
    // Through the list from top to bottom, as a user scrolls: the whole
    // pictures lie all through it.
    const std::vector<std::string> items = album.Items();
    for (int item = 0; item < static_cast<int>(items.size()); ++item) {
        if (!IsWhole(items[static_cast<std::size_t>(item)]))
            continue;
        ASSERT_TRUE(album.ShowsGradient(item)) << items[static_cast<std::size_t>(item)] << " never showed its picture";
        ASSERT_TRUE(album.Answers()) << "while showing " << items[static_cast<std::size_t>(item)];
    }
    ASSERT_TRUE(album.TakePicture());
    EXPECT_TRUE(album.WaitForItem("000001.jpg"));
    ::PostMessageA(album.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(album.Program().WaitForExit(), std::optional<DWORD>(0));
}

} // namespace
