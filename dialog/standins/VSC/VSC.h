// Stand-in for the skinned vertical scroll bar until controls/VSC lands:
// Value, Min, Max, SmallChange, LargeChange, Enabled, Change, Scroll,
// QuerySkin and ApplyCustomSkin under the control's names, drawn from the
// same five skin pieces.
#pragma once

#include "UserControl.h"
#include "clsSkin.h"

#include <array>

class VSC : public UserControl {
    Q_OBJECT
public:
    enum class Part { None, UpArrow, DownArrow, TrackAbove, TrackBelow, Thumb };

    explicit VSC(QWidget* parent = nullptr, Ambient ambient = {});
    ~VSC() override;

    long Value() const { return m_value; }
    void SetValue(long value);  // clamped; no event
    long Min() const { return m_min; }
    void SetMin(long v);
    long Max() const { return m_max; }
    void SetMax(long v);
    long SmallChange() const { return m_small; }
    void SetSmallChange(long v) { m_small = v; }
    long LargeChange() const { return m_large; }
    void SetLargeChange(long v) { m_large = v; }
    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool on);

    void ApplyCustomSkin();
    void ApplyDefaultSkin();
    void Refresh() { update(); }

    Part HitTest(QPoint p) const;

    void InitProperties() override {}
    void ReadProperties(const PropertyBag&) override {}
    void WriteProperties(PropertyBag&) const override {}

signals:
    void Change();
    void Scroll();
    void QuerySkin(long ResNumber, SkinMapInfo& Skin, SkinSource& Source);

protected:
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;

private:
    enum Piece { Buttons, Glyphs, Shaft, Thumb, Gripper, PieceCount };
    void LoadPieces(bool custom);
    int ArrowHeight() const { return width(); }
    QRect UpRect() const;
    QRect DownRect() const;
    QRect ThumbRect() const;
    void Step(long delta);

    long m_value = 0, m_min = 0, m_max = 100, m_small = 1, m_large = 10;
    bool m_enabled = true;
    Part m_pressed = Part::None;
    int m_dragOffset = 0;
    std::array<SkinMapInfo, PieceCount> m_pieces;
};
