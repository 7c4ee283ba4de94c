#include "Dialogs.hpp"

#include "Application.hpp"

#include <iostream>

void ShowMessage(const std::string& text) {
    if (!Application) {
        std::cerr << text << '\n';
        return;
    }
    Application->ForgetControl(Application->Captured());
    Application->backend().MessageBox(text, "Tweenkit");
}
