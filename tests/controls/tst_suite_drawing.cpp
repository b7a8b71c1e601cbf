// Drawing, handles and the resource server.
#include "tests/controls/test_support.h"

#include "controls/suite/gdi.h"
#include "controls/suite/tavGFX40.h"
#include "controls/suite/tavResSrv40.h"
#include "controls/suite/tavSCls40.h"

#include <QtTest>

using namespace tavGFX40;

namespace {

// A memory DC over a copy of `image`, released when it goes.
struct ImageDc {
    explicit ImageDc(const QImage& image) {
        bitmap = gdi::CreateBitmap(image);
        dc = gdi::CreateCompatibleDC();
        gdi::SelectBitmap(dc, bitmap);
    }
    ~ImageDc() {
        gdi::DeleteDC(dc);
        gdi::DeleteBitmap(bitmap);
    }
    QColor at(int x, int y) const { return gdi::DcImage(dc)->pixelColor(x, y); }
    gdi::HDC dc;
    gdi::HBITMAP bitmap;
};

// A 9 x 9 frame split in 3 x 3 cells of 3 pixels, each its own colour.
QImage nineCellFrame(int frames) {
    QImage img(9, 9 * frames, QImage::Format_ARGB32);
    for (int k = 0; k < frames; ++k)
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 9; ++x)
                img.setPixelColor(x, k * 9 + y, QColor(20 * (x / 3) + 100 * k, 20 * (y / 3), 60));
    return img;
}

QImage White(int width, int height) {
    QImage canvas(width, height, QImage::Format_ARGB32);
    canvas.fill(Qt::white);
    return canvas;
}

}  // namespace

