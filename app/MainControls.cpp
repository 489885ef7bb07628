#include "app/MainControls.h"

#include "app/ResultPlots.h"
#include "ui/FlexGrid.h"
#include "ui/InputBox.h"
#include "ui/LogoWidget.h"
#include "ui/SpanHeading.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace q7 {

namespace {

QString Indexed(const char* name, int index) {
    return QString::fromLatin1(name) + QLatin1Char('(') + QString::number(index) + QLatin1Char(')');
}

// Builds the controls of one window; every box and label is sized from the font, so the window
// follows the desktop's font and scale.
class Builder {
public:
    explicit Builder(QMainWindow& window) : m_window(window) {}

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

void BuildMenus(QMainWindow& window, MainControls& ui) {
    QMenuBar* bar = window.menuBar();
    auto action = [&window](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setParent(&window);
        return a;
    };

    ui.muFile = bar->addMenu(QStringLiteral("&File"));
    ui.muFile->setObjectName(QStringLiteral("muFile"));
    ui.mnuPrint = action(ui.muFile, "mnuPrint", QStringLiteral("&Report"));
    ui.mnuExport = ui.muFile->addMenu(QStringLiteral("&Export"));
    ui.mnuExport->setObjectName(QStringLiteral("mnuExport"));
    ui.mnuCSV = action(ui.mnuExport, "mnuCSV", QStringLiteral("&Comma Delimited (.csv)"));
    ui.mnuEclipse = action(ui.mnuExport, "mnuEclipse", QStringLiteral("&Eclipse"));
    ui.mnuBar5 = ui.muFile->addSeparator();
    ui.mnuBar5->setObjectName(QStringLiteral("mnuBar5"));
    ui.mnuExit = action(ui.muFile, "mnuExit", QStringLiteral("E&xit"));

    ui.mnuProj = bar->addMenu(QStringLiteral("&Project"));
    ui.mnuProj->setObjectName(QStringLiteral("mnuProj"));
    ui.mnuOpen = action(ui.mnuProj, "mnuOpen", QStringLiteral("&Open"));
    ui.mnuEdit = action(ui.mnuProj, "mnuEdit", QStringLiteral("&Edit"));
    ui.mnuNew = action(ui.mnuProj, "mnuNew", QStringLiteral("&New"));
    ui.mnuClose = action(ui.mnuProj, "mnuClose", QStringLiteral("&Close"));
    ui.mnuDelete = action(ui.mnuProj, "mnuDelete", QStringLiteral("&Delete"));

    ui.mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    ui.mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    ui.mnuAbout = action(ui.mnuHelp, "mnuAbout", QStringLiteral("&About"));

    // Design state.
    ui.mnuPrint->setEnabled(false);
    ui.mnuCSV->setEnabled(false);
    ui.mnuEclipse->setEnabled(false);
    ui.mnuEdit->setEnabled(false);
    ui.mnuClose->setEnabled(false);
}

// A result grid (under its span headings, if any) on the left of a splitter, its plots on the
// right.
QSplitter* GridBesidePlot(SpanHeading* heading, FlexGrid* grid, PlotPane* plot) {
    auto* table = new QWidget;
    auto* layout = new QVBoxLayout(table);
    layout->setContentsMargins(0, 0, 0, 0);
    if (heading) layout->addWidget(heading);
    layout->addWidget(grid, 1);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("spl") + grid->objectName().mid(3));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(table);
    splitter->addWidget(plot);
    // A wider window widens the plots; the grid's columns would not use the room.
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    return splitter;
}

QWidget* TitlePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabCorvanta"));
    auto* layout = new QVBoxLayout(page);
    layout->addStretch(1);
    auto* logo = new LogoWidget(120);
    layout->addWidget(logo, 0, Qt::AlignHCenter);
    layout->addSpacing(8);

