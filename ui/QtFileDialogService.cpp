#include "ui/QtFileDialogService.h"

#include <QFileDialog>

namespace q7 {

QString QtFileDialogService::SaveFileName(QWidget* parent, const QString& title, const QString& start,
                                          const QString& filter, bool confirmOverwrite) {
    const QFileDialog::Options options =
        confirmOverwrite ? QFileDialog::Options() : QFileDialog::Options(QFileDialog::DontConfirmOverwrite);
    return QFileDialog::getSaveFileName(parent, title, start, filter, nullptr, options);
}

} // namespace q7
