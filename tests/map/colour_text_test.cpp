#include "map/colour_text.h"

#include <gtest/gtest.h>

#include "common/failure.h"
#include "map/map_painter.h"

namespace tl {
namespace {

TEST(ColourTextTest, GridColourIsLightSteelBlue) {
    EXPECT_EQ(colourFromHexText(MapPainter::gridColourText), rgb(176, 196, 222));
}

TEST(ColourTextTest, HexadecimalColourNumbers) {
    const struct {
        const char* text;
        Colour colour;
    } cases[] = {
        {"&HDEC4B0", rgb(176, 196, 222)},    {"&hdec4b0&", rgb(176, 196, 222)},
        {"&HFF&", rgb(255, 0, 0)},           {"&HFF0000&", rgb(0, 0, 255)},
        {"&H00FF00&", rgb(0, 255, 0)},       {"&H0&", rgb(0, 0, 0)},
        {"&H00FFFFFF&", rgb(255, 255, 255)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(colourFromHexText(c.text), c.colour);
    }
}

TEST(ColourTextTest, TextThatIsNoColourIsATypeMismatch) {
    const char* const cases[] = {"",        "&H",         "&H&",        "DEC4B0",
                                 "#DEC4B0", "&HDEG4B0&",  "&H1000000&", "&HDEC4B0&&",
                                 "&O777&",  "&H DEC4B0&", "&H-1&",      "&H123456789&"};
    for (const char* text : cases) {
        SCOPED_TRACE(text);
        try {
            colourFromHexText(text);
            ADD_FAILURE() << "no failure";
        } catch (const Failure& failure) {
            EXPECT_EQ(failure.number(), 13);
        }
    }
}

}  // namespace
}  // namespace tl
