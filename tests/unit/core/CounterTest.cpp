#include "core/CommandLine.h"
#include "core/Counter.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

struct CounterCase {
    const char* stored;
    int next;
    const char* pictureName;
};

class CounterStep : public testing::TestWithParam<CounterCase> {};

TEST_P(CounterStep, FollowsTheStoredTextAndNamesTheFile)
{
    const CounterCase& c = GetParam();
    const std::optional<int> next = NextCounterValue(c.stored);
    ASSERT_TRUE(next);
    EXPECT_EQ(*next, c.next);
    EXPECT_EQ(CounterFileName(*next, ".jpg"), c.pictureName);
}

INSTANTIATE_TEST_SUITE_P(StoredTexts, CounterStep,
                         testing::Values(CounterCase{"", 1, "000001.jpg"}, CounterCase{"abc", 1, "000001.jpg"},
                                         CounterCase{"41abc", 42, "000042.jpg"}, CounterCase{"-3", -2, "-00002.jpg"},
                                         CounterCase{" \t+7", 8, "000008.jpg"}, CounterCase{"- 4", 1, "000001.jpg"},
                                         CounterCase{"999999", 1000000, "1000000.jpg"},
                                         CounterCase{"0012", 13, "000013.jpg"},
                                         CounterCase{"2147483646", 2147483647, "2147483647.jpg"},
                                         CounterCase{"-2147483648", -2147483647, "-2147483647.jpg"}));

TEST(CounterParse, SaturatesLikeThePlatformRuntime)
{
    EXPECT_EQ(ParseCounter("2147483647"), INT_MAX);
    EXPECT_EQ(ParseCounter("99999999999999999999"), INT_MAX);
    EXPECT_EQ(ParseCounter("-99999999999999999999"), INT_MIN);
}

TEST(CounterParse, TheLargestNumberHasNoNextInsteadOfANegativeOne)
{
    EXPECT_EQ(NextCounterValue("2147483647"), std::nullopt);
    EXPECT_EQ(NextCounterValue("99999999999999999999"), std::nullopt);
    EXPECT_EQ(CounterFileName(INT_MIN, ".avi"), "-2147483648.avi");
}

struct FlagCase {
    std::vector<std::string> arguments;
    bool splash;
};

class SplashFlags : public testing::TestWithParam<FlagCase> {};

TEST_P(SplashFlags, OnlyEmbeddingOrAutomationSuppressTheSplash)
{
    EXPECT_EQ(SplashAllowedByCommandLine(GetParam().arguments), GetParam().splash);
}

INSTANTIATE_TEST_SUITE_P(CommandLines, SplashFlags,
                         testing::Values(FlagCase{{}, true}, FlagCase{{"/Embedding"}, false},
                                         FlagCase{{"-AUTOMATION"}, false}, FlagCase{{"/automation"}, false},
                                         FlagCase{{"-eMbEdDiNg", "file.txt"}, false}, FlagCase{{"Embedding"}, true},
                                         FlagCase{{"/Embed"}, true}, FlagCase{{"/Embeddings"}, true},
                                         FlagCase{{"-", "/"}, true}, FlagCase{{"/x", "/y", "-Automation"}, false}));

} // namespace
