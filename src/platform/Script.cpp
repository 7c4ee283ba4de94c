#include "Script.hpp"

#include "Control.hpp"
#include "Form.hpp"
#include "graphics/ImageFile.hpp"

#include <cctype>
#include <charconv>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>

namespace {

// The arguments each command takes, and which of them are whole numbers.
struct Syntax {
    size_t min, max;
    size_t firstNumber, numbers;
};
const std::map<std::string, Syntax> kCommands = {
    {"click", {1, 1, 0, 0}}, {"text", {2, 2, 0, 0}},  {"down", {3, 4, 1, 2}},
    {"move", {3, 4, 1, 2}},  {"up", {3, 4, 1, 2}},    {"drag", {5, 5, 1, 4}},
    {"wheel", {2, 2, 1, 1}}, {"key", {2, 2, 0, 0}},   {"wait", {1, 1, 0, 1}},
    {"shot", {1, 2, 0, 0}},  {"close", {0, 0, 0, 0}}, {"where", {1, 1, 0, 0}},
};

const std::map<std::string, int> kKeys = {
    {"Left", VK_LEFT},     {"Right", VK_RIGHT},   {"Up", VK_UP},     {"Down", VK_DOWN},
    {"PageUp", VK_PRIOR},  {"PageDown", VK_NEXT}, {"Home", VK_HOME}, {"End", VK_END},
    {"Enter", VK_RETURN},  {"Escape", VK_ESCAPE}, {"Tab", VK_TAB},   {"Backspace", VK_BACK},
    {"Delete", VK_DELETE}, {"Space", VK_SPACE},
};

// A key as the script names it: a key name of kKeys or one character, after
// optional modifiers ("ctrl+z", "ctrl+shift+z", "shift+Tab"). A plain character
// without modifiers is typed as text; everything else is a key press.
struct KeyStroke {
    bool typed = false;
    int key = 0;
    TShiftState shift = 0;
};

bool ParseKeyStroke(const std::string& name, KeyStroke& out) {
    out = KeyStroke{};
    std::string rest = name;
    for (size_t plus; rest.size() > 1 && (plus = rest.find('+')) != std::string::npos;) {
        const std::string modifier = rest.substr(0, plus);
        if (modifier == "ctrl")
            out.shift |= ssCtrl;
        else if (modifier == "shift")
            out.shift |= ssShift;
        else if (modifier == "alt")
            out.shift |= ssAlt;
        else
            return false;
        rest.erase(0, plus + 1);
    }
    if (auto it = kKeys.find(rest); it != kKeys.end()) {
        out.key = it->second;
        return true;
    }
    if (rest.size() != 1)
        return false;
    const unsigned char ch = static_cast<unsigned char>(rest[0]);
    out.typed = out.shift == 0;
    // With a modifier a letter is its upper-case key code, as a keyboard reports it.
    out.key = std::isalpha(ch) ? std::toupper(ch) : ch;
    return true;
}

bool ParseInt(const std::string& s, int& out) {
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), out);
    return ec == std::errc() && end == s.data() + s.size();
}

} // namespace

TControl* FindControlByName(TWinControl* parent, const std::string& name) {
    for (TControl* c : parent->Controls()) {
        if (c->Name() == name)
            return c;
        if (TWinControl* w = dynamic_cast<TWinControl*>(c))
            if (TControl* found = FindControlByName(w, name))
                return found;
    }
    return nullptr;
}

std::vector<ScriptCommand> ScriptPlayer::Parse(const std::string& path) {
    std::ifstream in(path);
    if (!in)
        throw std::runtime_error(path + ": cannot open the script");
    std::vector<ScriptCommand> commands;
    std::string text;
    for (int line = 1; std::getline(in, text); ++line) {
        if (auto hash = text.find('#'); hash != std::string::npos)
            text.erase(hash);
        std::istringstream words(text);
        ScriptCommand command;
        command.line = line;
        if (!(words >> command.verb))
            continue;
        auto where = [&] { return path + ":" + std::to_string(line) + ": "; };
        auto syntax = kCommands.find(command.verb);
        if (syntax == kCommands.end())
            throw std::runtime_error(where() + "unknown command '" + command.verb + "'");
        if (command.verb == "text") {
            // The value is the rest of the line, spaces included.
            std::string name, value;
            words >> name;
            std::getline(words >> std::ws, value);
            command.args = {name, value};
            if (name.empty())
                throw std::runtime_error(where() + "text needs a control name and a value");
        } else {
            for (std::string word; words >> word;)
                command.args.push_back(word);
        }
        const Syntax& rule = syntax->second;
        if (command.args.size() < rule.min || command.args.size() > rule.max)
            throw std::runtime_error(where() + "wrong number of arguments for '" + command.verb +
                                     "'");
        if (command.args.size() == 4 && command.args[3] != "right")
            throw std::runtime_error(where() + "the last word may only be 'right'");
        for (size_t i = rule.firstNumber; i < rule.firstNumber + rule.numbers; ++i) {
            int value;
            if (!ParseInt(command.args[i], value))
                throw std::runtime_error(where() + "'" + command.args[i] +
                                         "' is not a whole number");
            if (command.verb == "wait" && value < 0)
                throw std::runtime_error(where() + "wait needs a time of 0 or more");
        }
        KeyStroke stroke;
        if (command.verb == "key" && !ParseKeyStroke(command.args[1], stroke))
            throw std::runtime_error(where() + "unknown key '" + command.args[1] + "'");
        commands.push_back(std::move(command));
    }
    return commands;
}

ScriptPlayer::ScriptPlayer(std::string path, std::vector<ScriptCommand> commands)
    : path_(std::move(path)), commands_(std::move(commands)) {}

