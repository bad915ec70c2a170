#pragma once

#include <QApplication>
#include <memory>

// The application, connected to the desktop's window system. Without a graphical session to reach
// (a text console, a login over ssh) Qt ends the program with an abort, a core dump and a
// paragraph about reinstalling; this instead says in one line on stderr that a graphical session
// is needed and exits with status 1. What Qt says while it connects is held back until it has
// connected, and then passed on as it would have been.
[[nodiscard]] std::unique_ptr<QApplication> connectToDesktop(int& argc, char** argv);
