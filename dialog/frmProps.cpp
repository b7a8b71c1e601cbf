#include "frmProps.h"

#include "dialog_options.h"
#include "dialog_run_host.h"

#include "code_declarations.h"
#include "conversion_run.h"
#include "disk_file_system.h"
#include "file_session.h"
#include "microsoft_controls.h"

#include "folder_chooser.h"
#include "settings.h"

#include "modSkinConstants.h"
#include "suite/gdi.h"
#include "suite/tavGFX40.h"
#include "suite/tavResSrv40.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <qdrawutil.h>

#include <functional>

using namespace dialog;
using tavkonv40::kFamilyCount;
using tavkonv40::kMicrosoftOptionCount;

namespace {

// ---- design geometry (pixels; the design client area is 11220 x 11670 twips) -------------
constexpr int kTwipsPerPixel = 15;
constexpr QSize kDesignSize(11220 / kTwipsPerPixel, 11670 / kTwipsPerPixel);  // 748 x 778
constexpr int kMargin = 10;
constexpr int kTabCtrlTop = 72;
constexpr int kTabCtrlDesignHeight = 441;
constexpr int kTabHeaderHeight = 26;
constexpr int kTabTitleHeight = 30;  // also the panels' resting top
constexpr int kTabWidth = 155;       // the two tabs span 0-155 and 155-311
constexpr int kScrollWidth = 17;
constexpr int kBelowTabCtrl = kDesignSize.height() - kTabCtrlTop - kTabCtrlDesignHeight;  // 265
constexpr int kMinTabCtrlHeight = 150;

// Option rows.
constexpr int kPanelHeaderHeight = 20;
constexpr int kSuiteRowPitch = 17;
constexpr int kSuiteRowsPerColumn = (kFamilyCount + 1) / 2;
constexpr int kMicrosoftRowPitch = 24;
constexpr int kCheckWidth = 200;
constexpr int kOption40X = 222;
constexpr int kOption4LX = 262;
constexpr int kOptionWidth = 16;
constexpr int kSuitePanelHeight = 4 + kPanelHeaderHeight + kSuiteRowsPerColumn * kSuiteRowPitch + 4;
constexpr int kMicrosoftPanelHeight = 4 + kPanelHeaderHeight + kMicrosoftOptionCount * kMicrosoftRowPitch + 4;

// The panel needs its scroll bar below these heights.
constexpr int kSuiteScrollThreshold = 240;
constexpr int kMicrosoftScrollThreshold = 345;

// The families offered only as 4.0: their check box leaves the option pair alone,
// and "Set All To 4.0L" skips their rows.
bool Only40(const tavkonv40::FamilyRecord* family) {
    return family != nullptr && family->offers40L == tavkonv40::Offers40L::No;
}

// The option panels' face where no background picture is loaded.
const QColor kPanelFace(240, 243, 248);

const QString kSetAllTo4L = QStringLiteral("Set All To 4.0L");
const QString kSetAllTo40 = QStringLiteral("Set All To 4.0");
const QString kSuitePanelName = QStringLiteral("Nexaria Controls");
const QString kMicrosoftPanelName = QStringLiteral("Microsoft Controls");

// Custom resources registered with the resource server while the form is loaded.
const QString kResPanelsBG = QStringLiteral("CVPanelsBG");
const QString kResLogo = QStringLiteral("CVLogo");

// Skin pictures use black as their "not drawn" colour.
QPixmap Masked(const QImage& image) { return QPixmap::fromImage(tavGFX40::MaskedImage(image, 0)); }

// What a resource DC holds, masked; null for no DC.
QPixmap MaskedDcPicture(gdi::HDC dc) {
    const QImage* image = dc != 0 ? gdi::DcImage(dc) : nullptr;
    return image != nullptr ? Masked(*image) : QPixmap();
}

// A window or picture box whose painting and mouse handling belong to the form.
class FormWidget : public QWidget {
public:
    using QWidget::QWidget;
    std::function<void(QPainter&)> onPaint;
    std::function<void(QMouseEvent*)> onMouseDown;
    std::function<void()> onResize;

protected:
    void paintEvent(QPaintEvent*) override {
        if (!onPaint) return;
        QPainter p(this);
        onPaint(p);
    }
    void mousePressEvent(QMouseEvent* e) override {
        if (onMouseDown) onMouseDown(e);
    }
    void resizeEvent(QResizeEvent*) override {
        if (onResize) onResize();
    }
};

class FormWindow : public QDialog {
public:
    FormWindow() : QDialog(nullptr) {}
    std::function<void(QPainter&)> onPaint;
    std::function<void()> onResize;
    std::function<void()> onActivate;
    std::function<bool()> mayClose;

