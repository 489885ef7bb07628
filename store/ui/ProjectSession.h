#pragma once
// The project session the main window shares with the project dialogs: which project is open,
// whether input events act, the open project's record of each data table, the message boxes, and
// storing an input into the open project.
#include "store/ProjectTables.h"
#include "store/Recordset.h"
#include "ui/MessageService.h"

#include <QString>
#include <QVariant>

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace q7 {

class clsQ7IO;

class ProjectSession {
public:
    explicit ProjectSession(MessageService& messages) : m_messages(messages) {}
    ProjectSession(const ProjectSession&) = delete;
    ProjectSession& operator=(const ProjectSession&) = delete;

    // When false, linked input handlers do nothing and no edit is stored in a project.
    bool InputEventsOn = false;
    bool ProjectOpen = false;
    std::int32_t CurPrjID = 0;
    QString CurPrjName;
    // The open project is held by another workstation (on a database server): it was opened
    // read-only, and no edit is stored.
    bool ProjectReadOnly = false;
    // The project whose hold this workstation has taken (0: none).
    std::int32_t HeldPrjID = 0;
    // 1: the project dialog creates a project; 2: it edits the open one.
    std::int32_t ProjectDialogMode = 0;

    // The open project's record in each data table (rsFluid ... rsRock).
    Recordset& Cursor(ProjectTable table) { return m_cursors[static_cast<int>(table)]; }
    // The cursors become the record sets of a project just loaded or created.
    void TakeCursors(ProjectTables& tables);
    void ReleaseCursors();

    // The project database, when one was opened (null otherwise).
    clsQ7IO* IO() const { return m_io; }
    void SetIO(clsQ7IO* io) { m_io = io; }

    MessageService& Messages() const { return m_messages; }
    void ShowError(const QString& message, const QString& title) const {
        m_messages.ShowError(message, title);
    }
    void ShowInfo(const QString& message, const QString& title) const { m_messages.ShowInfo(message, title); }
    bool AskYesNo(const QString& message, const QString& title) const {
        return m_messages.AskYesNo(message, title);
    }

    // Stores `value` in `column` of the open project's record of `table` and saves the record;
    // nothing unless InputEventsOn and ProjectOpen, nor when the project is read-only. An empty text is
    // stored as 0. A database failure is shown ("Project Database Error"); the value stays in the form and
    // the object.
    void SaveField(ProjectTable table, const QString& column, const QVariant& value);
    // Several columns of one record, saved once.
    void SaveFields(ProjectTable table, const std::vector<std::pair<QString, QVariant>>& values);

private:
    MessageService& m_messages;
    clsQ7IO* m_io = nullptr;
    std::array<Recordset, kProjectTableCount> m_cursors;
};

} // namespace q7
