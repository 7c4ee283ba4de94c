// Our own modal message box on SDL: a small native window with the text and an
// OK button, drawn by our canvas like every form and placed over its owner.
// While it is up the other windows take no input but still redraw when exposed.
#pragma once

#include <functional>
#include <optional>
#include <string>

struct SDL_Window;
union SDL_Event;

// Shows the box and returns when it is answered: by OK (click, Enter, Space,
// Escape) or its close box, or, with answerAfterMs, by itself after that long.
// Window events of the other windows go to redrawOthers, so they stay whole.
void RunMessageBox(const std::string& text, const std::string& caption, SDL_Window* owner,
                   std::optional<int> answerAfterMs,
                   const std::function<void(const SDL_Event&)>& redrawOthers);
