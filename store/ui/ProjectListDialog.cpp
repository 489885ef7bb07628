#include "store/ui/ProjectListDialog.h"

#include "numeric/Errors.h"
#include "store/clsQ7IO.h"
#include "store/ui/ProjectHost.h"
#include "store/ui/ProjectSession.h"
#include "ui/FlexGrid.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace q7 {

namespace {

QString DateText(const QVariant& value) {
    if (value.isNull()) return {};
    QDateTime when = value.toDateTime();
    if (!when.isValid()) when = QDateTime::fromString(value.toString(), Qt::ISODate);
    return when.isValid() ? QLocale().toString(when.date(), QLocale::ShortFormat) : value.toString();
}

// Moves the highlight of a project list to the grid's current row (columns 1..n), and returns
// the key in column n + 1. Does nothing while lastRow <= 0.
void HighlightGridRow(FlexGrid& grid, int n, int& lastRow, std::int32_t& key) {
    if (lastRow <= 0) return;
    static const QColor highlight(146, 209, 206);
    const int r = grid.Row();
    for (int c = 1; c <= n; ++c)
        grid.SetCellBackColor(lastRow, c, Qt::white);
    lastRow = r;
    for (int c = 1; c <= n; ++c)
        grid.SetCellBackColor(r, c, highlight);
    if (grid.Col() != n + 1) {
        const QSignalBlocker quiet(&grid);
        grid.SetCurrentCell(r, n + 1);
    }
    key = grid.TextMatrix(r, n + 1).toInt();
}

} // namespace

ProjectListDialog::ProjectListDialog(ProjectHost& host, const QString& okCaption, QWidget* parent)
    : QDialog(parent), m_host(host) {
    setWindowTitle(QStringLiteral("Q7 Projects"));
    setModal(true);
    m_entryPrjID = host.Session().CurPrjID;
    m_entryPrjName = host.Session().CurPrjName;

    m_grid = new FlexGrid(this);
    m_grid->setObjectName(QStringLiteral("fxgProjects"));
    // Tab leaves the list for the buttons; the arrow keys move between projects.
    m_grid->setTabKeyNavigation(false);
    m_cmdOK = new QPushButton(okCaption, this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setAutoDefault(true);
    m_cmdOK->setDefault(true);
    m_cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdOK);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
    setTabOrder(m_grid, m_cmdOK);
    setTabOrder(m_cmdOK, m_cmdCancel);

    connect(m_cmdOK, &QPushButton::clicked, this, [this] { Confirm(); });
    connect(m_cmdCancel, &QPushButton::clicked, this, &ProjectListDialog::reject);
    connect(m_grid, &QTableWidget::cellDoubleClicked, this, [this] { Confirm(); });
    connect(m_grid, &FlexGrid::RowColChange, this, &ProjectListDialog::RowChanged);

    FillList();
    const int width = m_grid->TwipsToPixels(300 + 2000 + 1100 + 1200 + 3000) + 40;
    resize(std::max(width, sizeHint().width()), m_grid->TwipsToPixels(4200));
}

void ProjectListDialog::RestoreCurrentProject() {
    m_host.Session().CurPrjID = m_entryPrjID;
    m_host.Session().CurPrjName = m_entryPrjName;
}

void ProjectListDialog::reject() {
    RestoreCurrentProject();
    QDialog::reject();
}

void ProjectListDialog::FillList() {
    m_grid->SetCols(6);
    m_grid->SetHeaderHeight(300);
    const int widths[6] = {300, 2000, 1100, 1200, 3000, 0};
    const char* headers[6] = {"", "Name", "Created", "By", "Description", ""};
    for (int c = 0; c < 6; ++c) {
        m_grid->SetColWidth(c, widths[c]);
        m_grid->SetHeaderText(c, QString::fromLatin1(headers[c]));
    }
    try {
        Recordset rs = m_host.Database().GetProjects();
        const QSignalBlocker quiet(m_grid);
        int row = 0;
        for (rs.MoveFirst(); !rs.IsEOF(); rs.MoveNext()) {
            const QString cells = QStringLiteral("\t") + rs.Value(QStringLiteral("PrjName")).toString() +
                                  QLatin1Char('\t') + DateText(rs.Value(QStringLiteral("DateCreate"))) +
                                  QLatin1Char('\t') + rs.Value(QStringLiteral("CreatedBy")).toString() +
                                  QLatin1Char('\t') + rs.Value(QStringLiteral("PrjDesc")).toString() +
                                  QLatin1Char('\t') + rs.Value(QStringLiteral("PrjID")).toString();
            m_grid->AddItem(cells, ++row);
            for (int c = 0; c < 6; ++c) {
                m_grid->item(row - 1, c)->setTextAlignment(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
                if (c >= 1 && c <= 4) m_grid->SetCellBackColor(row, c, Qt::white);
            }
        }
        m_count = row;
    } catch (const Error& e) {
        m_host.Session().ShowError(QString::fromStdString(e.what()),
                                   QStringLiteral("Project Database Error"));
        return;
    }
    m_ready = true;
    if (m_count == 0) {
        // An empty list highlights nothing.
        m_lastRow = 0;
        return;
    }
    m_lastRow = 1;
    {
        const QSignalBlocker quiet(m_grid);
        m_grid->SetCurrentCell(1, 1);
    }
    RowChanged();
}

void ProjectListDialog::RowChanged() {
    if (m_lastRow <= 0) return;
    ProjectSession& session = m_host.Session();
    HighlightGridRow(*m_grid, 4, m_lastRow, session.CurPrjID);
    session.CurPrjName = m_grid->TextMatrix(m_lastRow, 1);
}

} // namespace q7
