#include "VectView.hpp"

#include "ViewMath.hpp"

#include <algorithm>

namespace {
constexpr size_t kGrowthBlock = 512;
constexpr size_t kGrowthRoom = 522;
constexpr int kTemplate = -1;
constexpr int kHighest = -2;
constexpr int kSelectLimit = 1000000;

// Arrays grow in blocks: at a count that is a multiple of 512, room for count + 522.
template <class T> void Grow(std::vector<T>& list) {
    if (list.size() % kGrowthBlock == 0)
        list.reserve(list.size() + kGrowthRoom);
}
} // namespace

TVectView::TVectView(TComponent* owner) : TImageView(owner) {}

// Handles ---------------------------------------------------------------------

TVectObject* TVectView::Obj(int h) {
    return const_cast<TVectObject*>(static_cast<const TVectView*>(this)->Obj(h));
}

const TVectObject* TVectView::Obj(int h) const {
    if (h == kTemplate)
        return &template_;
    if (h == kHighest)
        return store_.empty() ? nullptr : &store_.back();
    if (h < 0 || h >= static_cast<int>(store_.size()))
        return nullptr;
    return &store_[h];
}

const TVectObject* TVectView::GetObject(int h) const {
    return Obj(h);
}

template <class Change> void TVectView::Modify(int h, Change change) {
    TVectObject* o = Obj(h);
    if (!o)
        return;
    change(*o);
    if (h != kTemplate)
        Update();
}

void TVectView::Append(std::vector<int>& list, int h) {
    Grow(list);
    list.push_back(h);
}

int TVectView::AddNewObject() {
    int h = static_cast<int>(store_.size());
    Grow(store_);
    store_.push_back(template_);
    Append(order_, h);
    return h;
}

void TVectView::RemoveObject(int h) {
    if (h == kHighest)
        h = static_cast<int>(store_.size()) - 1;
    auto at = std::find(order_.begin(), order_.end(), h);
    if (h < 0 || at == order_.end())
        return; // not an existing object
    UnSelObject(h);
    order_.erase(at);
    // Only the highest slot is reclaimed; lower ones stay so other handles keep their meaning.
    if (h == static_cast<int>(store_.size()) - 1)
        store_.pop_back();
    DoVectorialChanged();
    Update();
}

void TVectView::RemoveAllObjects() {
    store_.clear();
    order_.clear();
    selection_.clear();
}

void TVectView::DoVectorialChanged() {
    Raise(OnVectorialChanged, this);
}

// Fields ----------------------------------------------------------------------

void TVectView::SetObjKind(int h, TVectObjectKind kind) {
    Modify(h, [&](TVectObject& o) { o.kind = kind; });
}

TVectObjectKind TVectView::GetObjKind(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->kind : okNONE;
}

void TVectView::SetObjLeft(int h, int v) {
    Modify(h, [&](TVectObject& o) {
        o.x2 += v - o.x1;
        o.x1 = v;
    });
}

void TVectView::SetObjTop(int h, int v) {
    Modify(h, [&](TVectObject& o) {
        o.y2 += v - o.y1;
        o.y1 = v;
    });
}

int TVectView::GetObjLeft(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->x1 : 0;
}

int TVectView::GetObjTop(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->y1 : 0;
}

void TVectView::SetObjWidth(int h, int w) {
    Modify(h, [&](TVectObject& o) { o.x2 = o.x1 + w - 1; });
}

void TVectView::SetObjHeight(int h, int v) {
    Modify(h, [&](TVectObject& o) { o.y2 = o.y1 + v - 1; });
}

int TVectView::GetObjWidth(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->x2 - o->x1 + 1 : 0;
}

int TVectView::GetObjHeight(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->y2 - o->y1 + 1 : 0;
}

void TVectView::SetObjPenColor(int h, TColor colour) {
    Modify(h, [&](TVectObject& o) { o.penColor = colour; });
}

TColor TVectView::GetObjPenColor(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->penColor : clBlack;
}

void TVectView::SetObjPenWidth(int h, int w) {
    Modify(h, [&](TVectObject& o) { o.penWidth = w; });
}

int TVectView::GetObjPenWidth(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->penWidth : 0;
}

void TVectView::SetObjPenStyle(int h, TPenStyle style) {
    Modify(h, [&](TVectObject& o) { o.penStyle = style; });
}

TPenStyle TVectView::GetObjPenStyle(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->penStyle : psSolid;
}

void TVectView::SetObjBrushColor(int h, TColor colour) {
    Modify(h, [&](TVectObject& o) { o.brushColor = colour; });
}

TColor TVectView::GetObjBrushColor(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->brushColor : clBlack;
}

void TVectView::SetObjBrushStyle(int h, TBrushStyle style) {
    Modify(h, [&](TVectObject& o) { o.brushStyle = style; });
}

TBrushStyle TVectView::GetObjBrushStyle(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->brushStyle : bsClear;
}

void TVectView::SetObjID(int h, int id) {
    Modify(h, [&](TVectObject& o) { o.ID = id; });
}

int TVectView::GetObjID(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->ID : 0;
}

void TVectView::SetObjStyle(int h, TVectStyle style) {
    if (!(style & vsSelectable))
        UnSelObject(h == kHighest ? static_cast<int>(store_.size()) - 1 : h);
    Modify(h, [&](TVectObject& o) { o.style = style; });
}

TVectStyle TVectView::GetObjStyle(int h) const {
    const TVectObject* o = Obj(h);
    return o ? o->style : 0;
}