    void reject() override {
        if (!mayClose || mayClose()) QDialog::reject();
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        if (onPaint) onPaint(p);
    }
    void resizeEvent(QResizeEvent*) override {
        if (onResize) onResize();
    }
    void closeEvent(QCloseEvent* e) override {
        if (mayClose && !mayClose()) e->ignore();
        else QDialog::closeEvent(e);
    }
    bool event(QEvent* e) override {
        if (e->type() == QEvent::WindowActivate && onActivate) onActivate();
        return QDialog::event(e);
    }
};

// The option panels' background: the tiled picture, else the plain face.
void PaintPanelBackground(QPainter& p, const QRect& r, const QPixmap& picture) {
    if (!picture.isNull()) p.drawTiledPixmap(r, picture);
    else p.fillRect(r, kPanelFace);
}

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

// The loaded form: its window, its controls and what they are drawn with.
struct frmProps::Form {
    FormWindow window;
    FormControls c;
    Ambient ambient;
    FormWidget* panelBody = nullptr;  // clips the scrolling panels below the title
    std::array<QWidget*, 2> footer{};  // explanatory label and option commands per panel
    QWidget* group = nullptr;          // the folder and log group
    DialogOptions options{c};
    DialogRunHost host;
    // Skin pieces held while loaded.
    QPixmap transBG, tabBG, tabHeaderConv, tabTitle, tabHeaderBG, panelBackground;
    gdi::HDC panelsDc = 0, logoDc = 0;
    gdi::HDC formBodyDc = 0, formArrowDc = 0;
    // What those DCs hold, masked once for painting (the status strip: one frame).
    QPixmap panels, logo, statusStrip;

