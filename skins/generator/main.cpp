// Writes the dialog's skin pictures into a folder:
//   tavkonv40-skin-generator OUTPUT_FOLDER
#include "skins/generator/dialog_artwork.h"
#include "skins/generator/gif_writer.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[1]);
        return 1;
    }
    int failures = 0;
    for (const auto& picture : dialog_artwork::Pictures()) {
        const QImage image = picture.paint();
        const QString path = out.filePath(QString::fromLatin1(picture.fileName));
        const bool ok = picture.format == dialog_artwork::FileFormat::Gif
                            ? gif_writer::Save(image, path)
                            : image.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
        std::printf("%-24s %4d x %-4d %s\n", picture.fileName, image.width(), image.height(), ok ? "" : "FAILED");
        if (!ok) ++failures;
    }
    return failures == 0 ? 0 : 1;
}
