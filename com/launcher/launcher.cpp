// tavkonv40-gui.exe: shows the conversion dialog by creating the registered clsPropPage and
// calling InitConversion, exactly as a Visual Basic 6 program does. Its exit status is 0 when the
// dialog was shown and closed, 1 when it could not be shown (a message box says why).
#include "com/tavKonv40_idl.h"

#include <windows.h>

#include <string>

namespace {

constexpr const wchar_t* kTitle = L"tavKonv40 Conversion Utility";

// The system's text for an HRESULT, without its trailing line end; the code in hex when the
// system has none.
std::wstring SystemText(HRESULT hr) {
    wchar_t* text = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, static_cast<DWORD>(hr), 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result = length > 0 ? std::wstring(text, length) : std::wstring();
    if (text != nullptr) ::LocalFree(text);
    while (!result.empty() && (result.back() == L'\r' || result.back() == L'\n' || result.back() == L' '))
        result.pop_back();
    wchar_t code[16];
    ::wsprintfW(code, L"0x%08lX", static_cast<unsigned long>(hr));
    return result.empty() ? std::wstring(L"error ") + code : result + L" (" + code + L")";
}

// The description the library left for its caller, if any.
std::wstring ErrorDescription() {
    IErrorInfo* info = nullptr;
    std::wstring text;
    if (::GetErrorInfo(0, &info) == S_OK && info != nullptr) {
        BSTR description = nullptr;
        if (SUCCEEDED(info->GetDescription(&description)) && description != nullptr)
            text.assign(description, ::SysStringLen(description));
        ::SysFreeString(description);
        info->Release();
    }
    return text;
}

int Fail(const std::wstring& message) {
    ::MessageBoxW(nullptr, message.c_str(), kTitle, MB_OK | MB_ICONERROR);
    return 1;
}

int ShowDialog() {
    _clsPropPage* page = nullptr;
    const HRESULT created = ::CoCreateInstance(CLSID_clsPropPage, nullptr, CLSCTX_INPROC_SERVER, IID__clsPropPage,
                                               reinterpret_cast<void**>(&page));
    if (created == REGDB_E_CLASSNOTREG)
        return Fail(
            L"The conversion dialog is not registered on this computer (class tavKonv40.clsPropPage). "
            L"Installing tavKonv40 again registers it.");
    if (FAILED(created))
        return Fail(L"The conversion dialog could not be loaded from tavKonv40.dll: " + SystemText(created));
    short result = 0;
    const HRESULT shown = page->InitConversion(&result);
    const std::wstring description = FAILED(shown) ? ErrorDescription() : std::wstring();
    page->Release();
    if (FAILED(shown))
        return Fail(description.empty() ? L"The conversion dialog could not be shown: " + SystemText(shown)
                                        : description);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const HRESULT initialised = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (FAILED(initialised)) return Fail(L"COM could not be started: " + SystemText(initialised));
    const int status = ShowDialog();
    ::CoUninitialize();
    return status;
}
