#include "SdlMessageBox.hpp"

#include "../../controls/Theme.hpp"
#include "../../graphics/Bitmap.hpp"
#include "SdlPicture.hpp"

#include <SDL.h>

#include <algorithm>
#include <sstream>
#include <vector>

namespace {

constexpr int kMargin = 16;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 23;

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    if (lines.empty())
        lines.push_back("");
    return lines;
}

// The box's picture and where its button sits.
class BoxPicture {
public:
    explicit BoxPicture(const std::string& text) : lines_(Lines(text)) {
        TBitmap probe(1, 1);
        TCanvas& c = probe.Canvas();
        lineHeight_ = c.TextHeight("Ag");
        int textWidth = 0;
        for (const std::string& line : lines_)
            textWidth = std::max(textWidth, c.TextWidth(line));
        int width = std::max({textWidth + 2 * kMargin, kButtonWidth + 2 * kMargin, 180});
        int textBottom = kMargin + lineHeight_ * static_cast<int>(lines_.size());
        button_ =
            Bounds((width - kButtonWidth) / 2, textBottom + kMargin, kButtonWidth, kButtonHeight);
        picture_.SetSize(width, button_.Bottom + 12);
    }
    const TBitmap& Picture() const { return picture_; }
    const TRect& Button() const { return button_; }

    void Draw(bool pressed) {
        TCanvas& c = picture_.Canvas();
        c.Brush.Color = clBtnFace;
        c.Brush.Style = bsSolid;
        c.FillRect({0, 0, picture_.Width(), picture_.Height()});
        c.Brush.Style = bsClear;
        c.Font.Color = clWindowText;
        for (size_t i = 0; i < lines_.size(); ++i)
            c.TextOut(kMargin, kMargin + lineHeight_ * static_cast<int>(i), lines_[i]);
        // The default button, drawn by the one theme like every other button.
        theme::TPressState state;
        state.pressed = pressed;
        state.focused = true;
        theme::DrawButtonFace(c, button_, state, theme::TButtonFrame::Always, clBtnFace);
        c.Font.Color = clBtnText;
        theme::DrawButtonContent(c, button_, nullptr, "OK", c.Font, state, 0);
    }

private:
    std::vector<std::string> lines_;
    int lineHeight_ = 0;
    TRect button_;
    TBitmap picture_;
};

// Centred over the owner, else on the screen.
void PlaceOver(SDL_Window* box, SDL_Window* owner, int width, int height) {
    if (!owner) {
        SDL_SetWindowPosition(box, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
        return;
    }
    int x, y, w, h;
    SDL_GetWindowPosition(owner, &x, &y);
    SDL_GetWindowSize(owner, &w, &h);
    SDL_SetWindowPosition(box, x + (w - width) / 2, y + (h - height) / 2);
}

bool IsAnswerKey(SDL_Keycode key) {
    return key == SDLK_RETURN || key == SDLK_KP_ENTER || key == SDLK_SPACE || key == SDLK_ESCAPE;
}

} // namespace

void RunMessageBox(const std::string& text, const std::string& caption, SDL_Window* owner,
                   std::optional<int> answerAfterMs,
                   const std::function<void(const SDL_Event&)>& redrawOthers) {
    BoxPicture box(text);
    box.Draw(false);
    const TBitmap& picture = box.Picture();
    SDL_Window* window =
        SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                         picture.Width(), picture.Height(), SDL_WINDOW_HIDDEN);
    if (!window)
        return; // no window to show it in: answered, as the caller cannot wait for it
    uint32_t boxId = SDL_GetWindowID(window);
    PlaceOver(window, owner, picture.Width(), picture.Height());
    if (owner)
        SDL_SetWindowModalFor(window, owner);
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    TRect all{0, 0, picture.Width(), picture.Height()};
    PresentPicture(window, picture, all);

    uint64_t end = answerAfterMs ? SDL_GetTicks64() + *answerAfterMs : 0;
    bool pressed = false, answered = false;
    while (!answered) {
        SDL_Event e;
        if (answerAfterMs) {
            int64_t left = static_cast<int64_t>(end) - static_cast<int64_t>(SDL_GetTicks64());
            if (left <= 0)
                break;
            if (!SDL_WaitEventTimeout(&e, static_cast<int>(left)))
                continue;
        } else if (!SDL_WaitEvent(&e)) {
            break;
        }
        bool forBox = false;
        switch (e.type) {
        case SDL_WINDOWEVENT:
            if (e.window.windowID != boxId) {
                redrawOthers(e);
                if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED)
                    SDL_RaiseWindow(window); // a click on the owner brings the box back on top
            } else if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
                answered = !answerAfterMs;
            } else if (e.window.event == SDL_WINDOWEVENT_EXPOSED ||
                       e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED ||
                       e.window.event == SDL_WINDOWEVENT_RESTORED) {
                PresentPicture(window, picture, all); // the surface may be a new one
            }
            break;
        case SDL_KEYDOWN:
            answered = !answerAfterMs && e.key.windowID == boxId && IsAnswerKey(e.key.keysym.sym);
            break;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP: {
            forBox = e.button.windowID == boxId && e.button.button == SDL_BUTTON_LEFT;
            if (!forBox || answerAfterMs)
                break;
            bool onButton = box.Button().Contains({e.button.x, e.button.y});
            bool down = e.type == SDL_MOUSEBUTTONDOWN;
            answered = !down && pressed && onButton;
            if (pressed != (down && onButton)) {
                pressed = down && onButton;
                box.Draw(pressed);
                PresentPicture(window, picture, box.Button());
            }
            break;
        }
        default:
            break; // input for the windows below is dropped: the box is modal
        }
    }
    SDL_DestroyWindow(window);
}
