#include "dialog/win32/folder_chooser.h"

#include "platform/windows_text.h"

#include <shlobj.h>

namespace dialog::win32 {

namespace {

struct ChooserStart {
    std::wstring folder;
    std::wstring text;
};

// Once the chooser is up: its caption says what to choose, and the tree opens at the start folder.
int CALLBACK OnChooserEvent(HWND chooser, UINT event, LPARAM, LPARAM data) {
    if (event != BFFM_INITIALIZED) return 0;
    const auto* start = reinterpret_cast<const ChooserStart*>(data);
    ::SetWindowTextW(chooser, start->text.c_str());
    if (!start->folder.empty())
        ::SendMessageW(chooser, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start->folder.c_str()));
    return 0;
}

}  // namespace

std::optional<std::string> ShellFolderChooser(HWND owner, const std::string& text, const std::string& startFolder) {
    using tavkonv40::windows::narrow;
    using tavkonv40::windows::widen;
    ChooserStart start{widen(startFolder), widen(text)};
    BROWSEINFOW info{};
    info.hwndOwner = owner;
    info.lpszTitle = start.text.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = OnChooserEvent;
    info.lParam = reinterpret_cast<LPARAM>(&start);
    PIDLIST_ABSOLUTE chosen = ::SHBrowseForFolderW(&info);
    if (chosen == nullptr) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool onDisk = ::SHGetPathFromIDListW(chosen, path) != FALSE;
    ::CoTaskMemFree(chosen);  // the shell's list is the caller's to free
    if (!onDisk) return std::nullopt;
    return narrow(path);
}

}  // namespace dialog::win32
