#include "x11input.h"

#include <QGuiApplication>
#include <X11/XKBlib.h>

void requestDetectableAutoRepeat()
{
    const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    // Through Xlib, as xcb's XKB header is not C++. The offscreen platform answers as X11 too,
    // without a display. A server without the feature keeps sending pairs, which the buttons
    // then recognise themselves.
    if (Display* display = x11 != nullptr ? x11->display() : nullptr) {
        Bool supported = False;
        XkbSetDetectableAutoRepeat(display, True, &supported);
    }
}
