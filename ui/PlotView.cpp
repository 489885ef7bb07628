#include "ui/PlotView.h"

#include <QApplication>
#include <QChart>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPainter>
#include <QSvgGenerator>

#include <memory>

namespace q7 {

PlotView::PlotView(QWidget* parent) : QChartView(parent) {
    setRenderHint(QPainter::Antialiasing);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    m_askPath = [this](const QString& caption, const QString& filter) {
        return QFileDialog::getSaveFileName(this, caption, QString(), filter);
    };
    m_showError = [this](const QString& text, const QString& title) {
        QMessageBox::warning(this, title, text);
    };
}

bool PlotView::SavePng(const QString& path) {
    return grab().save(path, "PNG");
}

bool PlotView::SaveSvg(const QString& path) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size());
    svg.setViewBox(rect());
    svg.setTitle(chart()->title());
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    render(&painter);
    return painter.end();
}

void PlotView::CopyToClipboard() {
    QApplication::clipboard()->setPixmap(grab());
}

QMenu* PlotView::CreateContextMenu() {
    auto* menu = new QMenu(this);
    menu->addAction(QStringLiteral("Save as &PNG..."), this, [this] {
        SaveAs(QStringLiteral("Save Plot as PNG"), QStringLiteral("PNG images (*.png)"), &PlotView::SavePng);
    });
    menu->addAction(QStringLiteral("Save as &SVG..."), this, [this] {
        SaveAs(QStringLiteral("Save Plot as SVG"), QStringLiteral("SVG drawings (*.svg)"),
               &PlotView::SaveSvg);
    });
    menu->addAction(QStringLiteral("&Copy"), this, &PlotView::CopyToClipboard);
    return menu;
}

void PlotView::contextMenuEvent(QContextMenuEvent* event) {
    std::unique_ptr<QMenu> menu(CreateContextMenu());
    menu->exec(event->globalPos());
}

void PlotView::SaveAs(const QString& caption, const QString& filter, bool (PlotView::*save)(const QString&)) {
    const QString path = m_askPath(caption, filter);
    if (path.isEmpty()) return;
    if (!(this->*save)(path))
        m_showError(QStringLiteral("The plot could not be written to\n") + path, caption);
}

} // namespace q7
