// TVectView: an image view that keeps vector objects (lines, boxes, ellipses)
// in bitmap coordinates and draws them over the image at the current zoom and
// scroll position. Objects are named by handles that stay valid for the life
// of the view; -1 names the template of new objects, -2 the highest handle.
#pragma once

#include "ImageView.hpp"

#include <cstdint>
#include <functional>
#include <vector>

enum TVectObjectKind : uint8_t {
    okNONE,
    okLINE,
    okBOX,
    okELLIPSE,
    okARC,
    okBITMAP,
    okTEXT,
    okRULER,
    okPOLYLINE
};
enum TLineEnd : uint8_t { leNONE, leINARROW, leOUTARROW };

// A set of vs... bits.
using TVectStyle = uint8_t;
constexpr TVectStyle vsSelectable = 1;
constexpr TVectStyle vsMoveable = 2;
constexpr TVectStyle vsSizeable = 4;
constexpr TVectStyle vsVisible = 8;

// One object; its rectangle is in bitmap pixels with inclusive corners.
struct TVectObject {
    int32_t x1 = 0, y1 = 0, x2 = 63, y2 = 63;
    TVectObjectKind kind = okNONE;
    TLineEnd beginShape = leNONE, endShape = leNONE;
    int32_t shapeWidth = 10, shapeHeight = 20;
    TColor penColor = 0xFFFFFF;
    TPenStyle penStyle = psSolid;
    int32_t penWidth = 1;
    TColor brushColor = 0xFFFFFF;
    TBrushStyle brushStyle = bsClear;
    int32_t ID = 0; // the caller's own value
    TVectStyle style = vsSelectable | vsMoveable | vsSizeable | vsVisible;
};

using TVectSelectEvent = std::function<void(TObject* sender, int handle, bool selected)>;

class TVectView : public TImageView {
public:
    explicit TVectView(TComponent* owner);

    // A bitmap keeps all objects; null or another vector view removes them first
    // (the latter then copies its objects).
    using TImageView::Assign;
    void Assign(const TBitmap* source) override;
    void Assign(const TObject* source) override;
    // The image, then the visible objects in drawing order.
    void PaintToEx(TBitmap& buffer) override;

    // Raises OnVectorialChanged.
    virtual void DoVectorialChanged();
    // Text objects are not part of this system: this does nothing.
    virtual void UpdateTextEdit() {}

    // A copy of the template on top of the drawing list; returns its handle.
    int AddNewObject();
    // Takes h out of the drawing list and frees its slot only when it is the highest handle.
    void RemoveObject(int h);

    void SetObjKind(int h, TVectObjectKind kind);
    TVectObjectKind GetObjKind(int h) const;
    // Moves keeping the size.
    void SetObjLeft(int h, int v);
    void SetObjTop(int h, int v);
    int GetObjLeft(int h) const;
    int GetObjTop(int h) const;
    // x2 = x1 + w - 1 (y likewise); no value is rejected.
    void SetObjWidth(int h, int w);
    void SetObjHeight(int h, int v);
    int GetObjWidth(int h) const;
    int GetObjHeight(int h) const;
    void SetObjPenColor(int h, TColor colour);
    TColor GetObjPenColor(int h) const;
    void SetObjPenWidth(int h, int w);
    int GetObjPenWidth(int h) const;
    void SetObjPenStyle(int h, TPenStyle style);
    TPenStyle GetObjPenStyle(int h) const;
    void SetObjBrushColor(int h, TColor colour);
    TColor GetObjBrushColor(int h) const;
    void SetObjBrushStyle(int h, TBrushStyle style);
    TBrushStyle GetObjBrushStyle(int h) const;
    void SetObjID(int h, int id);
    int GetObjID(int h) const;
    // A style without vsSelectable first takes h out of the selection.
    void SetObjStyle(int h, TVectStyle style);
    TVectStyle GetObjStyle(int h) const;
    // The whole record of h (null for an invalid handle).
    const TVectObject* GetObject(int h) const;

    // Drawing order: directly above ref (ref < 0: at the top) / at ref's place (ref < 0: bottom).
    void SetObjFrontOf(int h, int ref);
    void SetObjBackTo(int h, int ref);
    // The handle at position i of the drawing list (0 is the bottom), -1 outside.
    int GetObjFromIndex(int i) const;
    int ObjectCount() const { return static_cast<int>(order_.size()); }

    // Selection, in the order objects were selected.
    void AddSelObject(int h);
    void UnSelObject(int h);
    void UnSelAllObjects();
    bool IsSelObject(int h) const;
    int GetSelObjects(int i) const;
    int SelectedCount() const { return static_cast<int>(selection_.size()); }
    // Selects every selectable object whose ordered rectangle lies in (0,0)-(1000000,1000000).
    void SelAllObjects();

    // Scale pen widths with the zoom (default on).
    void SetZoomObjectsWidth(bool on);
    bool ZoomObjectsWidth() const { return zoomObjectsWidth_; }

    TNotifyEvent OnVectorialChanged;
    TVectSelectEvent OnSelectObject;

private:
    TVectObject* Obj(int h);
    const TVectObject* Obj(int h) const;
    // Applies change to h and updates unless h is the template.
    template <class Change> void Modify(int h, Change change);
    void RemoveAllObjects();
    void DrawObjects(TCanvas& canvas);
    static void Append(std::vector<int>& list, int h);

    std::vector<TVectObject> store_; // every object ever added, by handle
    std::vector<int> order_;         // drawing list, bottom first
    std::vector<int> selection_;
    TVectObject template_;
    bool zoomObjectsWidth_ = true;
};
