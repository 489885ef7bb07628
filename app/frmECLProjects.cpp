#include "app/frmECLProjects.h"

#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "engine/ResultRun.h"
#include "numeric/Errors.h"
#include "store/Recordset.h"
#include "store/StoredProject.h"
#include "store/clsQ7IO.h"
#include "ui/MessageService.h"
#include "writers/EclipseChecks.h"
#include "writers/EclipseDeck.h"
#include "writers/ui/OutputDialogSupport.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace q7 {

frmECLProjects::frmECLProjects(clsQ7IO& io, MessageService& messages, QWidget* parent, EclipseUnits* units,
                               std::string* base)
    : QDialog(parent), m_io(io), m_messages(messages), m_rememberedUnits(units), m_rememberedBase(base) {
    setObjectName(QStringLiteral("frmECLProjects"));
    setWindowTitle(QStringLiteral("Eclipse File Export - Several Projects"));
    setModal(true);

    auto* lblProjects = new QLabel(QStringLiteral("&Projects (tick them in region order: region k is the "
                                                  "k-th project ticked)"),
                                   this);
    m_lstProjects = new QListWidget(this);
    m_lstProjects->setObjectName(QStringLiteral("lstProjects"));
    lblProjects->setBuddy(m_lstProjects);
    m_lstProjects->setMinimumHeight(m_lstProjects->fontMetrics().height() * 10);
    m_lblRegions = new QLabel(this);
    m_lblRegions->setObjectName(QStringLiteral("lblRegions"));
    m_lblRegions->setWordWrap(true);

    auto* label1 = new QLabel(QStringLiteral("Default File &Name"), this);
    m_txtFileName = new QLineEdit(
        base && !base->empty() ? QString::fromStdString(*base) : QStringLiteral("Eclipse"), this);
    m_txtFileName->setObjectName(QStringLiteral("txtFileName"));
    label1->setBuddy(m_txtFileName);
    m_txtFileName->setMinimumWidth(
        m_txtFileName->fontMetrics().horizontalAdvance(QString(36, QLatin1Char('n'))));
    SelectAllOnFocus(m_txtFileName);

    auto* fraUnits = new QGroupBox(QStringLiteral(" Units "), this);
    fraUnits->setObjectName(QStringLiteral("fraUnits"));
    auto* unitsRow = new QHBoxLayout(fraUnits);
    const char* captions[] = {"F&ield (psia, Mscf/stb, rb/Mscf, lb/ft3)",
                              "&Metric (barsa, sm3/sm3, rm3/sm3, kg/m3)"};
    for (int k = 0; k < 2; ++k) {
        m_optUnits[k] = new QRadioButton(QString::fromLatin1(captions[k]), fraUnits);
        m_optUnits[k]->setObjectName(QStringLiteral("optUnits(%1)").arg(k));
        unitsRow->addWidget(m_optUnits[k]);
    }
    unitsRow->addStretch(1);
    const EclipseUnits start = m_rememberedUnits ? *m_rememberedUnits : EclipseUnits::Field;
    m_optUnits[start == EclipseUnits::Metric ? 1 : 0]->setChecked(true);
    connect(m_optUnits[1], &QRadioButton::toggled, this, [this](bool metric) {
        if (m_rememberedUnits) *m_rememberedUnits = metric ? EclipseUnits::Metric : EclipseUnits::Field;
    });

    // Off by default: the tables as computed.
    m_chkConsistent =
        new QCheckBox(QStringLiteral("&Live oil with a positive total compressibility "
                                     "(saturated records thinned or their Bo held where needed)"),
                      this);
    m_chkConsistent->setObjectName(QStringLiteral("chkConsistent"));

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(label1);
    nameRow->addWidget(m_txtFileName, 1);
    QHBoxLayout* buttons = RunCancelRow(this, QStringLiteral("&Export"), m_cmdReport, m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblProjects);
    layout->addWidget(m_lstProjects, 1);
    layout->addWidget(m_lblRegions);
    layout->addLayout(nameRow);
    layout->addWidget(fraUnits);
    layout->addWidget(m_chkConsistent);
    layout->addLayout(buttons);

    connect(m_lstProjects, &QListWidget::itemChanged, this, &frmECLProjects::ItemChanged);
    connect(m_cmdReport, &QPushButton::clicked, this, &frmECLProjects::ExportClick);
    FillList();
}

