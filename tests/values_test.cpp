#include "runtime/randomsequence.h"
#include "runtime/recordingsurface.h"
#include "runtime/runtimeerror.h"
#include "runtime/values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace pomvexa {
namespace {

struct RoundCase {
    double value;
    std::int16_t expected;
};

void PrintTo(const RoundCase& round, std::ostream* out) {
    *out << round.value << " -> " << round.expected;
}

class RoundToInt16Test : public ::testing::TestWithParam<RoundCase> {};

TEST_P(RoundToInt16Test, RoundsHalfToEven) {
    EXPECT_EQ(roundToInt16(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Values, RoundToInt16Test,
                         ::testing::Values(RoundCase{0.0, 0}, RoundCase{0.5, 0}, RoundCase{1.5, 2},
                                           RoundCase{2.5, 2}, RoundCase{2.5000001, 3},
                                           RoundCase{255.5, 256}, RoundCase{254.49, 254},
                                           RoundCase{-0.5, 0}, RoundCase{-1.5, -2},
                                           RoundCase{32767.4, 32767}, RoundCase{-32768.5, -32768}));

TEST(Int16Conversion, OutOfRangeRaisesOverflow) {
    for (double value : {32767.5, -32768.6, 1e9, std::nan("")}) {
        try {
            roundToInt16(value);
            ADD_FAILURE() << value << " must overflow";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.number(), 6);
        }
    }
    EXPECT_THROW(floorToInt16(32768.0), RuntimeError);
    EXPECT_EQ(floorToInt16(32767.99), 32767);
    EXPECT_EQ(floorToInt16(-0.5), -1);
}

TEST(Int16Increment, RaisesBeforeStoringPastTheMaximum) {
    std::int16_t value = 32766;
    increment(value);
    EXPECT_EQ(value, 32767);
    EXPECT_THROW(increment(value), RuntimeError);
    EXPECT_EQ(value, 32767);
}

TEST(ComposeColor, PacksRedGreenBlueAndClampsEachPart) {
    EXPECT_EQ(composeColor(0, 0, 0), 0);
    EXPECT_EQ(composeColor(255, 255, 0), 65535);
    EXPECT_EQ(composeColor(1, 2, 3), 1 + 2 * 256 + 3 * 65536);
    EXPECT_EQ(composeColor(256, 256, 256), 16777215);
    EXPECT_EQ(composeColor(256, 0, 7), 255 + 7 * 65536);
}

TEST(FormatValue, HexadecimalLiteralBecomesDecimalOtherTextStays) {
    EXPECT_EQ(formatValue("&h102"), "258");
    EXPECT_EQ(formatValue("&H0"), "0");
    EXPECT_EQ(formatValue("&hFFFFFFFF"), "4294967295");
    EXPECT_EQ(formatValue("&h"), "&h");
    EXPECT_EQ(formatValue("&hXYZ"), "&hXYZ");
    EXPECT_EQ(formatValue("&h12345678901234567"), "&h12345678901234567");
    EXPECT_EQ(formatValue("C:\\Tools"), "C:\\Tools");
}

TEST(RandomSequence, BitsMapIntoHalfOpenUnitInterval) {
    EXPECT_EQ(RandomSequence::fromBits(0), 0.0F);
    EXPECT_EQ(RandomSequence::fromBits(0xFFFFFFFFU), std::nextafter(1.0F, 0.0F));
    EXPECT_EQ(RandomSequence::fromBits(0x80000000U), 0.5F);
}

TEST(RandomSequence, SameSeedSameValuesAndAllInRange) {
    RandomSequence first;
    RandomSequence second;
    first.seed(42);
    second.seed(42);
    bool anyAboveHalf = false;
    for (int i = 0; i < 10000; ++i) {
        const float value = first.next();
        ASSERT_EQ(value, second.next());
        ASSERT_GE(value, 0.0F);
        ASSERT_LT(value, 1.0F);
        anyAboveHalf = anyAboveHalf || value > 0.5F;
    }
    EXPECT_TRUE(anyAboveHalf);
}

// Where an arc starts and how far it goes, whatever turns its angles are given in; one that ends
// where it starts, even a rounding away, is a whole circle, never nothing.
TEST(ArcSweep, StartsWithinATurnAndGoesAnticlockwiseToItsEnd) {
    constexpr double pi = std::numbers::pi;
    const struct {
        float start, end;
        double from, span;
    } cases[] = {{0, pi / 2, 0, pi / 2},
                 {3 * pi / 2, pi / 2, 3 * pi / 2, pi},
                 {-pi / 2, 5 * pi, 3 * pi / 2, 3 * pi / 2},
                 {1, 1, 1, 2 * pi},
                 {-1e-20F, 0, 0, 2 * pi}};
    for (const auto& arc : cases) {
        RecordingSurface::Stroke stroke{};
        stroke.kind = RecordingSurface::Stroke::arc;
        stroke.values[3] = arc.start;
        stroke.values[4] = arc.end;
        const RecordingSurface::Sweep sweep = RecordingSurface::sweep(stroke);
        EXPECT_NEAR(sweep.from, arc.from, 1e-5) << arc.start << " to " << arc.end;
        EXPECT_NEAR(sweep.span, arc.span, 1e-5) << arc.start << " to " << arc.end;
    }
}

} // namespace
} // namespace pomvexa
