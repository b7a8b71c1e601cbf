// The folder chooser, behind a seam.
//
// By default a modal directory dialog opens.  A test or a batch host installs
// a chooser (ScopedFolderChooser) that answers at once, so nothing blocks.
#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform_qt {

// owner, instruction text (the dialog's title), initially selected folder ->
// the chosen folder, or the empty string when the user cancelled.
using FolderChooser = std::function<QString(QWidget* owner, const QString& text, const QString& initial)>;

QString BrowseForFolder(QWidget* owner, const QString& text, const QString& initial);

// Installs `chooser` (an empty one restores the real dialog); returns the previous one.
FolderChooser SetFolderChooser(FolderChooser chooser);

class ScopedFolderChooser {
  public:
    explicit ScopedFolderChooser(FolderChooser chooser) : m_previous(SetFolderChooser(std::move(chooser))) {}
    ~ScopedFolderChooser() { SetFolderChooser(std::move(m_previous)); }
    ScopedFolderChooser(const ScopedFolderChooser&) = delete;
    ScopedFolderChooser& operator=(const ScopedFolderChooser&) = delete;

  private:
    FolderChooser m_previous;
};

}  // namespace platform_qt