    auto centred = [layout](const QString& text, qreal scale, bool bold, const char* name) {
        auto* label = new QLabel(text);
        label->setObjectName(QString::fromLatin1(name));
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * scale);
        font.setBold(bold);
        label->setFont(font);
        layout->addWidget(label);
        return label;
    };
    centred(QStringLiteral("Fluvarex"), 2.6, true, "lblProduct");
    centred(QStringLiteral("For"), 1.1, false, "lblFor");
    centred(QStringLiteral("Fluid and Rock Property Correlations"), 1.6, true, "lblSubject");
    layout->addSpacing(14);

    auto* disclaimer = new QLabel(QStringLiteral(
        "The tables this program produces are estimates from published empirical correlations. They "
        "are no substitute for laboratory measurements on samples of the reservoir's own fluids and "
        "rock. Check every result against the ranges of data each correlation was derived from "
        "before using it for a reservoir study; the maker accepts no liability for decisions taken "
        "on the strength of these results."));
    disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    disclaimer->setWordWrap(true);
    disclaimer->setAlignment(Qt::AlignCenter);
    disclaimer->setFixedWidth(disclaimer->fontMetrics().horizontalAdvance(QString(84, QLatin1Char('n'))));
    disclaimer->setMinimumHeight(disclaimer->heightForWidth(disclaimer->width()));
    layout->addWidget(disclaimer, 0, Qt::AlignHCenter);
    layout->addSpacing(10);

    auto* contact = new QLabel(
        QStringLiteral("Corvanta Reservoir Software\nTelephone: +1 281 555 0147     corvanta.example.com"));
    contact->setObjectName(QStringLiteral("lblContact"));
    contact->setAlignment(Qt::AlignCenter);
    layout->addWidget(contact);
    layout->addStretch(2);
    return page;
}

} // namespace

