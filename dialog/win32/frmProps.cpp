// The controls' headers (in form_windows.h) come before windows.h.
#include "dialog/win32/form_windows.h"
#include "dialog/win32/frmProps.h"

#include "controls/suite/win32/gdi_win32.h"
#include "dialog/form_arrangement.h"
#include "dialog/init_conversion.h"
#include "dialog/win32/message_loop.h"
#include "dialog/win32/run_display.h"
#include "dialog/win32/skin_pictures.h"

#include "platform/disk_file_system.h"
#include "platform/regional_clock.h"

#include "platform/windows_text.h"

#include <stdexcept>
#include <string>

namespace dialog::win32 {

namespace {

constexpr const wchar_t* kWindowClass = L"tavKonv40.frmProps";
constexpr DWORD kStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;

[[noreturn]] void FailLast(const std::string& what) {
    const DWORD error = ::GetLastError();
    throw std::runtime_error(
        what + (error == 0 ? std::string(" (no reason given)") : ": " + tavkonv40::windows::systemMessage(error)));
}

void RegisterWindowClass(HINSTANCE module, WNDPROC proc) {
    WNDCLASSEXW known{};
    known.cbSize = sizeof known;
    if (::GetClassInfoExW(module, kWindowClass, &known)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = module;
    wc.hCursor = ::LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW, shared: nothing to free
    wc.lpszClassName = kWindowClass;
    if (::RegisterClassExW(&wc) == 0) FailLast("Windows refused to register the dialog's window class");
}

// The window's outer rectangle: the shared placement on the work area of the monitor under the
// cursor, the frame's extra size from the window's own styles.  The placement is made in logical
// units (the work area at the screen's scale) and its client size given in device pixels.
RECT FormRect() {
    RECT frame{0, 0, 0, 0};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    POINT cursor{0, 0};
    ::GetCursorPos(&cursor);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    RECT work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (::GetMonitorInfoW(::MonitorFromPoint(cursor, MONITOR_DEFAULTTONEAREST), &monitor)) work = monitor.rcWork;
    const double scale = gdi::DeviceScale(0);
    const auto logical = [scale](LONG device) { return gdi::win32::ToLogical(device, scale); };
    const auto device = [scale](int units) { return gdi::win32::ToDevice(units, scale); };
    const LONG frameWidth = frame.right - frame.left, frameHeight = frame.bottom - frame.top;
    const WindowPlacement p = PlaceFormWindow(
        {logical(work.left), logical(work.top), logical(work.right - work.left), logical(work.bottom - work.top)},
        logical(frameWidth), logical(frameHeight), MinimumFormWidth(), MinimumFormHeight(ExplanationHeight));
    RECT r{device(p.x), device(p.y), device(p.x) + device(p.clientWidth) + frameWidth,
           device(p.y) + device(p.clientHeight) + frameHeight};
    // Rounded back to device pixels, a placement that fills the work area may pass its edge by one.
    if (scale != 1.0 && r.right == work.right + 1) --r.right;
    if (scale != 1.0 && r.bottom == work.bottom + 1) --r.bottom;
    return r;
}

}  // namespace

frmProps::frmProps(HINSTANCE module) : m_module(module) {}

frmProps::~frmProps() {
    if (m_window != nullptr) ::DestroyWindow(m_window);
}

std::int16_t frmProps::InitConversion() {
    if (m_window != nullptr) throw std::runtime_error("it is open already");
    RegisterWindowClass(m_module, WindowProc);
    const ScreenResolutionAware aware;  // outlives the window
    HostWindowDisabled host;
    Form_Load();
    m_host = &host;
    ::ShowWindow(m_window, SW_SHOW);
    ::UpdateWindow(m_window);
    RunModalLoop(m_window, [this](HWND focused) { Panel_FocusIn(focused); });
    m_host = nullptr;
    // The loop also ends on the host's WM_QUIT, with the form still there.
    if (m_window != nullptr) ::DestroyWindow(m_window);
    host.restore();
    return InitConversionResult(m_model);
}

void frmProps::UnregisterWindowClass(HINSTANCE module) {
    ::UnregisterClassW(kWindowClass, module);
    SurfaceWindow::UnregisterWindowClass(module);
}

void frmProps::Form_Load() {
    m_model.loadDefaults();
    const RECT r = FormRect();
    ::SetLastError(0);
    m_window = ::CreateWindowExW(kExStyle, kWindowClass, kFormCaption, kStyle, r.left, r.top, r.right - r.left,
                                 r.bottom - r.top, nullptr, nullptr, m_module, this);
    if (m_window == nullptr) FailLast("Windows refused to create the dialog's window");
    m_form = std::make_unique<FormWindows>();
    m_shownPanel = Panel::Suite;
    BuildFormWindows(*m_form, m_window, Ambient{HostMode::Run, {}, Win32FormFont(), true});
    m_display = std::make_unique<RunDisplay>(m_form->List1->Control(), [this] { RepaintStatus(); });
    m_form->pictures = FormPicturesFrom([this](SkinFile f) { return LoadSkinPicture(f, m_module); });
    WireForm();
    m_form->checkStrip = LoadSkinPicture(SkinFile::Check, m_module);
    m_form->optionStrip = LoadSkinPicture(SkinFile::Option, m_module);
    m_form->buttonStrip = LoadSkinPicture(SkinFile::MacButtons, m_module);
    m_form->textBorder = LoadSkinPicture(SkinFile::TextBorder, m_module);
    for (std::size_t i = 0; i < m_form->scrollPictures.size(); ++i)
        m_form->scrollPictures[i] = LoadSkinPicture(
            static_cast<SkinFile>(static_cast<int>(SkinFile::ScrollButtons) + static_cast<int>(i)), m_module);
    SkinControls(*m_form);
    m_model.setOnChange([this] { Render(); });
    Render();
    Form_Resize();
}

void frmProps::Form_Unload() {
    m_model.setOnChange({});
    m_display.reset();  // it shows the run in the form's log list
    m_form.reset();
    m_window = nullptr;
    m_lastFocus = nullptr;
}

LRESULT CALLBACK frmProps::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        auto* loading = static_cast<frmProps*>(create->lpCreateParams);
        loading->m_window = window;
        ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(loading));
    }
    auto* form = reinterpret_cast<frmProps*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (form == nullptr || form->m_window == nullptr) return ::DefWindowProcW(window, message, wParam, lParam);
    return form->OnMessage(message, wParam, lParam);
}

