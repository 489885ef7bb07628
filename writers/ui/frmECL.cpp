#include "writers/ui/frmECL.h"

#include "engine/Q7Objects.h"
#include "ui/MessageService.h"
#include "writers/EclipseChecks.h"
#include "writers/OutputChoices.h"
#include "writers/clsECL.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QVBoxLayout>

#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace q7 {

namespace {

// One of the seven tables: its check box caption (with its access key), its path box, its extension
// and its clsECL flag and path. The rows follow kEclipseKeywords' order.
struct TableRow {
    const char* caption;
    const char* keyword;
    const char* extension;
    void (clsECL::*setFlag)(bool);
    void (clsECL::*setPath)(std::string_view);
    const std::string& (clsECL::*path)() const;
};

const std::array<TableRow, frmECL::kTables> kRows{{
    {"&PVDO - Oil (no gas)", "PVDO", ".pvdo", &clsECL::PVDO, &clsECL::PVDOFile, &clsECL::PVDOFile},
    {"PV&TO - Oil (with dissolved gas)", "PVTO", ".pvto", &clsECL::PVTO, &clsECL::PVTOFile,
     &clsECL::PVTOFile},
    {"PVD&G - Gas Reservoir", "PVDG", ".pvdg", &clsECL::PVDG, &clsECL::PVDGFile, &clsECL::PVDGFile},
    {"PVT&W - Water", "PVTW", ".pvtw", &clsECL::PVTW, &clsECL::PVTWFile, &clsECL::PVTWFile},
    {"&DENSITY", "DENS", ".dens", &clsECL::DENS, &clsECL::DENSFile, &clsECL::DENSFile},
    {"&SWOF - Rock: Water/Oil System", "SWOF", ".swof", &clsECL::SWOF, &clsECL::SWOFFile, &clsECL::SWOFFile},
    {"SGO&F - Rock: Gas/Oil System", "SGOF", ".sgof", &clsECL::SGOF, &clsECL::SGOFFile, &clsECL::SGOFFile},
    {"SWFN - &Rock: Water", "SWFN", ".swfn", &clsECL::SWFN, &clsECL::SWFNFile, &clsECL::SWFNFile},
    {"SGFN - Rock: G&as", "SGFN", ".sgfn", &clsECL::SGFN, &clsECL::SGFNFile, &clsECL::SGFNFile},
    {"S&OF3 - Rock: Oil (three phases)", "SOF3", ".sof3", &clsECL::SOF3, &clsECL::SOF3File,
     &clsECL::SOF3File},
    {"SOF2 - Rock: Oil (two p&hases)", "SOF2", ".sof2", &clsECL::SOF2, &clsECL::SOF2File, &clsECL::SOF2File},
    {"SGWFN - Rock: Gas/Water S&ystem", "SGWFN", ".sgwfn", &clsECL::SGWFN, &clsECL::SGWFNFile,
     &clsECL::SGWFNFile},
}};

static_assert(std::size(kEclipseAllKeywords) == frmECL::kTables);

constexpr int kPVDO = 0, kPVTO = 1, kPVDG = 2, kPVTW = 3, kDENS = 4, kSWOF = 5, kSGOF = 6, kSWFN = 7,
              kSGFN = 8, kSOF3 = 9, kSOF2 = 10, kSGWFN = 11;

// A base name picked in the file dialog by clicking one of the seven files loses that file's
// extension, so that the derived names are the picked file and its companions.
QString WithoutEclipseExtension(const QString& path) {
    for (const TableRow& row : kRows) {
        const QString ext = QString::fromLatin1(row.extension);
        if (path.endsWith(ext, Qt::CaseInsensitive) && path.size() > ext.size())
            return path.left(path.size() - ext.size());
    }
    return path;
}

QString EclipseFilter() {
    QString patterns;
    for (const TableRow& row : kRows)
        patterns += QStringLiteral(" *") + QString::fromLatin1(row.extension);
    return QStringLiteral("Eclipse include files (") + patterns.mid(1) + QStringLiteral(");;All files (*)");
}

} // namespace

