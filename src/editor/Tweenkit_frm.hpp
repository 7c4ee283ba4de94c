// TfrmTweenkit: the modal editor window of the plug-in. The start image on the
// left and the final image on the right, each in a vector view over which the
// user lays a mesh or draws control polylines; below them the method choice,
// the run buttons and the stacked mesh, field and progress panels.
//
// The implementation is split by concern:
//   Tweenkit_frm.cpp     creation, showing, resizing, closing, zoom, method switch, mouse routing
//   TweenkitLayout.cpp   the controls and their properties
//   TweenkitEditing.cpp  the mesh and field buttons, undo and redo, delegating to the two editors
//   MorphRun.cpp         the run buttons, RunMorph and OutputFrame
//   TweenkitGeometry.cpp the geometry file: restore, capture, debounced saves
//   TweenkitFailureMarks.cpp  rings around what made a run fail
//   TweenkitAutoFit.cpp  Ctrl+F and --auto-fit: destination geometry fitted to the pictures
#pragma once

#include "EditHistory.hpp"
#include "FitStatus.hpp"
#include "Form.hpp"
#include "GeometryRecord.hpp"
#include "HostRecords.hpp"
#include "WarpState.hpp"
#include "graphics/Bitmap.hpp"

#include <memory>
#include <optional>
#include <string>
#include <vector>

class TVectView;
class TMultiView;
class TPanel;
class TSplitter;
class TLabel;
class TStaticText;
class TProgressBar;
class TFlatPanel;
class TFlatRadioButton;
class TFlatSpeedButton;
class TFlatCheckBox;
class TFlatSpinEdit;
class TTimer;
class MethodEditor;
class MeshEditor;
class FieldEditor;
struct IplHeader;

class TfrmTweenkit : public TForm {
public:
    explicit TfrmTweenkit(TComponent* owner);
    ~TfrmTweenkit() override;

