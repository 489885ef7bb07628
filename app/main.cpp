// Fluvarex workstation (Q7).
#include "app/QtMessageService.h"
#include "app/frmMain.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Fluvarex"));
    q7::QtMessageService messages;
    q7::frmMain window(messages);
    messages.SetParent(&window);
    window.show();
    window.activateWindow();
    return app.exec();
}
