#include "dialog/form_skins.h"

#include "dialog/control_skins.h"
#include "dialog/form_controls.h"

#include "controls/PropertyBag.h"
#include "controls/modSkinConstants.h"
#include "controls/suite/qt/gdi_qt.h"
#include "controls/suite/tavGFX40.h"
#include "controls/suite/tavResSrv40.h"

namespace dialog {

namespace {

// Custom resources registered with the resource server while the form is loaded.
const QString kResPanelsBG = QStringLiteral("CVPanelsBG");
const QString kResLogo = QStringLiteral("CVLogo");

// Skin pictures use black as their "not drawn" colour.
gdi::Image Masked(const QImage& image) { return tavGFX40::MaskedImage(gdi::qt::FromQImage(image), 0); }

// What a resource DC holds, masked; null for no DC.
gdi::Image MaskedDcPicture(gdi::HDC dc) {
    const QImage* image = dc != 0 ? gdi::qt::DcImage(dc) : nullptr;
    return image != nullptr ? Masked(*image) : gdi::Image();
}

ResourceDc CustomDc(const QImage& picture, const QString& name) {
    int w = 0, h = 0;
    return ResourceDc(ResourceDc::Kind::Custom,
                      tavResSrv40::GetCustomResDc(gdi::qt::FromQImage(picture), gdi::qt::Text(name), w, h), name);
}

template <typename Fn>
void ForEachOption(FormControls& c, Fn fn) {
    for (OptWidget* o : c.chkPropTo40) fn(o);
    for (OptWidget* o : c.chkPropTo4L) fn(o);
    for (OptWidget* o : c.chkVBPropTo40) fn(o);
    for (OptWidget* o : c.chkVBPropTo4L) fn(o);
}

}  // namespace

// ---- ResourceDc -----------------------------------------------------------------------------------

ResourceDc& ResourceDc::operator=(ResourceDc&& other) noexcept {
    if (this != &other) {
        reset();
        m_kind = other.m_kind;
        m_dc = other.m_dc;
        m_name = std::move(other.m_name);
        other.m_dc = 0;
    }
    return *this;
}

void ResourceDc::reset() {
    if (m_dc == 0) return;
    if (m_kind == Kind::Custom)
        tavResSrv40::ReleaseCustomResDc(gdi::qt::Text(m_name));
    else
        tavResSrv40::ReleaseStaticResDc(m_dc);
    m_dc = 0;
}

// ---- loading and releasing ----------------------------------------------------------------------------

void FormSkins::load(const QString& bitmapFolder) {
    for (std::size_t i = 0; i < m_pictures.size(); ++i)
        m_pictures[i] = LoadSkinPicture(bitmapFolder, SkinFileNames()[i]);
    pictures = FormPicturesFrom([this](SkinFile f) { return gdi::qt::FromQImage(picture(f)); });
    // The folder group's frame and the logo are the resource server's while the form is loaded.
    m_panelsDc = CustomDc(picture(SkinFile::PanelsBG), kResPanelsBG);
    m_logoDc = CustomDc(picture(SkinFile::Logo), kResLogo);
    pictures.panels = MaskedDcPicture(m_panelsDc.get());
    pictures.logo = MaskedDcPicture(m_logoDc.get());
}

void FormSkins::loadFormPieces() {
    using namespace modSkinConstants;
    if (m_formBodyDc.get() == 0)
        m_formBodyDc = ResourceDc(ResourceDc::Kind::Static, tavResSrv40::GetStaticResDc(resButtonStyle0, 0));
    if (m_formArrowDc.get() == 0)
        m_formArrowDc = ResourceDc(ResourceDc::Kind::Static, tavResSrv40::GetStaticResDc(resDropArrowStyle0, 0));
}

void FormSkins::release() {
    m_panelsDc.reset();
    m_logoDc.reset();
    m_formBodyDc.reset();
    m_formArrowDc.reset();
    pictures = {};
    for (auto& p : m_pictures) p = QImage();
    for (auto& p : m_current) p = QImage();
}

// ---- applying ----------------------------------------------------------------------------------------

// Each kind of control is skinned from element 0 of the answers' pictures (the scroll bar from
// elements 0 to 4), answered in its QuerySkin.
void FormSkins::apply(FormControls& c) {
    m_current[0] = picture(SkinFile::TextBorder);
    c.txtPath->Control().ApplyCustomSkin();

    // The option rows stand on the panel's striped picture: check boxes and option buttons let it
    // show through instead of painting a face of their own.
    for (CHKBOXWidget* chk : c.chkProp) chk->Control().SetBackStyle(CHKBOX::bsTransparent);
    for (CHKBOXWidget* chk : c.chkVBProp) chk->Control().SetBackStyle(CHKBOX::bsTransparent);
    ForEachOption(c, [](OptWidget* o) { o->Control().SetBackStyle(Opt::bsTransparent); });

    m_current[0] = picture(SkinFile::Check);
    for (CHKBOXWidget* chk : c.chkProp) chk->Control().ApplyCustomSkin();
    for (CHKBOXWidget* chk : c.chkVBProp) chk->Control().ApplyCustomSkin();

    m_current[0] = picture(SkinFile::Option);
    ForEachOption(c, [](OptWidget* o) { o->Control().ApplyCustomSkin(); });

    m_current[0] = picture(SkinFile::MacButtons);
    for (BTNWidget* b : c.cmd) {
        b->Control().ApplyCustomSkin();
        b->Control().ApplyCustomLayout();
    }

    m_current[0] = picture(SkinFile::ScrollButtons);
    m_current[1] = picture(SkinFile::ScrollGlyph);
    m_current[2] = picture(SkinFile::ScrollShaft);
    m_current[3] = picture(SkinFile::ScrollThumb);
    m_current[4] = picture(SkinFile::ScrollThumbGlyph);
    c.VS->Control().ApplyCustomSkin();
}

// ---- answers ------------------------------------------------------------------------------------------

void FormSkins::answerCheck(SkinMapInfo& skin, SkinSource& source) const {
    AnswerControlSkin(SkinFile::Check, gdi::qt::FromQImage(m_current[0]), skin, source);
}

void FormSkins::answerOption(SkinMapInfo& skin, SkinSource& source) const {
    AnswerControlSkin(SkinFile::Option, gdi::qt::FromQImage(m_current[0]), skin, source);
}

void FormSkins::answerCommand(SkinMapInfo& skin, SkinSource& source) const {
    AnswerControlSkin(SkinFile::MacButtons, gdi::qt::FromQImage(m_current[0]), skin, source);
}

void FormSkins::answerText(SkinMapInfo& skin, SkinSource& source) const {
    AnswerControlSkin(SkinFile::TextBorder, gdi::qt::FromQImage(m_current[0]), skin, source);
}

void FormSkins::answerScroll(long resNumber, SkinMapInfo& skin, SkinSource& source) const {
    ScrollPictures scroll;
    for (std::size_t i = 0; i < scroll.size(); ++i) scroll[i] = gdi::qt::FromQImage(m_current[i]);
    AnswerScrollSkin(resNumber, scroll, skin, source);
}

}  // namespace dialog
