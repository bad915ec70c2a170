#pragma once

// Asks the X server to send a held key as repeated presses and one release at the end, on the
// program's own connection. Without it the server sends release/press pairs, and a release that
// Qt cannot pair with its press (not yet read on a busy machine) is taken for a real one. Does
// nothing off X11.
void requestDetectableAutoRepeat();