frmECL::frmECL(const OutputDialogHost& host, QWidget* parent, EclipseUnits* units, std::string* base)
    : QDialog(parent), m_host(host), m_sink(*this), m_ecl(std::make_unique<clsECL>(host.objects, m_sink)),
      m_rememberedUnits(units), m_rememberedBase(base) {
    setObjectName(QStringLiteral("frmECL"));
    setWindowTitle(QStringLiteral("Eclipse File Export"));
    setModal(true);

    auto* label1 = new QLabel(QStringLiteral("Default File &Name"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_txtFileName = new QLineEdit(this);
    m_txtFileName->setObjectName(QStringLiteral("txtFileName"));
    label1->setBuddy(m_txtFileName);
    const int boxWidth = m_txtFileName->fontMetrics().horizontalAdvance(QString(36, QLatin1Char('n')));
    m_txtFileName->setMinimumWidth(boxWidth);
    SelectAllOnFocus(m_txtFileName);
    QPushButton* browseBase = BrowseButton(
        this, m_txtFileName, QStringLiteral("cmdBrowseFileName"), m_host.files,
        {QStringLiteral("Eclipse Base File Name"), EclipseFilter(), false, WithoutEclipseExtension},
        [this] { BaseNameChanged(); });

    auto* frame1 = new QGroupBox(QStringLiteral(" Create "), this);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto* rows = new QGridLayout(frame1);
    rows->setColumnStretch(1, 1);
    for (int k = 0; k < kTables; ++k) {
        const TableRow& row = kRows[k];
        auto* check = new QCheckBox(QString::fromLatin1(row.caption), frame1);
        check->setObjectName(QStringLiteral("cbxInclude(%1)").arg(k));
        check->setChecked(false);
        check->setEnabled(false);
        auto* path = new QLineEdit(frame1);
        path->setObjectName(QStringLiteral("txt") + QString::fromLatin1(row.keyword));
        path->setEnabled(false);
        path->setMinimumWidth(boxWidth);
        SelectAllOnFocus(path);
        const QString ext = QString::fromLatin1(row.extension);
        QPushButton* browse = BrowseButton(
            frame1, path, QStringLiteral("cmdBrowse") + QString::fromLatin1(row.keyword), m_host.files,
            {QString::fromLatin1(row.keyword) + QStringLiteral(" File"),
             QStringLiteral("%1 files (*%2);;All files (*)").arg(QString::fromLatin1(row.keyword), ext),
             true,
             {}},
            [this, k] { PathChanged(k); });
        // The button follows its box (SetPathEnabled).
        browse->setEnabled(false);
        connect(path, &QLineEdit::textChanged, this, [this, k] { PathChanged(k); });
        connect(check, &QCheckBox::toggled, this, [this, k] { IncludeClicked(k); });
        m_cbxInclude[k] = check;
        m_path[k] = path;
        m_browse[k] = browse;
        rows->addWidget(check, k, 0);
        rows->addWidget(path, k, 1);
        rows->addWidget(browse, k, 2);
    }

    // The unit system of every file: Field (the default) or Metric.
    auto* fraUnits = new QGroupBox(QStringLiteral(" Units "), this);
    fraUnits->setObjectName(QStringLiteral("fraUnits"));
    auto* unitsRow = new QHBoxLayout(fraUnits);
    const char* unitCaptions[] = {"F&ield (psia, Mscf/stb, rb/Mscf, lb/ft3)",
                                  "&Metric (barsa, sm3/sm3, rm3/sm3, kg/m3)"};
    for (int k = 0; k < 2; ++k) {
        m_optUnits[k] = new QRadioButton(QString::fromLatin1(unitCaptions[k]), fraUnits);
        m_optUnits[k]->setObjectName(QStringLiteral("optUnits(%1)").arg(k));
        unitsRow->addWidget(m_optUnits[k]);
        connect(m_optUnits[k], &QRadioButton::toggled, this, [this](bool on) {
            if (on) UnitsClicked();
        });
    }
    unitsRow->addStretch(1);

    // Off by default: the live-oil table as computed.
    m_chkConsistent =
        new QCheckBox(QStringLiteral("&Live oil with a positive total compressibility "
                                     "(saturated records thinned or their Bo held where needed)"),
                      this);
    m_chkConsistent->setObjectName(QStringLiteral("chkConsistent"));
    connect(m_chkConsistent, &QCheckBox::toggled, this, &frmECL::ConsistentClicked);
    // The saturation-function family of the rock tables: I (SWOF, SGOF, the default) or II.
    auto* fraFamily = new QGroupBox(QStringLiteral(" Saturation Tables "), this);
    fraFamily->setObjectName(QStringLiteral("fraFamily"));
    auto* familyRow = new QHBoxLayout(fraFamily);
    const char* familyCaptions[] = {"Family &1 (SWOF, SGOF)", "Family &2 (SWFN, SGFN, SOF3 or SOF2)"};
    for (int k = 0; k < 2; ++k) {
        m_optFamily[k] = new QRadioButton(QString::fromLatin1(familyCaptions[k]), fraFamily);
        m_optFamily[k]->setObjectName(QStringLiteral("optFamily(%1)").arg(k));
        familyRow->addWidget(m_optFamily[k]);
    }
    familyRow->addStretch(1);
    m_optFamily[0]->setChecked(true);
    for (int k = 0; k < 2; ++k)
        connect(m_optFamily[k], &QRadioButton::toggled, this, [this](bool on) {
            if (on) FamilyClicked();
        });

    // Tables a simulator would refuse are named here; the reasons are on each table's tool tip.
    m_lblEclipseWarnings = new QLabel(this);
    m_lblEclipseWarnings->setObjectName(QStringLiteral("lblEclipseWarnings"));
    m_lblEclipseWarnings->setWordWrap(true);
    m_lblEclipseWarnings->hide();

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(label1);
    nameRow->addWidget(m_txtFileName, 1);
    nameRow->addWidget(browseBase);
    QHBoxLayout* buttons = RunCancelRow(this, QStringLiteral("&Export"), m_cmdReport, m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(frame1);
    layout->addWidget(fraUnits);
    layout->addWidget(m_chkConsistent);
    layout->addWidget(fraFamily);
    layout->addWidget(m_lblEclipseWarnings);
    layout->addLayout(buttons);

    // Tab walks the rows as they are shown: the base name and its button, then each table's box,
    // path and button, then Export and Cancel.
    std::vector<QWidget*> order{m_txtFileName, browseBase};
    for (int k = 0; k < kTables; ++k)
        order.insert(order.end(), {m_cbxInclude[k], m_path[k], m_browse[k]});
    order.insert(order.end(), {m_optUnits[0], m_optUnits[1], m_optFamily[0], m_optFamily[1], m_chkConsistent,
                               m_cmdReport, m_cmdCancel});
    SetTabOrder(order);

    connect(m_txtFileName, &QLineEdit::textChanged, this, &frmECL::BaseNameChanged);
    connect(m_cmdReport, &QPushButton::clicked, this, &frmECL::ExportClick);

    Load();
}

frmECL::~frmECL() = default;

void frmECL::Show(const OutputDialogHost& host, QWidget* parent, EclipseUnits* units, std::string* base) {
    frmECL dialog(host, parent, units, base);
    dialog.exec();
}

void frmECL::Load() {
    // The base name derives every path, so each path box shows its file.
    if (m_rememberedBase && !m_rememberedBase->empty()) m_ecl->FileName(*m_rememberedBase);
    m_txtFileName->setText(QString::fromStdString(m_ecl->FileName()));
    const EclipseUnits units = m_rememberedUnits ? *m_rememberedUnits : EclipseUnits::Field;
    m_ecl->Units(units);
    m_optUnits[units == EclipseUnits::Metric ? 1 : 0]->setChecked(true);

    const EclipseTables offered = OfferedEclipseTables(m_host.objects);
    auto offer = [this](int k) {
        QCheckBox* check = m_cbxInclude[k];
        QLineEdit* path = m_path[k];
        check->setEnabled(true);
        check->setChecked(true);
        SetPathEnabled(k, true);
        path->setText(QString::fromStdString((m_ecl.get()->*kRows[k].path)()));
    };
    if (offered.DENS) offer(kDENS);
    if (offered.PVDO) offer(kPVDO);
    if (offered.PVTO) offer(kPVTO);
    if (offered.PVDG) offer(kPVDG);
    if (offered.PVTW) offer(kPVTW);
    OfferRockTables();
}

void frmECL::OfferRockTables() {
    const bool two = m_optFamily[1]->isChecked();
    const EclipseTables offered =
        OfferedEclipseTables(m_host.objects, two ? SaturationFamily::Two : SaturationFamily::One, false);
    const bool gasWater = m_host.objects.Rock.GO() && m_host.objects.Rock.GasWaterTable();
    for (int k = kSWOF; k < kTables; ++k) {
        m_cbxInclude[k]->setChecked(false);
        m_cbxInclude[k]->setEnabled(false);
        SetPathEnabled(k, false);
        // The family II rows show only when they can be chosen.
        const bool shown = k <= kSGOF || two || gasWater;
        m_cbxInclude[k]->setVisible(shown);
        m_path[k]->setVisible(shown);
        m_browse[k]->setVisible(shown);
    }
    auto offer = [this](int k, bool chosen) {
        m_cbxInclude[k]->setEnabled(true);
        m_cbxInclude[k]->setChecked(chosen);
        SetPathEnabled(k, chosen);
        m_path[k]->setText(QString::fromStdString((m_ecl.get()->*kRows[k].path)()));
    };
    if (offered.SGOF) offer(kSGOF, true);
    if (offered.SWOF) offer(kSWOF, true);
    if (offered.SWFN) offer(kSWFN, true);
    if (offered.SGFN) offer(kSGFN, true);
    if (offered.SOF3) offer(kSOF3, true);
    if (offered.SOF2) offer(kSOF2, true);
    // The gas–water table in one: offered, written only when ticked.
    if (gasWater) offer(kSGWFN, false);
    CheckOfferedTables();
}

void frmECL::FamilyClicked() {
    OfferRockTables();
}

void frmECL::CheckOfferedTables() {
    QStringList refused;
    for (int k = 0; k < kTables; ++k) {
        QCheckBox* check = m_cbxInclude[k];
        check->setToolTip(QString());
        check->setIcon(QIcon());
        if (!check->isEnabled()) continue;
        const std::string_view keyword = kEclipseAllKeywords[k];
        std::vector<std::string> reasons;
        try {
            reasons = CheckEclipseTable(m_host.objects, keyword, m_ecl->Units(), m_ecl->Consistent());
        } catch (const std::exception& e) {
            // A check that fails says so rather than closing the dialog.
            reasons = {std::string("the table could not be checked: ") + e.what()};
        }
        if (reasons.empty()) continue;
        QStringList lines;
        for (const std::string& reason : reasons)
            lines << QString::fromStdString(reason);
        check->setToolTip(lines.join(QLatin1Char('\n')));
        check->setIcon(style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, check));
        refused << QString::fromLatin1(keyword.data(), static_cast<qsizetype>(keyword.size()));
    }
    m_lblEclipseWarnings->setText(QStringLiteral("A simulator would refuse: ") +
                                  refused.join(QStringLiteral(", ")) +
                                  QStringLiteral(". Hover over a table for the reasons."));
    m_lblEclipseWarnings->setVisible(!refused.isEmpty());
}

void frmECL::BaseNameChanged() {
    m_ecl->FileName(m_txtFileName->text().toStdString());
    for (int k = 0; k < kTables; ++k)
        m_path[k]->setText(QString::fromStdString((m_ecl.get()->*kRows[k].path)()));
}

void frmECL::IncludeClicked(int k) {
    const bool on = m_cbxInclude[k]->isChecked();
    (m_ecl.get()->*kRows[k].setFlag)(on);
    SetPathEnabled(k, on);
}

void frmECL::SetPathEnabled(int k, bool on) {
    m_path[k]->setEnabled(on);
    m_browse[k]->setEnabled(on);
}

void frmECL::PathChanged(int k) {
    (m_ecl.get()->*kRows[k].setPath)(m_path[k]->text().toStdString());
}

// The tables are checked again as they would be written in the chosen units.
void frmECL::UnitsClicked() {
    const EclipseUnits units = m_optUnits[1]->isChecked() ? EclipseUnits::Metric : EclipseUnits::Field;
    m_ecl->Units(units);
    if (m_rememberedUnits) *m_rememberedUnits = units;
    CheckOfferedTables();
}

// The live-oil table is checked again as it would be written.
void frmECL::ConsistentClicked() {
    m_ecl->Consistent(m_chkConsistent->isChecked());
    CheckOfferedTables();
}

void frmECL::ExportClick() {
    RunWriter(*this, m_host.messages, QStringLiteral("Eclipse Export Error"), [this] {
        m_ecl->Execute();
        if (m_rememberedBase) *m_rememberedBase = m_ecl->FileName();
    });
}

void frmECL::WriterSink::ShowError(const std::string& message, const std::string& title) {
    m_dialog.m_host.messages.ShowError(QString::fromStdString(message), QString::fromStdString(title));
}

void frmECL::WriterSink::ShowInfo(const std::string& message, const std::string& title) {
    QStringList files;
    for (int k = 0; k < kTables; ++k)
        if (m_dialog.m_cbxInclude[k]->isEnabled() && m_dialog.m_cbxInclude[k]->isChecked())
            files << QDir::toNativeSeparators(QFileInfo(m_dialog.m_path[k]->text()).absoluteFilePath());
    QString text = QString::fromStdString(message);
    if (!files.isEmpty()) text += QStringLiteral("\n\nWritten to:\n") + files.join(QLatin1Char('\n'));
    m_dialog.m_host.messages.ShowInfo(text, QString::fromStdString(title));
}

} // namespace q7