LRESULT frmProps::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        // The close box, Alt+F4 and the system menu's Close all come here; a run is stopped by
        // Cancel, never cut off.
        case WM_CLOSE:
            if (m_model.running()) return 0;
            if (m_host != nullptr) m_host->enable();
            ::DestroyWindow(m_window);
            return 0;
        case WM_DESTROY: Form_Unload(); return 0;
        case WM_ERASEBKGND: return 1;  // the paint covers every pixel
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = ::BeginPaint(m_window, &ps);
            if (m_form) PaintComposed(m_window, dc, Underneath::Nothing, m_form->paintForm);
            ::EndPaint(m_window, &ps);
            return 0;
        }
        case WM_PRINTCLIENT:
            if (m_form) PaintComposed(m_window, reinterpret_cast<HDC>(wParam), Underneath::Nothing, m_form->paintForm);
            return 0;
        case WM_SIZE: Form_Resize(); return 0;
        // The focus goes with the window's activation: the control that had it when another
        // window was activated has it again when the form is, as in a system dialog, and the
        // first time the first stop of the Tab order, the tab strip, has it (the system's own
        // default would give it to the form's window, which shows none, and the first Tab
        // would pass over the strip).
        case WM_ACTIVATE: {
            if (LOWORD(wParam) == WA_INACTIVE) {
                const HWND focused = ::GetFocus();
                if (focused != nullptr && ::IsChild(m_window, focused)) m_lastFocus = focused;
                return 0;
            }
            if (m_lastFocus == nullptr && m_form) m_lastFocus = m_form->TabHeader->Handle();
            if (HIWORD(wParam) == 0 && m_lastFocus != nullptr && ::IsWindow(m_lastFocus) &&
                ::IsWindowVisible(m_lastFocus) && ::IsWindowEnabled(m_lastFocus))
                ::SetFocus(m_lastFocus);
            else
                ::DefWindowProcW(m_window, message, wParam, lParam);
            return 0;
        }
        // The wheel comes to the focus and up through its parents: over the option panel it
        // scrolls the panel, wherever the focus is.
        case WM_MOUSEWHEEL: {
            POINT cursor{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            RECT body{};
            if (m_form) ::GetWindowRect(m_form->panelBody->Handle(), &body);
            if (m_form && ::PtInRect(&body, cursor)) Panel_Wheel(static_cast<short>(HIWORD(wParam)));
            return 0;
        }
        case WM_GETMINMAXINFO: {
            const Box least =
                DeviceBox({0, 0, MinimumFormWidth(), MinimumFormHeight(ExplanationHeight)}, Scale(m_window));
            RECT frame{0, 0, least.width, least.height};
            ::AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
            auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
            limits->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
            return 0;
        }
        default: return ::DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void frmProps::cmd_Click(Command command) {
    switch (m_model.press(command)) {
        case CommandEffect::StartRun: Start(); break;
        case CommandEffect::CloseDialog:
            if (m_host != nullptr) m_host->enable();
            ::DestroyWindow(m_window);
            break;
        case CommandEffect::ChooseFolder: BrowseFolder(); break;
        case CommandEffect::None: break;
    }
}

void frmProps::Start() {
    tavkonv40::DiskFileSystem fs;
    tavkonv40::RegionalClock clock;
    struct WaitCursor {
        HCURSOR previous = ::SetCursor(::LoadCursorW(nullptr, MAKEINTRESOURCEW(32514)));  // IDC_WAIT, shared
        ~WaitCursor() { ::SetCursor(previous); }
    } wait;
    m_model.start(RunServices{fs, *m_display, clock});
}

void frmProps::BrowseFolder() {
    if (!m_chooseFolder) return;
    if (const auto chosen = m_chooseFolder(m_window, DialogModel::folderChooserText(), m_model.folder()))
        m_model.setFolder(*chosen);
}

// The run empties the status at its end: the strip shows it at once, not at the next paint.
void frmProps::RepaintStatus() {
    if (m_form == nullptr) return;
    const Box& s = m_form->arrangement.status;
    const Box d = DeviceBox({s.x, s.y - 2, s.width, s.height + 4}, Scale(m_window));
    const RECT strip{d.x, d.y, d.right(), d.bottom()};
    ::InvalidateRect(m_window, &strip, FALSE);
    ::UpdateWindow(m_window);
}

}  // namespace dialog::win32
