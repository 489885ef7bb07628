#include "writers/ui/frmReport.h"

#include "engine/Q7Objects.h"
#include "engine/clsProject.h"
#include "writers/OutputChoices.h"
#include "writers/clsReport.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace q7 {

namespace {

// The group check boxes, captioned with their access keys ("Report" has R, so Rock takes k).
struct GroupBox {
    const char* caption;
    void (clsReport::*setFlag)(bool);
};

const std::array<GroupBox, frmReport::kGroups> kGroupBoxes{{
    {"&Oil", &clsReport::IncludeOIL},
    {"&Gas", &clsReport::IncludeGAS},
    {"&Water", &clsReport::IncludeWAT},
    {"Roc&k", &clsReport::IncludeROCK},
}};

// The location is printed on one line of the report: the taller box wraps its text but takes no
// line breaks (Enter and Return do nothing there, rather than writing the report half typed).
class OneLineFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        return key == Qt::Key_Return || key == Qt::Key_Enter;
    }
};

// A line break pasted into the location becomes a space, so the report line stays one line.
QString OneLine(QString text) {
    for (QChar& c : text)
        if (c == QLatin1Char('\n') || c == QLatin1Char('\r') || c == QChar::ParagraphSeparator ||
            c == QChar::LineSeparator)
            c = QLatin1Char(' ');
    return text;
}

// One of the two lines of the etched rule.
QFrame* RuleLine(QWidget* parent, const char* name, const QColor& colour) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFixedHeight(1);
    line->setAutoFillBackground(true);
    QPalette palette = line->palette();
    palette.setColor(QPalette::Window, colour);
    line->setPalette(palette);
    return line;
}

} // namespace

frmReport::frmReport(const OutputDialogHost& host, const clsProject& project, QWidget* parent)
    : QDialog(parent), m_host(host), m_sink(host.messages),
      m_report(std::make_unique<clsReport>(host.objects, m_sink)) {
    setObjectName(QStringLiteral("frmReport"));
    setWindowTitle(QStringLiteral("Q7 Reports"));
    setModal(true);

    const int boxWidth = fontMetrics().horizontalAdvance(QString(36, QLatin1Char('n')));
    auto line = [this, boxWidth](const char* name) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QString::fromLatin1(name));
        box->setMinimumWidth(boxWidth);
        SelectAllOnFocus(box);
        return box;
    };
    m_txtCompany = line("txtCompany");
    m_txtField = line("txtField");
    m_txtReservoir = line("txtReservoir");
    m_txtDesc = new QPlainTextEdit(this);
    m_txtDesc->setObjectName(QStringLiteral("txtDesc"));
    m_txtDesc->setMinimumWidth(boxWidth);
    m_txtDesc->setTabChangesFocus(true);
    m_txtDesc->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    m_txtDesc->setFixedHeight(m_txtDesc->fontMetrics().lineSpacing() * 3 + 12);
    m_txtDesc->installEventFilter(new OneLineFilter(m_txtDesc));
    SelectAllOnFocus(m_txtDesc);
    m_txtCreatedBy = line("txtCreatedBy");
    m_txtFileName = line("txtFileName");
    QPushButton* browse = BrowseButton(
        this, m_txtFileName, QStringLiteral("cmdBrowseFileName"), m_host.files,
        {QStringLiteral("Report File Name"), QStringLiteral("Text files (*.txt);;All files (*)"), true, {}},
        [this] { m_report->FileName(m_txtFileName->text().toStdString()); });

    auto label = [this](int index, const char* caption, QWidget* buddy) {
        auto* l = new QLabel(QString::fromLatin1(caption), this);
        l->setObjectName(QStringLiteral("Label1(%1)").arg(index));
        l->setBuddy(buddy);
        return l;
    };
    // The identification boxes, the etched rule and the report's name share one grid, so the
    // boxes line up; the "…" button sits in a third column beside the name.
    auto* fields = new QGridLayout;
    fields->setColumnStretch(1, 1);
    fields->addWidget(label(0, "Co&mpany", m_txtCompany), 0, 0);
    fields->addWidget(m_txtCompany, 0, 1, 1, 2);
    fields->addWidget(label(1, "&Field", m_txtField), 1, 0);
    fields->addWidget(m_txtField, 1, 1, 1, 2);
    fields->addWidget(label(2, "R&eservoir", m_txtReservoir), 2, 0);
    fields->addWidget(m_txtReservoir, 2, 1, 1, 2);
    fields->addWidget(label(3, "&Location", m_txtDesc), 3, 0, Qt::AlignTop);
    fields->addWidget(m_txtDesc, 3, 1, 1, 2);
    fields->addWidget(label(4, "Created &by", m_txtCreatedBy), 4, 0);
    fields->addWidget(m_txtCreatedBy, 4, 1, 1, 2);

    auto* rule = new QVBoxLayout;
    rule->setSpacing(0);
    rule->setContentsMargins(0, 6, 0, 6);
    rule->addWidget(RuleLine(this, "Line1", palette().color(QPalette::Dark)));
    rule->addWidget(RuleLine(this, "Line2", Qt::white));
    fields->addLayout(rule, 5, 0, 1, 3);

    fields->addWidget(label(5, "Report File &Name", m_txtFileName), 6, 0);
    fields->addWidget(m_txtFileName, 6, 1);
    fields->addWidget(browse, 6, 2);

    std::array<const char*, kGroups> captions{};
    for (int k = 0; k < kGroups; ++k)
        captions[static_cast<size_t>(k)] = kGroupBoxes[static_cast<size_t>(k)].caption;
    QGroupBox* frame1 = IncludeFrame(this, captions, m_cbxInclude, [this](int k) { IncludeClicked(k); });

    m_cbxCorrelations = new QCheckBox(QStringLiteral("Name the correla&tions used"), this);
    m_cbxCorrelations->setObjectName(QStringLiteral("cbxCorrelations"));
    m_cbxCorrelations->setChecked(false);

    QHBoxLayout* buttons = RunCancelRow(this, QStringLiteral("&Report"), m_cmdReport, m_cmdCancel);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(frame1);
    layout->addWidget(m_cbxCorrelations);
    layout->addLayout(buttons);

    SetTabOrder({m_txtCompany, m_txtField, m_txtReservoir, m_txtDesc, m_txtCreatedBy, m_txtFileName, browse,
                 m_cbxInclude[0], m_cbxInclude[1], m_cbxInclude[2], m_cbxInclude[3], m_cbxCorrelations,
                 m_cmdReport, m_cmdCancel});

    // Change rule: every edit goes straight to the writer.
    auto feed = [this](QLineEdit* box, void (clsReport::*set)(std::string_view)) {
        connect(box, &QLineEdit::textChanged, this,
                [this, set](const QString& text) { (m_report.get()->*set)(text.toStdString()); });
    };
    feed(m_txtCompany, &clsReport::Company);
    feed(m_txtField, &clsReport::Field);
    feed(m_txtReservoir, &clsReport::Reservoir);
    feed(m_txtCreatedBy, &clsReport::CreatedBy);
    feed(m_txtFileName, &clsReport::FileName);
    connect(m_txtDesc, &QPlainTextEdit::textChanged, this,
            [this] { m_report->PrjDesc(OneLine(m_txtDesc->toPlainText()).toStdString()); });
    connect(m_cbxCorrelations, &QCheckBox::toggled, this,
            [this](bool checked) { m_report->IncludeCorrelations(checked); });
    connect(m_cmdReport, &QPushButton::clicked, this, &frmReport::ReportClick);

    Load(project);
}

