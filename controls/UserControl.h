// Base of every skinned control: what a control learns from its host.
//
// The host (a form, the gallery, a test) creates the control with its
// ambient properties, then either calls InitProperties (a new instance) or
// ReadProperties (a stored one).  Saving goes through WriteProperties.
#pragma once

#include "controls/PropertyBag.h"
#include "controls/property_table.h"

#include <QFont>
#include <QWidget>

#include <optional>
#include <type_traits>
#include <utility>

// Whether the host is designing the form or running it.
enum class HostMode { Design, Run };

// Ambient properties of the host.
struct Ambient {
    HostMode Mode = HostMode::Run;
    QString DisplayName;  // the name the host gives this instance
    QFont Font;           // the host's font
    // Whether the host can list the form's controls (its parent-controls
    // list); when it cannot, controls fall back to their container's children.
    bool EnumeratesParentControls = true;
};

// Properties the host adds to every control ("extender" properties).
struct Extender {
    std::optional<bool> Default;  // empty: this host has no Default property
    QString ToolTipText;
};

class UserControl : public QWidget {
    Q_OBJECT
  public:
    explicit UserControl(QWidget* parent = nullptr, Ambient ambient = {});

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

  signals:
    // A property changed and should be saved.
    void PropertyChanged(const QString& name);

  protected:
    virtual void AmbientChanged() {}
    void MarkChanged(const char* name) { emit PropertyChanged(QString::fromLatin1(name)); }

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
    ::Ambient m_ambient;
    ::Extender m_extender;
};
