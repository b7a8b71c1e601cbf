// DllRegisterServer and DllUnregisterServer. Registering writes, under HKEY_CLASSES_ROOT, the
// class (CLSID\{...} with InprocServer32 = this DLL's path, ThreadingModel Apartment, its ProgID
// and type library), the ProgID tavKonv40.clsPropPage pointing back to the class, and the type
// library (TypeLib\{...} and Interface\{...}, written by the system's RegisterTypeLib).
// Unregistering removes exactly those keys; a registration that fails half-way is taken back.
#include "com/com_error.h"
#include "com/server.h"
#include "com/tavKonv40_idl.h"

#include "platform/windows_text.h"

#include <olectl.h>

#include <string>

namespace com {

namespace {

constexpr const wchar_t* kProgId = L"tavKonv40.clsPropPage";
constexpr const wchar_t* kClassName = L"clsPropPage";

std::wstring GuidText(REFGUID guid) {
    wchar_t text[40];
    ::StringFromGUID2(guid, text, 40);
    return text;
}

std::string KeyName(const std::wstring& key) { return "HKEY_CLASSES_ROOT\\" + tavkonv40::windows::narrow(key); }

[[noreturn]] void Fail(LSTATUS status, const std::string& what) {
    throw ComFailure(HRESULT_FROM_WIN32(static_cast<DWORD>(status)),
                     what + ": " + tavkonv40::windows::systemMessage(static_cast<DWORD>(status)));
}

// Sets the string value `name` (nullptr: the key's default value) of HKCR\`key`.
void SetValue(const std::wstring& key, const wchar_t* name, const std::wstring& value) {
    HKEY handle = nullptr;
    LSTATUS status = ::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                       KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (status != ERROR_SUCCESS) Fail(status, "could not create " + KeyName(key));
    const auto bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
    status = ::RegSetValueExW(handle, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
    ::RegCloseKey(handle);
    if (status != ERROR_SUCCESS) Fail(status, "could not write " + KeyName(key));
}

// The default value of HKCR\`key`, empty when there is none.
std::wstring DefaultValue(const std::wstring& key) {
    wchar_t text[64] = {};
    DWORD size = sizeof text - sizeof(wchar_t);
    if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS)
        return {};
    return text;
}

void DeleteTree(const std::wstring& key) {
    const LSTATUS status = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) Fail(status, "could not remove " + KeyName(key));
}

constexpr SYSKIND kSysKind = sizeof(void*) == 8 ? SYS_WIN64 : SYS_WIN32;

void RegisterTypeLibrary(const std::wstring& path) {
    ITypeLib* library = nullptr;
    HRESULT hr = ::LoadTypeLibEx(path.c_str(), REGKIND_NONE, &library);
    if (FAILED(hr))
        throw ComFailure(SELFREG_E_TYPELIB,
                         "the type library in " + tavkonv40::windows::narrow(path) + " could not be read");
    hr = ::RegisterTypeLib(library, const_cast<LPOLESTR>(path.c_str()), nullptr);
    library->Release();
    if (FAILED(hr)) throw ComFailure(SELFREG_E_TYPELIB, "the system refused to register the type library");
}

void Unregister() {
    const std::wstring clsid = GuidText(CLSID_clsPropPage);
    // Another program's ProgID of the same name is not ours to remove.
    if (DefaultValue(std::wstring(kProgId) + L"\\CLSID") == clsid) DeleteTree(kProgId);
    DeleteTree(L"CLSID\\" + clsid);
    const HRESULT hr = ::UnRegisterTypeLib(LIBID_tavKonv40, 1, 0, LOCALE_NEUTRAL, kSysKind);
    if (FAILED(hr) && hr != TYPE_E_REGISTRYACCESS && hr != TYPE_E_LIBNOTREGISTERED)
        throw ComFailure(SELFREG_E_TYPELIB, "the system refused to unregister the type library");
}

void Register() {
    const std::wstring path = ModulePath();
    const std::wstring clsid = GuidText(CLSID_clsPropPage);
    const std::wstring classKey = L"CLSID\\" + clsid;
    SetValue(classKey, nullptr, kClassName);
    SetValue(classKey + L"\\InprocServer32", nullptr, path);
    SetValue(classKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment");
    SetValue(classKey + L"\\ProgID", nullptr, kProgId);
    SetValue(classKey + L"\\TypeLib", nullptr, GuidText(LIBID_tavKonv40));
    SetValue(classKey + L"\\VERSION", nullptr, L"1.0");
    SetValue(kProgId, nullptr, kClassName);
    SetValue(std::wstring(kProgId) + L"\\CLSID", nullptr, clsid);
    RegisterTypeLibrary(path);
}

}  // namespace

}  // namespace com

STDAPI DllRegisterServer() {
    return com::Guarded(IID_NULL, "tavKonv40.dll could not be registered", [] {
        try {
            com::Register();
        } catch (...) {
            try {
                com::Unregister();  // nothing half-written stays behind
            } catch (...) {}
            throw;
        }
        return S_OK;
    });
}

STDAPI DllUnregisterServer() {
    return com::Guarded(IID_NULL, "tavKonv40.dll could not be unregistered", [] {
        com::Unregister();
        return S_OK;
    });
}