// Drawing order ---------------------------------------------------------------

void TVectView::SetObjFrontOf(int h, int ref) {
    auto at = std::find(order_.begin(), order_.end(), h);
    if (at == order_.end() || h == ref)
        return;
    order_.erase(at);
    auto refAt = ref < 0 ? order_.end() : std::find(order_.begin(), order_.end(), ref);
    order_.insert(refAt == order_.end() ? order_.end() : refAt + 1, h);
    Update();
}

void TVectView::SetObjBackTo(int h, int ref) {
    auto at = std::find(order_.begin(), order_.end(), h);
    if (at == order_.end() || h == ref)
        return;
    order_.erase(at);
    auto refAt = ref < 0 ? order_.begin() : std::find(order_.begin(), order_.end(), ref);
    order_.insert(refAt == order_.end() ? order_.begin() : refAt, h);
    Update();
}

int TVectView::GetObjFromIndex(int i) const {
    return i >= 0 && i < ObjectCount() ? order_[i] : -1;
}

// Selection -------------------------------------------------------------------

void TVectView::AddSelObject(int h) {
    const TVectObject* o = Obj(h);
    if (h < 0 || !o || !(o->style & vsSelectable))
        return;
    Append(selection_, h);
    Raise(OnSelectObject, this, h, true);
}

void TVectView::UnSelObject(int h) {
    auto at = std::find(selection_.begin(), selection_.end(), h);
    if (at == selection_.end())
        return;
    selection_.erase(at);
    Raise(OnSelectObject, this, h, false);
}

void TVectView::UnSelAllObjects() {
    while (!selection_.empty())
        UnSelObject(selection_.front());
}

bool TVectView::IsSelObject(int h) const {
    return std::find(selection_.begin(), selection_.end(), h) != selection_.end();
}

int TVectView::GetSelObjects(int i) const {
    return i >= 0 && i < SelectedCount() ? selection_[i] : -1;
}

void TVectView::SelAllObjects() {
    UnSelAllObjects();
    for (int h : order_) {
        const TVectObject& o = store_[h];
        // Lines, rulers and polylines may have their corners in any order.
        int x1 = std::min(o.x1, o.x2), x2 = std::max(o.x1, o.x2);
        int y1 = std::min(o.y1, o.y2), y2 = std::max(o.y1, o.y2);
        if (o.kind != okLINE && o.kind != okRULER && o.kind != okPOLYLINE) {
            x1 = o.x1, x2 = o.x2, y1 = o.y1, y2 = o.y2;
        }
        bool inside = x1 >= 0 && y1 >= 0 && x2 <= kSelectLimit && y2 <= kSelectLimit;
        if (inside && (o.style & vsSelectable))
            AddSelObject(h);
    }
    Update();
}

void TVectView::SetZoomObjectsWidth(bool on) {
    if (on == zoomObjectsWidth_)
        return;
    zoomObjectsWidth_ = on;
    Update();
}

// Assignment and drawing ------------------------------------------------------

void TVectView::Assign(const TBitmap* source) {
    if (!source)
        RemoveAllObjects();
    TImageView::Assign(source);
}

void TVectView::Assign(const TObject* source) {
    if (!source) {
        RemoveAllObjects();
        TImageView::Assign(source);
        return;
    }
    if (const TVectView* other = dynamic_cast<const TVectView*>(source); other && other != this) {
        RemoveAllObjects();
        store_ = other->store_;
        order_ = other->order_;
    }
    TImageView::Assign(source);
}

void TVectView::PaintToEx(TBitmap& buffer) {
    TImageView::PaintToEx(buffer);
    try {
        DrawObjects(buffer.Canvas());
    } catch (...) {
        // A failing object leaves the image composed; the paint goes on.
    }
}

void TVectView::DrawObjects(TCanvas& canvas) {
    TRect area{OffsetX(), OffsetY(), OffsetX() + VisibleWidth(), OffsetY() + VisibleHeight()};
    for (int h : order_) {
        const TVectObject& o = store_[h];
        if (!(o.style & vsVisible) || (o.kind != okLINE && o.kind != okBOX && o.kind != okELLIPSE))
            continue;
        int sx1 = XBmp2Scr(o.x1), sy1 = YBmp2Scr(o.y1);
        int sx2 = XBmp2Scr(o.x2), sy2 = YBmp2Scr(o.y2);
        // Objects that do not meet the shown image (edges included) are skipped whole.
        if (std::max(sx1, sx2) < area.Left || std::min(sx1, sx2) > area.Right ||
            std::max(sy1, sy2) < area.Top || std::min(sy1, sy2) > area.Bottom)
            continue;
        canvas.Pen.Color = o.penColor;
        canvas.Pen.Style = o.penStyle;
        canvas.Pen.Mode = pmCopy;
        canvas.Pen.Width = zoomObjectsWidth_
                               ? std::max(1, viewmath::Trunc(o.penWidth * ZoomFactor()))
                               : o.penWidth;
        canvas.Brush.Color = o.brushColor;
        canvas.Brush.Style = o.brushStyle;
        switch (o.kind) {
        case okLINE:
            canvas.MoveTo(sx1, sy1);
            canvas.LineTo(sx2, sy2);
            break;
        case okBOX:
            canvas.Rectangle(sx1, sy1, sx2 + 1, sy2 + 1);
            break;
        default:
            canvas.Ellipse(sx1, sy1, sx2 + 1, sy2 + 1);
            break;
        }
    }
}
