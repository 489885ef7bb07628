#pragma once
// Building the main window's result tabs and menus: the helpers their builders use (boxes and labels
// sized from the font, frames). Each builder creates its tab's controls in their design state and
// adds the tab. The input tabs are classes of their own (app/tabs/InputTab.h).
#include "app/MainControls.h"
#include "ui/InputBox.h"
#include "ui/LogoWidget.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QRadioButton>
#include <QString>
#include <QVBoxLayout>

#include <array>

class QSplitter;

namespace q7 {

// Builds the controls of one window; every box and label is sized from the font, so the window
// follows the desktop's font and scale.
class TabBuilder {
public:
    explicit TabBuilder(QWidget& window) : m_window(window) {}

    int CharWidth(int chars) const {
        return m_window.fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 12;
    }

    InputBox* Box(const QString& name, const QString& initial = {}, int chars = 9) {
        auto* box = new InputBox;
        box->setObjectName(name);
        box->setText(initial);
        box->setFixedWidth(CharWidth(chars));
        return box;
    }

    QLineEdit* OutBox(const QString& name, int chars = 9) {
        auto* box = new QLineEdit;
        box->setObjectName(name);
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setFixedWidth(CharWidth(chars));
        box->setAlignment(Qt::AlignRight);
        QPalette p = box->palette();
        p.setColor(QPalette::Base, p.color(QPalette::Window));
        box->setPalette(p);
        return box;
    }

    static QLabel* Label(const QString& text, const QString& name = {}) {
        auto* label = new QLabel(text);
        if (!name.isEmpty()) label->setObjectName(name);
        return label;
    }

    static QGroupBox* Frame(const QString& title, const QString& name = {}) {
        auto* frame = new QGroupBox(title);
        if (!name.isEmpty()) frame->setObjectName(name);
        return frame;
    }

private:
    QWidget& m_window;
};

// A result grid (under its span headings, if any) on the left of a splitter, its plots on the
// right.
QSplitter* GridBesidePlot(SpanHeading* heading, FlexGrid* grid, PlotPane* plot);

void BuildMenus(QMainWindow& window, MainControls& ui);
void BuildTitleTab(MainControls& ui);
void BuildFluidPropsTab(TabBuilder& b, MainControls& ui);
void BuildRockPropsTab(TabBuilder& b, MainControls& ui);

} // namespace q7
