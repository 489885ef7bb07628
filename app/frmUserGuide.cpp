#include "app/frmUserGuide.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace q7 {

namespace {

constexpr const char* kGuideFile = "user-guide.md";

} // namespace

QString UserGuidePath(const QString& programFile) {
    if (programFile.isEmpty()) return {};
    const QFileInfo program(programFile);
    const QString path =
        QDir::cleanPath(program.absolutePath() + QLatin1Char('/') + QStringLiteral(Q7_DATA_FROM_PROGRAM) +
                        QLatin1Char('/') + QString::fromLatin1(kGuideFile));
    return QFileInfo::exists(path) ? path : QString();
}

frmUserGuide::frmUserGuide(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmUserGuide"));
    setWindowTitle(QStringLiteral("Fluvarex User Guide"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose);

    m_txtGuide = new QTextBrowser(this);
    m_txtGuide->setObjectName(QStringLiteral("txtGuide"));
    m_txtGuide->setOpenExternalLinks(true);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("cmdClose"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_txtGuide, 1);
    layout->addWidget(buttons);

    // About 90 characters wide and 40 lines tall, from the font.
    const QFontMetrics fm(m_txtGuide->font());
    resize(fm.horizontalAdvance(QLatin1Char('0')) * 90, fm.lineSpacing() * 40);
}

bool frmUserGuide::Load(const QString& path) {
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) return false;
    const QString text = QString::fromUtf8(file.readAll());
    m_txtGuide->setMarkdown(text);
    m_txtGuide->setSearchPaths({QFileInfo(path).absolutePath()});
    return true;
}

} // namespace q7
