#include "ui/LogoWidget.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace q7 {

namespace {

void DrawLogo(QPainter& p, const QRectF& box) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = std::min(box.width(), box.height());
    const QRectF r(box.center().x() - s / 2, box.center().y() - s / 2, s, s);

    // Rounded tile in deep teal.
    QLinearGradient tile(r.topLeft(), r.bottomRight());
    tile.setColorAt(0, QColor(20, 98, 112));
    tile.setColorAt(1, QColor(9, 52, 66));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(r, s * 0.16, s * 0.16);

    // Rock strata across the lower third.
    const QColor strata[] = {QColor(196, 158, 96), QColor(160, 120, 70), QColor(120, 86, 52)};
    for (int i = 0; i < 3; ++i) {
        QPainterPath band;
        const qreal y = r.top() + s * (0.66 + 0.09 * i);
        band.moveTo(r.left() + s * 0.12, y);
        band.cubicTo(r.left() + s * 0.4, y - s * 0.05, r.left() + s * 0.6, y + s * 0.05, r.right() - s * 0.12,
                     y);
        p.setPen(QPen(strata[i], s * 0.055, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(band);
    }

    // The drop.
    QPainterPath drop;
    const qreal cx = r.center().x();
    const qreal top = r.top() + s * 0.12;
    const qreal bottom = r.top() + s * 0.58;
    const qreal half = s * 0.17;
    drop.moveTo(cx, top);
    drop.cubicTo(cx + half * 0.3, top + s * 0.12, cx + half * 1.2, bottom - s * 0.18, cx + half,
                 bottom - s * 0.1);
    drop.arcTo(QRectF(cx - half, bottom - 2 * half * 0.95, 2 * half, 2 * half * 0.95), -10, -160);
    drop.cubicTo(cx - half * 1.2, bottom - s * 0.18, cx - half * 0.3, top + s * 0.12, cx, top);
    QLinearGradient fill(QPointF(cx - half, top), QPointF(cx + half, bottom));
    fill.setColorAt(0, QColor(255, 214, 102));
    fill.setColorAt(1, QColor(214, 140, 28));
    p.setPen(QPen(QColor(255, 244, 214), s * 0.015));
    p.setBrush(fill);
    p.drawPath(drop);
    p.restore();
}

} // namespace

LogoWidget::LogoWidget(int side, QWidget* parent) : QWidget(parent), m_side(side) {
    setFixedSize(side, side);
    setObjectName(QStringLiteral("imgLogo"));
}

QPixmap LogoWidget::Picture(int side) {
    QPixmap picture(side, side);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    DrawLogo(p, QRectF(0, 0, side, side));
    return picture;
}

void LogoWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    DrawLogo(p, QRectF(rect()));
}

} // namespace q7