    // Window events.
    void FormCreate(TObject* sender);
    void FormShow(TObject* sender);
    void FormResize(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void VectCommonClick(TObject* sender);
    void MorphMethodClick(TObject* sender);
    void VectViewMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void VectViewMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void VectViewMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

    // "New mesh" and the field panel's buttons.
    void WarpMeshG_btnClick(TObject* sender);
    void WarpFieldClick(TObject* sender);
    // Ctrl+Z undoes the active method's last edit; Ctrl+Y and Ctrl+Shift+Z redo.
    void FormKeyDown(TObject* sender, int& key, TShiftState shift);
    void UndoEdit();
    void RedoEdit();
    // Ctrl+F: fits the active method's destination geometry to the two pictures;
    // says how it went only when something could not be fitted.
    void FitEdit();
    // --auto-fit, when the window shows: the mesh method, the default mesh ("New
    // mesh") when there is none, fitted once; how it went on stderr.
    bool AutoFit = false;
    void AutoFitMesh();

    // The editor of the active method, and the undo history of each method.
    MethodEditor& ActiveEditor();
    EditHistory& History(MorphMethod method) {
        return method == MorphMethod::Mesh ? meshHistory_ : fieldHistory_;
    }
    MeshEditor& Mesh() { return *mesh_; }
    FieldEditor& Field() { return *field_; }

    // Runs.
    void MorphPreview_btnClick(TObject* sender);
    void MorphFinal_btnClick(TObject* sender);
    // Generates a preview into a new player window or the final frames into the
    // host's sequence; false when the generation failed and was reported.
    bool RunMorph(bool preview);
    // Hands one finished frame to the player's list (preview) or to the host.
    void OutputFrame(TBitmap* bitmap, bool preview, int delay, bool warpOnly);

    // Controls.
    TSplitter* Splitter = nullptr;
    TPanel* PanelBottom = nullptr;
    TFlatPanel* PanelBotLeft = nullptr;
    TFlatRadioButton* MeshMethodRadio = nullptr;
    TFlatRadioButton* FieldMethodRadio = nullptr;
    TFlatSpeedButton* PreviewButton = nullptr;
    TFlatSpeedButton* MorphItButton = nullptr;
    TStaticText* FramesText = nullptr;
    TFlatSpinEdit* FramesEdit = nullptr;
    TStaticText* DelayText = nullptr;
    TFlatSpinEdit* DelayEdit = nullptr;
    TFlatPanel* PanBotRight = nullptr;
    TPanel* PanelField = nullptr;
    TStaticText* FieldMaxText = nullptr;
    TStaticText* FieldUsedText = nullptr;
    TStaticText* FieldFreeText = nullptr;
    TLabel* FieldMaxLabel = nullptr;
    TLabel* FieldUsedLabel = nullptr;
    TLabel* FieldFreeLabel = nullptr;
    TFlatSpeedButton* AddMoveButton = nullptr;
    TFlatSpeedButton* LineBreakButton = nullptr;
    TFlatSpeedButton* UndoLastButton = nullptr;
    TFlatSpeedButton* ClearButton = nullptr;
    TPanel* PanelMesh = nullptr;
    TStaticText* MeshColumnsText = nullptr;
    TFlatSpinEdit* MeshColumnsEdit = nullptr;
    TStaticText* MeshRowsText = nullptr;
    TFlatSpinEdit* MeshRowsEdit = nullptr;
    TFlatSpeedButton* NewMeshButton = nullptr;
    TFlatRadioButton* LinearRadio = nullptr;
    TFlatRadioButton* CatmullRomRadio = nullptr;
    TPanel* PanelProgress = nullptr;
    TProgressBar* ProgressBar = nullptr;
    TPanel* PanelLeft = nullptr;
    TFlatPanel* PanelTopLeft = nullptr;
    TFlatSpeedButton* LeftCenterButton = nullptr;
    TFlatSpeedButton* LeftZoomInButton = nullptr;
    TFlatSpeedButton* LeftZoomOutButton = nullptr;
    TFlatCheckBox* MoveBothCheck = nullptr;
    TPanel* PanelRight = nullptr;
    TFlatPanel* PanelTopRight = nullptr;
    TFlatSpeedButton* RightCenterButton = nullptr;
    TFlatSpeedButton* RightZoomInButton = nullptr;
    TFlatSpeedButton* RightZoomOutButton = nullptr;
    TLabel* WarpOnlyLabel = nullptr;

    // Host side, set by HPI_Execute and FormShow.
    HostContext* Context = nullptr;
    HostSequence* Sequence = nullptr;
    FrameExchange* Exchange = nullptr;
    HostCommand Command = nullptr;

    // Views and their zooms.
    TVectView* LeftView = nullptr;
    TVectView* RightView = nullptr;
    double LeftZoom = 100.0;
    double RightZoom = 100.0;
    bool MouseDown = false;
    bool WarpOnly = false;

    // Sizes of the full-size images and of the run.
    double RunScale = 1.0;
    double PreviewSide = 200.0;
    int32_t ImageWidth = 0, ImageHeight = 0, MaxX = 0, MaxY = 0;

    // The working set of one run; stale between runs.
    DIBSECTION DibScratch{};
    TBitmap* SrcBitmap = nullptr;
    TBitmap* DstBitmap = nullptr;
    TBitmap* FrameBitmap = nullptr;
    TBitmap* WarpedDstBitmap = nullptr;
    IplHeader* FrameIpl = nullptr;
    IplHeader* WarpedDstIpl = nullptr;
    HBITMAP SrcHandle{}, DstHandle{}, FrameHandle{}, WarpedDstHandle{};
    int32_t WorkWidth = 0, WorkHeight = 0, WorkMaxX = 0, WorkMaxY = 0;
    int32_t RowStride = 0, RowPad = 0;
    uint8_t* FrameBits = nullptr;
    uint8_t* WarpedDstBits = nullptr;
    uint8_t* SrcBits = nullptr;
    uint8_t* DstBits = nullptr;
    TMultiView* OutView = nullptr;
    DibInfo SrcInfo, DstInfo, FrameInfo, WarpedDstInfo;

    // The warp state record, owned by the window from FormCreate to FormClose.
    WarpObjStru* Warp = nullptr;

    // The geometry file the host named (empty: none). FormShow restores it when it
    // was made for frames of this size; edits save it, at most once a second, and
    // so does closing the window.
    std::string GeometryPath;
    // The window's work as a geometry file keeps it, and back.
    GeometryRecord CaptureGeometry();
    void RestoreGeometry(const GeometryRecord& record);
    // Something a geometry file keeps has changed: saves now, or when a second has
    // passed since the last save.
    void GeometryChanged();
    // Writes the geometry file now when one is set.
    void SaveGeometry();

    // After a run failed: rings around the nodes or lines that made it fail; the
    // next edit, undo, redo or method switch takes them away.
    void ShowFailureMarks();
    void ClearFailureMarks();
    const std::vector<ObjHandle>& FailureMarks(const TVectView* view) const {
        return view == LeftView ? failureMarksLeft_ : failureMarksRight_;
    }

    // The editor shows no usable image (the host handed over none): FormShow then
    // closes the window and HPI_Execute reports it.
    bool NoImage() const { return noImage_; }

private:
    // Builds every control of the window with its properties and events.
    void CreateControls();
    // Makes one of the two vector views in panel.
    TVectView* CreateView(TPanel* panel, const char* name);
    // Copies the host's frame at index onto scratch (sizing it first when resize
    // is set) between commands 8 and 9; false when the host lent no usable graphic.
    bool FetchFrame(int index, TBitmap& scratch, bool resize);
    // Tells the user and returns true when the active method has nothing to run on.
    bool RefusedWithoutGeometry();
    // Shows the field counters for the point count the field editor says they show.
    void ShowFieldCounters();
    // Shows, in both views, the objects of the active method (see MorphMethodClick).
    void ShowMeshObjects();
    void ShowFieldObjects();

    // Makes both editors and points their edit reports at the two histories.
    void CreateEditors();
    // Records an edit the editor of method reported.
    void RecordEdit(MorphMethod method, std::unique_ptr<EditStep> step);
    // After an undo or a redo: what an edit of the method would have refreshed.
    void AfterHistoryStep(MorphMethod method);

    // Moves the active method's inner destination nodes or destination points where
    // their source's picture content went, recorded as one edit when any moved;
    // nullopt when there is nothing to fit. Throws when the fit cannot run.
    std::optional<FitCount> FitActiveMethod();

    // Reads the geometry file at FormShow: restores it, or sets a bad one aside.
    void OpenGeometry();

    std::unique_ptr<MeshEditor> mesh_;
    std::unique_ptr<FieldEditor> field_;
    EditHistory meshHistory_;
    EditHistory fieldHistory_;
    bool noImage_ = false;
    std::vector<ObjHandle> failureMarksLeft_, failureMarksRight_;
    TTimer* geometryTimer_ = nullptr; // the deferred save
    int64_t lastGeometrySave_ = 0;
    bool geometrySaved_ = false;      // at least once in this window
    bool geometryUnwritable_ = false; // reported once, then no more tries
};