bool ScriptPlayer::Step() {
    if (next_ >= commands_.size())
        return false;
    try {
        Run(commands_[next_++]);
    } catch (const std::runtime_error& error) {
        Application->Fail(error.what(), 2);
        return false;
    }
    return next_ < commands_.size();
}

void ScriptPlayer::Fail(const ScriptCommand& command, const std::string& reason) const {
    throw std::runtime_error(path_ + ":" + std::to_string(command.line) + ": " + reason);
}

TControl* ScriptPlayer::Resolve(const std::string& name) const {
    TForm* form = nullptr;
    std::string control = name;
    if (auto dot = name.find('.'); dot != std::string::npos) {
        form = Application->FindForm(name.substr(0, dot));
        control = name.substr(dot + 1);
    } else {
        form = Application->TopForm();
    }
    if (!form)
        return nullptr;
    if (form->Name() == control)
        return form;
    return FindControlByName(form, control);
}

void ScriptPlayer::PostMouse(InputKind kind, TControl* control, int x, int y, TMouseButton button) {
    TPoint origin = control->FormOrigin();
    InputEvent event;
    event.kind = kind;
    event.window = control->Form()->WindowId();
    event.x = origin.x + x;
    event.y = origin.y + y;
    event.button = button;
    TShiftState bit = button == mbRight ? ssRight : ssLeft;
    if (kind == InputKind::MouseDown)
        buttons_ |= bit;
    event.shift = buttons_;
    if (kind == InputKind::MouseUp)
        buttons_ &= ~bit;
    Application->PostInput(event);
}

void ScriptPlayer::Run(const ScriptCommand& command) {
    const std::string& verb = command.verb;
    auto number = [&](size_t i) {
        int value = 0;
        ParseInt(command.args[i], value);
        return value;
    };
    if (verb == "wait") {
        Application->WaitUntil(Application->NowMs() + number(0));
        return;
    }
    if (verb == "close" || verb == "shot") {
        // A shot may name the window; everything else acts on the topmost one.
        TForm* top = command.args.size() == 2 ? Application->FindForm(command.args[1])
                                              : Application->TopForm();
        if (!top)
            Fail(command, command.args.size() == 2 ? "no window named '" + command.args[1] + "'"
                                                   : "no window is open");
        if (verb == "close") {
            InputEvent event;
            event.kind = InputKind::Close;
            event.window = top->WindowId();
            Application->PostInput(event);
            return;
        }
        // What the window shows: read back from the backend where it can, else the picture.
        Backend& backend = Application->backend();
        TBitmap presented;
        const TBitmap* shown = &top->Picture();
        if (backend.Has(BackendFeature::ReadBack)) {
            if (!backend.ReadPresented(top->WindowId(), presented))
                Fail(command, "the window has shown nothing yet");
            shown = &presented;
        }
        std::string error;
        if (!SavePng(command.args[0], *shown, error))
            Fail(command, error);
        return;
    }
    TControl* control = Resolve(command.args[0]);
    if (!control)
        Fail(command, "no control named '" + command.args[0] + "' in the topmost window");
    if (!control->Showing())
        Fail(command, "control '" + command.args[0] + "' is not visible");
    TMouseButton button = command.args.size() == 4 && command.args[3] == "right" ? mbRight : mbLeft;
    int cx = control->Width() / 2, cy = control->Height() / 2;
    if (verb == "where") {
        // Where a person finds the control: its visible part in its window's client area.
        TRect r = control->VisibleRectInForm();
        std::cout << "where " << command.args[0] << ' ' << r.Left << ' ' << r.Top << ' '
                  << r.Width() << ' ' << r.Height() << std::endl;
    } else if (verb == "click") {
        PostMouse(InputKind::MouseMove, control, cx, cy, mbLeft);
        PostMouse(InputKind::MouseDown, control, cx, cy, mbLeft);
        PostMouse(InputKind::MouseUp, control, cx, cy, mbLeft);
    } else if (verb == "down") {
        PostMouse(InputKind::MouseDown, control, number(1), number(2), button);
    } else if (verb == "move") {
        PostMouse(InputKind::MouseMove, control, number(1), number(2), button);
    } else if (verb == "up") {
        PostMouse(InputKind::MouseUp, control, number(1), number(2), button);
    } else if (verb == "drag") {
        PostMouse(InputKind::MouseMove, control, number(1), number(2), mbLeft);
        PostMouse(InputKind::MouseDown, control, number(1), number(2), mbLeft);
        PostMouse(InputKind::MouseMove, control, number(3), number(4), mbLeft);
        PostMouse(InputKind::MouseUp, control, number(3), number(4), mbLeft);
    } else if (verb == "wheel") {
        PostMouse(InputKind::MouseMove, control, cx, cy, mbLeft);
        InputEvent event;
        event.kind = InputKind::MouseWheel;
        event.window = control->Form()->WindowId();
        TPoint origin = control->FormOrigin();
        event.x = origin.x + cx;
        event.y = origin.y + cy;
        event.delta = number(1);
        Application->PostInput(event);
    } else if (verb == "text") {
        if (!control->TypeText(command.args[1]))
            Fail(command, "control '" + command.args[0] + "' does not take text");
    } else if (verb == "key") {
        if (TWinControl* w = dynamic_cast<TWinControl*>(control))
            w->SetFocus();
        InputEvent event;
        event.window = control->Form()->WindowId();
        KeyStroke stroke;
        ParseKeyStroke(command.args[1], stroke);
        if (stroke.typed) {
            event.kind = InputKind::Text;
            event.text = command.args[1];
        } else {
            event.kind = InputKind::KeyDown;
            event.key = stroke.key;
            event.shift = stroke.shift;
        }
        Application->PostInput(event);
    }
}
