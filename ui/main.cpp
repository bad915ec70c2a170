#include "closeonsignals.h"
#include "codetable.h"
#include "cursorblink.h"
#include "desktopapplication.h"
#include "frmascii.h"
#include "viewer.h"
#include "x11input.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication::setApplicationName(QStringLiteral("Kodvik"));
    QApplication::setApplicationVersion(QStringLiteral(KODVIK_VERSION));
    // The launcher's id: Wayland compositors and docks find the window's launcher and icon by it.
    QApplication::setDesktopFileName(QStringLiteral("se.kodvik.Kodvik"));
    const auto application = connectToDesktop(argc, argv);
    QApplication::setFont(FrmAscii::windowFont());
    requestDetectableAutoRepeat();
    const CursorBlink cursorBlink;
    // Kept until the program returns, so a second signal while the window closes cannot end the
    // program before the table is deleted.
    const CloseOnSignals closeOnSignals([] { QApplication::closeAllWindows(); });
    int status = 0;
    {
        DesktopViewer viewer;
        FrmAscii frmAscii(viewer.starter());
        QObject::connect(&viewer, &DesktopViewer::openFailed, &frmAscii,
                         &FrmAscii::showTableFailure);
        frmAscii.show();
        status = QApplication::exec();
    }
    kodvik::deleteAtExit();
    return status;
}
