// Gallery section of the check box, the option button and the text box:
// each in its main states, an option row as the dialog lays it out, and a
// text box with a custom frame skin.
#include "controls/gallery/Gallery.h"

#include "controls/qt/GlyphWidgets.h"
#include "controls/qt/txtWidget.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

namespace {

enum class Act { None, Hover, Press, Focus, Disabled };

struct CellDesign {
    const char* label;
    Act act;
    bool value;
};

const std::vector<CellDesign> kGlyphCells = {
    {"off", Act::None, false},
    {"on", Act::None, true},
    {"hover", Act::Hover, false},
    {"pressed", Act::Press, true},
    {"focused", Act::Focus, true},
    {"disabled", Act::Disabled, false},
    {"disabled, on", Act::Disabled, true},
};

const std::vector<CellDesign> kTextCells = {
    {"empty", Act::None, false},   {"with text", Act::None, true},    {"hover", Act::Hover, true},
    {"focused", Act::Focus, true}, {"disabled", Act::Disabled, true},
};

struct Cell {
    gallery::StateCell* cell;
    QWidget* control;
    QWidget* target;  // where the mouse goes
    Act act;
};
std::vector<Cell>& cells() {
    static std::vector<Cell> c;
    return c;
}

CHKBOXWidget* makeCheck(QWidget* parent, const QString& caption, bool value, bool enabled) {
    auto* c = new CHKBOXWidget(parent, gallery::RunAmbient(parent));
    PropertyBag bag;
    bag.Write<QString>("Caption", caption, QString());
    bag.Write<bool>("Value", value, false);
    bag.Write<bool>("Enabled", enabled, true);
    bag.Write<tavGFX40::OLE_COLOR>("BackColor", 0xD8E9EC, CHKBOX::kDefBackColor);  // the page colour
    c->Control().ReadProperties(bag);
    return c;
}

OptWidget* makeOption(QWidget* parent, const QString& caption, bool value, bool enabled, short group = 0) {
    auto* o = new OptWidget(parent, gallery::RunAmbient(parent));
    PropertyBag bag;
    bag.Write<bool>("Value", value, false);
    bag.Write<bool>("Enabled", enabled, true);
    bag.Write<bool>("Grouped", group != 0, false);
    bag.Write<short>("GroupID", group, 0);
    bag.Write<tavGFX40::OLE_COLOR>("BackColor", 0xD8E9EC, Opt::kDefBackColor);
    o->Control().ReadProperties(bag);
    o->Control().SetCaption(gdi::qt::Text(caption));
    return o;
}

txtWidget* makeText(QWidget* parent, const QString& text, bool enabled) {
    auto* t = new txtWidget(parent, gallery::RunAmbient(parent));
    PropertyBag bag;
    bag.Write<QString>("Text", text, QString());
    bag.Write<bool>("Enabled", enabled, true);
    bag.Write<tavGFX40::OLE_COLOR>("SkinBackColor", 0xD8E9EC, txt::kDefSkinBackColor);
    t->Control().ReadProperties(bag);
    t->Control().SetSelStart(0);  // show the start of a long path
    return t;
}

// A rounded frame strip for the text box, drawn here: normal, hover,
// focused, disabled; the corners outside the curve in the mask colour.
QImage roundFrameStrip() {
    constexpr int size = 12;
    const QColor edges[] = {QColor(150, 160, 175), QColor(240, 160, 40), QColor(60, 120, 215), QColor(200, 200, 195)};
    QImage img(size, size * 4, QImage::Format_ARGB32);
    img.fill(QColor(255, 0, 255));
    QPainter p(&img);
    for (int k = 0; k < 4; ++k) {
        const QRectF r(0.5, k * size + 0.5, size - 1, size - 1);
        p.setPen(QPen(edges[k], k == 2 ? 2 : 1));
        p.setBrush(k == 3 ? QColor(244, 244, 240) : QColor(255, 255, 255));
        p.drawRoundedRect(r.adjusted(k == 2 ? 0.5 : 0, k == 2 ? 0.5 : 0, k == 2 ? -0.5 : 0, k == 2 ? -0.5 : 0), 4, 4);
    }
    return img;
}

void addTitle(QGridLayout* grid, int row, const char* text, QWidget* page) {
    auto* title = new QLabel(QString::fromLatin1(text), page);
    title->setStyleSheet("color: #1c2a46;");
    title->setMinimumWidth(90);
    grid->addWidget(title, row, 0, Qt::AlignVCenter);
}

void addGlyphRows(QWidget* page, QGridLayout* grid) {
    addTitle(grid, 0, "Check box", page);
    int col = 1;
    for (const auto& design : kGlyphCells) {
        auto* cell = new gallery::StateCell(QString::fromLatin1(design.label), page);
        grid->addWidget(cell, 0, col++);
        CHKBOXWidget* c = makeCheck(cell->Stage(), "QVCalendar", design.value, design.act != Act::Disabled);
        c->setGeometry(8, 4, 100, 21);
        cells().push_back({cell, c, c, design.act});
    }
    addTitle(grid, 1, "Option button", page);
    col = 1;
    for (const auto& design : kGlyphCells) {
        auto* cell = new gallery::StateCell(QString::fromLatin1(design.label), page);
        grid->addWidget(cell, 1, col++);
        OptWidget* o = makeOption(cell->Stage(), "Edition 4.0L", design.value, design.act != Act::Disabled);
        o->setGeometry(8, 4, 100, 21);
        cells().push_back({cell, o, o, design.act});
    }
}

// Option rows as the dialog shows them: a check box and a grouped pair, both
// showing what lies behind them.
void addOptionRows(QWidget* page, QGridLayout* grid, int row) {
    addTitle(grid, row, "Option rows", page);
    const struct {
        const char* family;
        bool ticked;
        bool to4L;
    } rows[] = {{"QVButton", true, false}, {"QVCalendar", true, true}, {"QVForm", false, false}};
    int col = 1;
    short group = 1;
    for (const auto& r : rows) {
        auto* holder = new QWidget(page);
        holder->setFixedSize(224, 30);
        grid->addWidget(holder, row, col, 1, 2);
        col += 2;
        CHKBOXWidget* c = makeCheck(holder, QString::fromLatin1(r.family), r.ticked, true);
        c->setGeometry(8, 4, 120, 21);
        c->Control().SetBackStyle(CHKBOX::bsTransparent);
        OptWidget* to40 = makeOption(holder, QString(), true, r.ticked, group);
        OptWidget* to4L = makeOption(holder, QString(), false, r.ticked, group);
        to40->setGeometry(140, 4, 16, 21);
        to4L->setGeometry(176, 4, 16, 21);
        to4L->setObjectName(r.to4L ? "choose4L" : "");
        for (auto [x, text] : {std::pair{157, "40"}, std::pair{193, "40L"}}) {
            auto* label = new QLabel(QString::fromLatin1(text), holder);
            label->setStyleSheet("color: #555a66;");
            label->move(x, 7);
        }
        ++group;
    }
}

int addTextRow(QWidget* page, QGridLayout* grid, int row) {
    addTitle(grid, row, "Text box", page);
    int col = 1;
    for (const auto& design : kTextCells) {
        auto* cell = new gallery::StateCell(QString::fromLatin1(design.label), page);
        grid->addWidget(cell, row, col++);
        txtWidget* t = makeText(cell->Stage(), design.value ? "C:\\VB6\\Orders" : "", design.act != Act::Disabled);
        t->setGeometry(4, 3, 104, 24);
        cells().push_back({cell, t, t->Editor(), design.act});
    }
    auto* cell = new gallery::StateCell("custom skin", page);
    grid->addWidget(cell, row, col++);
    txtWidget* t = makeText(cell->Stage(), "C:\\VB6\\Forms", true);
    t->setGeometry(4, 1, 104, 28);
    const QImage strip = roundFrameStrip();
    QObject::connect(t, &txtWidget::QuerySkin, t, [strip](long, SkinMapInfo& skin, SkinSource& source) {
        skin.ImageName = u"GalleryRoundFrame";
        skin.MapMargin = gdi::RECT{5, 5, 5, 5};
        skin.MaskColor = 0xFF00FF;
        source.picture = gdi::qt::FromQImage(strip);
    });
    t->Control().ApplyCustomSkin();
    return col;
}

void build(QWidget* page) {
    QGridLayout* grid = gallery::CellGrid(page);
    addGlyphRows(page, grid);
    addOptionRows(page, grid, 2);
    const int columns = addTextRow(page, grid, 3);
    grid->setColumnStretch(columns + 1, 1);
}

void drive(const Cell& c) {
    QWidget* target = c.target;
    const QPoint at(6, target->height() / 2);
    gallery::MoveAway(c.control->window());
    switch (c.act) {
        case Act::Hover: QTest::mouseMove(target, at); break;
        case Act::Press: {
            QTest::mouseMove(target, at);
            gallery::Settle(20);
            QTest::mousePress(target, Qt::LeftButton, {}, at);
            c.control->clearFocus();  // the press state on its own, without the focus rectangle
            gallery::Settle(20);
            const QPixmap still = c.control->grab();
            // Released outside: the value stays as it was.
            QTest::mouseRelease(target, Qt::LeftButton, {}, QPoint(-200, -200));
            c.cell->Freeze(c.control, still);
            return;
        }
        case Act::Focus: {
            c.control->setFocus(Qt::OtherFocusReason);
            gallery::Settle(30);
            const QPixmap still = c.control->grab();
            c.control->clearFocus();
            c.cell->Freeze(c.control, still);
            return;
        }
        default: break;
    }
    gallery::Settle(30);
    c.cell->Freeze(c.control);
}

void driveSection(QWidget* page) {
    for (const auto& c : cells()) drive(c);
    cells().clear();
    // Choose 4.0L in the second option row with a real click: the group rule
    // clears its 4.0 partner.
    if (auto* to4L = page->findChild<OptWidget*>("choose4L")) {
        QTest::mouseClick(to4L, Qt::LeftButton, {}, QPoint(6, to4L->height() / 2));
        to4L->clearFocus();
    }
    gallery::MoveAway(page);
}

const GallerySectionRegistrar registrar({"Check box, option button and text box", 30, build, driveSection});

}  // namespace
