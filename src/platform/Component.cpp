#include "Component.hpp"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
    if (owner_)
        owner_->owned_.push_back(this);
}

TComponent::~TComponent() {
    destroying_ = true;
    DestroyComponents();
    if (owner_) {
        auto& list = owner_->owned_;
        list.erase(std::remove(list.begin(), list.end(), this), list.end());
    }
}

void TComponent::DestroyComponents() {
    // Newest first, as each destructor removes itself from the list.
    while (!owned_.empty())
        delete owned_.back();
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    for (TComponent* c : owned_)
        if (c->Name() == name)
            return c;
    for (TComponent* c : owned_)
        if (TComponent* found = c->FindComponent(name))
            return found;
    return nullptr;
}
