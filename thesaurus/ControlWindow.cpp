#include "thesaurus/ControlWindow.h"

#include <QPainter>

namespace tezar {

ControlWindow::ControlWindow(QWidget* parent) : QWidget(parent) {
    resize(kInitialSize, kInitialSize);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage ControlWindow::ToolboxBitmap() {
    QImage img(16, 15, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(QColor(0, 0, 128));
    p.setBrush(QColor(255, 255, 224));
    p.drawRect(1, 2, 6, 10);
    p.drawRect(8, 2, 6, 10);
    p.setPen(QColor(0, 0, 128));
    for (int y = 4; y <= 10; y += 2) {
        p.drawLine(2, y, 6, y);
        p.drawLine(9, y, 13, y);
    }
    p.setPen(QColor(128, 0, 0));
    p.drawLine(7, 2, 7, 13);
    return img;
}

void ControlWindow::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.drawImage(rect(), ToolboxBitmap());
}

} // namespace tezar
