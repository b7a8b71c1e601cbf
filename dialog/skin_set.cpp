#include "dialog/skin_set.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace dialog {

namespace {

QString WithSeparator(const QString& folder) { return folder.endsWith(u'/') ? folder : folder + u'/'; }

bool HoldsSkins(const QString& folder) {
    return !folder.isEmpty() && QFileInfo::exists(folder + QString::fromLatin1(SkinFileNames()[0]));
}

// The folder of the program that hosts the dialog; the library installs beside it
// (bin/ on Windows) or in a sibling of it (lib/ next to bin/), so the skins' share
// folder lies one level up from here in either layout.
QString ProgramFolder() {
    if (QCoreApplication::instance() == nullptr) return {};
    return QCoreApplication::applicationDirPath();
}

}  // namespace

QString ShippedSkinsFolder() {
    static const QString folder = [] {
        const QString program = ProgramFolder();
        const QString candidates[] = {
            program.isEmpty() ? QString() : WithSeparator(program + QStringLiteral("/../share/tavkonv40/skins")),
            WithSeparator(QStringLiteral(TAVKONV40_SKINS_INSTALL_DIR)),
            WithSeparator(QStringLiteral(TAVKONV40_SKINS_SOURCE_DIR)),
        };
        for (const QString& c : candidates)
            if (HoldsSkins(c)) return QDir::cleanPath(c) + u'/';
        return WithSeparator(QStringLiteral(TAVKONV40_SKINS_SOURCE_DIR));
    }();
    return folder;
}

QImage LoadSkinPicture(const QString& bitmapFolder, const char* name) {
    const QString file = QString::fromLatin1(name);
    if (!bitmapFolder.isEmpty()) {
        QImage picture(bitmapFolder + file);
        if (!picture.isNull()) return picture;
    }
    return QImage(ShippedSkinsFolder() + file);
}

}  // namespace dialog
