// X protocol errors on the desktop backend's connection. Xlib's own handler ends
// the process on any of them; but a request about a window that went away
// meanwhile (the window manager, another client or our own destroy racing it) is
// harmless, so the session goes on. The loss of the display itself ends the
// session at once with one line on stderr and exit code 1.
#pragma once

// Installs our handlers on the process's Xlib (harmless when no X display is used).
void SurviveX11Errors();
