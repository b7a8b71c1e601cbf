// A 32-bit COM host for tavKonv40.dll under Wine, run by scripts/ci-com.sh.
//
//   com_host test DLL          the checks below; "FAIL: ..." lines and exit 1 when one fails
//   com_host close SECONDS     posts WM_CLOSE to the dialog's window once it shows (exit 1 when
//                              it does not within SECONDS), for a script that shows it
//   com_host run FOLDER        drives the dialog by clicks and keys posted to its controls: ticks
//                              the first suite row, switches to the Microsoft tab, selects all of
//                              it, types FOLDER into the folder box, runs and closes;
//                              InitConversion must return 0
//   com_host where             for a script that clicks as a person would: the open dialog's
//                              client area, the suite panel and the controls it uses, one "name
//                              x y width height enabled" line each, in screen pixels
//   com_host cancel FOLDER     the same on a form of its own, with FOLDER from a stand-in folder
//                              chooser ("..."), and Cancel pressed as the run starts;
//                              InitConversion must return -1
//
// The dialog is closed from inside its own modal loop by a thread timer of this host, which
// also records what the window looked like and what the host's window was meanwhile.
// The controls' headers (in form_windows.h) come before windows.h.
#include "dialog/win32/form_windows.h"

#include "com/tavKonv40_idl.h"

#include "dialog/form_geometry.h"
#include "dialog/win32/frmProps.h"
#include "dialog/win32/message_loop.h"

#include "platform/windows_text.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <functional>
#include <optional>
#include <string>

namespace {

using dialog::win32::kFormCaption;

int g_failures = 0;

void Expect(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok" : "FAIL", what.c_str());
    std::fflush(stdout);
    if (!ok) ++g_failures;
}

std::string Hex(HRESULT hr) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
    return text;
}

// ---- closing the dialog from inside its loop --------------------------------------------------

enum class CloseBy { CloseMessage, AltF4, Quit };

struct Closer {
    CloseBy how = CloseBy::CloseMessage;
    std::function<void()> whileOpen;  // run once the window shows, before it is closed
    bool seen = false;
    bool hostDisabled = false;
    RECT client{};
};
Closer* g_closer = nullptr;
HWND g_host = nullptr;

void CALLBACK CloseWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND form = ::FindWindowW(nullptr, kFormCaption);
    if (form == nullptr || g_closer == nullptr || g_closer->seen) return;
    ::KillTimer(nullptr, timer);
    Closer& c = *g_closer;
    c.seen = true;
    c.hostDisabled = !::IsWindowEnabled(g_host);
    ::GetClientRect(form, &c.client);
    if (c.whileOpen) c.whileOpen();
    switch (c.how) {
        case CloseBy::CloseMessage: ::PostMessageW(form, WM_CLOSE, 0, 0); break;
        case CloseBy::AltF4: ::PostMessageW(form, WM_SYSKEYDOWN, VK_F4, 0x203E0001); break;  // Alt held
        case CloseBy::Quit: ::PostQuitMessage(7); break;
    }
}

// Calls `show` (which calls InitConversion) with the closer armed; checks what every opening
// must be: the caption found, the client area at the design size, the host disabled meanwhile
// and enabled and active again afterwards.
void ShowAndClose(const std::string& name, Closer closer, const std::function<short()>& show) {
    g_closer = &closer;
    ::SetTimer(nullptr, 0, 20, CloseWhenShown);
    const short result = show();
    g_closer = nullptr;
    Expect(closer.seen, name + ": a window captioned '" + "Nexaria Version 4.0 GUID Conversion Utility' showed");
    if (!closer.seen) return;
    const long width = closer.client.right, height = closer.client.bottom;
    Expect(width == dialog::geometry::kDesignWidth && height == dialog::geometry::kDesignHeight,
           name + ": client area 748 x 778, got " + std::to_string(width) + " x " + std::to_string(height));
    Expect(closer.hostDisabled, name + ": the host's window was disabled while the dialog showed");
    Expect(::IsWindowEnabled(g_host) && ::GetActiveWindow() == g_host,
           name + ": the host's window is enabled and active again");
    Expect(::FindWindowW(nullptr, kFormCaption) == nullptr, name + ": the dialog's window is gone");
    Expect(result == 0, name + ": InitConversion returned 0 (no run cancelled), got " + std::to_string(result));
}

