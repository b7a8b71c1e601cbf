#include "platform/qt/folder_chooser.h"

#include <QFileDialog>

namespace platform_qt {

namespace {

FolderChooser& Installed() {
    static FolderChooser chooser;
    return chooser;
}

}  // namespace

QString BrowseForFolder(QWidget* owner, const QString& text, const QString& initial) {
    if (Installed()) return Installed()(owner, text, initial);
    return QFileDialog::getExistingDirectory(owner, text, initial, QFileDialog::ShowDirsOnly);
}

FolderChooser SetFolderChooser(FolderChooser chooser) {
    FolderChooser previous = std::move(Installed());
    Installed() = std::move(chooser);
    return previous;
}

}  // namespace platform_qt
