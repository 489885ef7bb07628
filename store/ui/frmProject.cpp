#include "store/ui/frmProject.h"

#include "engine/clsProject.h"
#include "numeric/Errors.h"
#include "store/ProjectNames.h"
#include "store/ProjectTables.h"
#include "store/clsQ7IO.h"
#include "store/ui/ProjectHost.h"
#include "store/ui/ProjectSession.h"
#include "ui/InputBox.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace q7 {

frmProject::frmProject(ProjectHost& host, QWidget* parent)
    : QDialog(parent), m_host(host), m_mode(host.Session().ProjectDialogMode) {
    setObjectName(QStringLiteral("frmProject"));
    setModal(true);

    auto box = [this](const char* name, const char* tag) {
        auto* b = new InputBox(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setProperty("tag", QString::fromLatin1(tag));
        b->setMinimumWidth(b->fontMetrics().horizontalAdvance(QString(40, QLatin1Char('n'))));
        return b;
    };
    m_txtPrjName = box("txtPrjName", "PrjName");
    m_txtCreatedBy = box("txtCreatedBy", "CreatedBy");
    m_txtDesc = box("txtDesc", "PrjDesc");
    m_cmdSave = new QPushButton(QStringLiteral("&Save"), this);
    m_cmdSave->setObjectName(QStringLiteral("cmdSave"));
    m_cmdSave->setAutoDefault(true);
    m_cmdSave->setDefault(true);
    m_cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    // Each caption's access key moves to its box.
    auto label = [this](const char* caption, InputBox* buddy) {
        auto* l = new QLabel(QString::fromLatin1(caption), this);
        l->setBuddy(buddy);
        return l;
    };
    auto* fields = new QGridLayout;
    fields->addWidget(label("Project &Name", m_txtPrjName), 0, 0);
    fields->addWidget(m_txtPrjName, 0, 1);
    fields->addWidget(label("Created &by", m_txtCreatedBy), 1, 0);
    fields->addWidget(m_txtCreatedBy, 1, 1);
    fields->addWidget(label("&Description", m_txtDesc), 2, 0);
    fields->addWidget(m_txtDesc, 2, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cmdSave);
    buttons->addWidget(m_cmdCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    setTabOrder(m_txtPrjName, m_txtCreatedBy);
    setTabOrder(m_txtCreatedBy, m_txtDesc);
    setTabOrder(m_txtDesc, m_cmdSave);
    setTabOrder(m_cmdSave, m_cmdCancel);

    // Loading: filling the boxes writes nothing back.
    ProjectSession& state = m_host.Session();
    state.InputEventsOn = false;
    try {
        if (m_mode == 2) {
            setWindowTitle(QStringLiteral("Edit Project Data"));
            m_row = m_host.Database().GetProject(state.CurPrjID);
            if (m_row.IsEOF()) throw DatabaseError("The open project is no longer in the project database.");
            for (InputBox* b : {m_txtPrjName, m_txtCreatedBy, m_txtDesc})
                b->setText(m_row.Value(b->property("tag").toString()).toString());
        } else {
            setWindowTitle(QStringLiteral("Add new Project"));
            m_row = m_host.Database().NewREC(QStringLiteral("tblProject"));
        }
        m_ready = true;
    } catch (const Error& e) {
        state.ShowError(QString::fromStdString(e.what()), QStringLiteral("Project Database Error"));
    }
    state.InputEventsOn = true;

    for (InputBox* b : {m_txtPrjName, m_txtCreatedBy, m_txtDesc})
        connect(b, &QLineEdit::textChanged, this, [this, b] { BoxChanged(b); });
    connect(m_cmdSave, &QPushButton::clicked, this, &frmProject::Save);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void frmProject::BoxChanged(InputBox* box) {
    if (!m_host.Session().InputEventsOn) return;
    const QString tag = box->property("tag").toString();
    const QString text = box->text();
    m_row.SetValue(tag, text);
    const std::string value = text.toStdString();
    clsProject& project = m_host.Project();
    if (box == m_txtPrjName) project.PrjName(value);
    if (box == m_txtCreatedBy) project.CreatedBy(value);
    if (box == m_txtDesc) project.PrjDesc(value);
}

void frmProject::Save() {
    // A name the batch tool could not name again (or a list could not tell from another) is refused.
    if (const std::string why = ProjectNameProblem(m_txtPrjName->text().toStdString()); !why.empty()) {
        m_host.Session().ShowError(QString::fromStdString("The project cannot be saved: " + why + "."),
                                   QStringLiteral("Invalid Project Name"));
        return;
    }
    try {
        if (m_mode == 1) {
            // The project row and its seven data rows from the inputs on screen, in one transaction.
            ProjectTables tables = m_host.Database().CreateProject(m_row, m_host.CalculationObjects());
            const auto prjID = static_cast<std::int32_t>(m_row.Value(QStringLiteral("PrjID")).toLongLong());
            m_host.ProjectSaved(m_txtPrjName->text(), prjID, &tables);
        } else {
            m_host.Database().SaveREC(m_row);
            m_host.ProjectSaved(m_txtPrjName->text(), m_host.Session().CurPrjID, nullptr);
        }
    } catch (const Error& e) {
        m_host.Session().ShowError(QString::fromStdString(e.what()),
                                   QStringLiteral("Project Database Error"));
        return;
    }
    accept();
}

} // namespace q7
