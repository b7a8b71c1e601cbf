// The resource server's strips and DCs (the drawing itself: tests/drawing).
#include "tests/controls/test_support.h"

#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavResSrv40.h"

#include <QtTest>

class TestSuiteDrawing : public QObject {
    Q_OBJECT
  private slots:
    void cleanup() { QCOMPARE(gdi::LiveHandleCount(), std::size_t(0)); }

    void everyBuiltInStripHasDistinctFrames() {
        for (const auto& res : tavResSrv40::StaticResources()) {
            for (int theme = 0; theme < tavResSrv40::kThemeCount; ++theme) {
                const gdi::HDC dc = tavResSrv40::GetStaticResDc(res.number, theme);
                QVERIFY2(dc != 0, qPrintable(QString::number(res.number)));
                const QImage& strip = *gdi::qt::DcImage(dc);
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

    void customResourcesAreSharedByNameUntilTheLastRelease() {
        const gdi::Image picture = gdi::qt::FromQImage(test_support::FlatStrip(10, 4, test_support::FrameColours(3)));
        int w = 0, h = 0;
        const gdi::HDC first = tavResSrv40::GetCustomResDc(picture, u"Skin", w, h);
        QVERIFY(first != 0);
        QCOMPARE(QSize(w, h), QSize(10, 12));
        // A later request by name alone finds the same image.
        QCOMPARE(tavResSrv40::GetCustomResDc({}, u"Skin", w, h), first);
        QCOMPARE(tavResSrv40::OutstandingRequests(), 2);
        QVERIFY(tavResSrv40::ReleaseCustomResDc(u"Skin"));
        QVERIFY(gdi::qt::DcImage(first) != nullptr);
        QVERIFY(tavResSrv40::ReleaseCustomResDc(u"Skin"));
        QVERIFY(gdi::qt::DcImage(first) == nullptr);
        QVERIFY(!tavResSrv40::ReleaseCustomResDc(u"Skin"));
        QCOMPARE(tavResSrv40::GetCustomResDc({}, u"Skin", w, h), gdi::HDC(0));
        QCOMPARE(tavResSrv40::GetCustomResDc(picture, u"", w, h), gdi::HDC(0));
        QCOMPARE(tavResSrv40::OutstandingRequests(), 0);
    }
};

QTEST_MAIN(TestSuiteDrawing)
#include "tst_suite_drawing.moc"
