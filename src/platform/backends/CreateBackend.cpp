#include "Backend.hpp"

#include "headless/HeadlessBackend.hpp"

std::unique_ptr<Backend> CreateBackend(const std::string& name) {
    if (name == "headless")
        return std::make_unique<HeadlessBackend>();
    return nullptr;
}
