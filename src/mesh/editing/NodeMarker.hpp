// What the mesh and the field editors share: the small square that marks a
// control node or point, the cursor marks, segments and the press records.
#pragma once

#include "WarpState.hpp"
#include "graphics/Color.hpp"

class TVectView;

// Creates a 10 x 10 solid box centred on (x, y) in view, in front of every other
// object, and stores its handle in slot.
void AddNodeMarker(ObjHandle& slot, int x, int y, TColor brush, TColor pen, TVectView& view);

// Marker colours of the two views.
inline constexpr TColor kLeftMarkerBrush = 0xFF0000;  // blue
inline constexpr TColor kLeftMarkerPen = 0xFFFFFF;    // white
inline constexpr TColor kRightMarkerBrush = 0x008000; // green
inline constexpr TColor kRightMarkerPen = 0x00FFFF;   // yellow
inline constexpr TColor kSegmentPen = 0x0000FF;       // red
inline constexpr TColor kFoldedSegmentPen = 0x00A5FF; // orange: a mesh line folds here

// Reach of a pick: a node within this many pixels minus one on both axes.
inline constexpr int kPickReach = 10;

// Places a view's cursor mark (a 20 x 20 ellipse) centred on p.
void PlaceCursorMark(TVectView& view, ObjHandle mark, Point p);

// Store the position of the last press or release in the view it happened in.
void RecordPress(WarpObjStru& warp, bool leftView, int x, int y);
void RecordRelease(WarpObjStru& warp, bool leftView, int x, int y);

// Gives a line object the segment from a to b; a width or height of 0 is stored as 1.
void SetSegment(TVectView& view, ObjHandle segment, Point a, Point b);