std::string ErrorInfoText() {
    IErrorInfo* info = nullptr;
    if (::GetErrorInfo(0, &info) != S_OK || info == nullptr) return "(no error info)";
    BSTR text = nullptr;
    info->GetDescription(&text);
    info->Release();
    std::string out;
    for (const wchar_t* p = text; p != nullptr && *p != 0; ++p) out += static_cast<char>(*p < 128 ? *p : '?');
    ::SysFreeString(text);
    return out;
}

bool Says(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// ---- the checks ---------------------------------------------------------------------------------

void EarlyBinding() {
    _clsPropPage* page = nullptr;
    HRESULT hr = ::CoCreateInstance(CLSID_clsPropPage, nullptr, CLSCTX_INPROC_SERVER, IID__clsPropPage,
                                    reinterpret_cast<void**>(&page));
    Expect(SUCCEEDED(hr), "early binding: CoCreateInstance by CLSID (" + Hex(hr) + ")");
    if (FAILED(hr)) return;
    Closer closer;
    closer.whileOpen = [&] {  // a second opening while the first shows is refused, with its reason
        short again = 5;
        const HRESULT nested = page->InitConversion(&again);
        const std::string text = ErrorInfoText();
        Expect(FAILED(nested) && Says(text, "could not be shown: it is open already"),
               "early binding: a nested InitConversion fails (" + Hex(nested) + ", '" + text + "')");
    };
    ShowAndClose("early binding, WM_CLOSE", closer, [&] {
        short result = 5;
        const HRESULT call = page->InitConversion(&result);
        Expect(call == S_OK, "early binding: InitConversion succeeded (" + Hex(call) + ")");
        return result;
    });
    // The form loads anew at every opening; the dialog object stays. Alt+F4 reaches the form as
    // the system menu's Close does (WM_SYSCOMMAND SC_CLOSE).
    Closer byAltF4;
    byAltF4.how = CloseBy::AltF4;
    ShowAndClose("early binding, Alt+F4", byAltF4, [&] {
        short result = 5;
        page->InitConversion(&result);
        return result;
    });
    page->Release();
}

void LateBinding() {
    CLSID clsid{};
    HRESULT hr = ::CLSIDFromProgID(L"tavKonv40.clsPropPage", &clsid);
    Expect(SUCCEEDED(hr) && ::IsEqualCLSID(clsid, CLSID_clsPropPage), "late binding: the ProgID names the class");
    IDispatch* page = nullptr;
    hr = ::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&page));
    Expect(SUCCEEDED(hr), "late binding: CoCreateInstance by ProgID for IDispatch (" + Hex(hr) + ")");
    if (FAILED(hr)) return;
    LPOLESTR name = const_cast<LPOLESTR>(L"InitConversion");
    DISPID id = 0;
    hr = page->GetIDsOfNames(IID_NULL, &name, 1, LOCALE_USER_DEFAULT, &id);
    Expect(SUCCEEDED(hr), "late binding: GetIDsOfNames(InitConversion) (" + Hex(hr) + ")");
    LPOLESTR unknown = const_cast<LPOLESTR>(L"Convert");
    DISPID unknownId = 0;
    Expect(page->GetIDsOfNames(IID_NULL, &unknown, 1, LOCALE_USER_DEFAULT, &unknownId) == DISP_E_UNKNOWNNAME,
           "late binding: an unknown name is DISP_E_UNKNOWNNAME");
    const auto invoke = [&](VARIANT& result, EXCEPINFO& exception) {
        DISPPARAMS none{};
        ::VariantInit(&result);
        exception = EXCEPINFO{};
        return page->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, &result, &exception, nullptr);
    };
    Closer closer;
    closer.how = CloseBy::Quit;  // the host's WM_QUIT ends the dialog and is handed back
    closer.whileOpen = [&] {
        VARIANT nested;
        EXCEPINFO exception;
        const HRESULT call = invoke(nested, exception);
        Expect(call == DISP_E_EXCEPTION && exception.bstrDescription != nullptr &&
                   std::wcsstr(exception.bstrDescription, L"it is open already") != nullptr,
               "late binding: a nested Invoke fails with DISP_E_EXCEPTION and the reason (" + Hex(call) + ")");
        ::SysFreeString(exception.bstrDescription);
        ::SysFreeString(exception.bstrSource);
        ::SysFreeString(exception.bstrHelpFile);
    };
    ShowAndClose("late binding, the host's WM_QUIT", closer, [&] {
        VARIANT result;
        EXCEPINFO exception;
        const HRESULT call = invoke(result, exception);
        Expect(call == S_OK && result.vt == VT_I2, "late binding: Invoke gives a 16-bit integer (" + Hex(call) + ")");
        return result.vt == VT_I2 ? result.iVal : short{5};
    });
    MSG quit;
    Expect(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 7,
           "late binding: the WM_QUIT is still there for the host's own loop");
    page->Release();
}

