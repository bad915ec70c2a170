#include "programwindow.h"

ProgramWindow::ProgramWindow(const QString& opener) : viewer(opener)
{
    QObject::connect(&viewer, &DesktopViewer::openFailed, &frmAscii, &FrmAscii::showTableFailure);
}
