#include "standin_skin.h"

#include <QImage>
#include <QPainter>

namespace standin {

void LoadPiece(SkinMapInfo& piece, int number, int frames,
               const std::function<void(long, SkinMapInfo&, SkinSource&)>& query) {
    clsSkin::ReleasePiece(piece);
    piece = SkinMapInfo{};
    SkinSource source;
    if (query) query(number, piece, source);
    if (!piece.ImageName.isEmpty() && !source.IsEmpty() && clsSkin::LoadCustomPiece(piece, source, frames)) return;
    piece = SkinMapInfo{};
    clsSkin::LoadStaticPiece(piece, number, 0);
}

void PaintComposed(QWidget* widget, const std::function<void(gdi::HDC)>& draw) {
    if (widget->width() <= 0 || widget->height() <= 0) return;
    QImage canvas(widget->size(), QImage::Format_ARGB32);
    canvas.fill(Qt::transparent);
    const gdi::HBITMAP bitmap = gdi::CreateBitmap(canvas);
    const gdi::HDC dc = gdi::CreateCompatibleDC();
    const gdi::HBITMAP previous = gdi::SelectBitmap(dc, bitmap);
    draw(dc);
    if (const QImage* image = gdi::DcImage(dc)) QPainter(widget).drawImage(0, 0, *image);
    gdi::SelectBitmap(dc, previous);
    gdi::DeleteDC(dc);
    gdi::DeleteBitmap(bitmap);
}

int GlyphFrame(bool value, bool enabled, bool hover, bool pressed) {
    const int base = value ? 4 : 0;
    if (!enabled) return base + 3;
    if (hover && pressed) return base + 2;
    if (hover) return base + 1;
    return base;
}

}  // namespace standin