// The process's GDI and USER object counts; {0, 0} where the system does not keep them.
struct GuiCounts {
    DWORD gdi = 0, user = 0;
    bool operator==(const GuiCounts&) const = default;
};
GuiCounts Counts() {
    const HANDLE self = ::GetCurrentProcess();
    return {::GetGuiResources(self, GR_GDIOBJECTS), ::GetGuiResources(self, GR_USEROBJECTS)};
}
std::string Text(const GuiCounts& c) { return std::to_string(c.gdi) + " GDI, " + std::to_string(c.user) + " USER"; }

// Loads the DLL, shows and closes the dialog, unloads the DLL: twice, and after each round the
// library, its window class and its objects are gone. Wine's GetGuiResources answers 0 for both
// counts; there the class and the module are the measure.
void LoadUseUnload(const wchar_t* path) {
    const GuiCounts before = Counts();
    for (int round = 1; round <= 2; ++round) {
        const std::string name = "load and unload, round " + std::to_string(round);
        const HMODULE dll = ::LoadLibraryW(path);
        Expect(dll != nullptr, name + ": LoadLibrary");
        if (dll == nullptr) return;
        using GetClassObject = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
        using CanUnloadNow = HRESULT(WINAPI*)();
        const auto get =
            reinterpret_cast<GetClassObject>(reinterpret_cast<void*>(::GetProcAddress(dll, "DllGetClassObject")));
        const auto canUnload =
            reinterpret_cast<CanUnloadNow>(reinterpret_cast<void*>(::GetProcAddress(dll, "DllCanUnloadNow")));
        IClassFactory* factory = nullptr;
        const auto getFactory = [&] {
            return get != nullptr &&
                   SUCCEEDED(get(CLSID_clsPropPage, IID_IClassFactory, reinterpret_cast<void**>(&factory)));
        };
        _clsPropPage* page = nullptr;
        if (canUnload == nullptr || !getFactory()) return Expect(false, name + ": DllGetClassObject gave a factory");
        factory->LockServer(TRUE);
        factory->Release();
        Expect(canUnload() == S_FALSE, name + ": a lock alone keeps the library");
        if (!getFactory() ||
            FAILED(factory->CreateInstance(nullptr, IID__clsPropPage, reinterpret_cast<void**>(&page))))
            return Expect(false, name + ": the class factory made a clsPropPage");
        factory->LockServer(FALSE);
        factory->Release();
        Expect(canUnload() == S_FALSE, name + ": a live object alone keeps the library");
        ShowAndClose(name, Closer{}, [&] {
            short result = 5;
            page->InitConversion(&result);
            return result;
        });
        page->Release();
        Expect(canUnload() == S_OK, name + ": DllCanUnloadNow says S_OK once all is released");
        ::FreeLibrary(dll);
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        Expect(::GetModuleHandleW(path) == nullptr, name + ": the library is unloaded");
        Expect(!::GetClassInfoExW(dll, L"tavKonv40.frmProps", &wc) && !::GetClassInfoExW(dll, L"tavKonv40Control", &wc),
               name + ": its window classes are unregistered");
        const GuiCounts after = Counts();
        if (before == GuiCounts{} && after == GuiCounts{})
            std::printf("note: %s: this system keeps no GDI and USER object counts (GetGuiResources answers 0)\n",
                        name.c_str());
        else
            Expect(after == before,
                   name + ": GDI and USER objects as before (" + Text(before) + " / " + Text(after) + ")");
    }
}

