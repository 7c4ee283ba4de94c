#include "HeadlessBackend.hpp"

#include <algorithm>
#include <iostream>

int HeadlessBackend::CreateWindow(const WindowSpec& request) {
    int id = nextId_++;
    windows_[id].layout = request;
    return id;
}

void HeadlessBackend::DestroyWindow(int window) {
    windows_.erase(window);
}

void HeadlessBackend::ShowWindow(int window, bool visible) {
    if (auto it = windows_.find(window); it != windows_.end())
        it->second.visible = visible;
}

void HeadlessBackend::SetWindowIcon(int window, const TBitmap& icon) {
    if (auto it = windows_.find(window); it != windows_.end())
        it->second.icon = std::make_shared<TBitmap>(icon);
}

const TBitmap* HeadlessBackend::Icon(int window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : it->second.icon.get();
}

void HeadlessBackend::RaiseWindow(int window) {
    raised_ = window;
}

void HeadlessBackend::SetWindowTitle(int window, const std::string& title) {
    if (auto it = windows_.find(window); it != windows_.end())
        it->second.layout.title = title;
}

void HeadlessBackend::SetWindowBounds(int window, int x, int y, int width, int height) {
    if (auto it = windows_.find(window); it != windows_.end()) {
        it->second.layout.x = x;
        it->second.layout.y = y;
        it->second.layout.width = width;
        it->second.layout.height = height;
    }
}

void HeadlessBackend::Present(int, const TBitmap&, const TRect&) {
    ++presents_;
}

WaitResult HeadlessBackend::WaitEvent(std::optional<int64_t> deadline, InputEvent&) {
    if (!deadline)
        return WaitResult::NoInput;
    clock_ = std::max(clock_, *deadline);
    return WaitResult::Timeout;
}

void HeadlessBackend::SetCursor(int id, const TCursorShape*) {
    cursor_ = id;
}

void HeadlessBackend::MessageBox(const std::string& text, const std::string&) {
    std::cout << "message: " << text << std::endl;
}

const WindowSpec* HeadlessBackend::Window(int window) const {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second.layout;
}
