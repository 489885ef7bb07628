#pragma once
// Help -> About: the program's title, version, rights notice and distributor.
#include <QDialog>

class QLabel;

namespace q7 {

class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

private:
    QLabel* m_lblTitle;
    QLabel* m_lblVersion;
    QLabel* m_lblCopyright;
};

} // namespace q7
