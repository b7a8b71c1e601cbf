// The committed built-in strips are what the painting code draws today: change
// the painting, then run the regenerate-skins target.
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavResSrv40.h"
#include "skins/generator/strip_artwork.h"

#include <gtest/gtest.h>

TEST(BuiltInStrips, CommittedPicturesMatchThePaintingCode) {
    for (const auto& res : tavResSrv40::StaticResources()) {
        for (int theme = 0; theme < tavResSrv40::kThemeCount; ++theme) {
            EXPECT_TRUE(gdi::qt::FromQImage(strip_artwork::PaintStrip(res, theme)) ==
                        tavResSrv40::StaticResourceImage(res.number, theme))
                << strip_artwork::FileName(res.number, theme) << " differs from its painting";
        }
    }
}