void frmECLProjects::Show(clsQ7IO& io, MessageService& messages, QWidget* parent, EclipseUnits* units,
                          std::string* base) {
    frmECLProjects dialog(io, messages, parent, units, base);
    dialog.exec();
}

void frmECLProjects::FillList() {
    try {
        Recordset list = m_io.GetProjects();
        for (list.MoveFirst(); !list.IsEOF(); list.MoveNext()) {
            auto* item = new QListWidgetItem(list.Value(QStringLiteral("PrjName")).toString());
            item->setData(Qt::UserRole, list.Value(QStringLiteral("PrjID")).toLongLong());
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
            item->setCheckState(Qt::Unchecked);
            m_lstProjects->addItem(item);
        }
    } catch (const std::exception& e) {
        m_messages.ShowError(QString::fromStdString(e.what()), QStringLiteral("Project Database Error"));
    }
    ShowRegions();
}

// Ticking appends the project as the next region; unticking takes it out and closes the gap.
void frmECLProjects::ItemChanged(QListWidgetItem* item) {
    const auto id = static_cast<std::int32_t>(item->data(Qt::UserRole).toLongLong());
    const auto at = std::find(m_regions.begin(), m_regions.end(), id);
    const bool ticked = item->checkState() == Qt::Checked;
    if (ticked && at == m_regions.end()) m_regions.push_back(id);
    if (!ticked && at != m_regions.end()) m_regions.erase(at);
    ShowRegions();
}

void frmECLProjects::ShowRegions() {
    QStringList names;
    const QSignalBlocker quiet(m_lstProjects);
    for (int row = 0; row < m_lstProjects->count(); ++row) {
        QListWidgetItem* item = m_lstProjects->item(row);
        const auto id = static_cast<std::int32_t>(item->data(Qt::UserRole).toLongLong());
        const auto at = std::find(m_regions.begin(), m_regions.end(), id);
        item->setToolTip(at == m_regions.end()
                             ? QString()
                             : QStringLiteral("Region %1").arg(static_cast<int>(at - m_regions.begin()) + 1));
    }
    for (std::size_t k = 0; k < m_regions.size(); ++k)
        for (int row = 0; row < m_lstProjects->count(); ++row)
            if (m_lstProjects->item(row)->data(Qt::UserRole).toLongLong() == m_regions[k])
                names << QStringLiteral("%1 %2").arg(k + 1).arg(m_lstProjects->item(row)->text());
    m_lblRegions->setText(names.isEmpty() ? QStringLiteral("Regions: none ticked")
                                          : QStringLiteral("Regions: ") + names.join(QStringLiteral(", ")));
    m_cmdReport->setEnabled(!m_regions.empty());
}