    explicit Form(const std::int16_t& cancel) : host(c, cancel) {}
};

frmProps::frmProps() = default;

frmProps::~frmProps() {
    if (m_form) Form_Unload();
}

// ---- public methods ------------------------------------------------------------------------------

std::int16_t frmProps::InitConversion() {
    EnsureLoaded();
    m_form->c.Label1_0->setText(kSuitePanelName);
    m_form->c.CTRLContainer[0]->setVisible(true);
    // The form's own pieces from the resource server: the raised strip behind the status line.
    if (m_form->formBodyDc == 0) m_form->formBodyDc = tavResSrv40::GetStaticResDc(modSkinConstants::resButtonStyle0, 0);
    if (m_form->formArrowDc == 0) m_form->formArrowDc = tavResSrv40::GetStaticResDc(modSkinConstants::resDropArrowStyle0, 0);
    if (m_form->statusStrip.isNull() && m_form->formBodyDc != 0) {
        const QImage* strip = gdi::DcImage(m_form->formBodyDc);
        const auto res = tavResSrv40::FindStaticResource(modSkinConstants::resButtonStyle0);
        if (strip != nullptr && res) m_form->statusStrip = Masked(strip->copy(0, 0, res->frameWidth, res->frameHeight));
    }
    m_form->window.exec();
    if (m_form) Form_Unload();
    return m_cancel;
}

void frmProps::CheckEVENTSForUpdate(const std::string& path) { RunStep(path, tavkonv40::CheckEVENTSForUpdate); }

void frmProps::CheckFRMVBBODYForUpdate(const std::string& path) { RunStep(path, tavkonv40::CheckFRMVBBODYForUpdate); }

void frmProps::RunStep(const std::string& path, void (*step)(tavkonv40::StepContext&)) {
    EnsureLoaded();
    tavkonv40::DiskFileSystem fs;
    tavkonv40::FileSession session(fs, path, m_form->options, m_form->host, m_runState);
    session.run(step);
    session.finish();
}

// ---- load and unload --------------------------------------------------------------------------------

void frmProps::EnsureLoaded() {
    if (!m_form) Form_Load();
}

void frmProps::Form_Load() {
    m_form = std::make_unique<Form>(m_cancel);
    CreateControls();

    m_bitmapFolder = platform_qt::ReadBitmapsPath();
    m_form->window.resize(kDesignSize);
    m_form->c.Label1_0->setText(kSuitePanelName);
    m_selectedPanel = Panel::Suite;

    LoadSkinPictures();
    ApplySkins();

    for (const auto& option : tavkonv40::microsoftOptions())
        SetTag(m_form->c.chkVBProp[static_cast<std::size_t>(option.index)], option.slot);

    Form_Resize();
    LayoutPanels();
}

void frmProps::Form_Unload() {
    ReleaseFormResources();
    for (auto& picture : m_pictures) picture = QImage();
    for (auto& picture : m_currentSkin) picture = QImage();
    m_form.reset();
}

void frmProps::ReleaseFormResources() {
    Form& f = *m_form;
    if (f.panelsDc != 0) tavResSrv40::ReleaseCustomResDc(kResPanelsBG);
    if (f.logoDc != 0) tavResSrv40::ReleaseCustomResDc(kResLogo);
    if (f.formBodyDc != 0) tavResSrv40::ReleaseStaticResDc(f.formBodyDc);
    if (f.formArrowDc != 0) tavResSrv40::ReleaseStaticResDc(f.formArrowDc);
    f.panelsDc = f.logoDc = f.formBodyDc = f.formArrowDc = 0;
    f.transBG = f.tabBG = f.tabHeaderConv = QPixmap();
}

// ---- building the form --------------------------------------------------------------------------------

void frmProps::CreateControls() {
    Form& f = *m_form;
    FormControls& c = f.c;
    FormWindow& w = f.window;
    w.setObjectName(QStringLiteral("frmProps"));
    w.setWindowTitle(QStringLiteral("Nexaria Version 4.0 GUID Conversion Utility"));
    w.setMinimumSize(kDesignSize.width() - 200, kDesignSize.height() - kTabCtrlDesignHeight + kMinTabCtrlHeight);
    QFont font = QApplication::font();
    font.setPixelSize(11);
    w.setFont(font);
    f.ambient = Ambient{HostMode::Run, QString(), font, true};
    w.onPaint = [this](QPainter& p) { PaintForm(p); };
    w.onResize = [this] { Form_Resize(); };
    w.onActivate = [this] { LayoutPanels(); };
    w.mayClose = [this] { return !m_running; };

    c.lbl4 = MakeLabel(&w, QStringLiteral("lbl_4"), QStringLiteral("Conversion Utility"));
    QFont title = font;
    title.setPixelSize(20);
    title.setBold(true);
    c.lbl4->setFont(title);
    c.lbl4->setStyleSheet(QStringLiteral("color: rgb(34, 60, 104);"));

    // The panel frame: tab strip, title, the two panels and their scroll bar.
    auto* tabCtrl = new FormWidget(&w);
    tabCtrl->setObjectName(QStringLiteral("XPTabCtrl"));
    tabCtrl->onPaint = [this, tabCtrl](QPainter& p) { PaintPanelFrame(p, tabCtrl); };
    tabCtrl->onResize = [this] { XPTabCtrl_Resize(); };
    c.XPTabCtrl = tabCtrl;

    auto* header = new FormWidget(tabCtrl);
    header->setObjectName(QStringLiteral("TabHeader"));
    header->onPaint = [this](QPainter& p) { PaintTabHeader(p); };
    header->onMouseDown = [this](QMouseEvent* e) { TabHeader_MouseDown(e); };
    c.TabHeader = header;

    f.panelBody = new FormWidget(tabCtrl);
    f.panelBody->setObjectName(QStringLiteral("PanelBody"));

    for (int i = 0; i < 2; ++i) {
        auto* panel = new FormWidget(f.panelBody);
        panel->setObjectName(QStringLiteral("CTRLContainer_%1").arg(i));
        panel->onPaint = [this, panel](QPainter& p) {
            PaintPanelBackground(p, panel->rect(), m_form ? m_form->panelBackground : QPixmap());
        };
        panel->setGeometry(0, kTabTitleHeight, 100, i == 0 ? kSuitePanelHeight : kMicrosoftPanelHeight);
        panel->setVisible(i == 0);
        c.CTRLContainer[static_cast<std::size_t>(i)] = panel;
    }

    auto* tabTitle = new FormWidget(f.panelBody);
    tabTitle->setObjectName(QStringLiteral("tabTitle"));
    tabTitle->onPaint = [this](QPainter& p) { PaintTabTitle(p); };
    c.tabTitle = tabTitle;
    c.Label1_0 = MakeLabel(tabTitle, QStringLiteral("Label1_0"), QStringLiteral("General Properties"));
    QFont bold = font;
    bold.setPixelSize(13);
    bold.setBold(true);
    c.Label1_0->setFont(bold);
    c.Label1_0->setStyleSheet(QStringLiteral("color: white;"));
    c.Label1_0->setGeometry(34, 0, 400, kTabTitleHeight);

    c.VS = new VSC(tabCtrl, f.ambient);
    c.VS->setObjectName(QStringLiteral("VS"));
    c.VS->InitProperties();
    c.VS->SetMin(0);
    c.VS->SetSmallChange(kSuiteRowPitch);
    QObject::connect(c.VS, &VSC::Change, &w, [this] { VS_Change(); });
    QObject::connect(c.VS, &VSC::Scroll, &w, [this] { VS_Change(); });
    QObject::connect(c.VS, &VSC::QuerySkin, &w,
                     [this](long n, SkinMapInfo& s, SkinSource& src) { OnQuerySkinScroll(n, s, src); });

    CreateSuitePanel();
    CreateMicrosoftPanel();

    // Folder and log group.
    auto* group = new FormWidget(&w);
    group->setObjectName(QStringLiteral("FolderGroup"));
    group->onPaint = [this, group](QPainter& p) {
        if (m_form && !m_form->panels.isNull())
            qDrawBorderPixmap(&p, group->rect(), QMargins(10, 10, 10, 10), m_form->panels);
    };
    f.group = group;
    c.lbl2 = MakeLabel(group, QStringLiteral("lbl_2"), QStringLiteral("Current Folder"));
    c.txtPath = new txt(group, f.ambient);
    c.txtPath->setObjectName(QStringLiteral("txtPath"));
    c.txtPath->InitProperties();
    QObject::connect(c.txtPath, &txt::Change, &w, [this] { txtPath_Change(); });
    QObject::connect(c.txtPath, &txt::QuerySkin, &w,
                     [this](long, SkinMapInfo& s, SkinSource& src) { OnQuerySkinText(s, src); });
    c.List1 = new LB(group, f.ambient);
    c.List1->setObjectName(QStringLiteral("List1"));
    c.List1->InitProperties();

    c.lbl5 = MakeLabel(&w, QStringLiteral("lbl_5"), QStringLiteral("Current Folder"));
    c.lbl5->setStyleSheet(QStringLiteral("color: rgb(44, 52, 66); padding-left: 6px;"));

    CreateCommands();
}

void frmProps::CreateSuitePanel() {
    Form& f = *m_form;
    FormControls& c = f.c;
    QWidget* panel = c.CTRLContainer[0];
    for (int column = 0; column < 2; ++column) {
        const int x0 = 8 + column * 340;
        MakeLabel(panel, {}, QStringLiteral("40"))->setGeometry(x0 + kOption40X - 2, 4, 24, kPanelHeaderHeight);
        MakeLabel(panel, {}, QStringLiteral("40L"))->setGeometry(x0 + kOption4LX - 4, 4, 28, kPanelHeaderHeight);
    }
    auto rowRect = [](int row, int x, int width) {
        const int column = row / kSuiteRowsPerColumn;
        const int y = 4 + kPanelHeaderHeight + (row % kSuiteRowsPerColumn) * kSuiteRowPitch;
        return QRect(8 + column * 340 + x, y, width, kSuiteRowPitch);
    };
    for (int row = 0; row < kFamilyCount; ++row) {
        for (bool to40 : {true, false})
            (to40 ? c.chkPropTo40 : c.chkPropTo4L)[static_cast<std::size_t>(row)] =
                CreateEditionOption(panel, to40 ? "chkPropTo40" : "chkPropTo4L", row, to40,
                                    rowRect(row, to40 ? kOption40X : kOption4LX, kOptionWidth));
    }
    for (const auto& family : tavkonv40::families()) {
        const int k = family.optionIndex;
        auto* chk = new CHKBOX(panel, f.ambient);
        chk->setObjectName(QStringLiteral("chkProp_%1").arg(k));
        chk->InitProperties();
        chk->SetCaption(QString::fromLatin1(family.caption.data(), static_cast<qsizetype>(family.caption.size())));
        SetTag(chk, family.optionRow);
        chk->setGeometry(rowRect(family.optionRow, 0, kCheckWidth));
        QObject::connect(chk, &CHKBOX::Click, &f.window, [this, k] { chkProp_Click(k); });
        QObject::connect(chk, &CHKBOX::QuerySkin, &f.window,
                         [this](long, SkinMapInfo& s, SkinSource& src) { OnQuerySkinCheck(s, src); });
        c.chkProp[static_cast<std::size_t>(k)] = chk;
    }
}

void frmProps::CreateMicrosoftPanel() {
    Form& f = *m_form;
    FormControls& c = f.c;
    QWidget* panel = c.CTRLContainer[1];
    MakeLabel(panel, {}, QStringLiteral("40"))->setGeometry(8 + kOption40X - 2, 4, 24, kPanelHeaderHeight);
    MakeLabel(panel, {}, QStringLiteral("40L"))->setGeometry(8 + kOption4LX - 4, 4, 28, kPanelHeaderHeight);
    for (const auto& option : tavkonv40::microsoftOptions()) {
        const int i = option.index;
        const auto at = static_cast<std::size_t>(i);
        const int y = 4 + kPanelHeaderHeight + i * kMicrosoftRowPitch;
        auto* chk = new CHKBOX(panel, f.ambient);
        chk->setObjectName(QStringLiteral("chkVBProp_%1").arg(i));
        chk->InitProperties();
        chk->SetCaption(QString::fromLatin1(option.caption.data(), static_cast<qsizetype>(option.caption.size())));
        SetTag(chk, 42 + i);  // design-time value, replaced at load
        chk->setGeometry(8, y, kCheckWidth, kMicrosoftRowPitch);
        QObject::connect(chk, &CHKBOX::Click, &f.window, [this, i] { chkVBProp_Click(i); });
        QObject::connect(chk, &CHKBOX::QuerySkin, &f.window,
                         [this](long, SkinMapInfo& s, SkinSource& src) { OnQuerySkinCheck(s, src); });
        c.chkVBProp[at] = chk;
        for (bool to40 : {true, false})
            (to40 ? c.chkVBPropTo40 : c.chkVBPropTo4L)[at] =
                CreateEditionOption(panel, to40 ? "chkVBPropTo40" : "chkVBPropTo4L", i, to40,
                                    QRect(8 + (to40 ? kOption40X : kOption4LX), y, kOptionWidth, kMicrosoftRowPitch));
    }
}

// One of a row's two edition buttons (4.0 or 4.0L), grouped by the row's index;
// disabled until the row's check box is ticked.
Opt* frmProps::CreateEditionOption(QWidget* panel, const char* array, int index, bool to40, const QRect& at) {
    auto* o = new Opt(panel, m_form->ambient);
    o->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index));
    o->InitProperties();
    o->SetCaption(QString());
    o->SetGroupID(static_cast<short>(index));
    o->SetGrouped(true);
    o->SetValue(to40);
    o->SetEnabled(false);
    o->setGeometry(at);
    QObject::connect(o, &Opt::QuerySkin, &m_form->window,
                     [this](long, SkinMapInfo& s, SkinSource& src) { OnQuerySkinOption(s, src); });
    return o;
}

