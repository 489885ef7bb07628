#pragma once
// The company logo: a drop of oil over layered rock, drawn to any size.
#include <QWidget>

namespace q7 {

class LogoWidget : public QWidget {
    Q_OBJECT
public:
    // `side` is the logo's edge in device-independent pixels.
    explicit LogoWidget(int side, QWidget* parent = nullptr);
    QSize sizeHint() const override { return {m_side, m_side}; }

    // The logo as a picture, for window icons.
    static QPixmap Picture(int side);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_side;
};

} // namespace q7
