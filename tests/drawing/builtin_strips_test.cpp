// The built-in skin strips as every build reads them (no window system), and the
// resource server that hands them and custom pictures out.
#include "controls/suite/bmp_image.h"
#include "controls/suite/gdi.h"
#include "controls/suite/skin_artwork.h"
#include "controls/suite/tavResSrv40.h"

#include <gtest/gtest.h>

#include <vector>

// The rounded button's corner is cut with the mask colour; the face is not.
TEST(BuiltInStrips, TheButtonsCornerIsMaskedAndThemesDiffer) {
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

// The server hands each strip out as a DC until it is released; its frames differ from each
// other, so every state a control shows looks its own.
TEST(BuiltInStrips, EachComesAsADcOfDistinctFramesUntilReleased) {
    for (const auto& res : tavResSrv40::StaticResources()) {
        for (int theme = 0; theme < tavResSrv40::kThemeCount; ++theme) {
            const gdi::HDC dc = tavResSrv40::GetStaticResDc(res.number, theme);
            ASSERT_NE(dc, gdi::HDC(0)) << res.number;
            std::vector<std::vector<gdi::COLORREF>> frames(static_cast<std::size_t>(res.frames));
            for (int y = 0; y < res.stripHeight(); ++y)
                for (int x = 0; x < res.frameWidth; ++x)
                    frames[static_cast<std::size_t>(y / res.frameHeight)].push_back(gdi::GetPixel(dc, x, y));
            for (std::size_t a = 0; a < frames.size(); ++a)
                for (std::size_t b = a + 1; b < frames.size(); ++b)
                    EXPECT_NE(frames[a], frames[b])
                        << res.number << " theme " << theme << ": frames " << a << ", " << b;
            EXPECT_TRUE(tavResSrv40::ReleaseStaticResDc(dc));
        }
    }
    EXPECT_EQ(tavResSrv40::GetStaticResDc(4242, 0), gdi::HDC(0));
    EXPECT_FALSE(tavResSrv40::ReleaseStaticResDc(4242));
    EXPECT_EQ(gdi::LiveHandleCount(), 0u);
}

TEST(BuiltInStrips, ACustomPictureIsSharedByNameUntilTheLastRelease) {
    const gdi::Image picture(10, 12, gdi::ArgbOf(gdi::RGB(1, 2, 3)));
    int w = 0, h = 0;
    const gdi::HDC first = tavResSrv40::GetCustomResDc(picture, u"Skin", w, h);
    ASSERT_NE(first, gdi::HDC(0));
    EXPECT_TRUE(w == 10 && h == 12);
    EXPECT_EQ(tavResSrv40::GetCustomResDc({}, u"Skin", w, h), first);  // a later request by name alone
    EXPECT_EQ(tavResSrv40::OutstandingRequests(), 2);
    EXPECT_TRUE(tavResSrv40::ReleaseCustomResDc(u"Skin"));
    EXPECT_EQ(gdi::GetPixel(first, 9, 11), gdi::RGB(1, 2, 3));
    EXPECT_TRUE(tavResSrv40::ReleaseCustomResDc(u"Skin"));
    EXPECT_EQ(gdi::GetPixel(first, 9, 11), gdi::CLR_INVALID);
    EXPECT_FALSE(tavResSrv40::ReleaseCustomResDc(u"Skin"));
    EXPECT_EQ(tavResSrv40::GetCustomResDc({}, u"Skin", w, h), gdi::HDC(0));
    EXPECT_EQ(tavResSrv40::GetCustomResDc(picture, u"", w, h), gdi::HDC(0));
    EXPECT_EQ(tavResSrv40::OutstandingRequests(), 0);
    EXPECT_EQ(gdi::LiveHandleCount(), 0u);
}