void frmProps::CreateCommands() {
    Form& f = *m_form;
    FormControls& c = f.c;
    static const QString explanation[2] = {
        QStringLiteral("From the controls above, choose any pre-4.0 Nexaria controls you wish converted, along with "
                       "the version type to convert to."),
        QStringLiteral("From the controls above, choose any Microsoft Visual Basic controls you wish converted to "
                       "Nexaria, along with the version type to convert to."),
    };
    for (int i = 0; i < 2; ++i) {
        auto* footer = new QWidget(&f.window);
        footer->setObjectName(QStringLiteral("PanelFooter_%1").arg(i));
        auto* label = MakeLabel(footer, QStringLiteral("lblExplain_%1").arg(i), explanation[i]);
        label->setWordWrap(true);
        label->setGeometry(2, 0, kDesignSize.width() - 2 * kMargin - 4, 30);
        footer->setVisible(i == 0);
        f.footer[static_cast<std::size_t>(i)] = footer;
    }
    struct CommandDesign {
        int index;
        QWidget* parent;
        const char* caption;
        bool enabled;
    };
    QWidget* suite = f.footer[0];
    QWidget* microsoft = f.footer[1];
    const CommandDesign design[kCommandCount] = {
        {cmdStart, &f.window, "Start", false},
        {cmdCloseCancel, &f.window, "Close", true},
        {cmdHelp, &f.window, "Help", false},
        {cmdSelectAllSuite, suite, "Select All", true},
        {cmdClearAllSuite, suite, "Clear All", false},
        {cmdBrowse, f.group, "...", true},
        {cmdSelectAllMicrosoft, microsoft, "Select All", true},
        {cmdClearAllMicrosoft, microsoft, "Clear All", false},
        {cmdSetAllMicrosoft, microsoft, "Set All To 4.0L", true},
        {cmdSetAllSuite, suite, "Set All To 4.0L", true},
    };
    for (const auto& d : design) {
        auto* b = new BTN(d.parent, f.ambient);
        b->setObjectName(QStringLiteral("cmd_%1").arg(d.index));
        b->InitProperties();
        b->SetCaption(QString::fromLatin1(d.caption));
        b->SetEnabled(d.enabled);
        const int index = d.index;
        QObject::connect(b, &BTN::Click, &f.window, [this, index] { cmd_Click(index); });
        QObject::connect(b, &BTN::QuerySkin, &f.window,
                         [this](long, SkinMapInfo& s, SkinSource& src) { OnQuerySkinCommand(s, src); });
        QObject::connect(b, &BTN::QueryLayout, &f.window, [this](SkinButtonLayoutInfo& l) { OnQueryLayout(l); });
        c.cmd[static_cast<std::size_t>(index)] = b;
    }
}

