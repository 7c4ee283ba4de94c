// THintWindow: the tool tip box. It lies on top of a form's controls, takes no input (the
// pointer passes through to the form) and goes away when the pointer moves on.
#pragma once

#include "Control.hpp"

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* owner);
    // Shows text on form with the box's top-left near formPoint, kept inside the form.
    void ActivateHint(TForm* form, TPoint formPoint, const std::string& text);
    void Paint() override;
};

// The short hint of a hint text: what comes before the first '|', or all of it.
std::string GetShortHint(const std::string& hint);
