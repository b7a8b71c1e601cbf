#include "com/prop_page.h"

#include "com/com_error.h"
#include "com/server.h"

namespace com {

PropPage::PropPage() { ObjectMade(); }

PropPage::~PropPage() {
    if (m_typeInfo != nullptr) m_typeInfo->Release();
    ObjectGone();
}

HRESULT PropPage::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IDispatch) || ::IsEqualIID(iid, IID__clsPropPage))
        *out = static_cast<_clsPropPage*>(this);
    else if (::IsEqualIID(iid, IID_ISupportErrorInfo))
        *out = static_cast<ISupportErrorInfo*>(this);
    else {
        *out = nullptr;
        return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
}

ULONG PropPage::AddRef() { return ++m_refs; }

ULONG PropPage::Release() {
    const ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
}

HRESULT PropPage::TypeInfo(ITypeInfo** info) {
    if (m_typeInfo == nullptr) {
        const HRESULT hr = Guarded(IID__clsPropPage, "The type library of clsPropPage could not be loaded", [&] {
            ITypeLib* library = nullptr;
            HRESULT loaded = ::LoadTypeLibEx(ModulePath().c_str(), REGKIND_NONE, &library);
            if (FAILED(loaded)) return loaded;
            loaded = library->GetTypeInfoOfGuid(IID__clsPropPage, &m_typeInfo);
            library->Release();
            return loaded;
        });
        if (FAILED(hr)) return hr;
    }
    m_typeInfo->AddRef();
    *info = m_typeInfo;
    return S_OK;
}

HRESULT PropPage::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) return E_POINTER;
    *count = 1;
    return S_OK;
}

HRESULT PropPage::GetTypeInfo(UINT index, LCID, ITypeInfo** info) {
    if (info == nullptr) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return TypeInfo(info);
}

HRESULT PropPage::GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
    if (!::IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    HRESULT hr = TypeInfo(&info);
    if (FAILED(hr)) return hr;
    hr = ::DispGetIDsOfNames(info, names, count, ids);
    info->Release();
    return hr;
}

HRESULT PropPage::Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                         EXCEPINFO* exception, UINT* badArgument) {
    if (!::IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* info = nullptr;
    HRESULT hr = TypeInfo(&info);
    if (FAILED(hr)) return hr;
    // The type library calls the vtable; a failure there comes back with its error info in
    // *exception (DISP_E_EXCEPTION).
    ::SetErrorInfo(0, nullptr);
    hr = info->Invoke(static_cast<_clsPropPage*>(this), id, flags, params, result, exception, badArgument);
    info->Release();
    return hr;
}

HRESULT PropPage::InitConversion(short* result) {
    if (result == nullptr) return E_POINTER;
    *result = 0;
    return Guarded(IID__clsPropPage, "The conversion dialog could not be shown", [&] {
        *result = DialogObject().InitConversion();
        return S_OK;
    });
}

HRESULT PropPage::InterfaceSupportsErrorInfo(REFIID iid) {
    return ::IsEqualIID(iid, IID__clsPropPage) ? S_OK : S_FALSE;
}

}  // namespace com