// ---- skins ---------------------------------------------------------------------------------------------

void frmProps::LoadSkinPictures() {
    for (int i = 0; i < kSkinFileCount; ++i)
        m_pictures[static_cast<std::size_t>(i)] = LoadSkinPicture(m_bitmapFolder, SkinFileNames()[static_cast<std::size_t>(i)]);
    auto picture = [this](SkinFile file) -> const QImage& { return m_pictures[static_cast<std::size_t>(file)]; };

    Form& f = *m_form;
    f.tabTitle = QPixmap::fromImage(picture(SkinFile::TabTitle));
    f.tabHeaderBG = QPixmap::fromImage(picture(SkinFile::TabHeaderBG));
    f.transBG = Masked(picture(SkinFile::TransBG));
    f.tabBG = Masked(picture(SkinFile::TabBG));
    f.tabHeaderConv = Masked(picture(SkinFile::TabHeaderConv));
    f.panelBackground = QPixmap::fromImage(picture(SkinFile::PanelBackground));
    int w = 0, h = 0;
    f.panelsDc = tavResSrv40::GetCustomResDc(picture(SkinFile::PanelsBG), kResPanelsBG, w, h);
    f.logoDc = tavResSrv40::GetCustomResDc(picture(SkinFile::Logo), kResLogo, w, h);
    f.panels = MaskedDcPicture(f.panelsDc);
    f.logo = MaskedDcPicture(f.logoDc);
}

// Each kind of control is skinned from element 0 of the current skin
// pictures (the scroll bar from elements 0 to 4), answered in its QuerySkin.
void frmProps::ApplySkins() {
    FormControls& c = m_form->c;
    auto picture = [this](SkinFile file) { return m_pictures[static_cast<std::size_t>(file)]; };

    m_currentSkin[0] = picture(SkinFile::TextBorder);
    c.txtPath->ApplyCustomSkin();

    // The option rows sit on the panel's picture: the check boxes take its average colour and the
    // option buttons let it show through, instead of the system's button face.
    const QImage& panelPicture = picture(SkinFile::PanelBackground);
    const QColor panelColour = panelPicture.isNull()
                                   ? kPanelFace
                                   : panelPicture.scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0);
    const auto rowBackColour = static_cast<CHKBOX::OLE_COLOR>(panelColour.red() | (panelColour.green() << 8) |
                                                              (panelColour.blue() << 16));
    auto onPanel = [rowBackColour](CHKBOX* chk) {
        PropertyBag bag;
        chk->WriteProperties(bag);
        bag.Write<CHKBOX::OLE_COLOR>("BackColor", rowBackColour, CHKBOX::kDefBackColor);
        chk->ReadProperties(bag);
    };
    for (CHKBOX* chk : c.chkProp) onPanel(chk);
    for (CHKBOX* chk : c.chkVBProp) onPanel(chk);
    for (auto* list : {&c.chkPropTo40, &c.chkPropTo4L})
        for (Opt* o : *list) o->SetBackStyle(Opt::bsTransparent);
    for (auto* list : {&c.chkVBPropTo40, &c.chkVBPropTo4L})
        for (Opt* o : *list) o->SetBackStyle(Opt::bsTransparent);

    m_currentSkin[0] = picture(SkinFile::Check);
    for (CHKBOX* chk : c.chkProp) chk->ApplyCustomSkin();
    for (CHKBOX* chk : c.chkVBProp) chk->ApplyCustomSkin();

    m_currentSkin[0] = picture(SkinFile::Option);
    for (auto* list : {&c.chkPropTo40, &c.chkPropTo4L})
        for (Opt* o : *list) o->ApplyCustomSkin();
    for (auto* list : {&c.chkVBPropTo40, &c.chkVBPropTo4L})
        for (Opt* o : *list) o->ApplyCustomSkin();

    m_currentSkin[0] = picture(SkinFile::MacButtons);
    for (BTN* b : c.cmd) {
        b->ApplyCustomSkin();
        b->ApplyCustomLayout();
    }

    m_currentSkin[0] = picture(SkinFile::ScrollButtons);
    m_currentSkin[1] = picture(SkinFile::ScrollGlyph);
    m_currentSkin[2] = picture(SkinFile::ScrollShaft);
    m_currentSkin[3] = picture(SkinFile::ScrollThumb);
    m_currentSkin[4] = picture(SkinFile::ScrollThumbGlyph);
    c.VS->ApplyCustomSkin();
}

