#include "dialog/form_build.h"

#include "dialog/form_arrangement.h"
#include "dialog/form_geometry.h"
#include "dialog/form_layout.h"
#include "dialog/form_render.h"
#include "dialog/tab_order.h"

#include "controls/suite/qt/gdi_qt.h"

#include <QApplication>
#include <QFontMetrics>

namespace dialog {

using namespace geometry;
using tavkonv40::kFamilyCount;

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

int CaptionWidth(const QFont& font, const QString& caption) { return QFontMetrics(font).horizontalAdvance(caption); }

CHKBOXWidget* MakeCheck(FormView& f, QWidget* panel, const QString& name, const QString& caption, int tag,
                        const Box& at) {
    auto* chk = new CHKBOXWidget(panel, f.ambient);
    chk->setObjectName(name);
    InitRowCheck(chk->Control(), gdi::qt::Text(caption));
    SetTag(chk, tag);
    chk->setGeometry(ToQRect(at));
    return chk;
}

// One of a row's two edition buttons (4.0 or 4.0L), grouped by the row's index.
OptWidget* MakeEditionOption(FormView& f, QWidget* panel, const char* array, int index, const Box& at) {
    auto* o = new OptWidget(panel, f.ambient);
    o->setObjectName(QStringLiteral("%1_%2").arg(QLatin1String(array)).arg(index));
    InitEditionOption(o->Control(), index);
    o->setGeometry(ToQRect(at));
    return o;
}

void ColumnHeadings(QWidget* panel, int columnX) {
    const auto headings = ArrangeColumnHeadings(columnX);
    MakeLabel(panel, {}, QStringLiteral("40"))->setGeometry(ToQRect(headings[0]));
    MakeLabel(panel, {}, QStringLiteral("40L"))->setGeometry(ToQRect(headings[1]));
}

void BuildSuitePanel(FormView& f) {
    FormControls& c = f.c;
    QWidget* panel = c.CTRLContainer[0];
    for (int x : SuiteColumnXs()) ColumnHeadings(panel, x);
    for (int row = 0; row < kFamilyCount; ++row) {
        const auto r = static_cast<std::size_t>(row);
        const OptionRowArrangement at = ArrangeSuiteRow(row, 0);
        c.chkPropTo40[r] = MakeEditionOption(f, panel, "chkPropTo40", row, at.to40);
        c.chkPropTo4L[r] = MakeEditionOption(f, panel, "chkPropTo4L", row, at.to4L);
    }
    for (const auto& family : tavkonv40::families()) {
        const int k = family.optionIndex;
        const QString caption = QString::fromLatin1(family.caption);
        c.chkProp[static_cast<std::size_t>(k)] =
            MakeCheck(f, panel, QStringLiteral("chkProp_%1").arg(k), caption, family.optionRow,
                      ArrangeSuiteRow(family.optionRow, CaptionWidth(f.ambient.Font, caption)).check);
    }
}

void BuildMicrosoftPanel(FormView& f) {
    FormControls& c = f.c;
    QWidget* panel = c.CTRLContainer[1];
    ColumnHeadings(panel, MicrosoftColumnX());
    for (const auto& option : tavkonv40::microsoftOptions()) {
        const int i = option.index;
        const auto at = static_cast<std::size_t>(i);
        const QString caption = QString::fromLatin1(option.caption);
        const OptionRowArrangement row = ArrangeMicrosoftRow(i, CaptionWidth(f.ambient.Font, caption));
        // The design-time Tag (42 + i) is replaced by the replacing family's slot at load.
        c.chkVBProp[at] = MakeCheck(f, panel, QStringLiteral("chkVBProp_%1").arg(i), caption, 42 + i, row.check);
        c.chkVBPropTo40[at] = MakeEditionOption(f, panel, "chkVBPropTo40", i, row.to40);
        c.chkVBPropTo4L[at] = MakeEditionOption(f, panel, "chkVBPropTo4L", i, row.to4L);
    }
}

void BuildPanelFrame(FormView& f) {
    FormControls& c = f.c;
    auto* tabCtrl = new FormWidget(&f.window);
    tabCtrl->setObjectName(QStringLiteral("XPTabCtrl"));
    c.XPTabCtrl = tabCtrl;

    auto* header = new FormWidget(tabCtrl);
    header->setObjectName(QStringLiteral("TabHeader"));
    c.TabHeader = header;

    f.panelBody = new FormWidget(tabCtrl);
    f.panelBody->setObjectName(QStringLiteral("PanelBody"));
    for (int i = 0; i < 2; ++i) {
        auto* panel = new FormWidget(f.panelBody);
        panel->setObjectName(QStringLiteral("CTRLContainer_%1").arg(i));
        panel->setGeometry(0, kTabTitleHeight, kPanelContentWidth, i == 0 ? kSuitePanelHeight : kMicrosoftPanelHeight);
        panel->setVisible(i == 0);
        f.panels[static_cast<std::size_t>(i)] = panel;
        c.CTRLContainer[static_cast<std::size_t>(i)] = panel;
    }

    auto* tabTitle = new FormWidget(f.panelBody);
    tabTitle->setObjectName(QStringLiteral("tabTitle"));
    c.tabTitle = tabTitle;
    c.Label1_0 = MakeLabel(tabTitle, QStringLiteral("Label1_0"), QStringLiteral("General Properties"));
    QFont bold = f.ambient.Font;
    bold.setPixelSize(13);
    bold.setBold(true);
    c.Label1_0->setFont(bold);
    c.Label1_0->setStyleSheet(QStringLiteral("color: white;"));
    c.Label1_0->setGeometry(34, 0, 400, kTabTitleHeight);

    c.VS = new VSCWidget(tabCtrl, f.ambient);
    c.VS->setObjectName(QStringLiteral("VS"));
    c.VS->Control().InitProperties();
    c.VS->Control().SetMin(0);
    c.VS->Control().SetSmallChange(kSuiteRowPitch);
}

void BuildFolderGroup(FormView& f) {
    FormControls& c = f.c;
    f.group = new FormWidget(&f.window);
    f.group->setObjectName(QStringLiteral("FolderGroup"));
    c.lbl2 = MakeLabel(f.group, QStringLiteral("lbl_2"), QStringLiteral("Current Folder"));
    c.txtPath = new txtWidget(f.group, f.ambient);
    c.txtPath->setObjectName(QStringLiteral("txtPath"));
    c.txtPath->Control().InitProperties();
    c.List1 = new LBWidget(f.group, f.ambient);
    c.List1->setObjectName(QStringLiteral("List1"));
    c.List1->Control().InitProperties();
    c.lbl5 = MakeLabel(&f.window, QStringLiteral("lbl_5"), QStringLiteral("Current Folder"));
    c.lbl5->setStyleSheet(QStringLiteral("color: rgb(44, 52, 66); padding-left: 6px;"));
}

void BuildFooters(FormView& f) {
    for (int i = 0; i < 2; ++i) {
        const auto at = static_cast<std::size_t>(i);
        auto* footer = new QWidget(&f.window);
        footer->setObjectName(QStringLiteral("PanelFooter_%1").arg(i));
        f.explanation[at] = MakeLabel(footer, QStringLiteral("lblExplain_%1").arg(i),
                                      QString::fromLatin1(DialogModel::panelExplanation(static_cast<Panel>(i))));
        f.explanation[at]->setWordWrap(true);
        footer->setVisible(i == 0);
        f.footer[at] = footer;
    }
}

void BuildCommands(FormView& f) {
    for (int index = 0; index < kCommandCount; ++index) {
        const auto command = static_cast<Command>(index);
        // The option commands go with their panel's footer, "..." with the folder box.
        QWidget* parent = command == cmdBrowse ? static_cast<QWidget*>(f.group) : &f.window;
        if (const auto panel = DialogModel::commandPanel(command)) parent = f.footer[static_cast<std::size_t>(*panel)];
        auto* b = new BTNWidget(parent, f.ambient);
        b->setObjectName(QStringLiteral("cmd_%1").arg(index));
        b->Control().InitProperties();
        f.c.cmd[static_cast<std::size_t>(index)] = b;
    }
}

void ChainTabOrder(FormView& f) {
    f.c.TabHeader->setFocusPolicy(Qt::TabFocus);
    QWidget* previous = nullptr;
    for (const FocusStop& stop : TabOrder()) {
        QWidget* next = AtStop(f.c, stop, [](QWidget* w) { return w; });
        if (previous != nullptr) QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

}  // namespace

void BuildForm(FormView& f) {
    FormWindow& w = f.window;
    w.setObjectName(QStringLiteral("frmProps"));
    w.setWindowTitle(QStringLiteral("Nexaria Version 4.0 GUID Conversion Utility"));
    QFont font = QApplication::font();
    font.setPixelSize(11);
    w.setFont(font);
    f.ambient = QtAmbient{HostMode::Run, QString(), font, true};

    f.c.lbl4 = MakeLabel(&w, QStringLiteral("lbl_4"), QStringLiteral("Conversion Utility"));
    QFont title = font;
    title.setPixelSize(20);
    title.setBold(true);
    f.c.lbl4->setFont(title);
    f.c.lbl4->setStyleSheet(QStringLiteral("color: rgb(34, 60, 104);"));

    BuildPanelFrame(f);
    BuildSuitePanel(f);
    BuildMicrosoftPanel(f);
    BuildFolderGroup(f);
    BuildFooters(f);
    BuildCommands(f);
    ChainTabOrder(f);
}

}  // namespace dialog
