// A script of user actions that drives the windows, one command per line:
//   click NAME | text NAME VALUE | down/move/up NAME X Y [right]
//   drag NAME X1 Y1 X2 Y2 | wheel NAME DELTA | key NAME KEY | wait MS
//   shot FILE | close
// NAME is a control's Name in the topmost window, or FormName.ControlName;
// coordinates are client pixels of that control. '#' starts a comment. KEY is a
// key name (Left, Enter, Tab, ...) or one character, after optional modifiers:
// ctrl+z, ctrl+shift+z.
#pragma once

#include "Application.hpp"

#include <string>
#include <vector>

class TWinControl;

// One parsed script line.
struct ScriptCommand {
    int line = 0;
    std::string verb;
    std::vector<std::string> args;
};

class ScriptPlayer : public TInputScript {
public:
    // Reads and checks a whole script; throws std::runtime_error with "FILE:LINE: reason".
    static std::vector<ScriptCommand> Parse(const std::string& path);
    ScriptPlayer(std::string path, std::vector<ScriptCommand> commands);
    bool Step() override;

private:
    void Run(const ScriptCommand& command);
    TControl* Resolve(const std::string& name) const;
    void PostMouse(InputKind kind, TControl* control, int x, int y, TMouseButton button);
    [[noreturn]] void Fail(const ScriptCommand& command, const std::string& reason) const;

    std::string path_;
    std::vector<ScriptCommand> commands_;
    size_t next_ = 0;
    TShiftState buttons_ = 0;
};

// Finds a control by Name among a window's controls, at any depth.
TControl* FindControlByName(TWinControl* parent, const std::string& name);
