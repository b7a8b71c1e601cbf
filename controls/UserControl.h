// UserControl: base of every skinned control's behaviour, free of any window
// system.  What only a window system has, the control asks of its host
// through a ControlSite; the host hands it window messages (WindowProc).
//
// The host creates the control with its ambient properties, then either
// calls InitProperties (a new instance) or ReadProperties (a stored one).
// Saving goes through WriteProperties.
#pragma once

#include "controls/ControlSite.h"
#include "controls/PropertyBag.h"
#include "controls/property_table.h"

#include <functional>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>

// Whether the host is designing the form or running it.
enum class HostMode { Design, Run };

// Ambient properties of the host.
struct Ambient {
    HostMode Mode = HostMode::Run;
    std::u16string DisplayName;  // the name the host gives this instance
    gdi::Font Font;              // the host's font
    // Whether the host can list the form's controls (its parent-controls
    // list); when it cannot, controls fall back to their container's children.
    bool EnumeratesParentControls = true;
};

// Properties the host adds to every control ("extender" properties).
struct Extender {
    std::optional<bool> Default;  // empty: this host has no Default property
    std::u16string ToolTipText;
    bool Cancel = false;  // the form's Escape reaches this control
};

// Whether a subclassed message's handler replaces the window's own processing.
enum class MessageResponse { Consume, Preprocess };

class UserControl : public LateBound {
  public:
    UserControl(ControlSite& site, Ambient ambient);
    ~UserControl() override;
    UserControl(const UserControl&) = delete;
    UserControl& operator=(const UserControl&) = delete;

    // Whether the control's window takes the keyboard focus; its host reads this as it makes
    // the window.
    enum class Focus { Takes, Refused };
    static constexpr Focus kFocus = Focus::Takes;

    const ::Ambient& AmbientProperties() const { return m_ambient; }
    bool UserMode() const { return m_ambient.Mode == HostMode::Run; }
    ::Extender& ExtenderProperties() { return m_extender; }
    const ::Extender& ExtenderProperties() const { return m_extender; }

    // Lifecycle, called by the host.
    virtual void InitProperties() = 0;
    virtual void ReadProperties(const PropertyBag& bag) = 0;
    virtual void WriteProperties(PropertyBag& bag) const = 0;
    // The host changed an ambient property.
    void SetAmbient(const ::Ambient& ambient);

    // A window message from the host (see ControlSite.h for which arrive).
    virtual winmsg::LRESULT WindowProc(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) = 0;
    // Asked for each subclassed message before WindowProc.
    virtual MessageResponse MsgResponse(winmsg::UINT) { return MessageResponse::Preprocess; }

    // LateBound: no late-bound properties unless a control has some.
    std::optional<std::int64_t> NumberProperty(std::string_view) const override { return std::nullopt; }
    bool SetFlagProperty(std::string_view, bool) override { return false; }

    // Raised when a property changed and should be saved.
    std::function<void(const char* name)> PropertyChanged;

    // ---- access keys and default / cancel ----
    // The host hands the control a key of its form: one of the access keys it
    // asked for (ControlSite::SetAccessKeys), Enter (13) when the extender
    // makes it the form's Default control, Escape (27) when its Cancel control.
    virtual void AccessKeyPress(char16_t) {}

  protected:
    ControlSite& Site() const { return m_site; }
    virtual void AmbientChanged() {}
    void MarkChanged(const char* name) {
        if (PropertyChanged) PropertyChanged(name);
    }
    winmsg::MouseParameters MouseParametersOf(winmsg::UINT message, winmsg::WPARAM wParam, winmsg::LPARAM lParam) const;
    // The client rectangle (0, 0)-(width, height).
    gdi::RECT ClientRect() const;
    bool ClientContains(int x, int y) const;

    // Sets the property held in `member` of control `C` through the row of
    // C::Properties() that holds it (its rule), and marks it changed when
    // it is stored.
    template <class C, class T, class M>
    void SetProperty(T M::*member, std::type_identity_t<T> value) {
        auto& self = static_cast<C&>(*this);
        if (const char* name =
                property_table::Set(self, C::Properties(), static_cast<T C::*>(member), std::move(value)))
            MarkChanged(name);
    }

  private:
    ControlSite& m_site;
    ::Ambient m_ambient;
    ::Extender m_extender;
};