frmReport::~frmReport() = default;

void frmReport::Show(const OutputDialogHost& host, const clsProject& project, QWidget* parent) {
    frmReport dialog(host, project, parent);
    dialog.exec();
}

void frmReport::Load(const clsProject& project) {
    if (project.PrjName() != clsProject::kNotSet) m_report->ProjectName(project.PrjName());
    m_txtCreatedBy->setText(QString::fromStdString(project.CreatedBy()));
    m_txtDesc->setPlainText(QString::fromStdString(project.PrjDesc()));
    m_txtCompany->setText(QString::fromStdString(project.Company()));
    m_txtField->setText(QString::fromStdString(project.Field()));
    m_txtReservoir->setText(QString::fromStdString(project.Reservoir()));
    m_txtFileName->setText(QString::fromStdString(m_report->FileName()));
    const PropertyGroups computed = ComputedGroups(m_host.objects);
    const bool present[kGroups] = {computed.Oil, computed.Gas, computed.Water, computed.Rock};
    for (int k = 0; k < kGroups; ++k) {
        if (!present[k]) continue;
        m_cbxInclude[k]->setEnabled(true);
        m_cbxInclude[k]->setChecked(true);
    }
    // A case matched to laboratory data has the section in any case: shown ticked, and fixed.
    if (m_host.objects.Oil.GO() && m_host.objects.Oil.Match().Made) {
        m_cbxCorrelations->setChecked(true);
        m_cbxCorrelations->setEnabled(false);
        m_cbxCorrelations->setToolTip(QStringLiteral(
            "The oil tables were matched to laboratory data: the report names the correlations and "
            "the match."));
    }
}

void frmReport::IncludeClicked(int k) {
    (m_report.get()->*kGroupBoxes[k].setFlag)(m_cbxInclude[k]->isChecked());
}

void frmReport::ReportClick() {
    RunWriter(*this, m_host.messages, QStringLiteral("Report Error"), [this] { m_report->Execute(); });
}

} // namespace q7
