// The built-in skin strips as every build reads them (no window system).
#include "controls/suite/bmp_image.h"
#include "controls/suite/skin_artwork.h"
#include "controls/suite/tavResSrv40.h"

#include <gtest/gtest.h>

TEST(BuiltInStrips, EveryResourceAndThemeHasItsStripAtItsSize) {
    for (const auto& res : tavResSrv40::StaticResources()) {
        for (int theme = 0; theme < tavResSrv40::kThemeCount; ++theme) {
            const gdi::Image strip = tavResSrv40::StaticResourceImage(res.number, theme);
            EXPECT_EQ(strip.width, res.frameWidth) << res.number << " theme " << theme;
            EXPECT_EQ(strip.height, res.stripHeight()) << res.number << " theme " << theme;
        }
    }
    // The rounded button's corner is cut with the mask colour; the face is not.
    const gdi::Image button = tavResSrv40::StaticResourceImage(1100, 0);
    ASSERT_FALSE(button.IsNull());
    EXPECT_EQ(button.at(0, 0), gdi::ArgbOf(tavResSrv40::kSkinMaskColour));
    EXPECT_NE(button.at(9, 10), gdi::ArgbOf(tavResSrv40::kSkinMaskColour));
    // Themes differ from each other; an unknown theme draws as theme 0.
    EXPECT_NE(tavResSrv40::StaticResourceImage(1100, 1).pixels, button.pixels);
    EXPECT_EQ(tavResSrv40::StaticResourceImage(1100, 77).pixels, button.pixels);
}

TEST(BuiltInStrips, ABitmapCutShortOrNotUncompressedReadsAsNothing) {
    const auto bytes = skin_artwork::EmbeddedStrips().front().bytes;
    ASSERT_FALSE(bmp_image::Decode(bytes).IsNull());
    EXPECT_TRUE(bmp_image::Decode(bytes.first(bytes.size() - 1)).IsNull());
    EXPECT_TRUE(bmp_image::Decode(bytes.first(40)).IsNull());
    std::vector<unsigned char> compressed(bytes.begin(), bytes.end());
    compressed[30] = 1;
    EXPECT_TRUE(bmp_image::Decode(compressed).IsNull());
}