LRESULT CALLBACK CountAppMessages(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == WM_APP) ++*reinterpret_cast<int*>(lp);
    return ::DefWindowProcW(w, m, wp, lp);
}

// The yield a run makes between its steps: what is waiting is handled, then it returns, and a
// WM_QUIT among it is left for the host.
void YieldOnce() {
    int handled = 0;
    WNDCLASSW wc{};
    wc.lpfnWndProc = CountAppMessages;
    wc.lpszClassName = L"com_host.yield";
    ::RegisterClassW(&wc);
    const HWND w = ::CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    for (int i = 0; i < 3; ++i) ::PostMessageW(w, WM_APP, 0, reinterpret_cast<LPARAM>(&handled));
    dialog::win32::YieldOnce();
    Expect(handled == 3, "yield: the three waiting messages were handled, got " + std::to_string(handled));
    dialog::win32::YieldOnce();  // nothing waiting: returns at once
    ::PostQuitMessage(3);
    ::PostMessageW(w, WM_APP, 0, reinterpret_cast<LPARAM>(&handled));
    dialog::win32::YieldOnce();
    MSG quit;
    Expect(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 3,
           "yield: a WM_QUIT is left for the host");
    ::DestroyWindow(w);
}

HWND MakeHostWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.lpszClassName = L"com_host.host";
    ::RegisterClassW(&wc);
    const HWND host = ::CreateWindowW(wc.lpszClassName, L"com_host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300, 200,
                                      nullptr, nullptr, nullptr, nullptr);
    ::SetForegroundWindow(host);
    ::SetActiveWindow(host);
    return host;
}

// A dialog that never shows, or never closes, ends the host rather than the CI job's time.
DWORD WINAPI Watchdog(void* seconds) {
    ::Sleep(static_cast<DWORD>(reinterpret_cast<INT_PTR>(seconds)) * 1000);
    std::printf("FAIL: still running after %d s\n", static_cast<int>(reinterpret_cast<INT_PTR>(seconds)));
    std::fflush(stdout);
    ::ExitProcess(2);
}

int Test(const wchar_t* dll) {
    ::CreateThread(nullptr, 0, Watchdog, reinterpret_cast<void*>(INT_PTR{60}), 0, nullptr);
    g_host = MakeHostWindow();
    Expect(::GetActiveWindow() == g_host, "the host's window is active");
    YieldOnce();
    LoadUseUnload(dll);
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    EarlyBinding();
    LateBinding();
    ::CoFreeUnusedLibrariesEx(0, 0);
    Expect(::GetModuleHandleW(dll) == nullptr, "CoFreeUnusedLibraries unloaded the library");
    ::CoUninitialize();
    std::printf("%s\n", g_failures == 0 ? "all checks passed" : "some checks FAILED");
    return g_failures == 0 ? 0 : 1;
}

// For a script's dialog: closes the window with the dialog's caption once it shows.
int Close(int seconds) {
    for (int waited = 0; waited < seconds * 10; ++waited) {
        if (const HWND form = ::FindWindowW(nullptr, kFormCaption)) {
            ::PostMessageW(form, WM_CLOSE, 0, 0);
            return 0;
        }
        ::Sleep(100);
    }
    std::printf("FAIL: no window captioned '%ls' within %d s\n", kFormCaption, seconds);
    return 1;
}

