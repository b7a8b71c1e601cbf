// Writes the committed skin pictures into a folder:
//   tavkonv40-skin-generator OUTPUT_FOLDER            the dialog's pictures
//   tavkonv40-skin-generator --strips OUTPUT_FOLDER   the controls' built-in strips
#include "skins/generator/dialog_artwork.h"
#include "skins/generator/gif_writer.h"
#include "skins/generator/strip_artwork.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>

namespace {

bool report(const char* fileName, const QImage& image, bool ok) {
    std::printf("%-24s %4d x %-4d %s\n", fileName, image.width(), image.height(), ok ? "" : "FAILED");
    return ok;
}

int writeDialogPictures(const QDir& out) {
    int failures = 0;
    for (const auto& picture : dialog_artwork::Pictures()) {
        const QImage image = picture.paint();
        const QString path = out.filePath(QString::fromLatin1(picture.fileName));
        const bool ok = picture.format == dialog_artwork::FileFormat::Gif
                            ? gif_writer::Save(image, path)
                            : image.convertToFormat(QImage::Format_RGB888).save(path, "BMP");
        if (!report(picture.fileName, image, ok)) ++failures;
    }
    return failures;
}

// Every strip is opaque, so 24-bit BMP keeps it exactly.
int writeStrips(const QDir& out) {
    int failures = 0;
    for (const auto& resource : tavResSrv40::StaticResources()) {
        for (int theme = 0; theme < tavResSrv40::kThemeCount; ++theme) {
            const QImage image = strip_artwork::PaintStrip(resource, theme);
            const std::string name = strip_artwork::FileName(resource.number, theme);
            const QString path = out.filePath(QString::fromStdString(name));
            if (!report(name.c_str(), image, image.convertToFormat(QImage::Format_RGB888).save(path, "BMP")))
                ++failures;
        }
    }
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const bool strips = argc == 3 && std::strcmp(argv[1], "--strips") == 0;
    if (argc != 2 && !strips) {
        std::fprintf(stderr, "usage: %s [--strips] OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[argc - 1]));
    if (!out.exists() && !QDir().mkpath(out.path())) {
        std::fprintf(stderr, "cannot create %s\n", argv[argc - 1]);
        return 1;
    }
    return (strips ? writeStrips(out) : writeDialogPictures(out)) == 0 ? 0 : 1;
}
