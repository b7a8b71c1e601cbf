// QtUserControl: the old base of the skinned controls that are not yet
// written against ControlSite (the button, the list box and its scroll bar,
// the scroll bar and the text box).  Each IS a Qt widget: its properties
// are Qt types and its events Qt signals.  Controls leave it one by one for
// UserControl and a host in controls/qt/ and controls/win32/.
//
// The host (a form, the gallery, a test) creates the control with its
// ambient properties, then either calls InitProperties (a new instance) or
// ReadProperties (a stored one).  Saving goes through WriteProperties.
#pragma once

#include "controls/UserControl.h"
#include "controls/qt/bag_values_qt.h"

#include <QFont>
#include <QWidget>

#include <optional>
#include <type_traits>
#include <utility>

// Ambient properties of the host, in Qt types.
struct QtAmbient {
    HostMode Mode = HostMode::Run;
    QString DisplayName;  // the name the host gives this instance
    QFont Font;           // the host's font
    // Whether the host can list the form's controls (its parent-controls
    // list); when it cannot, controls fall back to their container's children.
    bool EnumeratesParentControls = true;
};

// Properties the host adds to every control ("extender" properties).
struct QtExtender {
    std::optional<bool> Default;  // empty: this host has no Default property
    QString ToolTipText;
};

class QtUserControl : public QWidget {
    Q_OBJECT
  public:
    explicit QtUserControl(QWidget* parent = nullptr, QtAmbient ambient = {});

    const ::QtAmbient& AmbientProperties() const { return m_ambient; }
    bool UserMode() const { return m_ambient.Mode == HostMode::Run; }
    ::QtExtender& ExtenderProperties() { return m_extender; }
    const ::QtExtender& ExtenderProperties() const { return m_extender; }

    // Lifecycle, called by the host.
    virtual void InitProperties() = 0;
    virtual void ReadProperties(const PropertyBag& bag) = 0;
    virtual void WriteProperties(PropertyBag& bag) const = 0;
    // The host changed an ambient property.
    void SetAmbient(const ::QtAmbient& ambient);

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
    ::QtAmbient m_ambient;
    ::QtExtender m_extender;
};
