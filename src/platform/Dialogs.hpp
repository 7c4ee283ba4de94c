// Modal message boxes.
#pragma once

#include <string>

// Shows text in a modal message box with an OK button; returns when answered.
void ShowMessage(const std::string& text);