namespace {
void Answer(SkinMapInfo& skin, SkinSource& source, const char* name, const QImage& picture, gdi::RECT margin) {
    skin.ImageName = QString::fromLatin1(name);
    source.picture = picture;
    skin.MapMargin = margin;
    skin.MaskColor = 0;
}
}  // namespace

void frmProps::OnQuerySkinCheck(SkinMapInfo& skin, SkinSource& source) {
    Answer(skin, source, "CheckBox", m_currentSkin[0], {0, 0, 0, 0});
}

void frmProps::OnQuerySkinOption(SkinMapInfo& skin, SkinSource& source) {
    Answer(skin, source, "Option", m_currentSkin[0], {0, 0, 0, 0});
}

void frmProps::OnQuerySkinCommand(SkinMapInfo& skin, SkinSource& source) {
    Answer(skin, source, "CMD_MAC", m_currentSkin[0], {16, 0, 17, 0});
}

void frmProps::OnQuerySkinText(SkinMapInfo& skin, SkinSource& source) {
    Answer(skin, source, "SKIN_TextBorder", m_currentSkin[0], {5, 5, 5, 5});
}

void frmProps::OnQuerySkinScroll(long resNumber, SkinMapInfo& skin, SkinSource& source) {
    using namespace modSkinConstants;
    switch (resNumber) {
        case resScrollArrowGlyphs: Answer(skin, source, "ScrollArrowGlyphs", m_currentSkin[1], {0, 0, 0, 0}); break;
        case resScrollButtons: Answer(skin, source, "ScrollButtons", m_currentSkin[0], {5, 3, 3, 3}); break;
        case resScrollShaft:
            Answer(skin, source, "ScrollVShaft", m_currentSkin[2], {6, 8, 4, 9});
            skin.RGN5BltMode = 2;
            break;
        case resScrollThumb: Answer(skin, source, "ScrollVThumb", m_currentSkin[3], {4, 6, 4, 6}); break;
        case resScrollThumbGripper: Answer(skin, source, "ScrollVThumbGripper", m_currentSkin[4], {0, 0, 0, 0}); break;
        default: break;
    }
}

void frmProps::OnQueryLayout(SkinButtonLayoutInfo& layout) {
    layout.LayoutMode = sknLayoutSeperates;
    layout.AutoSizeMode = sknAutoSizeNone;
    layout.DrawingSpace = {0, 2, 0, 5};
}

// ---- option panels ---------------------------------------------------------------------------------------

void frmProps::chkProp_Click(int index) {
    if (Only40(tavkonv40::familyByOptionIndex(index))) return;
    FormControls& c = m_form->c;
    CHKBOX* chk = c.chkProp[static_cast<std::size_t>(index)];
    const auto row = static_cast<std::size_t>(TagOf(chk));
    c.chkPropTo40[row]->SetEnabled(chk->Value());
    c.chkPropTo4L[row]->SetEnabled(chk->Value());
}

void frmProps::chkVBProp_Click(int index) {
    FormControls& c = m_form->c;
    const auto i = static_cast<std::size_t>(index);
    c.chkVBPropTo40[i]->SetEnabled(c.chkVBProp[i]->Value());
    c.chkVBPropTo4L[i]->SetEnabled(c.chkVBProp[i]->Value());
}

void frmProps::SetAllSuite() {
    FormControls& c = m_form->c;
    BTN* b = c.cmd[cmdSetAllSuite];
    if (b->Caption() == kSetAllTo40) {
        for (int r = 0; r < kFamilyCount; ++r) {
            c.chkPropTo40[static_cast<std::size_t>(r)]->SetValue(true);
            c.chkPropTo4L[static_cast<std::size_t>(r)]->SetValue(false);
        }
        b->SetCaption(kSetAllTo4L);
    } else {
        for (int r = 0; r < kFamilyCount; ++r) {
            if (Only40(tavkonv40::familyByOptionRow(r))) continue;
            c.chkPropTo40[static_cast<std::size_t>(r)]->SetValue(false);
            c.chkPropTo4L[static_cast<std::size_t>(r)]->SetValue(true);
        }
        b->SetCaption(kSetAllTo40);
    }
}

void frmProps::SetAllMicrosoft() {
    FormControls& c = m_form->c;
    BTN* b = c.cmd[cmdSetAllMicrosoft];
    const bool to40 = b->Caption() == kSetAllTo40;
    for (std::size_t i = 0; i < kMicrosoftOptionCount; ++i) {
        c.chkVBPropTo40[i]->SetValue(to40);
        c.chkVBPropTo4L[i]->SetValue(!to40);
    }
    b->SetCaption(to40 ? kSetAllTo4L : kSetAllTo40);
}

// ---- commands and displays -----------------------------------------------------------------------------------

