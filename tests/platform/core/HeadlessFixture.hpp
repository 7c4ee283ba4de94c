// A headless application for one test, fed by a list of steps as its script.
#pragma once

#include "Application.hpp"
#include "backends/headless/HeadlessBackend.hpp"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

class StepScript : public TInputScript {
public:
    explicit StepScript(std::deque<std::function<void()>> steps) : steps_(std::move(steps)) {}
    bool Step() override {
        if (steps_.empty())
            return false;
        auto step = std::move(steps_.front());
        steps_.pop_front();
        step();
        return true;
    }

private:
    std::deque<std::function<void()>> steps_;
};

class HeadlessTest : public ::testing::Test {
protected:
    HeadlessTest() {
        auto backend = std::make_unique<HeadlessBackend>();
        backend_ = backend.get();
        app_ = std::make_unique<TApplication>(std::move(backend));
    }
    void Script(std::deque<std::function<void()>> steps) {
        app_->SetScript(std::make_unique<StepScript>(std::move(steps)));
    }
    // Raw input at a point of a form's client area.
    void Post(InputKind kind, int window, int x, int y, TMouseButton button = mbLeft) {
        InputEvent e;
        e.kind = kind;
        e.window = window;
        e.x = x;
        e.y = y;
        e.button = button;
        app_->PostInput(e);
    }
    HeadlessBackend* backend_;
    std::unique_ptr<TApplication> app_;
};
