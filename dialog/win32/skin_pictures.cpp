#include "dialog/win32/skin_pictures.h"

#include "controls/suite/bmp_image.h"

#include "platform/windows_text.h"

#include <cstdio>
#include <string>
#include <vector>

namespace dialog::win32 {

namespace {

std::wstring BitmapsPath() {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, L"Software\\Korvath\\Nexaria40\\Props", L"Bitmaps_Path", RRF_RT_REG_SZ,
                       nullptr, value, &size) != ERROR_SUCCESS)
        return {};
    return value;
}

// The installer puts the library in x86\ or x64\ and the pictures in skins\ beside those.
std::wstring ShippedSkinsFolder(HINSTANCE module) {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder + L"..\\skins\\";
}

gdi::Image ReadBmp(const std::wstring& file) {
    std::FILE* f = ::_wfopen(file.c_str(), L"rb");
    if (f == nullptr) return {};
    std::vector<unsigned char> bytes;
    unsigned char chunk[4096];
    for (std::size_t got; (got = std::fread(chunk, 1, sizeof chunk, f)) > 0;)
        bytes.insert(bytes.end(), chunk, chunk + got);
    std::fclose(f);
    return bmp_image::Decode(bytes);
}

}  // namespace

gdi::Image LoadSkinPicture(SkinFile file, HINSTANCE module) {
    const std::wstring name = tavkonv40::windows::widen(SkinFileName(file));
    if (const std::wstring configured = BitmapsPath(); !configured.empty())
        if (gdi::Image picture = ReadBmp(configured + name); !picture.IsNull()) return picture;
    return ReadBmp(ShippedSkinsFolder(module) + name);
}

}  // namespace dialog::win32
