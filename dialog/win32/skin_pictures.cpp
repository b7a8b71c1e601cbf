#include "dialog/win32/skin_pictures.h"

#include "controls/suite/bmp_image.h"

#include "platform/windows_text.h"

#include <wincodec.h>

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

// Releases a COM interface at the end of its scope.
template <typename I>
struct Held {
    I* p = nullptr;
    ~Held() {
        if (p != nullptr) p->Release();
    }
};

// The first frame of `file` in 32-bit ARGB, through the Windows Imaging Component; empty when it
// cannot read it. COM is initialised for the call where the thread has not done so.
gdi::Image ReadWithSystemDecoder(const std::wstring& file) {
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    struct ComScope {
        bool owned;
        ~ComScope() {
            if (owned) ::CoUninitialize();
        }
    } scope{SUCCEEDED(com)};
    Held<IWICImagingFactory> factory;
    Held<IWICBitmapDecoder> decoder;
    Held<IWICBitmapFrameDecode> frame;
    Held<IWICFormatConverter> converter;
    UINT width = 0, height = 0;
    if (FAILED(::CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  reinterpret_cast<void**>(&factory.p))) ||
        FAILED(factory.p->CreateDecoderFromFilename(file.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                    &decoder.p)) ||
        FAILED(decoder.p->GetFrame(0, &frame.p)) || FAILED(factory.p->CreateFormatConverter(&converter.p)) ||
        FAILED(converter.p->Initialize(frame.p, GUID_WICPixelFormat32bppBGRA, WICBitmapDitherTypeNone, nullptr, 0.0,
                                       WICBitmapPaletteTypeCustom)) ||
        FAILED(converter.p->GetSize(&width, &height)) || width == 0 || height == 0)
        return {};
    // BGRA bytes are gdi's ARGB words on this little-endian system.
    gdi::Image picture(static_cast<int>(width), static_cast<int>(height));
    const UINT stride = width * 4;
    if (FAILED(
            converter.p->CopyPixels(nullptr, stride, stride * height, reinterpret_cast<BYTE*>(picture.pixels.data()))))
        return {};
    return picture;
}

gdi::Image ReadPicture(const std::wstring& file) {
    if (gdi::Image picture = ReadBmp(file); !picture.IsNull()) return picture;
    return ReadWithSystemDecoder(file);
}

}  // namespace

gdi::Image LoadSkinPicture(SkinFile file, HINSTANCE module) {
    const std::wstring name = tavkonv40::windows::widen(SkinFileName(file));
    if (const std::wstring configured = BitmapsPath(); !configured.empty())
        if (gdi::Image picture = ReadPicture(configured + name); !picture.IsNull()) return picture;
    return ReadPicture(ShippedSkinsFolder(module) + name);
}

}  // namespace dialog::win32