void frmProps::cmd_Click(int index) {
    FormControls& c = m_form->c;
    auto& cmd = c.cmd;
    switch (index) {
        case cmdStart: Start(); break;
        case cmdCloseCancel:
            if (cmd[cmdCloseCancel]->Caption() == kCaptionClose) m_form->window.accept();
            else if (cmd[cmdCloseCancel]->Caption() == kCaptionCancel) m_cancel = -1;
            break;
        case cmdHelp: break;
        case cmdSelectAllSuite:
        case cmdClearAllSuite: {
            const bool tick = index == cmdSelectAllSuite;
            for (int k = 0; k < kFamilyCount; ++k) {
                c.chkProp[static_cast<std::size_t>(k)]->SetValue(tick);
                chkProp_Click(k);
            }
            cmd[cmdSelectAllSuite]->SetEnabled(!tick);
            cmd[cmdClearAllSuite]->SetEnabled(tick);
            break;
        }
        case cmdSelectAllMicrosoft:
        case cmdClearAllMicrosoft: {
            const bool tick = index == cmdSelectAllMicrosoft;
            for (int i = 0; i < kMicrosoftOptionCount; ++i) {
                c.chkVBProp[static_cast<std::size_t>(i)]->SetValue(tick);
                chkVBProp_Click(i);
            }
            cmd[cmdSelectAllMicrosoft]->SetEnabled(!tick);
            cmd[cmdClearAllMicrosoft]->SetEnabled(tick);
            break;
        }
        case cmdSetAllMicrosoft: SetAllMicrosoft(); break;
        case cmdSetAllSuite: SetAllSuite(); break;
        case cmdBrowse: BrowseFolder(); break;
        default: break;
    }
}

void frmProps::Start() {
    Form& f = *m_form;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    f.c.List1->Clear();
    const std::string folder = f.c.txtPath->Text().toStdString();
    tavkonv40::DiskFileSystem fs;
    tavkonv40::SystemClock clock;
    tavkonv40::RunEnvironment env{fs, f.host, f.options, clock};
    m_running = true;
    tavkonv40::RunConversion(env, m_runState, folder, "*.*");
    m_running = false;
    QApplication::restoreOverrideCursor();
    f.c.cmd[cmdCloseCancel]->SetCaption(kCaptionClose);
    f.c.cmd[cmdStart]->SetEnabled(true);
}

void frmProps::BrowseFolder() {
    FormControls& c = m_form->c;
    const QString chosen = platform_qt::BrowseForFolder(&m_form->window, QStringLiteral("Select a Folder"), c.txtPath->Text());
    if (!chosen.isEmpty()) c.txtPath->SetText(chosen);
}

void frmProps::txtPath_Change() { m_form->c.cmd[cmdStart]->SetEnabled(!m_form->c.txtPath->Text().isEmpty()); }

void frmProps::TabHeader_MouseDown(QMouseEvent* e) {
    if (e->button() != Qt::LeftButton) return;
    Form& f = *m_form;
    const double x = e->position().x();
    if (x > 0 && x < kTabWidth) {
        m_selectedPanel = Panel::Suite;
        f.c.Label1_0->setText(kSuitePanelName);
    } else if (x > kTabWidth && x < 2 * kTabWidth + 1) {
        m_selectedPanel = Panel::Microsoft;
        f.c.Label1_0->setText(kMicrosoftPanelName);
    }
    for (QWidget* panel : f.c.CTRLContainer) panel->move(panel->x(), kTabTitleHeight);
    f.c.VS->SetValue(0);
    const auto selected = static_cast<std::size_t>(m_selectedPanel);
    for (std::size_t i = 0; i < 2; ++i) {
        f.c.CTRLContainer[i]->setVisible(i == selected);
        f.footer[i]->setVisible(i == selected);
    }
    f.c.TabHeader->update();
    LayoutPanels();
}

// The scroll bar follows the frame's height; then the panel layout decides whether it is needed.
void frmProps::XPTabCtrl_Resize() {
    if (!m_form || !m_form->c.VS) return;
    Form& f = *m_form;
    FormControls& c = f.c;
    const int h = c.XPTabCtrl->height(), w = c.XPTabCtrl->width();
    c.TabHeader->setGeometry(0, 0, w, kTabHeaderHeight);
    f.panelBody->setGeometry(2, kTabHeaderHeight, w - 4, h - kTabHeaderHeight - 2);
    c.tabTitle->setGeometry(0, 0, f.panelBody->width(), kTabTitleHeight);
    c.VS->setGeometry(w - 2 - kScrollWidth, kTabHeaderHeight + kTabTitleHeight, kScrollWidth,
                      h - kTabHeaderHeight - kTabTitleHeight - 2);
    for (QWidget* panel : c.CTRLContainer) panel->resize(f.panelBody->width() - kScrollWidth - 2, panel->height());
    LayoutPanels();
}

void frmProps::VS_Change() {
    Form& f = *m_form;
    QWidget* panel = f.c.CTRLContainer[static_cast<std::size_t>(m_selectedPanel)];
    panel->move(panel->x(), f.c.tabTitle->height() - static_cast<int>(f.c.VS->Value()));
}

void frmProps::LayoutPanels() {
    if (!m_form) return;
    FormControls& c = m_form->c;
    const int available = c.XPTabCtrl->height() - c.TabHeader->height() - c.tabTitle->height();
    const bool suite = m_selectedPanel == Panel::Suite;
    const bool needed = available < (suite ? kSuiteScrollThreshold : kMicrosoftScrollThreshold);
    if (c.VS->Enabled() != needed) c.VS->SetEnabled(needed);
    const int content = c.CTRLContainer[static_cast<std::size_t>(m_selectedPanel)]->height();
    c.VS->SetMax(std::max(1, content - available));
    c.VS->SetLargeChange(std::max(1, available));
    VS_Change();
}

