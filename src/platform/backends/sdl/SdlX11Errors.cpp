#include "SdlX11Errors.hpp"

#include <X11/Xlib.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

namespace {

int OnX11Error(Display* display, XErrorEvent* error) {
    // A window or its pixels gone before the request reached the server: nothing to do.
    if (error->error_code == BadWindow || error->error_code == BadDrawable)
        return 0;
    char text[160] = "";
    XGetErrorText(display, error->error_code, text, sizeof text);
    std::cerr << "X error ignored: " << text << " (request " << int{error->request_code} << ")\n";
    return 0;
}

// The connection is gone: one line, and the session ends (Xlib would end it anyway).
int OnDisplayLost(Display* display) {
    std::fflush(stdout);
    std::fprintf(stderr, "the X display %s went away; ending the session\n",
                 DisplayString(display));
    std::_Exit(1);
}

} // namespace

void SurviveX11Errors() {
    XSetErrorHandler(OnX11Error);
    XSetIOErrorHandler(OnDisplayLost);
}
