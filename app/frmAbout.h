#pragma once
// Help -> About: the program's title, version, rights notice and distributor.
#include <QDialog>

class QLabel;

namespace q7 {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
    // Shows which project database is open (a file's path, or the server's database and host).
    void ShowDatabase(const QString& text);

private:
    QLabel* m_lblTitle;
    QLabel* m_lblVersion;
    QLabel* m_lblCopyright;
    QLabel* m_lblDatabase;
};

} // namespace q7
