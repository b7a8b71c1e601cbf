// clsPropPage, the library's public class: its dual interface _clsPropPage, reached through the
// vtable (early binding) or through IDispatch, answered from the type library embedded in the
// DLL (late binding). Failures come with error info (ISupportErrorInfo).
#pragma once

#include "com/tavKonv40_idl.h"

#include <atomic>

namespace com {

class PropPage final : public _clsPropPage, public ISupportErrorInfo {
  public:
    PropPage();
    ~PropPage();
    PropPage(const PropPage&) = delete;
    PropPage& operator=(const PropPage&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID lcid, DISPID* ids) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                                     EXCEPINFO* exception, UINT* badArgument) override;

    // Shows the conversion dialog modally; *result is -1 when a run was cancelled while the
    // dialog object existed, else 0.
    HRESULT STDMETHODCALLTYPE InitConversion(short* result) override;

    HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID iid) override;

  private:
    // The interface's description from the DLL's type library, loaded on first use.
    HRESULT TypeInfo(ITypeInfo** info);

    std::atomic<ULONG> m_refs{1};
    ITypeInfo* m_typeInfo = nullptr;
};

}  // namespace com