class TestSuiteDrawing : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { QCOMPARE(gdi::LiveHandleCount(), std::size_t(0)); }

    void translatesOleAndSystemColours() {
        QCOMPARE(gfxTranslateColor(0x00123456), gdi::COLORREF(0x123456));
        QCOMPARE(gfxTranslateColor(SystemColor(COLOR_BTNFACE)), gdi::RGB(212, 208, 200));
        QCOMPARE(gfxTranslateColor(0x80000012), gdi::RGB(0, 0, 0));        // button text
        QCOMPARE(gfxTranslateColor(0x80000014), gdi::RGB(255, 255, 255));  // 3D highlight
        QCOMPARE(gfxTranslateColor(0x800000FF), gdi::COLORREF(0));         // outside the table
    }

    void skinKeepsMarginsAndStretchesTheMiddle() {
        ImageDc src(nineCellFrame(2));
        ImageDc dst(White(30, 20));
        QVERIFY(gfxDrawSkin(dst.dc, src.dc, 1, gdi::RECT{3, 3, 3, 3}, 0, 0, 30, 20, 9, 9, 0xFF00FF));
        const auto cell = [](int cx, int cy) { return QColor(20 * cx + 100, 20 * cy, 60); };
        QCOMPARE(dst.at(0, 0), cell(0, 0));
        QCOMPARE(dst.at(2, 2), cell(0, 0));
        QCOMPARE(dst.at(3, 3), cell(1, 1));    // middle starts right after the margin
        QCOMPARE(dst.at(26, 16), cell(1, 1));  // and ends right before the far margins
        QCOMPARE(dst.at(27, 17), cell(2, 2));
        QCOMPARE(dst.at(29, 19), cell(2, 2));
        QCOMPARE(dst.at(15, 1), cell(1, 0));   // top edge
        QCOMPARE(dst.at(1, 10), cell(0, 1));   // left edge
        QCOMPARE(dst.at(28, 10), cell(2, 1));  // right edge
    }

    void skinLeavesMaskPixelsAndCanSkipTheMiddle() {
        QImage frame = test_support::FlatStrip(6, 6, {QColor(10, 20, 30)}, /*maskCorners=*/true);
        ImageDc src(frame);
        ImageDc dst(White(12, 12));
        QVERIFY(gfxDrawSkin(dst.dc, src.dc, 0, gdi::RECT{2, 2, 2, 2}, 0, 0, 12, 12, 6, 6, 0xFF00FF, false, false, false,
                            false, CentreNone));
        QCOMPARE(dst.at(0, 0), QColor(Qt::white));
        QCOMPARE(dst.at(11, 11), QColor(Qt::white));
        QCOMPARE(dst.at(1, 0), QColor(10, 20, 30));
        QCOMPARE(dst.at(6, 6), QColor(Qt::white));  // middle left out
        QCOMPARE(dst.at(6, 1), QColor(10, 20, 30));
    }

    void skinTilesEdgesWhenAsked() {
        ImageDc src(nineCellFrame(1));
        ImageDc dst(White(9, 30));
        // Left edge tiled: its 3-row cell repeats, so every row of it is the same cell.
        QVERIFY(gfxDrawSkin(dst.dc, src.dc, 0, gdi::RECT{3, 3, 3, 3}, 0, 0, 9, 30, 9, 9, 0xFF00FF, true));
        QCOMPARE(dst.at(0, 3), QColor(0, 20, 60));
        QCOMPARE(dst.at(0, 26), QColor(0, 20, 60));
    }

    void staleOrEmptySourcesDrawNothing() {
        ImageDc dst(White(4, 4));
        QVERIFY(!gfxDrawSkin(dst.dc, 0, 0, {}, 0, 0, 4, 4, 3, 3, 0));
        QVERIFY(!gfxDrawTransparentDC(dst.dc, 12345, 0, 0, 4, 4, 0, 0, 0, 0, 4, 4, 0));
        QCOMPARE(dst.at(1, 1), QColor(Qt::white));
    }

    void transparentCopyLeavesMaskColourOut() {
        QImage img(2, 1, QImage::Format_ARGB32);
        img.setPixelColor(0, 0, QColor(255, 0, 255));
        img.setPixelColor(1, 0, QColor(1, 2, 3));
        ImageDc src(img);
        ImageDc dst(White(2, 1));
        QVERIFY(gfxDrawTransparentDC(dst.dc, src.dc, 0, 0, 2, 1, 0, 0, 0, 0, 2, 1, 0xFF00FF));
        QCOMPARE(dst.at(0, 0), QColor(Qt::white));
        QCOMPARE(dst.at(1, 0), QColor(1, 2, 3));
        // A mask of -1 masks nothing.
        QVERIFY(gfxDrawTransparentDC(dst.dc, src.dc, 0, 0, 2, 1, 0, 0, 0, 0, 2, 1, 0xFFFFFFFF));
        QCOMPARE(dst.at(0, 0), QColor(255, 0, 255));
    }

    void rectanglesAndLines() {
        tavSCls40::MemoryDC mem;
        QVERIFY(mem.Create(6, 6, 0xFFFFFF));
        QVERIFY(gfxDrawRect(mem.hDC(), gdi::RECT{1, 1, 3, 3}, SystemColor(COLOR_BTNSHADOW)));
        QVERIFY(gfxDrawRect2(mem.hDC(), 0, 0, 6, 6, 0x0000FF));
        QVERIFY(gfxDrawLine(mem.hDC(), 1, 4, 4, 4, 0x00FF00));
        const QImage& img = *gdi::DcImage(mem.hDC());
        QCOMPARE(img.pixelColor(1, 1), QColor(128, 128, 128));
        QCOMPARE(img.pixelColor(3, 3), QColor(Qt::white));  // right/bottom exclusive
        QCOMPARE(img.pixelColor(5, 0), QColor(255, 0, 0));  // 0x0000FF is red
        QCOMPARE(img.pixelColor(3, 4), QColor(0, 255, 0));
        QCOMPARE(img.pixelColor(4, 4), QColor(Qt::white));  // line end excluded
    }

    void memoryDcReleasesEverything() {
        {
            tavSCls40::MemoryDC mem;
            QVERIFY(!mem.Create(0, 5, 0));
            QCOMPARE(mem.hDC(), gdi::HDC(0));
            QVERIFY(mem.Create(3, 2, gdi::RGB(1, 2, 3)));
            QVERIFY(mem.Create(4, 2, gdi::RGB(1, 2, 3)));  // re-creating frees the first
            QCOMPARE(gdi::LiveHandleCount(gdi::ObjectKind::DeviceContext), std::size_t(1));
            QCOMPARE(gdi::LiveHandleCount(gdi::ObjectKind::Bitmap), std::size_t(1));
            QCOMPARE(gdi::DcImage(mem.hDC())->pixelColor(3, 1), QColor(1, 2, 3));
        }
        QCOMPARE(gdi::LiveHandleCount(), std::size_t(0));
    }

    // Combining is the button's window region (tst_btn.cpp); here, a region is released once.
    void aRegionIsReleasedOnce() {
        gdi::HRGN r = gdi::CreateRectRgn(0, 0, 4, 4);
        QVERIFY(gdi::DeleteObject(r));
        QVERIFY(!gdi::DeleteObject(r));
        QVERIFY(!gdi::CombineRgn(r, r, r, gdi::CombineMode::Or));
    }

    void everyBuiltInStripHasItsGeometryAndDistinctFrames() {
        for (const auto& res : tavResSrv40::StaticResources()) {
            for (int theme = 0; theme < tavResSrv40::kThemeCount; ++theme) {
                const gdi::HDC dc = tavResSrv40::GetStaticResDc(res.number, theme);
                QVERIFY2(dc != 0, qPrintable(QString::number(res.number)));
                const QImage& strip = *gdi::DcImage(dc);
                QCOMPARE(strip.size(), QSize(res.frameWidth, res.stripHeight()));
                for (int a = 0; a < res.frames; ++a) {
                    for (int b = a + 1; b < res.frames; ++b) {
                        const QImage fa = strip.copy(0, a * res.frameHeight, res.frameWidth, res.frameHeight);
                        const QImage fb = strip.copy(0, b * res.frameHeight, res.frameWidth, res.frameHeight);
                        QVERIFY2(fa != fb, qPrintable(QString("%1: frames %2 and %3").arg(res.number).arg(a).arg(b)));
                    }
                }
                QVERIFY(tavResSrv40::ReleaseStaticResDc(dc));
            }
        }
        QCOMPARE(tavResSrv40::GetStaticResDc(4242, 0), gdi::HDC(0));
        QVERIFY(!tavResSrv40::ReleaseStaticResDc(4242));
    }

    void roundedButtonsCutTheirCornersWithTheMaskColour() {
        const QImage strip = tavResSrv40::StaticResourceImage(1100, 0);
        QCOMPARE(strip.pixelColor(0, 0), QColor(255, 0, 255));
        QVERIFY(strip.pixelColor(9, 10) != QColor(255, 0, 255));
        // Themes differ from each other, unknown themes draw as theme 0.
        QVERIFY(strip != tavResSrv40::StaticResourceImage(1100, 1));
        QCOMPARE(tavResSrv40::StaticResourceImage(1100, 77), strip);
    }

    void customResourcesAreSharedByNameUntilTheLastRelease() {
        const QImage picture = test_support::FlatStrip(10, 4, test_support::FrameColours(3));
        int w = 0, h = 0;
        const gdi::HDC first = tavResSrv40::GetCustomResDc(picture, "Skin", w, h);
        QVERIFY(first != 0);
        QCOMPARE(QSize(w, h), QSize(10, 12));
        // A later request by name alone finds the same image.
        QCOMPARE(tavResSrv40::GetCustomResDc(QImage(), "Skin", w, h), first);
        QCOMPARE(tavResSrv40::OutstandingRequests(), 2);
        QVERIFY(tavResSrv40::ReleaseCustomResDc("Skin"));
        QVERIFY(gdi::DcImage(first) != nullptr);
        QVERIFY(tavResSrv40::ReleaseCustomResDc("Skin"));
        QVERIFY(gdi::DcImage(first) == nullptr);
        QVERIFY(!tavResSrv40::ReleaseCustomResDc("Skin"));
        QCOMPARE(tavResSrv40::GetCustomResDc(QImage(), "Skin", w, h), gdi::HDC(0));
        QCOMPARE(tavResSrv40::GetCustomResDc(picture, "", w, h), gdi::HDC(0));
        QCOMPARE(tavResSrv40::OutstandingRequests(), 0);
    }
};

QTEST_MAIN(TestSuiteDrawing)
#include "tst_suite_drawing.moc"
