#include "app/frmAbout.h"

#include "app/AppVersion.h"
#include "ui/LogoWidget.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace q7 {

namespace {

QFrame* Separator(const char* name, QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About MyApp"));
    setModal(true);

    auto* picIcon = new QLabel(this);
    picIcon->setObjectName(QStringLiteral("picIcon"));
    picIcon->setPixmap(LogoWidget::Picture(64));
    picIcon->setAlignment(Qt::AlignTop | Qt::AlignHCenter);

    m_lblTitle = new QLabel(QStringLiteral("Application Title"), this);
    m_lblTitle->setObjectName(QStringLiteral("lblTitle"));
    QFont titleFont = m_lblTitle->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.6);
    titleFont.setBold(true);
    m_lblTitle->setFont(titleFont);

    m_lblVersion = new QLabel(QStringLiteral("Version"), this);
    m_lblVersion->setObjectName(QStringLiteral("lblVersion"));

    m_lblCopyright = new QLabel(this);
    m_lblCopyright->setObjectName(QStringLiteral("lblCopyright"));
    m_lblCopyright->setWordWrap(true);

    const char* distributor[4][2] = {
        {"lblDist(0)", "Q7 Provided By:"},
        {"lblDist(1)", "Corvanta Reservoir Software"},
        {"lblDist(2)", "Telephone: +1 281 555 0147"},
        {"lblDist(3)", "corvanta.example.com"},
    };

    auto* cmdOK = new QPushButton(QStringLiteral("&OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(m_lblTitle);
    text->addWidget(m_lblVersion);
    text->addWidget(Separator("Line1", this));
    text->addWidget(m_lblCopyright);
    text->addWidget(Separator("Line2", this));
    for (const auto& [name, caption] : distributor) {
        auto* label = new QLabel(QString::fromLatin1(caption), this);
        label->setObjectName(QString::fromLatin1(name));
        text->addWidget(label);
    }

    m_lblDatabase = new QLabel(this);
    m_lblDatabase->setObjectName(QStringLiteral("lblDatabase"));
    m_lblDatabase->setWordWrap(true);
    m_lblDatabase->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_lblDatabase->hide();
    text->addWidget(m_lblDatabase);

    auto* top = new QHBoxLayout;
    top->addWidget(picIcon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdOK);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(8);
    layout->addLayout(buttons);

    // Loading the box.
    setWindowTitle(QStringLiteral("About ") + ProgramTitle());
    m_lblVersion->setText(QStringLiteral("Version ") + VersionText());
    m_lblCopyright->setText(QStringLiteral(
        "Copyright \u00A9 Corvanta. All rights reserved. This program and its documentation may be "
        "used only under the terms of its licence."));
    m_lblTitle->setText(ProgramTitle());
    setMinimumWidth(380);
}

void frmAbout::ShowDatabase(const QString& text) {
    m_lblDatabase->setText(QStringLiteral("Project database: ") + text);
    m_lblDatabase->setVisible(!text.isEmpty());
}

} // namespace q7
