#include "com/class_factory.h"

#include "com/com_error.h"
#include "com/prop_page.h"
#include "com/server.h"

namespace com {

ClassFactory::ClassFactory() { ObjectMade(); }
ClassFactory::~ClassFactory() { ObjectGone(); }

HRESULT ClassFactory::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    if (::IsEqualIID(iid, IID_IUnknown) || ::IsEqualIID(iid, IID_IClassFactory)) {
        *out = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG ClassFactory::AddRef() { return ++m_refs; }

ULONG ClassFactory::Release() {
    const ULONG left = --m_refs;
    if (left == 0) delete this;
    return left;
}

HRESULT ClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
    if (out == nullptr) return E_POINTER;
    *out = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    return Guarded(iid, "A clsPropPage object could not be made", [&] {
        auto* page = new PropPage;
        const HRESULT hr = page->QueryInterface(iid, out);
        page->Release();
        return hr;
    });
}

HRESULT ClassFactory::LockServer(BOOL lock) {
    com::LockServer(lock != FALSE);
    return S_OK;
}

}  // namespace com
