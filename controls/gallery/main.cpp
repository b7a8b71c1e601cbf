// tavkonv40-gallery [--screenshot FILE]
//
// Shows every registered section.  With --screenshot the window is written
// to FILE as PNG once every section has been driven, and the program ends;
// it works without a display (QT_QPA_PLATFORM=offscreen).
#include "controls/gallery/Gallery.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QLabel>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>

std::vector<GallerySection>& GallerySections() {
    static std::vector<GallerySection> sections;
    return sections;
}

namespace gallery {

QGridLayout* CellGrid(QWidget* page) {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(4);
    return grid;
}

void Settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QTest::qSleep(2);
    }
    QCoreApplication::processEvents();
}

void MoveAway(QWidget* page) {
    QTest::mouseMove(page->window(), QPoint(3, 3));
    Settle(40);
}

QtAmbient RunAmbient(QWidget* parent) {
    QtAmbient a;
    a.Mode = HostMode::Run;
    a.Font = QFont(parent->font().family(), 9);
    return a;
}

StateCell::StateCell(const QString& label, QWidget* parent) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    layout->setSpacing(3);
    m_stage = new QWidget(this);
    m_stage->setFixedSize(112, 30);
    layout->addWidget(m_stage, 0, Qt::AlignHCenter);
    auto* caption = new QLabel(label, this);
    caption->setAlignment(Qt::AlignHCenter);
    QFont f = caption->font();
    f.setPointSizeF(f.pointSizeF() * 0.85);
    caption->setFont(f);
    caption->setStyleSheet("color: #555a66;");
    layout->addWidget(caption);
}

void StateCell::Freeze(QWidget* control) { Freeze(control, control->grab()); }

void StateCell::Freeze(QWidget* control, const QPixmap& still) {
    const QRect geo = control->geometry();
    const QRegion mask = control->mask();
    control->hide();
    control->deleteLater();
    auto* picture = new QLabel(m_stage);
    picture->setPixmap(still);
    picture->setGeometry(geo);
    if (!mask.isEmpty()) picture->setMask(mask);
    picture->show();
}

}  // namespace gallery

namespace {

// The window: one titled page per section, in section order.
std::vector<QWidget*> buildWindow(QWidget& window, const std::vector<GallerySection>& sections) {
    window.setFocusPolicy(Qt::StrongFocus);
    window.setWindowTitle("Skinned controls");
    window.setAutoFillBackground(true);
    QPalette pal = window.palette();
    pal.setColor(QPalette::Window, QColor(236, 233, 216));
    window.setPalette(pal);
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(16, 12, 16, 16);
    layout->setSpacing(10);
    std::vector<QWidget*> pages;
    for (const auto& section : sections) {
        auto* title = new QLabel(section.title, &window);
        QFont f = title->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.15);
        title->setFont(f);
        title->setStyleSheet("color: #1c2a46;");
        layout->addWidget(title);
        auto* page = new QWidget(&window);
        layout->addWidget(page);
        section.build(page);
        pages.push_back(page);
    }
    layout->addStretch(1);
    return pages;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("tavkonv40-gallery");
    QCommandLineParser parser;
    parser.setApplicationDescription("Skinned controls in their main states.");
    parser.addHelpOption();
    QCommandLineOption screenshot("screenshot", "Write the window to FILE (PNG) and quit.", "FILE");
    parser.addOption(screenshot);
    parser.process(app);

    auto& sections = GallerySections();
    std::stable_sort(sections.begin(), sections.end(),
                     [](const GallerySection& a, const GallerySection& b) { return a.order < b.order; });

    QWidget window;
    const std::vector<QWidget*> pages = buildWindow(window, sections);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "tavkonv40-gallery: the window could not be shown\n");
        return 1;
    }
    window.activateWindow();
    window.setFocus();  // no control starts focused: focus is a state shown on its own
    gallery::Settle(50);
    for (std::size_t i = 0; i < sections.size(); ++i)
        if (sections[i].drive) sections[i].drive(pages[i]);
    gallery::Settle(50);

    if (parser.isSet(screenshot)) {
        const QString file = parser.value(screenshot);
        if (!window.grab().save(file, "PNG")) {
            std::fprintf(stderr, "tavkonv40-gallery: cannot write %s\n", qPrintable(file));
            return 1;
        }
        return 0;
    }
    return app.exec();
}
