#include "platform/qt/folder_chooser.h"

#include <QDir>
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
    // With an empty folder box the chooser starts at the top of the user's own folders, not in
    // whatever folder the program was started from.
    return QFileDialog::getExistingDirectory(owner, text, initial.isEmpty() ? QDir::homePath() : initial,
                                             QFileDialog::ShowDirsOnly);
}

FolderChooser SetFolderChooser(FolderChooser chooser) {
    FolderChooser previous = std::move(Installed());
    Installed() = std::move(chooser);
    return previous;
}

}  // namespace platform_qt
