// Ownership, parenting, alignment and z-order of the control tree.
#include "Control.hpp"
#include "Form.hpp"
#include "HeadlessFixture.hpp"

namespace {

struct Counted : TControl {
    explicit Counted(TComponent* owner, int* alive) : TControl(owner), alive_(alive) { ++*alive_; }
    ~Counted() override { --*alive_; }
    int* alive_;
};

using ControlTree = HeadlessTest;

TEST_F(ControlTree, OwnerFreesWhatItOwnsAndADeletedChildLeavesItsOwner) {
    int alive = 0;
    auto* form = new TForm(nullptr);
    auto* a = new Counted(form, &alive);
    new Counted(form, &alive);
    a->SetParent(form);
    EXPECT_EQ(alive, 2);
    delete a;
    EXPECT_EQ(alive, 1);
    EXPECT_EQ(form->Components().size(), 1u);
    EXPECT_EQ(form->ControlCount(), 0);
    delete form;
    EXPECT_EQ(alive, 0);
}

TEST_F(ControlTree, AlignedChildrenShareTheClientArea) {
    TForm form(nullptr);
    form.SetClientSize(300, 200);
    struct Case {
        TAlign align;
        int size;
        TRect expected;
    } cases[] = {
        {alTop, 20, {0, 0, 300, 20}},      {alBottom, 30, {0, 170, 300, 200}},
        {alLeft, 50, {0, 20, 50, 170}},    {alRight, 40, {260, 20, 300, 170}},
        {alClient, 0, {50, 20, 260, 170}},
    };
    std::vector<TControl*> made;
    for (const Case& c : cases) {
        auto* ctl = new TControl(&form);
        ctl->SetBounds(0, 0, c.size, c.size);
        ctl->SetAlign(c.align);
        ctl->SetParent(&form);
        made.push_back(ctl);
    }
    for (size_t i = 0; i < made.size(); ++i) {
        TRect r = made[i]->BoundsRect();
        EXPECT_EQ(r.Left, cases[i].expected.Left) << i;
        EXPECT_EQ(r.Top, cases[i].expected.Top) << i;
        EXPECT_EQ(r.Right, cases[i].expected.Right) << i;
        EXPECT_EQ(r.Bottom, cases[i].expected.Bottom) << i;
    }
    // A resize of the form lays the children out again.
    form.SetClientSize(400, 200);
    EXPECT_EQ(made[4]->Width(), 400 - 50 - 40);
}

TEST_F(ControlTree, BringToFrontDecidesWhichOverlappingPanelIsHit) {
    TForm form(nullptr);
    form.SetClientSize(100, 100);
    TWinControl a(&form), b(&form);
    for (TWinControl* p : {&a, &b}) {
        p->SetParent(&form);
        p->SetAlign(alClient);
    }
    EXPECT_EQ(form.ControlAtPos({10, 10}), &b);
    a.BringToFront();
    EXPECT_EQ(form.ControlAtPos({10, 10}), &a);
    a.SetVisible(false);
    EXPECT_EQ(form.ControlAtPos({10, 10}), &b);
}

} // namespace
