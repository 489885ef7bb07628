// Fluvarex workstation (Q7).
#include "app/frmECLProjects.h"
#include "app/frmMain.h"
#include "ui/QtFileDialogService.h"
#include "ui/QtMessageService.h"
#include "writers/ui/frmCSV.h"
#include "writers/ui/frmECL.h"
#include "writers/ui/frmReport.h"

#include <QApplication>

#include <string>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fluvarex"));
    q7::QtMessageService messages;
    q7::QtFileDialogService files;
    q7::frmMain window(messages);
    // The Eclipse export's unit system, kept from one opening to the next while the program runs.
    q7::EclipseUnits eclipseUnits = q7::EclipseUnits::Field;
    // And its base name with its folder (empty: the default name in the working folder).
    std::string eclipseBase;
    messages.SetParent(&window);
    // File -> Report and File -> Export open the output dialogs over the window.
    window.SetOutputDialogOpener(
        [&messages, &files, &eclipseUnits, &eclipseBase](q7::OutputDialog kind, q7::frmMain& main) {
            const q7::OutputDialogHost host{main.Objects(), messages, files};
            switch (kind) {
            case q7::OutputDialog::Report:
                q7::frmReport::Show(host, main.Project(), &main);
                break;
            case q7::OutputDialog::Csv:
                q7::frmCSV::Show(host, &main);
                break;
            case q7::OutputDialog::Eclipse:
                q7::frmECL::Show(host, &main, &eclipseUnits, &eclipseBase);
                break;
            case q7::OutputDialog::EclipseProjects:
                q7::frmECLProjects::Show(main.Database(), messages, &main, &eclipseUnits, &eclipseBase);
                break;
            }
        });
    window.show();
    window.activateWindow();
    return app.exec();
}
