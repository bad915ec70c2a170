#include "closeonsignals.h"
#include "codetable.h"
#include "frmascii.h"
#include "viewer.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    int status = 0;
    {
        FrmAscii frmAscii(desktopViewer());
        const CloseOnSignals closeOnSignals([] { QApplication::closeAllWindows(); });
        frmAscii.show();
        status = QApplication::exec();
    }
    kodvik::deleteAtExit();
    return status;
}
