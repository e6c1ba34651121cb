#include "imaging/JpegBlockTransform.h"
#include "imaging/JpegTables.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

// Every divisor a quantisation table value (1..255) can give at any position.
std::vector<uint16_t> EveryPossibleDivisor()
{
    std::set<uint16_t> divisors;
    for (uint32_t value = 1; value <= 255; ++value)
        for (const uint16_t scale : jpeg_tables::kDctScale)
            divisors.insert(static_cast<uint16_t>((value * scale + 1024) >> 11));
    return {divisors.begin(), divisors.end()};
}

TEST(JpegQuantiser, ReciprocalsDivideExactlyForEveryDivisor)
{
    const std::vector<uint16_t> divisors = EveryPossibleDivisor();
    ASSERT_GT(divisors.size(), 100u);
    for (std::size_t first = 0; first < divisors.size(); first += 64) {
        std::array<uint16_t, 64> row{};
        for (int i = 0; i < 64; ++i)
            row[i] = divisors[std::min(first + i, divisors.size() - 1)];
        SQuantiser quantiser{};
        quantiser.Prepare(row);
        for (int i = 0; i < 64; ++i) {
            const uint32_t divisor = row[i];
            uint32_t wrong = 0;
            for (uint32_t dividend = 0; dividend < (1u << 15); ++dividend)
                wrong += quantiser.ShortQuotient(dividend, i) != dividend / divisor ||
                         (dividend < (1u << 14) && quantiser.WordQuotient(dividend, i) != dividend / divisor);
            // The full range, around every 97th multiple of the divisor.
            for (uint32_t multiple = divisor; multiple < (1u << 20); multiple += 97 * divisor)
                for (const uint32_t dividend : {multiple - 1, multiple, multiple + divisor - 1})
                    wrong += dividend < (1u << 20) && quantiser.FullQuotient(dividend, i) != dividend / divisor;
            ASSERT_EQ(wrong, 0u) << "divisor " << divisor;
        }
    }
}

} // namespace
