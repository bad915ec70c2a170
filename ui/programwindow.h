#pragma once

#include "frmascii.h"
#include "viewer.h"

#include <QString>

// frmAscii as the program shows it: its table opened through the desktop's opener, and an opener
// that fails after "Print" has returned told in a box on the window.
class ProgramWindow {
public:
    explicit ProgramWindow(const QString& opener = QStringLiteral("xdg-open"));

    [[nodiscard]] FrmAscii& window() { return frmAscii; }

private:
    DesktopViewer viewer;
    FrmAscii frmAscii{viewer.starter()};
};
