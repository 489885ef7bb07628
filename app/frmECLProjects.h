#pragma once
// File -> Export -> Eclipse, Several Projects: the stored projects ticked in region order, each
// computed from its stored inputs as the batch tool computes a case, written as the PVT and
// saturation regions of one deck (region k is the k-th project ticked).
#include "writers/EclipseUnits.h"

#include <QDialog>

#include <QStringList>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QRadioButton;

namespace q7 {

struct DeckCase;
class clsQ7IO;
class MessageService;

class frmECLProjects : public QDialog {
    Q_OBJECT
public:
    // Lists the projects of `io`; `units` and `base`, when given, are the Eclipse export's
    // remembered choices (the base name with its folder: kept when a deck is written).
    frmECLProjects(clsQ7IO& io, MessageService& messages, QWidget* parent = nullptr,
                   EclipseUnits* units = nullptr, std::string* base = nullptr);

    static void Show(clsQ7IO& io, MessageService& messages, QWidget* parent, EclipseUnits* units,
                     std::string* base = nullptr);

    // The ticked projects' numbers in region order.
    const std::vector<std::int32_t>& Regions() const { return m_regions; }

private:
    void FillList();
    void ItemChanged(QListWidgetItem* item);
    void ShowRegions();
    void ExportClick();
    QStringList MarkRefusedTables(const std::vector<DeckCase>& cases,
                                  const std::vector<std::string>& keywords, EclipseUnits units);

    clsQ7IO& m_io;
    MessageService& m_messages;
    EclipseUnits* m_rememberedUnits;
    std::string* m_rememberedBase;
    std::vector<std::int32_t> m_regions;
    QListWidget* m_lstProjects;
    QLineEdit* m_txtFileName;
    std::array<QRadioButton*, 2> m_optUnits{};
    QCheckBox* m_chkConsistent; // live-oil tables with a positive total compressibility
    QLabel* m_lblRegions;
    QPushButton* m_cmdReport;
    QPushButton* m_cmdCancel;
};

} // namespace q7
