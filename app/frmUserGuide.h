#pragma once
// The user guide (docs/user-guide.md, installed with the data files) in a window of its own, opened
// from Help -> User Guide. It stays open beside the main window while the user works.
#include <QDialog>
#include <QString>

class QTextBrowser;

namespace q7 {

// The installed guide for the program `programFile`: in the data folder reached from the programs'
// folder (share/fluvarex beside bin, in the build tree as in an install). Empty when it is not there.
QString UserGuidePath(const QString& programFile);

class frmUserGuide : public QDialog {
    Q_OBJECT
public:
    explicit frmUserGuide(QWidget* parent = nullptr);

    // Shows the guide read from `path`; false (and nothing changed) when it cannot be read.
    bool Load(const QString& path);
    QTextBrowser* Browser() const { return m_txtGuide; }

private:
    QTextBrowser* m_txtGuide = nullptr;
};

} // namespace q7
