// The form's skin: the pictures it loads from the bitmap folder, the drawing
// handles it takes from the resource server while loaded (released by their
// owners' destructors), and its answers to the skinned controls' requests.
#pragma once

#include "dialog/form_surfaces.h"
#include "dialog/skin_set.h"

#include "controls/clsSkin.h"
#include "controls/suite/gdi.h"

#include <QImage>
#include <QString>

#include <array>

namespace dialog {

struct FormControls;

// A device context from the resource server, released when its owner goes.
class ResourceDc {
  public:
    enum class Kind { Static, Custom };
    ResourceDc() = default;
    ResourceDc(Kind kind, gdi::HDC dc, QString name = {}) : m_kind(kind), m_dc(dc), m_name(std::move(name)) {}
    ~ResourceDc() { reset(); }
    ResourceDc(const ResourceDc&) = delete;
    ResourceDc& operator=(const ResourceDc&) = delete;
    ResourceDc(ResourceDc&& other) noexcept { *this = std::move(other); }
    ResourceDc& operator=(ResourceDc&& other) noexcept;

    gdi::HDC get() const { return m_dc; }
    void reset();

  private:
    Kind m_kind = Kind::Static;
    gdi::HDC m_dc = 0;
    QString m_name;
};

class FormSkins {
  public:
    // Loads every picture (configured folder first, then the shipped one) and registers the
    // panel background and the logo with the resource server.
    void load(const QString& bitmapFolder);
    // The form's own pieces from the resource server, held while the form shows.
    void loadFormPieces();
    // Skins every control, each kind through its requests.
    void apply(FormControls& c);
    // Drops the pictures and gives the handles back.
    void release();

    // Answers to the controls' QuerySkin requests, with the picture applied last.
    void answerCheck(SkinMapInfo& skin, SkinSource& source) const;
    void answerOption(SkinMapInfo& skin, SkinSource& source) const;
    void answerCommand(SkinMapInfo& skin, SkinSource& source) const;
    void answerText(SkinMapInfo& skin, SkinSource& source) const;
    void answerScroll(long resNumber, SkinMapInfo& skin, SkinSource& source) const;

    // What the form paints with.
    FormPictures pictures;

  private:
    const QImage& picture(SkinFile file) const { return m_pictures[static_cast<std::size_t>(file)]; }

    std::array<QImage, kSkinFileCount> m_pictures;
    std::array<QImage, 5> m_current;  // the answers' pictures (the scroll bar uses all five)
    ResourceDc m_panelsDc, m_logoDc, m_formBodyDc, m_formArrowDc;
};

}  // namespace dialog
