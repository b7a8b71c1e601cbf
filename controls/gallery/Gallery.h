// The gallery's section table.
//
// A section shows one control.  Build() fills the section's page with
// controls; Drive() then brings them into the states to show, with real mouse
// and keyboard events (the window is shown by then).  Sections register
// themselves with a static GallerySectionRegistrar in their own file and are
// shown in `order`.
#pragma once

#include "controls/qt/QtAmbient.h"
#include "controls/qt/bag_values_qt.h"

#include <QGridLayout>
#include <QPixmap>
#include <QString>
#include <QWidget>

#include <functional>
#include <vector>

struct GallerySection {
    QString title;
    int order = 0;
    std::function<void(QWidget* page)> build;
    std::function<void(QWidget* page)> drive;  // may be empty
};

std::vector<GallerySection>& GallerySections();

struct GallerySectionRegistrar {
    explicit GallerySectionRegistrar(GallerySection section) { GallerySections().push_back(std::move(section)); }
};

namespace gallery {

// Lets timers and queued events run for `ms` milliseconds.
void Settle(int ms = 40);

// Moves the pointer off every control of `page`'s window and lets it settle.
void MoveAway(QWidget* page);

// The grid a section lays its rows of state cells out in.
QGridLayout* CellGrid(QWidget* page);

// Run mode with the gallery's 9-point font in `parent`'s family.
QtAmbient RunAmbient(QWidget* parent);

// A cell that first holds a live control and, once Freeze is called, shows a
// still picture of it instead, so that a passing state (hover, press) stays
// visible next to the others.
class StateCell : public QWidget {
  public:
    StateCell(const QString& label, QWidget* parent = nullptr);
    // The area a live control is put in.
    QWidget* Stage() const { return m_stage; }
    void Freeze(QWidget* control);
    // The same with a picture taken earlier (for a state already left).
    void Freeze(QWidget* control, const QPixmap& still);

  private:
    QWidget* m_stage;
};

}  // namespace gallery
