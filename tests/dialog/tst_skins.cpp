// The skin folder setting, the shipped pictures and the fall-back when a
// picture is missing or broken; the GIF writer the set is made with.
#include "tests/dialog/dialog_test_support.h"

#include "skins/generator/gif_writer.h"
#include "dialog/skin_set.h"

#include "controls/suite/tavResSrv40.h"

#include <QFile>
#include <QImage>

using namespace dialog_test;

class SkinsTest : public QObject {
    Q_OBJECT
    IsolatedSettings m_settings;

  private slots:
    void init() { m_settings.Clear(); }

    void bitmapsPathLimits() {
        QCOMPARE(platform_qt::ReadBitmapsPath(), QString());
        const QString fits = QStringLiteral("/") + QString(198, u'a');
        platform_qt::WriteBitmapsPath(fits);
        QCOMPARE(platform_qt::ReadBitmapsPath(), fits);
        platform_qt::WriteBitmapsPath(fits + u'b');
        QCOMPARE(platform_qt::ReadBitmapsPath(), QString());
        const QString accented = QStringLiteral("/") + QString(198, u'\u00e9');  // 199 characters
        platform_qt::WriteBitmapsPath(accented);
        QCOMPARE(platform_qt::ReadBitmapsPath(), accented);
    }

    void shippedSetIsComplete() {
        using enum dialog::SkinFile;
        const std::pair<dialog::SkinFile, QSize> strips[] = {
            {Check, {13, 156}},      {Option, {13, 156}},     {MacButtons, {48, 192}}, {ScrollButtons, {17, 272}},
            {ScrollGlyph, {9, 144}}, {ScrollShaft, {17, 68}}, {ScrollThumb, {17, 88}}, {ScrollThumbGlyph, {8, 32}}};
        for (const char* name : dialog::SkinFileNames())
            QVERIFY2(!QImage(dialog::ShippedSkinsFolder() + QString::fromLatin1(name)).isNull(), name);
        for (const auto& [file, size] : strips)
            QCOMPARE(QImage(dialog::ShippedSkinsFolder() + QString::fromLatin1(dialog::SkinFileName(file))).size(),
                     size);
    }

    // A picture comes from the skin folder setting, else from the shipped folder.  The
    // dialog opens and looks the same with a missing skin folder as with none
    // configured, and gives every skin resource back when it closes.
    void picturesFromTheSettingElseShippedAndTheDialogFallsBack() {
        QTemporaryDir mine;
        QImage red(13, 156, QImage::Format_RGB32);
        red.fill(QColor(200, 0, 0));
        QVERIFY(red.save(mine.filePath(QStringLiteral("Check.bmp")), "BMP"));
        QFile broken(mine.filePath(QStringLiteral("MacButtons.bmp")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        const QString folder = mine.path() + u'/';
        QCOMPARE(dialog::LoadSkinPicture(folder, "Check.bmp").pixelColor(5, 5), QColor(200, 0, 0));
        const QImage shipped(dialog::ShippedSkinsFolder() + QStringLiteral("MacButtons.bmp"));
        QCOMPARE(dialog::LoadSkinPicture(folder, "MacButtons.bmp"), shipped);
        QVERIFY(dialog::LoadSkinPicture(folder, "NoSuch.bmp").isNull());

        auto openAndGrab = [] {
            QImage picture;
            WithOpenDialog([&](QWidget* w) { picture = w->grab().toImage(); });
            return picture;
        };
        const int before = tavResSrv40::OutstandingRequests();
        const QImage standard = openAndGrab();
        QVERIFY(!standard.isNull());
        QCOMPARE(tavResSrv40::OutstandingRequests(), before);
        platform_qt::WriteBitmapsPath(QStringLiteral("/no/such/folder/"));
        QCOMPARE(openAndGrab(), standard);

        platform_qt::WriteBitmapsPath(folder);
        WithOpenDialog([](QWidget* w) {
            QWidget* chk = Find(w, "chkProp", 0);
            QCOMPARE(chk->grab().toImage().pixelColor(6, chk->height() / 2), QColor(200, 0, 0));
        });
    }

    void gifWriterRoundTrip() {
        QImage image(16, 16, QImage::Format_RGB32);  // 256 colours, the most a GIF holds
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                image.setPixel(x, y, qRgb((x * 7) % 256, (y * 23) % 256, (x * y) % 256));
        const auto bytes = gif_writer::Encode(image);
        QVERIFY(bytes.has_value());
        const QImage back = QImage::fromData(*bytes, "GIF").convertToFormat(QImage::Format_RGB32);
        QCOMPARE(back, image);

        QImage many(300, 1, QImage::Format_RGB32);
        for (int x = 0; x < 300; ++x) many.setPixel(x, 0, qRgb(x % 256, x / 256, 0));
        QVERIFY(!gif_writer::Encode(many).has_value());
    }
};

QTEST_MAIN(SkinsTest)
#include "tst_skins.moc"
