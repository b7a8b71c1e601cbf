// The class factory of clsPropPage. Each factory counts as one of the server's objects.
#pragma once

#include <unknwn.h>

#include <atomic>

namespace com {

class ClassFactory final : public IClassFactory {
  public:
    ClassFactory();
    ~ClassFactory();
    ClassFactory(const ClassFactory&) = delete;
    ClassFactory& operator=(const ClassFactory&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

  private:
    std::atomic<ULONG> m_refs{1};
};

}  // namespace com
