// The COM boundary: no C++ exception may cross it. A failure becomes an HRESULT, with error
// info (IErrorInfo, and so EXCEPINFO for late-bound callers) whose text says what failed and why.
#pragma once

#include <windows.h>

#include <new>
#include <stdexcept>
#include <string>

namespace com {

// A failure with an HRESULT of its own (a refused registry write, a missing type library).
class ComFailure : public std::runtime_error {
  public:
    ComFailure(HRESULT code, const std::string& message) : std::runtime_error(message), m_code(code) {}
    HRESULT code() const { return m_code; }

  private:
    HRESULT m_code;
};

// Sets the thread's error info to "`doing`: `cause`" for interface `iid` and returns `code`.
HRESULT ReportFailure(REFIID iid, HRESULT code, const std::string& doing, const std::string& cause);

// Runs `body` (which returns an HRESULT); whatever it throws is reported as above.
template <typename Body>
HRESULT Guarded(REFIID iid, const char* doing, Body&& body) noexcept {
    try {
        return body();
    } catch (const ComFailure& e) {
        return ReportFailure(iid, e.code(), doing, e.what());
    } catch (const std::bad_alloc&) {
        return ReportFailure(iid, E_OUTOFMEMORY, doing, "not enough memory");
    } catch (const std::exception& e) {
        return ReportFailure(iid, E_FAIL, doing, e.what());
    } catch (...) {
        return ReportFailure(iid, E_UNEXPECTED, doing, "an unexpected internal failure");
    }
}

}  // namespace com
