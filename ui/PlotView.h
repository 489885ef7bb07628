#pragma once
// One chart of a result tab. Its context menu saves the picture as PNG or SVG and copies it to
// the clipboard; the save path is asked, and a failure shown, through replaceable functions (a file
// dialog and a message box by default).
#include <QChartView>
#include <QString>

#include <functional>

class QMenu;

namespace q7 {

class PlotView : public QChartView {
    Q_OBJECT
public:
    explicit PlotView(QWidget* parent = nullptr);

    // Writes what the view shows; false when the file could not be written.
    bool SavePng(const QString& path);
    bool SaveSvg(const QString& path);
    void CopyToClipboard();

    // Asks for the file to save to (caption, filter); an empty answer cancels.
    using SavePathAsker = std::function<QString(const QString& caption, const QString& filter)>;
    void SetSavePathAsker(SavePathAsker asker) { m_askPath = std::move(asker); }
    // Shows a file that could not be written (text, title); a message box by default.
    using ErrorShower = std::function<void(const QString& text, const QString& title)>;
    void SetErrorShower(ErrorShower shower) { m_showError = std::move(shower); }

    // The context menu: "Save as PNG...", "Save as SVG...", "Copy". The caller owns it.
    QMenu* CreateContextMenu();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void SaveAs(const QString& caption, const QString& filter, bool (PlotView::*save)(const QString&));

    SavePathAsker m_askPath;
    ErrorShower m_showError;
};

} // namespace q7
