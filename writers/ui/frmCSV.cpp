#include "writers/ui/frmCSV.h"

#include "engine/Q7Objects.h"
#include "writers/OutputChoices.h"
#include "writers/clsCSV.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace q7 {

namespace {

// The group check boxes, captioned with their access keys.
struct GroupBox {
    const char* caption;
    void (clsCSV::*setFlag)(bool);
};

const std::array<GroupBox, frmCSV::kGroups> kGroupBoxes{{
    {"&Oil", &clsCSV::IncludeOIL},
    {"&Gas", &clsCSV::IncludeGAS},
    {"&Water", &clsCSV::IncludeWAT},
    {"&Rock", &clsCSV::IncludeROCK},
}};

} // namespace

frmCSV::frmCSV(const OutputDialogHost& host, QWidget* parent)
    : QDialog(parent), m_host(host), m_sink(host.messages),
      m_csv(std::make_unique<clsCSV>(host.objects, m_sink)) {
    setObjectName(QStringLiteral("frmCSV"));
    setWindowTitle(QStringLiteral("CSV File Export"));
    setModal(true);

    auto* label1 = new QLabel(QStringLiteral("CSV File &Name"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_txtFileName = new QLineEdit(this);
    m_txtFileName->setObjectName(QStringLiteral("txtFileName"));
    m_txtFileName->setMinimumWidth(
        m_txtFileName->fontMetrics().horizontalAdvance(QString(36, QLatin1Char('n'))));
    label1->setBuddy(m_txtFileName);
    SelectAllOnFocus(m_txtFileName);
    QPushButton* browse = BrowseButton(
        this, m_txtFileName, QStringLiteral("cmdBrowseFileName"), m_host.files,
        {QStringLiteral("CSV File Name"), QStringLiteral("CSV files (*.csv);;All files (*)"), true, {}},
        [this] { FileNameChanged(); });

    std::array<const char*, kGroups> captions{};
    for (int k = 0; k < kGroups; ++k)
        captions[static_cast<size_t>(k)] = kGroupBoxes[static_cast<size_t>(k)].caption;
    QGroupBox* frame1 = IncludeFrame(this, captions, m_cbxInclude, [this](int k) { IncludeClicked(k); });

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(label1);
    nameRow->addWidget(m_txtFileName, 1);
    nameRow->addWidget(browse);
    QHBoxLayout* buttons = RunCancelRow(this, QStringLiteral("&Export"), m_cmdReport, m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(nameRow);
    layout->addWidget(frame1);
    layout->addLayout(buttons);

    SetTabOrder({m_txtFileName, browse, m_cbxInclude[0], m_cbxInclude[1], m_cbxInclude[2], m_cbxInclude[3],
                 m_cmdReport, m_cmdCancel});

    connect(m_txtFileName, &QLineEdit::textChanged, this, &frmCSV::FileNameChanged);
    connect(m_cmdReport, &QPushButton::clicked, this, &frmCSV::ExportClick);

    Load();
}

frmCSV::~frmCSV() = default;

void frmCSV::Show(const OutputDialogHost& host, QWidget* parent) {
    frmCSV dialog(host, parent);
    dialog.exec();
}

void frmCSV::Load() {
    m_txtFileName->setText(QString::fromStdString(m_csv->FileName()));
    const PropertyGroups computed = ComputedGroups(m_host.objects);
    const bool present[kGroups] = {computed.Oil, computed.Gas, computed.Water, computed.Rock};
    for (int k = 0; k < kGroups; ++k) {
        if (!present[k]) continue;
        m_cbxInclude[k]->setEnabled(true);
        m_cbxInclude[k]->setChecked(true);
    }
}

void frmCSV::FileNameChanged() {
    m_csv->FileName(m_txtFileName->text().toStdString());
}

void frmCSV::IncludeClicked(int k) {
    (m_csv.get()->*kGroupBoxes[k].setFlag)(m_cbxInclude[k]->isChecked());
}

void frmCSV::ExportClick() {
    RunWriter(*this, m_host.messages, QStringLiteral("CSV Export Error"), [this] { m_csv->Execute(); });
}

} // namespace q7