void BuildMainControls(QMainWindow& window, MainControls& ui) {
    Builder b(window);
    BuildMenus(window, ui);

    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* centralLayout = new QVBoxLayout(central);

    ui.txtProject = new QLineEdit;
    ui.txtProject->setObjectName(QStringLiteral("txtProject"));
    ui.txtProject->setReadOnly(true);
    ui.txtProject->setFocusPolicy(Qt::NoFocus);
    QFont bold = ui.txtProject->font();
    bold.setBold(true);
    ui.txtProject->setFont(bold);
    centralLayout->addWidget(ui.txtProject);

    ui.sstMain = new QTabWidget;
    ui.sstMain->setObjectName(QStringLiteral("sstMain"));
    // Every tab caption stays visible: the window is at least as wide as the tab row.
    ui.sstMain->setUsesScrollButtons(false);
    ui.sstMain->setElideMode(Qt::ElideNone);
    centralLayout->addWidget(ui.sstMain, 1);
    window.setCentralWidget(central);

    // 0: title page.
    ui.sstMain->addTab(TitlePage(), QStringLiteral("Corvanta"));

    // 1: Phases Present.
    {
        auto* phases = Builder::Frame(QStringLiteral(" Fluid Phases Present "), QStringLiteral("fraPhases"));
        auto* pl = new QVBoxLayout(phases);
        const char* captions[3] = {"Oil (with dissolved gas)", "Gas Reservoir", "Water"};
        for (int i = 0; i < 3; ++i) {
            ui.cbxFPP[i] = new QCheckBox(QString::fromLatin1(captions[i]));
            ui.cbxFPP[i]->setObjectName(Indexed("cbxFPP", i));
            pl->addWidget(ui.cbxFPP[i]);
        }

        auto* std =
            Builder::Frame(QStringLiteral(" Standard Pressure && Temperature "), QStringLiteral("fraStd"));
        auto* sl = new QGridLayout(std);
        ui.txtStdP = b.Box(QStringLiteral("txtStdP"));
        ui.txtStdT = b.Box(QStringLiteral("txtStdT"));
        auto* stdUnits = b.Group("optStdTU");
        sl->addWidget(Builder::Label(QStringLiteral("Standard Pressure")), 0, 0);
        sl->addWidget(ui.txtStdP, 0, 1);
        sl->addWidget(Builder::Label(QStringLiteral("psia")), 0, 2);
        sl->addWidget(Builder::Label(QStringLiteral("Standard Temperature")), 1, 0);
        sl->addWidget(ui.txtStdT, 1, 1);
        sl->addWidget(Builder::Option(ui.optStdTU, stdUnits, 0, "optStdTU", QStringLiteral("F")), 1, 2);
        sl->addWidget(Builder::Option(ui.optStdTU, stdUnits, 1, "optStdTU", QStringLiteral("C")), 1, 3);
        sl->setColumnStretch(4, 1);

        auto* res = Builder::Frame(QStringLiteral(" Reservoir "), QStringLiteral("fraRes"));
        auto* rl = new QGridLayout(res);
        ui.txtResT = b.Box(QStringLiteral("txtResT"));
        auto* resUnits = b.Group("optResTU");
        rl->addWidget(Builder::Label(QStringLiteral("Reservoir Temperature")), 0, 0);
        rl->addWidget(ui.txtResT, 0, 1);
        rl->addWidget(Builder::Option(ui.optResTU, resUnits, 0, "optResTU", QStringLiteral("F")), 0, 2);
        rl->addWidget(Builder::Option(ui.optResTU, resUnits, 1, "optResTU", QStringLiteral("C")), 0, 3);
        rl->setColumnStretch(4, 1);

        auto* content = new QVBoxLayout;
        content->addWidget(phases);
        content->addWidget(std);
        content->addWidget(res);
        ui.sstMain->addTab(Builder::InputPage(QStringLiteral("tabPhases"), content),
                           QStringLiteral("Phases Present"));
    }

    // 2: Pressure Input.
    {
        auto* mode = b.Group("optPRange");
        auto* options = new QHBoxLayout;
        options->addWidget(
            Builder::Option(ui.optPRange, mode, 0, "optPRange", QStringLiteral("Specify Pressure Range")));
        options->addSpacing(24);
        options->addWidget(
            Builder::Option(ui.optPRange, mode, 1, "optPRange", QStringLiteral("Enter discrete Values")));
        options->addStretch(1);

        auto* range = Builder::Frame(QStringLiteral(" Range "), QStringLiteral("fraRange"));
        auto* rl = new QGridLayout(range);
        ui.txtMinP = b.Box(QStringLiteral("txtMinP"));
        ui.txtInitP = b.Box(QStringLiteral("txtInitP"));
        ui.txtMaxP = b.Box(QStringLiteral("txtMaxP"));
        const std::pair<const char*, InputBox*> rows[3] = {{"Minimum Pressure", ui.txtMinP},
                                                           {"Initial Pressure", ui.txtInitP},
                                                           {"Maximum Pressure", ui.txtMaxP}};
        for (int r = 0; r < 3; ++r) {
            rl->addWidget(Builder::Label(QString::fromLatin1(rows[r].first)), r, 0);
            rl->addWidget(rows[r].second, r, 1);
            rl->addWidget(Builder::Label(QStringLiteral("psia")), r, 2);
        }
        rl->setRowStretch(3, 1);

        auto* values = Builder::Frame(QStringLiteral(" Pressure Values "), QStringLiteral("fraValues"));
        auto* vl = new QGridLayout(values);
        for (int k = 1; k <= 18; ++k) {
            ui.txtP[k] = b.Box(Indexed("txtP", k), QStringLiteral("0"), 8);
            const int row = (k - 1) % 6;
            const int col = ((k - 1) / 6) * 2;
            auto* number = Builder::Label(QString::number(k));
            number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            vl->addWidget(number, row, col);
            vl->addWidget(ui.txtP[k], row, col + 1);
        }
        vl->addWidget(Builder::Label(QStringLiteral("psia")), 6, 5);

        auto* frames = new QHBoxLayout;
        frames->addWidget(range);
        frames->addWidget(values);
        frames->addStretch(1);

        auto* content = new QVBoxLayout;
        content->addLayout(options);
        content->addLayout(frames);
        ui.sstMain->addTab(Builder::InputPage(QStringLiteral("tabPressure"), content),
                           QStringLiteral("Pressure Input"));
    }

    // 3: Oil Input.
    {
        auto* gravity = Builder::Frame(QStringLiteral(" Oil Gravity "), QStringLiteral("fraOilGravity"));
        auto* gl = new QGridLayout(gravity);
        ui.txtAPI = b.Box(QStringLiteral("txtAPI"));
        ui.txtGrav = b.Box(QStringLiteral("txtGrav"));
        gl->addWidget(Builder::Label(QStringLiteral("API")), 0, 0);
        gl->addWidget(ui.txtAPI, 0, 1);
        gl->addWidget(Builder::Label(QStringLiteral("OR")), 0, 2, Qt::AlignCenter);
        gl->addWidget(Builder::Label(QStringLiteral("Specific Gravity")), 0, 3);
        gl->addWidget(ui.txtGrav, 0, 4);
        gl->setColumnMinimumWidth(2, 40);
        gl->setColumnStretch(5, 1);

        auto* sep = Builder::Frame(QStringLiteral(" Separator "), QStringLiteral("fraSeparator"));
        auto* sl = new QGridLayout(sep);
        ui.txtSepGas = b.Box(QStringLiteral("txtSepGas"));
        ui.txtSepP = b.Box(QStringLiteral("txtSepP"));
        ui.txtSepT = b.Box(QStringLiteral("txtSepT"));
        auto* sepUnits = b.Group("optSepTU");
        sl->addWidget(Builder::Label(QStringLiteral("Gas Gravity")), 0, 0);
        sl->addWidget(ui.txtSepGas, 0, 1);
        sl->addWidget(Builder::Label(QStringLiteral("(air = 1.0)")), 0, 2, 1, 2);
        sl->addWidget(Builder::Label(QStringLiteral("Pressure")), 1, 0);
        sl->addWidget(ui.txtSepP, 1, 1);
        sl->addWidget(Builder::Label(QStringLiteral("psia")), 1, 2, 1, 2);
        sl->addWidget(Builder::Label(QStringLiteral("Temperature")), 2, 0);
        sl->addWidget(ui.txtSepT, 2, 1);
        sl->addWidget(Builder::Option(ui.optSepTU, sepUnits, 0, "optSepTU", QStringLiteral("F")), 2, 2);
        sl->addWidget(Builder::Option(ui.optSepTU, sepUnits, 1, "optSepTU", QStringLiteral("C")), 2, 3);
        sl->setColumnStretch(4, 1);

        auto* gor = new QGridLayout;
        ui.txtRSI = b.Box(QStringLiteral("txtRSI"));
        ui.txtBPP = b.Box(QStringLiteral("txtBPP"));
        ui.cmdCalcPbp = new QPushButton(QStringLiteral("&Calc Pbp"));
        ui.cmdCalcPbp->setObjectName(QStringLiteral("cmdCalcPbp"));
        ui.cmdCalcRsi = new QPushButton(QStringLiteral("Calc &Rsi"));
        ui.cmdCalcRsi->setObjectName(QStringLiteral("cmdCalcRsi"));
        ui.cmdProceed = new QPushButton(QStringLiteral("Pr&oceed"));
        ui.cmdProceed->setObjectName(QStringLiteral("cmdProceed"));
        // Each calculate button keeps its place when hidden, so the layout does not jump.
        for (QPushButton* button : {ui.cmdCalcPbp, ui.cmdCalcRsi}) {
            QSizePolicy keep = button->sizePolicy();
            keep.setRetainSizeWhenHidden(true);
            button->setSizePolicy(keep);
        }
        gor->addWidget(Builder::Label(QStringLiteral("Initial Dissolved Gas-Oil Ratio")), 0, 0);
        gor->addWidget(ui.txtRSI, 0, 1);
        gor->addWidget(Builder::Label(QStringLiteral("scf/stb")), 0, 2);
        gor->addWidget(ui.cmdCalcPbp, 0, 3);
        gor->addWidget(Builder::Label(QStringLiteral("OR")), 1, 0, Qt::AlignCenter);
        gor->addWidget(Builder::Label(QStringLiteral("Bubble Point Pressure")), 2, 0);
        gor->addWidget(ui.txtBPP, 2, 1);
        gor->addWidget(Builder::Label(QStringLiteral("psia")), 2, 2);
        gor->addWidget(ui.cmdCalcRsi, 2, 3);
        gor->addWidget(ui.cmdProceed, 3, 3);
        gor->setColumnStretch(4, 1);

        auto* content = new QVBoxLayout;
        content->addWidget(gravity);
        content->addWidget(sep);
        content->addSpacing(8);
        content->addLayout(gor);
        ui.sstMain->addTab(Builder::InputPage(QStringLiteral("tabOil"), content),
                           QStringLiteral("Oil Input"));
    }

    // 4: Gas Input.
    {
        auto* mode = b.Group("optGasEntry");
        auto* options = new QHBoxLayout;
        options->addWidget(
            Builder::Option(ui.optGasEntry, mode, 0, "optGasEntry", QStringLiteral("Gravity && Inerts")));
        options->addSpacing(24);
        options->addWidget(
            Builder::Option(ui.optGasEntry, mode, 1, "optGasEntry", QStringLiteral("Composition")));
        options->addStretch(1);

        auto* inerts = Builder::Frame(QStringLiteral(" Gas Gravity && Inerts"), QStringLiteral("fraGravity"));
        auto* il = new QGridLayout(inerts);
        ui.txtGasGrav = b.Box(QStringLiteral("txtGasGrav"));
        ui.txtMFN = b.Box(QStringLiteral("txtMFN"));
        ui.txtMFCO2 = b.Box(QStringLiteral("txtMFCO2"));
        ui.txtMFHS = b.Box(QStringLiteral("txtMFHS"));
        const std::pair<const char*, InputBox*> inertRows[4] = {{"Gas Gravity (air=1.0)", ui.txtGasGrav},
                                                                {"Nitrogen, Mole Frac", ui.txtMFN},
                                                                {"Carbon Dioxide, Mole Frac", ui.txtMFCO2},
                                                                {"Hydrogen Sulfide, Mole Frac", ui.txtMFHS}};
        for (int r = 0; r < 4; ++r) {
            il->addWidget(Builder::Label(QString::fromLatin1(inertRows[r].first)), r, 0);
            il->addWidget(inertRows[r].second, r, 1);
        }

        ui.fraPLUS = Builder::Frame(QStringLiteral(" Plus Fraction Properties "), QStringLiteral("fraPLUS"));
        auto* fl = new QGridLayout(ui.fraPLUS);
        ui.txtPLUSmw = b.Box(QStringLiteral("txtPLUSmw"));
        ui.txtPLUSgg = b.Box(QStringLiteral("txtPLUSgg"));
        fl->addWidget(Builder::Label(QStringLiteral("Molecular Wt.")), 0, 0);
        fl->addWidget(ui.txtPLUSmw, 0, 1);
        fl->addWidget(Builder::Label(QStringLiteral("Specific Gravity (water = 1.0)")), 1, 0);
        fl->addWidget(ui.txtPLUSgg, 1, 1);

        auto* comp = Builder::Frame(QStringLiteral(" Gas Composition "), QStringLiteral("fraComposition"));
        auto* cl = new QGridLayout(comp);
        const char* names[15] = {"Methane",   "Ethane",    "Propane",  "i-Butane",       "n-Butane",
                                 "i-Pentane", "n-Pentane", "Hexane",   "Heptane",        "Octane",
                                 "Nonane",    "Decane",    "Nitrogen", "Carbon Dioxide", "Hydrogen Sulfide"};
        for (int k = 1; k <= 15; ++k) {
            const int row = (k - 1) % 8;
            const int col = ((k - 1) / 8) * 4;
            ui.txtGC[k] = b.Box(Indexed("txtGC", k), QStringLiteral("0.0000"), 7);
            ui.txtGC[k]->setEnabled(false);
            cl->addWidget(Builder::Label(QString::fromLatin1(names[k - 1])), row, col);
            cl->addWidget(ui.txtGC[k], row, col + 1);
            if (k <= 12) {
                ui.chkPLUS[k] = new QCheckBox(QStringLiteral("Plus"));
                ui.chkPLUS[k]->setObjectName(Indexed("chkPLUS", k));
                ui.chkPLUS[k]->setEnabled(false);
                cl->addWidget(ui.chkPLUS[k], row, col + 2);
            }
        }
        cl->setColumnMinimumWidth(3, 16);
        ui.txtGCTotal = b.OutBox(QStringLiteral("txtGCTotal"), 7);
        ui.txtGCTotal->setText(QStringLiteral("0.0000"));
        ui.txtGCTotal->setAlignment(Qt::AlignLeft);
        ui.cmdNormal = new QPushButton(QStringLiteral("&Normalize"));
        ui.cmdNormal->setObjectName(QStringLiteral("cmdNormal"));
        ui.cmdNormal->setToolTip(QStringLiteral("Normalize to 1.0"));
        auto* sumLabel = Builder::Label(QStringLiteral("Sum"));
        cl->addWidget(sumLabel, 7, 4);
        cl->addWidget(ui.txtGCTotal, 7, 5);
        cl->addWidget(ui.cmdNormal, 7, 6);

        auto* left = new QVBoxLayout;
        left->addWidget(inerts);
        left->addWidget(ui.fraPLUS);
        left->addStretch(1);
        ui.fraPLUS->setVisible(false);

        auto* frames = new QHBoxLayout;
        frames->addLayout(left);
        frames->addWidget(comp, 0, Qt::AlignTop);
        frames->addStretch(1);

        auto* content = new QVBoxLayout;
        content->addLayout(options);
        content->addLayout(frames);
        ui.sstMain->addTab(Builder::InputPage(QStringLiteral("tabGas"), content),
                           QStringLiteral("Gas Input"));
    }

    // 5: Water Input.
    {
        auto* water = Builder::Frame(QStringLiteral(" Water Description "), QStringLiteral("fraWater"));
        auto* wl = new QGridLayout(water);
        ui.txtPPM = b.Box(QStringLiteral("txtPPM"));
        ui.txtPER = b.Box(QStringLiteral("txtPER"));
        wl->addWidget(Builder::Label(QStringLiteral("Water Salinity")), 0, 0);
        wl->addWidget(ui.txtPPM, 0, 1);
        wl->addWidget(Builder::Label(QStringLiteral("ppm")), 0, 2);
        wl->addWidget(Builder::Label(QStringLiteral("OR")), 1, 0, 1, 3, Qt::AlignCenter);
        wl->addWidget(Builder::Label(QStringLiteral("Water Salinity")), 2, 0);
        wl->addWidget(ui.txtPER, 2, 1);
        wl->addWidget(Builder::Label(QStringLiteral("wt% solids")), 2, 2);
        wl->setColumnStretch(3, 1);
        auto* content = new QVBoxLayout;
        auto* row = new QHBoxLayout;
        row->addWidget(water);
        row->addStretch(1);
        content->addLayout(row);
        ui.sstMain->addTab(Builder::InputPage(QStringLiteral("tabWater"), content),
                           QStringLiteral("Water Input"));
    }

    // 6: Fluid Properties.
    {
        ui.sstFluid = new QTabWidget;
        ui.sstFluid->setObjectName(QStringLiteral("sstFluid"));

        // A result page: title, a row of captioned output boxes, the headings and the grid.
        auto resultPage =
            [&b](const char* name, const QString& title,
                 const std::vector<std::tuple<QLineEdit**, const char*, QString, QString>>& outputs,
                 FlexGrid*& grid, const char* gridName, SpanHeading** heading, PlotPane*& plot, int charts) {
                auto* page = new QWidget;
                page->setObjectName(QString::fromLatin1(name));
                auto* layout = new QVBoxLayout(page);
                auto* titleLabel = Builder::Label(title);
                QFont f = titleLabel->font();
                f.setBold(true);
                f.setPointSizeF(f.pointSizeF() * 1.15);
                titleLabel->setFont(f);
                layout->addWidget(titleLabel);
                auto* boxes = new QGridLayout;
                int col = 0;
                for (const auto& [box, boxName, caption, unit] : outputs) {
                    *box = b.OutBox(QString::fromLatin1(boxName), 10);
                    auto* captionLabel = Builder::Label(caption);
                    captionLabel->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
                    boxes->addWidget(captionLabel, 0, col, Qt::AlignHCenter | Qt::AlignBottom);
                    boxes->addWidget(*box, 1, col, Qt::AlignHCenter);
                    auto* unitLabel = Builder::Label(unit);
                    unitLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
                    boxes->addWidget(unitLabel, 2, col, Qt::AlignHCenter | Qt::AlignTop);
                    ++col;
                }
                boxes->setColumnStretch(col, 1);
                layout->addLayout(boxes);
                grid = new FlexGrid;
                grid->setObjectName(QString::fromLatin1(gridName));
                SpanHeading* spans = nullptr;
                if (heading) {
                    *heading = spans = new SpanHeading(grid);
                    (*heading)->setObjectName(QStringLiteral("hdg") + QString::fromLatin1(gridName).mid(3));
                }
                plot = new PlotPane(charts);
                layout->addWidget(GridBesidePlot(spans, grid, plot), 1);
                return page;
            };

        QWidget* waterPage = resultPage(
            "tabFluidWater", QStringLiteral("Water Properties"),
            {{&ui.txtPERo, "txtPERo", QStringLiteral("Weight % Solids"), QString()},
             {&ui.txtPPMo, "txtPPMo", QStringLiteral("Dissolved Solids"), QStringLiteral("(ppm)")},
             {&ui.txtSTDWout, "txtSTDWout", QStringLiteral("Tank Water Den"), QStringLiteral("(lb/scf)")},
             {&ui.txtResTfW, "txtResTfW", QStringLiteral("Reservoir Temp"), QStringLiteral("(F)")}},
            ui.fxgWater, "fxgWater", nullptr, ui.plotWater, 2);
        QWidget* gasPage = resultPage(
            "tabFluidGas", QStringLiteral("Gas Properties"),
            {{&ui.txtGGout, "txtGGout", QStringLiteral("Gas Gravity"), QStringLiteral("(air = 1.0)")},
             {&ui.txtResTout, "txtResTout", QStringLiteral("Reservoir Temp"), QStringLiteral("(F)")},
             {&ui.txtPC, "txtPC", QStringLiteral("Critical Pressure"), QStringLiteral("(psia)")},
             {&ui.txtTC, "txtTC", QStringLiteral("Critical Temperature"), QStringLiteral("(R)")},
             {&ui.txtPTRout, "txtPTRout", QStringLiteral("Pseudo-Temp"), QString()},
             {&ui.txtGSTDout, "txtGSTDout", QStringLiteral("Tank Gas Den"), QStringLiteral("(lb/scf)")}},
            ui.fxgGAS, "fxgGAS", nullptr, ui.plotGas, 3);
        QWidget* oilPage = resultPage(
            "tabFluidOil", QStringLiteral("Oil Properties"),
            {{&ui.txtPBPout, "txtPBPout", QStringLiteral("Bubble Point"), QStringLiteral("(psia)")},
             {&ui.txtCatPbp, "txtCatPbp", QStringLiteral("Compress @Pbp"), QStringLiteral("(psi)")},
             {&ui.txtSTDOout, "txtSTDOout", QStringLiteral("Tank Oil Den"), QStringLiteral("(lb/scf)")},
             {&ui.txtRSISEPout, "txtRSISEPout", QStringLiteral("GOR Sep"), QStringLiteral("(scf/stb)")},
             {&ui.txtRSITANKout, "txtRSITANKout", QStringLiteral("GOR Tank"), QString()},
             {&ui.txtRSIout, "txtRSIout", QStringLiteral("Initial GOR"), QString()}},
            ui.fxgUOil, "fxgUOil", &ui.hdgUOil, ui.plotOil, 3);
        ui.sstFluid->addTab(waterPage, QStringLiteral("Water"));
        ui.sstFluid->addTab(gasPage, QStringLiteral("Gas"));
        ui.sstFluid->addTab(oilPage, QStringLiteral("Oil"));

        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("tabFluidProps"));
        auto* layout = new QVBoxLayout(page);
        layout->addWidget(ui.sstFluid);
        ui.sstMain->addTab(page, QStringLiteral("Fluid Properties"));
    }

    // 7: Rock Input.
    {
        auto pairFrame = [&b](const QString& title, const char* frameName, OptionPair& pair, const char* name,
                              const QString& first, const QString& second) {
            auto* frame = Builder::Frame(title, QString::fromLatin1(frameName));
            auto* layout = new QVBoxLayout(frame);
            auto* group = b.Group(name);
            layout->addWidget(Builder::Option(pair, group, 0, name, first));
            layout->addWidget(Builder::Option(pair, group, 1, name, second));
            return frame;
        };
        auto* choices = new QGridLayout;
        choices->addWidget(pairFrame(QStringLiteral(" Fluids "), "fraFluids", ui.optRock, "optRock",
                                     QStringLiteral("Oil - Water"), QStringLiteral("Gas - Oil")),
                           0, 0);
        choices->addWidget(pairFrame(QStringLiteral(" Displacement "), "fraDisplacement", ui.optType,
                                     "optType", QStringLiteral("Drainage"), QStringLiteral("Imbibition")),
                           0, 1);
        choices->addWidget(pairFrame(QStringLiteral(" Lithology "), "fraLithology", ui.optLith, "optLith",
                                     QStringLiteral("Sandstone - Conglomerate"),
                                     QStringLiteral("Limestone - Dolomite")),
                           1, 0);
        choices->addWidget(pairFrame(QStringLiteral(" Wettability "), "fraWettability", ui.optWet, "optWet",
                                     QStringLiteral("Water Wet"), QStringLiteral("Oil or Intermediate Wet")),
                           1, 1);
        choices->addWidget(pairFrame(QStringLiteral(" Correlation "), "fraCorrelation", ui.optCorr, "optCorr",
                                     QStringLiteral("Corey"), QStringLiteral("Honarpour")),
                           2, 0);

        auto* sat = Builder::Frame(QStringLiteral(" Saturations "), QStringLiteral("fraSaturations"));
        auto* sl = new QGridLayout(sat);
        ui.txtSWC = b.Box(QStringLiteral("txtSWC"), QStringLiteral("0.20"), 7);
        ui.txtSORW = b.Box(QStringLiteral("txtSORW"), QStringLiteral("0.40"), 7);
        ui.txtSORG = b.Box(QStringLiteral("txtSORG"), QStringLiteral("0.40"), 7);
        ui.txtSGCrit = b.Box(QStringLiteral("txtSGCrit"), QStringLiteral("0.30"), 7);
        ui.lblSORW = Builder::Label(QStringLiteral("Residual Oil to Water"), QStringLiteral("lblSORW"));
        ui.lblSORG = Builder::Label(QStringLiteral("Residual Oil to Gas"), QStringLiteral("lblSORG"));
        ui.lblSGCrit = Builder::Label(QStringLiteral("Critical Gas"), QStringLiteral("lblSGCrit"));
        sl->addWidget(Builder::Label(QStringLiteral("Connate Water"), QStringLiteral("lblSWC")), 0, 0);
        sl->addWidget(ui.txtSWC, 0, 1);
        sl->addWidget(ui.lblSORW, 1, 0);
        sl->addWidget(ui.txtSORW, 1, 1);
        sl->addWidget(ui.lblSORG, 2, 0);
        sl->addWidget(ui.txtSORG, 2, 1);
        sl->addWidget(ui.lblSGCrit, 3, 0);
        sl->addWidget(ui.txtSGCrit, 3, 1);

        auto* corey = Builder::Frame(QStringLiteral(" Corey Exponents "), QStringLiteral("fraCorey"));
        auto* cl = new QGridLayout(corey);
        ui.txtK = b.Box(QStringLiteral("txtK"), {}, 7);
        ui.txtN = b.Box(QStringLiteral("txtN"), {}, 7);
        ui.lblK = Builder::Label(QStringLiteral("Kr wet [S^K(2-S)]  K ="), QStringLiteral("lblK"));
        ui.lblN = Builder::Label(QStringLiteral("Kr non-wet [(1-S)^N]  N ="), QStringLiteral("lblN"));
        cl->addWidget(ui.lblK, 0, 0);
        cl->addWidget(ui.txtK, 0, 1);
        cl->addWidget(ui.lblN, 1, 0);
        cl->addWidget(ui.txtN, 1, 1);

        auto* honarpour =
            Builder::Frame(QStringLiteral(" Honarpour Cooefficients "), QStringLiteral("fraHonarpour"));
        auto* hl = new QGridLayout(honarpour);
        ui.txtHRPoro = b.Box(QStringLiteral("txtHRPoro"), {}, 7);
        ui.txtHRAir = b.Box(QStringLiteral("txtHRAir"), {}, 7);
        ui.txtHRKrg = b.Box(QStringLiteral("txtHRKrg"), {}, 7);
        ui.lblHRPoro = Builder::Label(QStringLiteral("Porosity"), QStringLiteral("lblHRPoro"));
        ui.lblHRAir = Builder::Label(QStringLiteral("Air Permeability"), QStringLiteral("lblHRAir"));
        ui.lblMD = Builder::Label(QStringLiteral("(md)"), QStringLiteral("lblMD"));
        ui.lblHRKrg = Builder::Label(QStringLiteral("Krg"), QStringLiteral("lblHRKrg"));
        ui.lblSORGU = Builder::Label(QStringLiteral("(Sorg)"), QStringLiteral("lblSORGU"));
        hl->addWidget(ui.lblHRPoro, 0, 0);
        hl->addWidget(ui.txtHRPoro, 0, 1);
        hl->addWidget(ui.lblHRAir, 1, 0);
        hl->addWidget(ui.txtHRAir, 1, 1);
        hl->addWidget(ui.lblMD, 1, 2);
        hl->addWidget(ui.lblHRKrg, 2, 0);
        hl->addWidget(ui.txtHRKrg, 2, 1);
        hl->addWidget(ui.lblSORGU, 2, 2);

        auto* right = new QVBoxLayout;
        right->addWidget(sat);
        right->addWidget(corey);
        right->addWidget(honarpour);
        right->addStretch(1);

        auto* columns = new QHBoxLayout;
        auto* leftColumn = new QVBoxLayout;
        leftColumn->addLayout(choices);
        leftColumn->addStretch(1);
        columns->addLayout(leftColumn);
        columns->addLayout(right);
        columns->addStretch(1);
        auto* content = new QVBoxLayout;
        content->addLayout(columns);
        ui.sstMain->addTab(Builder::InputPage(QStringLiteral("tabRockInput"), content),
                           QStringLiteral("Rock Input"));
    }

    // 8: Rock Properties.
    {
        auto* page = new QWidget;
        page->setObjectName(QStringLiteral("tabRockProps"));
        auto* layout = new QVBoxLayout(page);
        auto* input =
            Builder::Frame(QStringLiteral(" Relative Permeability Input "), QStringLiteral("fraRockCase"));
        auto* il = new QGridLayout(input);
        ui.txtDispOut = b.OutBox(QStringLiteral("txtDispOut"), 10);
        ui.txtLithOut = b.OutBox(QStringLiteral("txtLithOut"), 10);
        ui.txtCORROut = b.OutBox(QStringLiteral("txtCORROut"), 10);
        const std::pair<const char*, QLineEdit*> boxes[3] = {{"Displacement", ui.txtDispOut},
                                                             {"Lithology", ui.txtLithOut},
                                                             {"Correlation Type", ui.txtCORROut}};
        for (int c = 0; c < 3; ++c) {
            boxes[c].second->setAlignment(Qt::AlignLeft);
            il->addWidget(Builder::Label(QString::fromLatin1(boxes[c].first)), 0, c, Qt::AlignHCenter);
            il->addWidget(boxes[c].second, 1, c, Qt::AlignHCenter);
        }
        il->setColumnStretch(3, 1);
        layout->addWidget(input);
        ui.lblRockProp = Builder::Label(QString(), QStringLiteral("lblRockProp"));
        QFont f = ui.lblRockProp->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.15);
        ui.lblRockProp->setFont(f);
        layout->addWidget(ui.lblRockProp);
        ui.fxgRock = new FlexGrid;
        ui.fxgRock->setObjectName(QStringLiteral("fxgRock"));
        ui.hdgRock = new SpanHeading(ui.fxgRock);
        ui.hdgRock->setObjectName(QStringLiteral("hdgRock"));
        ui.plotRock = new PlotPane(1);
        layout->addWidget(GridBesidePlot(ui.hdgRock, ui.fxgRock, ui.plotRock), 1);
        ui.sstMain->addTab(page, QStringLiteral("Rock Properties"));
    }
}

} // namespace q7
