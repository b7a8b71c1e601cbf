#include "com/com_error.h"

#include "platform/windows_text.h"

#include <oleauto.h>

namespace com {

namespace {

// Error info is a courtesy: when it cannot be made, the HRESULT alone still tells the host.
void SetErrorInfoText(REFIID iid, const std::wstring& description) noexcept {
    ICreateErrorInfo* create = nullptr;
    if (FAILED(::CreateErrorInfo(&create))) return;
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(L"tavKonv40.clsPropPage"));
    create->SetDescription(const_cast<LPOLESTR>(description.c_str()));
    IErrorInfo* info = nullptr;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info)))) {
        ::SetErrorInfo(0, info);
        info->Release();
    }
    create->Release();
}

}  // namespace

HRESULT ReportFailure(REFIID iid, HRESULT code, const std::string& doing, const std::string& cause) {
    try {
        SetErrorInfoText(iid, tavkonv40::windows::widen(doing + ": " + cause));
    } catch (...) {
        // Out of memory while saying so: the code alone goes back.
    }
    return code;
}

}  // namespace com
