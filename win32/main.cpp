#include "codetable.h"
#include "frmascii.h"
#include "notepad.h"
#include "wintext.h"

#include <windows.h>

#include <exception>

// NOLINTNEXTLINE(readability-inconsistent-declaration-parameter-name): Windows' names are Hungarian
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/,
                    int showCommand)
{
    int status = 0;
    try {
        FrmAscii frmAscii(instance, kodvik::notepadViewer());
        frmAscii.show(showCommand);
        status = frmAscii.runUntilClosed();
    } catch (const std::exception& error) {
        MessageBoxW(nullptr, kodvik::wideFromUtf8(error.what()).c_str(),
                    kodvik::toWide(kodvik::title).c_str(), MB_OK | MB_ICONERROR);
        status = 1;
    }
    kodvik::deleteAtExit();
    return status;
}
