// X protocol errors on the desktop backend's connection. Xlib's own handler ends
// the process on any of them; but a request about a window that went away
// meanwhile (the window manager, another client or our own destroy racing it) is
// harmless, so the session goes on. The loss of the display itself ends the
// session at once with one line on stderr and exit code 1.
#pragma once

struct SDL_Window;

// Installs our handler on the process's Xlib; call once the x11 video driver runs.
void SurviveX11Errors();
// Notes the X connection a window lives on (nothing for other drivers).
void RememberX11Display(SDL_Window* window);
// Lets every error still on its way arrive while our handler is in place: SDL
// puts Xlib's handler back when its video stops, and a late error would then end
// the process with a failure after a good session.
void SettleX11Errors();