void frmECLProjects::ExportClick() {
    const EclipseUnits units = m_optUnits[1]->isChecked() ? EclipseUnits::Metric : EclipseUnits::Field;
    std::vector<ComputedCase> projects;
    QStringList problems;
    try {
        for (std::int32_t id : m_regions) {
            ComputedCase& p = projects.emplace_back();
            Recordset row = m_io.GetProject(id);
            if (row.RecordCount() == 0) throw DatabaseError("no project has the id " + std::to_string(id));
            p.name = row.Value(QStringLiteral("PrjName")).toString().toStdString();
            const ProjectTables tables = m_io.LoadProjectTables(id);
            if (!StoredProjectComplete(tables))
                throw DatabaseError("The project's data is incomplete in the project database.");
            ComputeStoredProject(tables, *p.objects, *p.sink, p.outcome);
            for (const std::string& m : p.sink->messages)
                problems << QString::fromStdString(p.name + ": " + m);
            if (p.outcome.error)
                problems << QString::fromStdString(p.name + ": " + p.outcome.error->Title() + ": " +
                                                   p.outcome.error->text);
        }
    } catch (const std::exception& e) {
        m_messages.ShowError(QString::fromStdString(e.what()), QStringLiteral("Eclipse Export Error"));
        return;
    }
    std::vector<DeckCase> cases;
    for (const ComputedCase& p : projects)
        cases.push_back({p.name, p.objects.get()});
    const QStringList refused = MarkRefusedTables(cases, PlanEclipseDeck(cases, units).keywords, units);
    RunWriter(*this, m_messages, QStringLiteral("Eclipse Export Error"), [&] {
        const DeckResult deck =
            WriteEclipseDeck(cases, m_txtFileName->text().toStdString(), units, m_chkConsistent->isChecked());
        QString written;
        for (const std::string& k : deck.keywords)
            written += QString::fromStdString(k) + QLatin1Char(' ');
        QString text = QStringLiteral("Eclipse output complete!\n\nTABDIMS") +
                       QString::fromStdString(deck.dims.Record());
        for (const DeckKeywordLeftOut& left : deck.leftOut) {
            QStringList lacking;
            for (const std::string& n : left.lacking)
                lacking << QString::fromStdString(n);
            text += QStringLiteral("\n%1 left out: not offered by %2")
                        .arg(QString::fromStdString(left.keyword), lacking.join(QStringLiteral(", ")));
        }
        for (const QString& p : problems)
            text += QLatin1Char('\n') + p;
        if (!refused.isEmpty())
            text += QStringLiteral("\n\nA simulator would refuse (written all the same):\n") +
                    refused.join(QLatin1Char('\n'));
        QStringList files;
        for (const std::filesystem::path& f : deck.files)
            files << QDir::toNativeSeparators(
                QFileInfo(QString::fromStdString(f.string())).absoluteFilePath());
        if (!files.isEmpty()) text += QStringLiteral("\n\nWritten to:\n") + files.join(QLatin1Char('\n'));
        if (m_rememberedBase) *m_rememberedBase = m_txtFileName->text().toStdString();
        m_messages.ShowInfo(text, QStringLiteral("Files: ") + written);
    });
}

// The checks of the single-project export, region by region, on the tables the deck writes: each
// region's refused table is marked on its project in the list (warning icon, the reasons on the tool
// tip) and named, with its reasons, in the lines returned.
QStringList frmECLProjects::MarkRefusedTables(const std::vector<DeckCase>& cases,
                                              const std::vector<std::string>& keywords, EclipseUnits units) {
    QStringList lines;
    for (std::size_t k = 0; k < cases.size() && k < m_regions.size(); ++k) {
        QStringList tip;
        for (const std::string& keyword : keywords) {
            if (std::find(std::begin(kEclipseKeywords), std::end(kEclipseKeywords), keyword) ==
                std::end(kEclipseKeywords))
                continue;
            std::vector<std::string> reasons;
            try {
                reasons = CheckEclipseTable(*cases[k].objects, keyword, units);
            } catch (const std::exception& e) {
                reasons = {std::string("the table could not be checked: ") + e.what()};
            }
            for (const std::string& reason : reasons) {
                const QString line = QStringLiteral("%1 %2").arg(QString::fromStdString(keyword),
                                                                 QString::fromStdString(reason));
                tip << line;
                lines << QStringLiteral("Region %1 (%2) ")
                                 .arg(k + 1)
                                 .arg(QString::fromStdString(cases[k].name)) +
                             line;
            }
        }
        for (int row = 0; row < m_lstProjects->count(); ++row) {
            QListWidgetItem* item = m_lstProjects->item(row);
            if (item->data(Qt::UserRole).toLongLong() != m_regions[k]) continue;
            const QSignalBlocker quiet(m_lstProjects);
            item->setIcon(tip.isEmpty() ? QIcon() : style()->standardIcon(QStyle::SP_MessageBoxWarning));
            item->setToolTip(QStringLiteral("Region %1").arg(k + 1) +
                             (tip.isEmpty() ? QString()
                                            : QStringLiteral(": a simulator would refuse\n") +
                                                  tip.join(QLatin1Char('\n'))));
        }
    }
    return lines;
}

} // namespace q7
