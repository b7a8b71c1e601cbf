// The form at several window sizes: every option row can be scrolled into
// view and is never cut, the scroll bar is there exactly when the shown panel
// does not fit, the texts re-wrap, and the command buttons show what lies
// behind their rounded corners.
#include "tests/dialog/dialog_test_support.h"

#include "dialog/form_arrangement.h"
#include "dialog/form_geometry.h"

#include <algorithm>
#include <array>
#include <cstdlib>

using namespace dialog_test;

namespace {

struct Frame {
    QWidget* body;
    VSCWidget* vs;
    QWidget* title;
};
Frame FrameOf(QWidget* w) {
    return {Find(w, QStringLiteral("PanelBody")), Find<VSCWidget>(w, QStringLiteral("VS")),
            Find(w, QStringLiteral("tabTitle"))};
}

QRect InWindow(QWidget* w, QWidget* control) { return QRect(control->mapTo(w, QPoint(0, 0)), control->size()); }

// Where the rows show, in the window: the panel body below the title, left of the scroll bar.
QRect ShownArea(QWidget* w) {
    const Frame f = FrameOf(w);
    QRect area = InWindow(w, f.body).adjusted(0, f.title->height(), 0, 0);
    area.setRight(InWindow(w, f.vs).left() - 1);
    return area;
}

// Scrolls through the whole range: every control must be wholly in view at some position.
void CheckEveryRowReachable(QWidget* w, const QList<QWidget*>& controls) {
    VSCWidget* vs = FrameOf(w).vs;
    QList<QWidget*> unseen = controls;
    for (long v = 0;; v += 5) {
        vs->Control().SetValue(std::min(v, vs->Control().Max()));
        emit vs->Change();
        unseen.removeIf([&](QWidget* c) { return ShownArea(w).contains(InWindow(w, c)); });
        if (v >= vs->Control().Max()) break;
    }
    for (QWidget* c : unseen) QFAIL(qPrintable(QStringLiteral("never wholly in view: %1").arg(c->objectName())));
    vs->Control().SetValue(0);
    emit vs->Change();
}

QList<QWidget*> RowsOf(QWidget* w, bool suite) {
    QList<QWidget*> rows;
    // Arrays, not initializer_lists picked with ?: (a copied list's backing array dies at the
    // end of the full-expression, before the loop reads it).
    static constexpr std::array<const char*, 3> kSuite{"chkProp", "chkPropTo40", "chkPropTo4L"};
    static constexpr std::array<const char*, 3> kMicrosoft{"chkVBProp", "chkVBPropTo40", "chkVBPropTo4L"};
    const int n = suite ? tavkonv40::kFamilyCount : tavkonv40::kMicrosoftOptionCount;
    for (int i = 0; i < n; ++i)
        for (const char* array : suite ? kSuite : kMicrosoft) rows << Find(w, array, i);
    return rows;
}

void CheckBothPanels(QWidget* w) {
    for (bool suite : {true, false}) {
        ClickTab(w, suite ? 20 : 200);
        const Frame f = FrameOf(w);
        QWidget* panel = Find(w, QStringLiteral("CTRLContainer_%1").arg(suite ? 0 : 1));
        const int space = ShownArea(w).height();
        const bool needed = panel->height() > space;
        QCOMPARE(f.vs->Control().Enabled(), needed);
        if (needed) {
            QCOMPARE(f.vs->Control().Max(), long(panel->height() - space));
            QCOMPARE(f.vs->Control().LargeChange(), std::min<long>(space, f.vs->Control().Max()));
            QCOMPARE(f.vs->Control().PixelsVisible(), long(space));
        }
        CheckEveryRowReachable(w, RowsOf(w, suite));
    }
    ClickTab(w, 20);
}

// The explanatory texts, measured in the form's own font, are never cut (the arrangement's
// order and overlaps are tested without widgets).
void CheckExplanations(QWidget* w) {
    for (int i = 0; i < 2; ++i) {
        auto* label = Find<QLabel>(w, QStringLiteral("lblExplain_%1").arg(i));
        QVERIFY(label->heightForWidth(label->width()) <= label->height());
    }
}

// Each named part (and the first option row) where the shared arrangement puts it, within a
// pixel: the Win32 form is checked against the same boxes under Wine, so the two agree.
void CheckRectangles(QWidget* w) {
    using namespace dialog;
    const FormArrangement a = ArrangeForm(w->width(), w->height(), [w](int width) {
        int tallest = 0;
        for (int i = 0; i < 2; ++i)
            tallest = std::max(tallest, Find(w, QStringLiteral("lblExplain_%1").arg(i))->heightForWidth(width));
        return tallest;
    });
    const PanelFrameArrangement p = ArrangePanelFrame({0, 0, a.tabFrame.width, a.tabFrame.height});
    const auto& families = tavkonv40::families();
    const auto first = std::find_if(families.begin(), families.end(), [](const auto& f) { return f.optionRow == 0; });
    const int captionWidth = QFontMetrics(w->font()).horizontalAdvance(QString::fromLatin1(first->caption));
    const std::pair<QWidget*, Box> parts[] = {
        {Find(w, QStringLiteral("XPTabCtrl")), a.tabFrame},
        {Find(w, QStringLiteral("TabHeader")), p.tabHeader},
        {Find(w, QStringLiteral("PanelBody")), p.body},
        {Find(w, QStringLiteral("tabTitle")), p.panelTitle},
        {Find(w, QStringLiteral("FolderGroup")), a.group},
        {Find(w, "chkProp", first->optionIndex), ArrangeSuiteRow(0, captionWidth).check}};
    for (const auto& [part, box] : parts) {
        const QRect g = part->geometry();
        QVERIFY2(std::abs(g.x() - box.x) <= 1 && std::abs(g.y() - box.y) <= 1 && std::abs(g.width() - box.width) <= 1 &&
                     std::abs(g.height() - box.height) <= 1,
                 qPrintable(part->objectName()));
    }
}

}  // namespace

class LayoutTest : public QObject {
    Q_OBJECT
    IsolatedSettings m_settings;

  private slots:
    void everyRowReachableAndWholeAtEverySizeAndButtonCornersShowTheBackground() {
        WithOpenDialog([](QWidget* w) {
            QCOMPARE(w->size(), QSize(dialog::geometry::kDesignWidth, dialog::geometry::kDesignHeight));
            CheckRectangles(w);
            // The rounded buttons on the window's gradient: their corners show the gradient.
            const QImage shot = w->grab().toImage();
            for (int index : {0, 1, 3, 5}) {
                QWidget* b = Find(w, "cmd", index);
                const QPoint corner = b->mapTo(w, QPoint(0, 0));
                const QColor inside = shot.pixelColor(corner + QPoint(1, 1));
                const QColor outside = shot.pixelColor(corner + QPoint(-2, 1));
                const int diff = std::abs(inside.red() - outside.red()) + std::abs(inside.green() - outside.green()) +
                                 std::abs(inside.blue() - outside.blue());
                QVERIFY2(diff <= 12, qPrintable(QStringLiteral("cmd_%1: corner %2, beside it %3")
                                                    .arg(index)
                                                    .arg(inside.name(), outside.name())));
            }
            const QSize sizes[] = {w->size(), w->minimumSize(), QSize(w->width(), 680), QSize(w->width(), 700)};
            for (const QSize& size : sizes) {
                w->resize(size);
                QCOMPARE(w->size(), size);
                CheckBothPanels(w);
                CheckExplanations(w);
            }
        });
    }
};

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
