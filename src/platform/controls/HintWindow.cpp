#include "controls/HintWindow.hpp"

#include "Form.hpp"
#include "controls/Theme.hpp"

#include <algorithm>

std::string GetShortHint(const std::string& hint) {
    return hint.substr(0, hint.find('|'));
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
    // Disabled controls are skipped by hit testing, so the pointer reaches the form beneath.
    SetEnabled(false);
    SetVisible(false);
}

void THintWindow::ActivateHint(TForm* form, TPoint formPoint, const std::string& text) {
    SetCaption(text);
    TPoint size = theme::HintSize(Font(), text);
    TRect client = form->ClientRect();
    int left = std::max(0, std::min(formPoint.x, client.Width() - size.x));
    int top = formPoint.y;
    if (top + size.y > client.Height()) // no room below the pointer: above it instead
        top = std::max(0, formPoint.y - size.y - 24);
    SetParent(form);
    SetBounds(left, top, size.x, size.y);
    BringToFront();
    SetVisible(true);
}

void THintWindow::Paint() {
    theme::DrawHint(Canvas(), {0, 0, Width(), Height()}, Caption(), Font());
}
