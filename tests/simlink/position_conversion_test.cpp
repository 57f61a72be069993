#include "simlink/position_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

namespace tl {
namespace {

using Bytes4 = PositionConversion::Bytes4;
using Bytes8 = PositionConversion::Bytes8;

TEST(PositionConversionTest, GroundAltitudeTextsWithCarryAndEvenHalves) {
    const struct {
        std::int32_t raw;
        const char* altitude;
        const char* wholeMetres;
        const char* remainder;
    } cases[] = {
        {-128, "-0.5", "0, ", "-64"},
        {255, "0.99609375", "1, ", "0"},
        {256, "1", "1, ", "0"},
        {1280, "5", "5, ", "0"},
        {0, "0", "0, ", "0"},
        {1, "0.00390625", "0, ", "0"},       // 0.5 / 128 rounds to the even 0
        {3, "0.01171875", "0, ", "2"},       // 1.5 rounds to the even 2
        {-1, "-0.00390625", "0, ", "0"},     // no "-0"
        {-255, "-0.99609375", "-1, ", "0"},  // carry away from zero below it too
        {-257, "-1.00390625", "-1, ", "0"},
        {100000, "390.625", "390, ", "80"},
        {-100000, "-390.625", "-390, ", "-80"},
        {std::numeric_limits<std::int32_t>::max(), "8388607.99609375", "8388608, ", "0"},
        {std::numeric_limits<std::int32_t>::min(), "-8388608", "-8388608, ", "0"},
    };
    const NumberText numbers;
    const PositionConversion conversion(numbers);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.raw);
        const PositionConversion::GroundTexts texts = conversion.groundTexts(c.raw);
        EXPECT_EQ(texts.altitude, c.altitude);
        EXPECT_EQ(texts.wholeMetres, c.wholeMetres);
        EXPECT_EQ(texts.remainder, c.remainder);
    }
    const NumberText commaNumbers(',');
    EXPECT_EQ(PositionConversion(commaNumbers).groundTexts(-128).altitude, "-0,5");
}

TEST(PositionConversionTest, BytesAreLittleEndianTwosComplement) {
    EXPECT_EQ(PositionConversion::signed32(Bytes4{0x80, 0xFF, 0xFF, 0xFF}), -128);
    EXPECT_EQ(PositionConversion::unsigned32(Bytes4{0x80, 0xFF, 0xFF, 0xFF}), 4294967168u);
    EXPECT_EQ(PositionConversion::signed32(Bytes4{0x00, 0x05, 0x00, 0x00}), 1280);
    EXPECT_EQ(PositionConversion::signed64(Bytes8{0, 0, 0, 0, 0, 0, 0, 0x80}),
              std::numeric_limits<std::int64_t>::min());
    EXPECT_EQ(PositionConversion::signed64(Bytes8{0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08}),
              0x0807060504030201);
}

TEST(PositionConversionTest, DegreesFromTheSimulatorEncodings) {
    const std::int64_t nineDegrees = 1000175LL << 32;  // a tenth of 10001750 x 65536 x 65536
    const struct {
        double degrees;
        double expected;
    } cases[] = {
        {PositionConversion::latitude(0), 0},
        {PositionConversion::latitude(nineDegrees), 9},
        {PositionConversion::latitude(-nineDegrees * 10), -90},
        {PositionConversion::longitude(0), 0},
        {PositionConversion::longitude(1LL << 62), 90},
        {PositionConversion::longitude(-(1LL << 61)), -45},
        {PositionConversion::longitude(std::numeric_limits<std::int64_t>::min()), -180},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.degrees, c.expected);
    }
    // The whole range of the encoding stays finite, far beyond the poles.
    EXPECT_NEAR(PositionConversion::latitude(std::numeric_limits<std::int64_t>::max()), 19323.97,
                0.01);
}

TEST(PositionConversionTest, PlaceWithinTheLod13Area) {
    const struct {
        double lat, lon;
        std::int32_t x, y;
    } cases[] = {
        {0, 0, 0, 0},
        {47.46, 8.55, 174, 21},
        {-33.9, 151.2, 235, 167},
        {-0.001, -0.001, 238, 23},
        {89.9999, -179.9999, 1, 2},
        {90 - 0.010986328125 / 4, -180 + 0.0146484375 / 2, 128, 64},
        {90, -180 + 0.0146484375 * (1 - 1.0 / (1 << 20)), 255, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.lat << " " << c.lon);
        EXPECT_EQ(PositionConversion::areaPointX(c.lon), c.x);
        EXPECT_EQ(PositionConversion::areaPointY(c.lat), c.y);
    }
}

TEST(PositionConversionTest, CoordinateTexts) {
    const NumberText numbers;
    const PositionConversion conversion(numbers);
    EXPECT_EQ(conversion.coordinateText(0, false), "0.0000000000000");
    EXPECT_EQ(conversion.coordinateText(-33.9, false), "-33.9000000000000");
    EXPECT_EQ(conversion.coordinateText(-0.5, false), "-0.5000000000000");
    EXPECT_EQ(conversion.coordinateText(8.123456789012345, false), "8.1234567890123");
    EXPECT_EQ(conversion.coordinateText(-33.9, true), "-33  54.000");
    EXPECT_EQ(conversion.coordinateText(0, true), "0    0.000");

    const NumberText commaNumbers(',');
    EXPECT_EQ(PositionConversion(commaNumbers).coordinateText(47.46, false), "47,4600000000000");
}

TEST(PositionConversionTest, RawGroundTextAfterAFailure) {
    const struct {
        Bytes4 ground;
        const char* text;
    } cases[] = {
        {{0, 0, 0, 0}, "Raw: 0  NegValue: 429496.7296"},
        {{0x80, 0xFF, 0xFF, 0xFF}, "Raw: 429496.7168  NegValue: 429496.7296"},
        {{0xFF, 0xFF, 0xFF, 0xFF}, "Raw: 429496.7295  NegValue: 429496.7296"},
        {{0x10, 0x27, 0, 0}, "Raw: 1  NegValue: 429496.7296"},
        {{0x00, 0x00, 0x01, 0x00}, "Raw: 6.5536  NegValue: 429496.7296"},
        {{0x01, 0, 0, 0}, "Raw: 0.0001  NegValue: 429496.7296"},
    };
    const NumberText numbers;
    const PositionConversion conversion(numbers);
    for (const auto& c : cases) {
        EXPECT_EQ(conversion.rawGroundText(c.ground), c.text);
    }
    const NumberText commaNumbers(',');
    EXPECT_EQ(PositionConversion(commaNumbers).rawGroundText({0x00, 0x00, 0x01, 0x00}),
              "Raw: 6,5536  NegValue: 429496,7296");
}

}  // namespace
}  // namespace tl