// ---- a whole run, driven by messages ----------------------------------------------------------

HWND Surface(HWND parent, const wchar_t* name) {
    return parent != nullptr ? ::FindWindowExW(parent, nullptr, L"tavKonv40.FormSurface", name) : nullptr;
}

void Click(HWND window, int x, int y) {
    ::PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
}

HWND ControlById(HWND form, int id);

// Each part of the form (the surfaces, the first option row, the ten command buttons, the folder
// box and the log list) where the shared arrangement puts it at the design size, within a pixel:
// the Qt form is placed from the same boxes. The option commands have no footer window here:
// they lie in the form at the footer's place.
void CheckRectangles(HWND form) {
    using namespace dialog;
    using geometry::kDesignHeight;
    using geometry::kDesignWidth;
    const FormArrangement a = ArrangeForm(kDesignWidth, kDesignHeight, win32::ExplanationHeight);
    const PanelFrameArrangement p = ArrangePanelFrame({0, 0, a.tabFrame.width, a.tabFrame.height});
    const HWND frame = Surface(form, L"XPTabCtrl"), body = Surface(frame, L"PanelBody");
    const HWND suite = Surface(body, L"CTRLContainer_0");
    const auto command = [form](Command c) { return ControlById(form, win32::kCommandId + c); };
    const auto inFooter = [&a](const Box& b) { return Box{a.footer.x + b.x, a.footer.y + b.y, b.width, b.height}; };
    const struct {
        HWND window;
        Box box;
        const char* name;
    } parts[] = {{frame, a.tabFrame, "XPTabCtrl"},
                 {Surface(frame, L"TabHeader"), p.tabHeader, "TabHeader"},
                 {body, p.body, "PanelBody"},
                 {Surface(body, L"tabTitle"), p.panelTitle, "tabTitle"},
                 {Surface(form, L"FolderGroup"), a.group, "FolderGroup"},
                 {suite != nullptr ? ::GetWindow(suite, GW_CHILD) : nullptr,
                  ArrangeSuiteRow(0, win32::CaptionWidth(u"QVButton")).check, "chkProp of the first row"},
                 {command(cmdStart), a.bottomCommands[0], "Start"},
                 {command(cmdCloseCancel), a.bottomCommands[1], "Close"},
                 {command(cmdHelp), a.bottomCommands[2], "Help"},
                 {command(cmdSelectAllSuite), inFooter(a.inFooter.selectAll), "Select All (suite)"},
                 {command(cmdClearAllSuite), inFooter(a.inFooter.clearAll), "Clear All (suite)"},
                 {command(cmdSetAllSuite), inFooter(a.inFooter.setAll), "Set All (suite)"},
                 {command(cmdSelectAllMicrosoft), inFooter(a.inFooter.selectAll), "Select All (Microsoft)"},
                 {command(cmdClearAllMicrosoft), inFooter(a.inFooter.clearAll), "Clear All (Microsoft)"},
                 {command(cmdSetAllMicrosoft), inFooter(a.inFooter.setAll), "Set All (Microsoft)"},
                 {command(cmdBrowse), a.browse, "..."},
                 {ControlById(form, win32::kFolderBoxId), a.folderBox, "txtPath"},
                 {ControlById(form, win32::kLogListId), a.log, "List1"}};
    for (const auto& part : parts) {
        RECT r{};
        ::GetWindowRect(part.window, &r);
        ::MapWindowPoints(nullptr, ::GetParent(part.window), reinterpret_cast<POINT*>(&r), 2);
        const auto within = [](long got, int want) { return got >= want - 1 && got <= want + 1; };
        Expect(part.window != nullptr && within(r.left, part.box.x) && within(r.top, part.box.y) &&
                   within(r.right, part.box.right()) && within(r.bottom, part.box.bottom()),
               std::string("rectangles: ") + part.name + " at " + std::to_string(part.box.x) + "," +
                   std::to_string(part.box.y) + " " + std::to_string(part.box.width) + " x " +
                   std::to_string(part.box.height) + ", got " + std::to_string(r.left) + "," + std::to_string(r.top) +
                   " " + std::to_string(r.right - r.left) + " x " + std::to_string(r.bottom - r.top));
    }
}