void frmProps::Form_Resize() {
    if (!m_form || !m_form->c.XPTabCtrl) return;
    Form& f = *m_form;
    FormControls& c = f.c;
    const int w = f.window.width(), h = f.window.height();
    const int inner = w - 2 * kMargin;
    const int tabHeight = std::max(kMinTabCtrlHeight, h - kTabCtrlTop - kBelowTabCtrl);
    c.lbl4->setGeometry(78, 16, inner - 70, 40);
    c.XPTabCtrl->setGeometry(kMargin, kTabCtrlTop, inner, tabHeight);
    XPTabCtrl_Resize();

    int y = kTabCtrlTop + tabHeight + 6;
    for (QWidget* footer : f.footer) footer->setGeometry(kMargin, y, inner, 64);
    auto placeFooterCommands = [&](int selectAll, int clearAll, int setAll) {
        c.cmd[static_cast<std::size_t>(selectAll)]->setGeometry(0, 34, 100, 26);
        c.cmd[static_cast<std::size_t>(clearAll)]->setGeometry(106, 34, 100, 26);
        c.cmd[static_cast<std::size_t>(setAll)]->setGeometry(inner - 130, 34, 130, 26);
    };
    placeFooterCommands(cmdSelectAllSuite, cmdClearAllSuite, cmdSetAllSuite);
    placeFooterCommands(cmdSelectAllMicrosoft, cmdClearAllMicrosoft, cmdSetAllMicrosoft);

    y += 70;
    const int groupHeight = 152;
    f.group->setGeometry(kMargin, y, inner, groupHeight);
    c.lbl2->setGeometry(12, 12, 96, 24);
    c.txtPath->setGeometry(108, 12, inner - 108 - 58, 24);
    c.cmd[cmdBrowse]->setGeometry(inner - 52, 12, 40, 24);
    c.List1->setGeometry(12, 42, inner - 24, groupHeight - 54);

    y += groupHeight + 6;
    c.lbl5->setGeometry(kMargin, y + 2, inner - 3 * 86 - 8, 22);
    for (int i = 0; i < 3; ++i)
        c.cmd[static_cast<std::size_t>(i)]->setGeometry(w - kMargin - (3 - i) * 86 + 6, y, 80, 26);
}

// ---- painting ------------------------------------------------------------------------------------------------------

void frmProps::PaintForm(QPainter& p) {
    Form& f = *m_form;
    const QRect r = f.window.rect();
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, QColor(226, 232, 241));
    g.setColorAt(1, QColor(205, 214, 228));
    p.fillRect(r, g);
    if (!f.logo.isNull()) p.drawPixmap(12, 8, f.logo);
    if (!f.statusStrip.isNull())
        qDrawBorderPixmap(&p, f.c.lbl5->geometry().adjusted(0, -2, 0, 2), QMargins(2, 2, 2, 2), f.statusStrip);
}

void frmProps::PaintTabHeader(QPainter& p) {
    Form& f = *m_form;
    const QRect r = f.c.TabHeader->rect();
    if (!f.tabHeaderBG.isNull()) p.drawPixmap(r, f.tabHeaderBG);
    else p.fillRect(r, QColor(206, 214, 228));
    const QString names[2] = {kSuitePanelName, kMicrosoftPanelName};
    for (int tab = 0; tab < 2; ++tab) {
        const bool selected = tab == static_cast<int>(m_selectedPanel);
        const QRect t(tab * kTabWidth, 0, kTabWidth, r.height());
        if (!f.tabBG.isNull()) {
            const int frameHeight = f.tabBG.height() / 2;
            p.drawPixmap(t, f.tabBG, QRect(0, selected ? 0 : frameHeight, f.tabBG.width(), frameHeight));
        } else {
            p.fillRect(t.adjusted(1, selected ? 1 : 4, -1, 0), selected ? QColor(250, 251, 253) : QColor(220, 226, 236));
        }
        QFont font = p.font();
        font.setBold(selected);
        p.setFont(font);
        p.setPen(selected ? QColor(20, 40, 80) : QColor(70, 80, 100));
        p.drawText(t.adjusted(0, selected ? 1 : 3, 0, 0), Qt::AlignCenter, names[tab]);
    }
}

void frmProps::PaintTabTitle(QPainter& p) {
    Form& f = *m_form;
    const QRect r = f.c.tabTitle->rect();
    if (!f.tabTitle.isNull()) p.drawPixmap(r, f.tabTitle);
    else p.fillRect(r, QColor(58, 98, 160));
    if (!f.tabHeaderConv.isNull()) p.drawPixmap(10, (r.height() - f.tabHeaderConv.height()) / 2, f.tabHeaderConv);
}

void frmProps::PaintPanelFrame(QPainter& p, QWidget* panel) {
    Form& f = *m_form;
    PaintPanelBackground(p, panel->rect(), f.panelBackground);
    if (!f.transBG.isNull())
        qDrawBorderPixmap(&p, panel->rect().adjusted(0, kTabHeaderHeight - 2, 0, 0), QMargins(8, 8, 8, 8), f.transBG);
}
