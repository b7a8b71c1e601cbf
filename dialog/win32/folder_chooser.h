// The folder chooser of the Win32 form: the shell's, opened at the folder the box holds, with
// the model's text over its tree. Behind a function type, so that a test can stand in for the
// shell's window, which waits for a person.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

namespace dialog::win32 {

// The chosen folder (UTF-8), or nothing when the chooser was cancelled.
using FolderChooser =
    std::function<std::optional<std::string>(HWND owner, const std::string& text, const std::string& startFolder)>;

std::optional<std::string> ShellFolderChooser(HWND owner, const std::string& text, const std::string& startFolder);

}  // namespace dialog::win32
