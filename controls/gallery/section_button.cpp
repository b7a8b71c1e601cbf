// Gallery section of the command button: every look in its main states,
// pictures, and a live row.
#include "controls/gallery/Gallery.h"

#include "controls/qt/BTNWidget.h"
#include "controls/suite/qt/gdi_qt.h"

#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTest>

namespace {

enum class Act { None, Hover, Press, Focus, Default, Toggled, ToggledHover, DropPress, Disabled };

struct CellDesign {
    const char* label;
    Act act;
};

struct RowDesign {
    const char* title;
    int style;
    bool dropDown;
    std::vector<CellDesign> cells;
};

const std::vector<RowDesign>& rows() {
    // The flat and classic styles show the same states; the XP style has focus and groups.
    // clang-format off
    static const std::vector<CellDesign> toggling = {
        {"normal", Act::None}, {"hover", Act::Hover}, {"pressed", Act::Press}, {"toggled", Act::Toggled},
        {"toggled, hover", Act::ToggledHover}, {"disabled", Act::Disabled}};
    static const std::vector<CellDesign> split = {
        {"normal", Act::None}, {"hover", Act::Hover}, {"pressed", Act::Press}, {"drop pressed", Act::DropPress},
        {"disabled", Act::Disabled}};
    static const std::vector<RowDesign> r = {
        {"Style 1", BTN::btnStyleXP, false,
         {{"normal", Act::None}, {"hover", Act::Hover}, {"pressed", Act::Press}, {"focused", Act::Focus},
          {"grouped, down", Act::Toggled}, {"down, hover", Act::ToggledHover}, {"disabled", Act::Disabled}}},
        {"Style 2", BTN::btnStyleFlat, false, toggling},
        {"Style 2 split", BTN::btnStyleFlat, true, split},
        {"Style 0", BTN::btnStyleClassic, false, toggling},
        {"Style 0 split", BTN::btnStyleClassic, true, split},
    };
    // clang-format on
    return r;
}

// A small round icon with a tick, drawn here.
QImage tickIcon(QColor colour) {
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient g(QPointF(6, 5), 11);
    g.setColorAt(0, colour.lighter(150));
    g.setColorAt(1, colour);
    p.setBrush(g);
    p.setPen(QPen(colour.darker(140), 1));
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    QPainterPath tick;
    tick.moveTo(4.5, 8.2);
    tick.lineTo(7, 10.6);
    tick.lineTo(11.5, 5.4);
    p.setPen(QPen(Qt::white, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
    return img;
}

BTNWidget* makeButton(QWidget* parent, int style, bool dropDown, const QString& caption,
                      const PropertyBag& extra = {}) {
    auto* b = new BTNWidget(parent, gallery::RunAmbient(parent));
    PropertyBag bag = extra;
    bag.Write<int>("ButtonStyle", style, BTN::kDefButtonStyle);
    bag.Write<bool>("DropDown", dropDown, false);
    bag.Write<QString>("Caption", caption, QString());
    b->Control().ReadProperties(bag);
    return b;
}

struct Cell {
    gallery::StateCell* cell;
    BTNWidget* button;
    Act act;
};
std::vector<Cell>& cells() {
    static std::vector<Cell> c;
    return c;
}

void drive(const Cell& c) {
    BTNWidget* b = c.button;
    const QPoint centre = b->BodyRect().center();
    QWidget* page = b->window();
    gallery::MoveAway(page);
    switch (c.act) {
        case Act::Hover: QTest::mouseMove(b, centre); break;
        case Act::Press:
        case Act::DropPress: {
            const QPoint at = c.act == Act::Press ? centre : gdi::qt::ToQRect(b->Control().DropZoneRect()).center();
            QTest::mouseMove(b, at);
            gallery::Settle(20);
            QTest::mousePress(b, Qt::LeftButton, {}, at);
            gallery::Settle(20);
            const QPixmap still = b->grab();
            QTest::mouseRelease(b, Qt::LeftButton, {}, at);
            c.cell->Freeze(b, still);
            return;
        }
        case Act::Focus:
            QTest::mouseClick(b, Qt::LeftButton, {}, centre);
            gallery::MoveAway(page);
            break;
        case Act::Toggled:
            QTest::mouseClick(b, Qt::LeftButton, {}, centre);
            b->clearFocus();
            gallery::MoveAway(page);
            break;
        case Act::ToggledHover:
            QTest::mouseMove(b, centre);
            gallery::Settle(20);
            QTest::mouseClick(b, Qt::LeftButton, {}, centre);
            b->clearFocus();
            break;
        default: break;
    }
    gallery::Settle(30);
    c.cell->Freeze(b);
}

QLabel* rowTitle(const char* text, QWidget* page, QGridLayout* grid, int row) {
    auto* title = new QLabel(QString::fromLatin1(text), page);
    title->setStyleSheet("color: #1c2a46;");
    grid->addWidget(title, row, 0, Qt::AlignVCenter);
    return title;
}

// One row per look, one cell per state.
int addStateRows(QWidget* page, QGridLayout* grid) {
    int row = 0;
    for (const auto& r : rows()) {
        rowTitle(r.title, page, grid, row)->setMinimumWidth(90);
        int col = 1;
        for (const auto& design : r.cells) {
            auto* cell = new gallery::StateCell(QString::fromLatin1(design.label), page);
            grid->addWidget(cell, row, col++);
            PropertyBag extra;
            if (design.act == Act::Toggled || design.act == Act::ToggledHover) {
                extra.Write<bool>("Toggle", true, false);
                if (r.style == BTN::btnStyleXP) extra.Write<bool>("Grouped", true, false);
                extra.Write<short>("GroupID", static_cast<short>(100 + row * 10 + col), 0);
            }
            if (design.act == Act::Disabled) extra.Write<bool>("Enabled", false, true);
            BTNWidget* b = makeButton(cell->Stage(), r.style, r.dropDown, r.dropDown ? "&Options" : "&Convert", extra);
            b->setGeometry(4, 2, 104, 26);
            cells().push_back({cell, b, design.act});
        }
        ++row;
    }
    return row;
}

// Pictures in two positions, a disabled one drawn embossed, and pictures on the other looks.
void addPictureRow(QWidget* page, QGridLayout* grid, int row) {
    rowTitle("Pictures", page, grid, row);
    const struct {
        const char* label;
        int position;
        bool enabled;
        int style;
        bool dropDown;
        const char* caption;
        QColor tick;
    } pics[] = {
        {"left", BTN::picLeft, true, BTN::btnStyleXP, false, "&Start", QColor(46, 139, 87)},
        {"right", BTN::picRight, true, BTN::btnStyleXP, false, "&Start", QColor(46, 139, 87)},
        {"disabled", BTN::picLeft, false, BTN::btnStyleXP, false, "&Start", QColor(46, 139, 87)},
        {"style 2, picture", BTN::picLeft, true, BTN::btnStyleFlat, false, "Se&lect All", QColor(40, 96, 200)},
        {"style 0, picture", BTN::picLeft, true, BTN::btnStyleClassic, true, "&Backup", QColor(200, 120, 30)},
    };
    int col = 1;
    for (const auto& pic : pics) {
        auto* cell = new gallery::StateCell(QString::fromLatin1(pic.label), page);
        grid->addWidget(cell, row, col++);
        PropertyBag extra;
        extra.Write<StoredPicture>("Picture", {StoredPicture::Type::Icon, gdi::qt::FromQImage(tickIcon(pic.tick))}, {});
        extra.Write<int>("PicturePosition", pic.position, BTN::kDefPicturePosition);
        extra.Write<bool>("Enabled", pic.enabled, true);
        BTNWidget* b = makeButton(cell->Stage(), pic.style, pic.dropDown, QString::fromLatin1(pic.caption), extra);
        b->setGeometry(4, 2, 104, 26);
    }
}

// A live group: the grouped buttons release each other.
int addGroupRow(QWidget* page, QGridLayout* grid, int row) {
    rowTitle("Group", page, grid, row);
    int col = 1;
    for (const char* caption : {"4.&0", "4.0&L", "&None"}) {
        auto* cell = new gallery::StateCell("grouped", page);
        grid->addWidget(cell, row, col++);
        PropertyBag extra;
        extra.Write<bool>("Grouped", true, false);
        extra.Write<short>("GroupID", 7, 0);
        BTNWidget* b = makeButton(cell->Stage(), BTN::btnStyleXP, false, QString::fromLatin1(caption), extra);
        b->setGeometry(4, 2, 104, 26);
        b->setObjectName(QString::fromLatin1("group_%1").arg(col));
    }
    return col;
}

void build(QWidget* page) {
    QGridLayout* grid = gallery::CellGrid(page);
    const int row = addStateRows(page, grid);
    addPictureRow(page, grid, row);
    const int columns = addGroupRow(page, grid, row + 1);
    grid->setColumnStretch(columns + 1, 1);
}

void driveSection(QWidget* page) {
    for (const auto& c : cells()) drive(c);
    cells().clear();
    // Press the second group member through the keyboard's access key path
    // and the first through the mouse: the mouse press releases the other.
    auto* second = page->findChild<BTNWidget*>("group_2");
    auto* first = page->findChild<BTNWidget*>("group_3");
    if (second != nullptr && first != nullptr) {
        QTest::mouseClick(second, Qt::LeftButton, {}, second->rect().center());
        QTest::mouseClick(first, Qt::LeftButton, {}, first->rect().center());
        first->clearFocus();
    }
    gallery::MoveAway(page);
}

const GallerySectionRegistrar registrar({"Command button", 10, build, driveSection});

}  // namespace
