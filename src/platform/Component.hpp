// TObject and TComponent: the root of every platform object, with ownership
// (an owner destroys the components it owns) and names.
#pragma once

#include <string>
#include <vector>

// Root of the class tree; polymorphic so senders can be cast back.
class TObject {
public:
    virtual ~TObject() = default;
};

// A named object with an owner that frees it.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    // The components this one owns, in creation order.
    const std::vector<TComponent*>& Components() const { return owned_; }
    // Finds an owned component by name, searching owned components' owned ones too.
    TComponent* FindComponent(const std::string& name) const;
    // True while the destructor chain runs; lets children skip needless work.
    bool Destroying() const { return destroying_; }

protected:
    // Derived destructors call this first so owned components go while the owner is whole.
    void DestroyComponents();
    void MarkDestroying() { destroying_ = true; }

private:
    TComponent* owner_;
    std::vector<TComponent*> owned_;
    std::string name_;
    int tag_ = 0;
    bool destroying_ = false;
};