struct Search {
    int id;
    HWND found = nullptr;
};
BOOL CALLBACK FindId(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<Search*>(p);
    if (::GetDlgCtrlID(w) == s->id) s->found = w;
    return s->found == nullptr;
}
// The form's control with window id `id`, at whatever depth it lies.
HWND ControlById(HWND form, int id) {
    Search search{id};
    ::EnumChildWindows(form, FindId, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void Press(HWND form, dialog::Command c) { Click(ControlById(form, dialog::win32::kCommandId + c), 12, 10); }

HWND FolderEdit(HWND form) {
    return ::FindWindowExW(ControlById(form, dialog::win32::kFolderBoxId), nullptr, L"Edit", nullptr);
}

struct Driver {
    const wchar_t* folder = nullptr;
    bool cancel = false;  // the folder from "...", and Cancel pressed as the run starts
    int step = 0;
    HWND suite = nullptr, microsoft = nullptr;
};
Driver* g_driver = nullptr;

// One step a tick, so that each step's messages are handled before the next looks.
void CALLBACK DriveForm(HWND, UINT, UINT_PTR, DWORD) {
    Driver& d = *g_driver;
    const HWND form = ::FindWindowW(nullptr, kFormCaption);
    if (form == nullptr) return;
    const HWND frame = Surface(form, L"XPTabCtrl"), body = Surface(frame, L"PanelBody");
    switch (d.step++) {
        case 0: {
            CheckRectangles(form);
            d.suite = Surface(body, L"CTRLContainer_0");
            d.microsoft = Surface(body, L"CTRLContainer_1");
            const HWND firstRow = d.suite != nullptr ? ::GetWindow(d.suite, GW_CHILD) : nullptr;  // Tab order
            Expect(firstRow != nullptr && d.microsoft != nullptr, "run: the panels and their rows are there");
            // Tab from the strip, which has the focus at the opening, reaches the rows first, Shift+Tab
            // Close (Start and Help are disabled), and after the panel's commands the folder box.
            const HWND strip = Surface(frame, L"TabHeader"), box = ControlById(form, dialog::win32::kFolderBoxId);
            const auto command = [&](dialog::Command c) { return ControlById(form, dialog::win32::kCommandId + c); };
            const HWND afterCommands = ::GetNextDlgTabItem(form, command(dialog::cmdSetAllSuite), FALSE);
            Expect(::GetFocus() == strip && ::GetNextDlgTabItem(form, strip, FALSE) == firstRow &&
                       ::GetNextDlgTabItem(form, strip, TRUE) == command(dialog::cmdCloseCancel) &&
                       (afterCommands == box || ::IsChild(box, afterCommands)),
                   "run: the focus starts on the tab strip and Tab follows the screen's order");
            if (firstRow != nullptr) Click(firstRow, 4, 8);
            Click(Surface(frame, L"TabHeader"), dialog::geometry::kTabWidth + 40, 12);
            break;
        }
        case 1:
            Expect(::IsWindowVisible(d.microsoft) && !::IsWindowVisible(d.suite),
                   "run: a click on the second tab shows the Microsoft panel");
            Press(form, dialog::cmdSelectAllMicrosoft);
            if (d.cancel) {
                Press(form, dialog::cmdBrowse);
            } else {
                for (const wchar_t* c = d.folder; *c != 0; ++c) ::PostMessageW(FolderEdit(form), WM_CHAR, *c, 1);
            }
            break;
        case 2: {
            wchar_t shown[MAX_PATH] = {};
            ::GetWindowTextW(FolderEdit(form), shown, MAX_PATH);
            Expect(std::wcscmp(shown, d.folder) == 0, "run: the folder box holds the folder");
            Press(form, dialog::cmdStart);
            if (d.cancel) Press(form, dialog::cmdCloseCancel);  // handled at the run's first yield
            break;
        }
        default:  // Close once the run has ended (Start enabled again)
            if (::IsWindowEnabled(ControlById(form, dialog::win32::kCommandId + dialog::cmdStart)))
                Press(form, dialog::cmdCloseCancel);
            break;
    }
}

int Where() {
    const HWND form = ::FindWindowW(nullptr, kFormCaption);
    if (form == nullptr) return 1;
    const HWND suite = Surface(Surface(Surface(form, L"XPTabCtrl"), L"PanelBody"), L"CTRLContainer_0");
    const struct {
        const char* name;
        HWND window;
    } parts[] = {{"client", form},
                 {"panel", suite},
                 {"check", ::GetWindow(suite, GW_CHILD)},  // the first row's check box
                 {"selectall", ControlById(form, dialog::win32::kCommandId + dialog::cmdSelectAllSuite)},
                 {"folder", FolderEdit(form)},
                 {"start", ControlById(form, dialog::win32::kCommandId + dialog::cmdStart)},
                 {"close", ControlById(form, dialog::win32::kCommandId + dialog::cmdCloseCancel)}};
    for (const auto& part : parts) {
        RECT r{};
        ::GetClientRect(part.window, &r);
        ::MapWindowPoints(part.window, nullptr, reinterpret_cast<POINT*>(&r), 2);
        std::printf("%s %ld %ld %ld %ld %d\n", part.name, r.left, r.top, r.right - r.left, r.bottom - r.top,
                    ::IsWindowEnabled(part.window) ? 1 : 0);
    }
    return 0;
}

int Run(const wchar_t* folder, bool cancel) {
    ::CreateThread(nullptr, 0, Watchdog, reinterpret_cast<void*>(INT_PTR{60}), 0, nullptr);
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    Driver driver{folder, cancel};
    g_driver = &driver;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, DriveForm);
    short result = 5;
    if (cancel) {
        dialog::win32::frmProps form(::GetModuleHandleW(nullptr));
        form.SetFolderChooser([folder](HWND, const std::string&, const std::string&) {
            return std::optional<std::string>(tavkonv40::windows::narrow(folder));
        });
        result = form.InitConversion();
    } else {
        _clsPropPage* page = nullptr;
        const HRESULT hr = ::CoCreateInstance(CLSID_clsPropPage, nullptr, CLSCTX_INPROC_SERVER, IID__clsPropPage,
                                              reinterpret_cast<void**>(&page));
        Expect(SUCCEEDED(hr) && SUCCEEDED(page->InitConversion(&result)), "run: InitConversion (" + Hex(hr) + ")");
        if (page != nullptr) page->Release();
    }
    ::KillTimer(nullptr, timer);
    g_driver = nullptr;
    const short expected = cancel ? -1 : 0;
    Expect(result == expected,
           "run: InitConversion returned " + std::to_string(expected) + ", got " + std::to_string(result));
    ::CoUninitialize();
    std::printf("%s\n", g_failures == 0 ? "all checks passed" : "some checks FAILED");
    return g_failures == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3 && std::wcscmp(argv[1], L"test") == 0) return Test(argv[2]);
    if (argc == 3 && std::wcscmp(argv[1], L"close") == 0) return Close(::_wtoi(argv[2]));
    if (argc == 3 && std::wcscmp(argv[1], L"run") == 0) return Run(argv[2], false);
    if (argc == 3 && std::wcscmp(argv[1], L"cancel") == 0) return Run(argv[2], true);
    if (argc == 2 && std::wcscmp(argv[1], L"where") == 0) return Where();
    std::fprintf(stderr, "usage: com_host test DLL | close SECONDS | run FOLDER | cancel FOLDER | where\n");
    return 2;
}
