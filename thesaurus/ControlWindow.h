#pragma once
// The control's own window inside the container's form. It is shown only at design time, where it
// draws the toolbox bitmap stretched over a white background; at run time it stays hidden.

#include <QImage>
#include <QWidget>

namespace tezar {

class ControlWindow : public QWidget {
public:
    static constexpr int kInitialSize = 28;

    explicit ControlWindow(QWidget* parent);

    // 16 x 15 pixels: an open book.
    static QImage ToolboxBitmap();

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace tezar
