#pragma once
// Building the main window's tabs: the helpers every tab's builder uses (boxes and labels sized from
// the font, frames, option pairs, the page with the logo) and the builder of each tab of sstMain.
// Each builder creates its tab's controls in their design state and adds the tab; they run in the
// order of the tabs.
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

// The name of a control array's member: "txtP(1)".
inline QString Indexed(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

// Column "p1", "gc15", ... of a numbered field.
inline QString Numbered(const char* prefix, int k) {
    return QString::fromLatin1(prefix) + QString::number(k);
}

// The text of a box as the objects read it.
inline std::string Std(const QString& text) {
    return text.toStdString();
}

// The letters stored for the two temperature-unit options.
inline constexpr std::array<const char*, 2> kTemperatureUnits{"F", "C"};

// Builds the controls of one window; every box and label is sized from the font, so the window
// follows the desktop's font and scale.
class TabBuilder {
public:
    explicit TabBuilder(QMainWindow& window) : m_window(window) {}

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

    static QRadioButton* Option(OptionPair& pair, QButtonGroup* group, int index, const char* name,
                                const QString& caption) {
        auto* button = new QRadioButton(caption);
        button->setObjectName(Indexed(name, index));
        pair[static_cast<std::size_t>(index)] = button;
        group->addButton(button, index);
        return button;
    }

    QButtonGroup* Group(const char* name) {
        auto* group = new QButtonGroup(&m_window);
        group->setObjectName(QString::fromLatin1(name));
        return group;
    }

    // A page of sstMain: the content on the left, the company logo in the top right corner.
    static QWidget* InputPage(const QString& name, QLayout* content) {
        auto* page = new QWidget;
        page->setObjectName(name);
        auto* outer = new QHBoxLayout(page);
        auto* left = new QVBoxLayout;
        left->addLayout(content);
        left->addStretch(1);
        outer->addLayout(left);
        outer->addStretch(1);
        auto* logoColumn = new QVBoxLayout;
        logoColumn->addWidget(new LogoWidget(72), 0, Qt::AlignRight | Qt::AlignTop);
        logoColumn->addStretch(1);
        outer->addLayout(logoColumn);
        return page;
    }

private:
    QMainWindow& m_window;
};

// A result grid (under its span headings, if any) on the left of a splitter, its plots on the
// right.
QSplitter* GridBesidePlot(SpanHeading* heading, FlexGrid* grid, PlotPane* plot);

void BuildMenus(QMainWindow& window, MainControls& ui);
void BuildTitleTab(MainControls& ui);
void BuildPhasesTab(TabBuilder& b, MainControls& ui);
void BuildPressureTab(TabBuilder& b, MainControls& ui);
void BuildOilTab(TabBuilder& b, MainControls& ui);
void BuildGasTab(TabBuilder& b, MainControls& ui);
void BuildWaterTab(TabBuilder& b, MainControls& ui);
void BuildFluidPropsTab(TabBuilder& b, MainControls& ui);
void BuildRockInputTab(TabBuilder& b, MainControls& ui);
void BuildRockPropsTab(TabBuilder& b, MainControls& ui);

} // namespace q7
