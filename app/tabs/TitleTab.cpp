// The title page: the logo, the product, the disclaimer and the maker's address.
#include "app/tabs/TabBuilder.h"
#include "ui/LogoWidget.h"

#include <QLabel>
#include <QTabWidget>
#include <QVBoxLayout>

namespace q7 {

namespace {

QWidget* TitlePage() {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabCorvanta"));
    auto* layout = new QVBoxLayout(page);
    layout->addStretch(1);
    auto* logo = new LogoWidget(120);
    layout->addWidget(logo, 0, Qt::AlignHCenter);
    layout->addSpacing(8);

    auto centred = [layout](const QString& text, qreal scale, bool bold, const char* name) {
        auto* label = new QLabel(text);
        label->setObjectName(QString::fromLatin1(name));
        label->setAlignment(Qt::AlignCenter);
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * scale);
        font.setBold(bold);
        label->setFont(font);
        layout->addWidget(label);
        return label;
    };
    centred(QStringLiteral("Fluvarex"), 2.6, true, "lblProduct");
    centred(QStringLiteral("For"), 1.1, false, "lblFor");
    centred(QStringLiteral("Fluid and Rock Property Correlations"), 1.6, true, "lblSubject");
    layout->addSpacing(14);

    auto* disclaimer = new QLabel(QStringLiteral(
        "The tables this program produces are estimates from published empirical correlations. They "
        "are no substitute for laboratory measurements on samples of the reservoir's own fluids and "
        "rock. Check every result against the ranges of data each correlation was derived from "
        "before using it for a reservoir study; the maker accepts no liability for decisions taken "
        "on the strength of these results."));
    disclaimer->setObjectName(QStringLiteral("lblDisclaimer"));
    disclaimer->setWordWrap(true);
    disclaimer->setAlignment(Qt::AlignCenter);
    disclaimer->setFixedWidth(disclaimer->fontMetrics().horizontalAdvance(QString(84, QLatin1Char('n'))));
    disclaimer->setMinimumHeight(disclaimer->heightForWidth(disclaimer->width()));
    layout->addWidget(disclaimer, 0, Qt::AlignHCenter);
    layout->addSpacing(10);

    auto* contact = new QLabel(
        QStringLiteral("Corvanta Reservoir Software\nTelephone: +1 281 555 0147     corvanta.example.com"));
    contact->setObjectName(QStringLiteral("lblContact"));
    contact->setAlignment(Qt::AlignCenter);
    layout->addWidget(contact);
    layout->addStretch(2);
    return page;
}

} // namespace

void BuildTitleTab(MainControls& ui) {
    ui.sstMain->addTab(TitlePage(), QStringLiteral("Corvanta"));
}

} // namespace q7
