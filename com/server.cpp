// The DLL's entry points: DllMain, DllGetClassObject and DllCanUnloadNow (registration is in
// registration.cpp).
#include "com/server.h"

#include "com/class_factory.h"
#include "com/com_error.h"
#include "com/tavKonv40_idl.h"

#include "platform/windows_text.h"

#include <atomic>

namespace com {

namespace {

HINSTANCE g_module = nullptr;
std::atomic<long> g_objects{0};  // class factories and clsPropPage objects alive
std::atomic<long> g_locks{0};    // IClassFactory::LockServer
dialog::win32::frmProps* g_dialog = nullptr;

}  // namespace

HINSTANCE Module() { return g_module; }

std::wstring ModulePath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(g_module, path.data(), static_cast<DWORD>(path.size()));
        if (n == 0) {
            const DWORD error = ::GetLastError();
            throw ComFailure(HRESULT_FROM_WIN32(error),
                             "the library's own path is unknown: " + tavkonv40::windows::systemMessage(error));
        }
        if (n < path.size()) return path.substr(0, n);
        path.resize(path.size() * 2);
    }
}

void ObjectMade() { ++g_objects; }
void ObjectGone() { --g_objects; }
void LockServer(bool lock) { lock ? ++g_locks : --g_locks; }

dialog::win32::frmProps& DialogObject() {
    if (g_dialog == nullptr) g_dialog = new dialog::win32::frmProps(g_module);
    return *g_dialog;
}

}  // namespace com

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH) {
        com::g_module = module;
        ::DisableThreadLibraryCalls(module);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Unloaded while the process goes on (not at its exit, when the system reclaims all):
        // the dialog object and the form's window class go with the library.
        delete com::g_dialog;
        com::g_dialog = nullptr;
        dialog::win32::frmProps::UnregisterWindowClass(module);
    }
    return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (!::IsEqualCLSID(clsid, CLSID_clsPropPage)) return CLASS_E_CLASSNOTAVAILABLE;
    return com::Guarded(iid, "The clsPropPage class factory could not be made", [&] {
        auto* factory = new com::ClassFactory;
        const HRESULT hr = factory->QueryInterface(iid, out);
        factory->Release();
        return hr;
    });
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return com::g_objects == 0 && com::g_locks == 0 ? S_OK : S_FALSE; }
