// The geometry file of the editor: the work restored in a new window on frames
// of the same size, saves at most a second apart while dragging and at close,
// and every kind of unusable file set aside as FILE.bad-N with one message.
#include "EditorFixture.hpp"

#include "FlatCheckBox.hpp"
#include "FlatRadioButton.hpp"
#include "FlatSpeedButton.hpp"
#include "FlatSpinEdit.hpp"
#include "GeometryFile.hpp"
#include "GeometryJson.hpp"
#include "controls/Label.hpp"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string Slurp(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class GeometryFile : public EditorTest {
protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("geometry-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        path_ = (dir_ / "work.json").string();
        host.AddFrame(320, 240, clWhite);
        host.AddFrame(320, 240, clBlack);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Opens the editor with the geometry file; returns what it printed.
    std::string OpenWithFile() {
        testing::internal::CaptureStdout();
        host.list.SetSelectedItem(0);
        editor = std::make_unique<TfrmTweenkit>(nullptr);
        editor->Context = &host.context;
        editor->Command = &FakeHost::Command;
        editor->GeometryPath = path_;
        editor->Show();
        return testing::internal::GetCapturedStdout();
    }
    void CloseEditor() {
        editor->Close();
        editor.reset();
    }
    WarpObjStru& W() { return *editor->Warp; }
    void Elapse(int ms) {
        const int64_t end = app.NowMs() + ms;
        app.WaitUntil(end);
        while (app.NowMs() < end)
            app.HandleMessage();
        app.ProcessMessages(); // the ticks that came due
    }
    void Write(const std::string& text) { std::ofstream(path_, std::ios::binary) << text; }
    GeometryRecord OnDisk() { return GeometryFromJson(Slurp(path_)); }

    fs::path dir_;
    std::string path_;
};

TEST_F(GeometryFile, TheWorkOfAClosedWindowComesBackInTheNext) {
    OpenWithFile();
    editor->MeshColumnsEdit->SetValue(4);
    editor->MeshRowsEdit->SetValue(3);
    Click(editor->NewMeshButton);
    Drag(editor->LeftView, 64, 60, 70, 66);
    Drag(editor->RightView, 128, 120, 100, 130);
    Click(editor->CatmullRomRadio);
    Click(editor->MoveBothCheck);
    editor->FramesEdit->SetValue(7);
    editor->DelayEdit->SetValue(33);
    Click(editor->RightZoomInButton);
    Click(editor->FieldMethodRadio);
    Drag(editor->LeftView, 10, 20, 30, 40);
    Click(editor->LineBreakButton);
    Drag(editor->RightView, 100, 100, 110, 90);
    Click(editor->LineBreakButton);
    const GeometryRecord before = editor->CaptureGeometry();
    CloseEditor();

    EXPECT_EQ(OpenWithFile(), "");
    const GeometryRecord after = editor->CaptureGeometry();
    EXPECT_EQ(GeometryToJson(after), GeometryToJson(before));
    EXPECT_EQ(W().Mode, MorphMethod::Field);
    EXPECT_EQ(W().FieldPointCount, 6); // two points, break, two points, break
    EXPECT_EQ(editor->FieldUsedLabel->Caption(), "6");
    EXPECT_EQ(editor->RightView->Zoom(), 200);
    // The history starts at the restored work: nothing to undo.
    EXPECT_EQ(editor->History(MorphMethod::Mesh).UndoCount(), 0u);
    EXPECT_EQ(editor->History(MorphMethod::Field).UndoCount(), 0u);
    // Only the field's objects show; the mesh's come with the method.
    int visible = 0;
    for (int i = 0; i < editor->LeftView->ObjectCount(); ++i)
        visible += editor->LeftView->GetObjStyle(editor->LeftView->GetObjFromIndex(i)) != 0;
    EXPECT_EQ(visible, 4 + 2); // four markers, two segments
    Click(editor->MeshMethodRadio);
    EXPECT_EQ(W().MeshCols, 4);
    EXPECT_EQ(W().MeshSrc[MeshIndex(1, 1)].x, 70);
    EXPECT_EQ(W().MeshDst[MeshIndex(2, 2)].y, 130);
}

TEST_F(GeometryFile, WhatAKillMidDragLeavesIsTheDragAtMostASecondAgo) {
    OpenWithFile();
    editor->MeshColumnsEdit->SetValue(4);
    editor->MeshRowsEdit->SetValue(3);
    Click(editor->NewMeshButton);
    EXPECT_EQ(OnDisk().meshColumns, 4) << "the first edit is saved at once";
    Move(editor->LeftView, 64, 60);
    Press(editor->LeftView, 64, 60);
    Move(editor->LeftView, 80, 70);
    EXPECT_EQ(OnDisk().meshSrc[0].x, 64) << "no second write within the second";
    Elapse(1000);
    EXPECT_EQ(OnDisk().meshSrc[0].x, 80) << "the deferred write came";
    Move(editor->LeftView, 90, 75);
    Elapse(300);
    // The process dies here, mid-drag: the file on disk is all there is.
    const std::string kept = Slurp(path_);
    EXPECT_FALSE(fs::exists(path_ + ".tmp-" + std::to_string(getpid())));
    editor.reset(); // without FormClose: nothing more is written
    std::ofstream(path_, std::ios::binary) << kept;
    OpenWithFile();
    EXPECT_EQ(W().MeshCols, 4);
    EXPECT_EQ(W().MeshSrc[MeshIndex(1, 1)].x, 80);
    EXPECT_EQ(W().MeshSrc[MeshIndex(1, 1)].y, 70);
}

TEST_F(GeometryFile, WithoutAFileNothingIsStoredOrRestored) {
    host.list.SetSelectedItem(0);
    Open();
    Click(editor->NewMeshButton);
    editor->Close();
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(GeometryFile, UndoAndRedoAreSavedToo) {
    OpenWithFile();
    Click(editor->NewMeshButton);
    Elapse(1000);
    editor->UndoEdit();
    Elapse(1000);
    EXPECT_EQ(OnDisk().meshColumns, 0);
}

// A file the editor cannot use, and the words its message gives as the reason.
struct BadFile {
    const char* name;
    std::string text;
    const char* reason;
};

void PrintTo(const BadFile& bad, std::ostream* out) {
    *out << bad.name;
}

std::string Valid() {
    GeometryRecord record;
    record.width = 320;
    record.height = 240;
    record.meshColumns = 1;
    record.meshRows = 1;
    record.meshSrc = record.meshDst = {Point{100, 100}};
    record.fieldSrc = record.fieldDst = {Point{1, 2}, Point{3, 4}};
    return GeometryToJson(record);
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return text.replace(at, from.size(), to);
}

std::string ManyFieldPoints(int points) {
    std::string list;
    for (int i = 0; i < points; ++i)
        list += std::string(i ? "," : "") + "[" + std::to_string(i % 300) + ",5]";
    return Replaced(Valid(), "\"polylines\": [",
                    "\"polylines\": [{\"source\": [" + list + "], \"destination\": [" + list +
                        "]},");
}

std::vector<BadFile> BadFiles() {
    return {
        {"OtherFrameSizes", Replaced(Valid(), "\"width\": 320", "\"width\": 640"),
         "it was made for frames of 640 x 240, not 320 x 240"},
        {"NewerVersion", Replaced(Valid(), "\"version\": 1", "\"version\": 2"),
         "made by a newer version (2)"},
        {"NotJson", "this is no geometry\n", "it is not valid JSON"},
        {"Truncated", Valid().substr(0, Valid().size() / 2), "it is not valid JSON"},
        {"Empty", "", "it is not valid JSON"},
        {"OtherJson", "{\"name\": \"a shopping list\"}", "it is not a geometry file"},
        {"HugeCounts", Replaced(Valid(), "\"columns\": 1", "\"columns\": 100000000"),
         "mesh.columns is out of range"},
        {"NaN", Replaced(Valid(), "[\n    100,", "[\n    NaN,"), "it is not valid JSON"},
        {"HugeNumber", Replaced(Valid(), "[\n    100,", "[\n    1e999,"), "it is not valid JSON"},
        {"FractionalCoordinate", Replaced(Valid(), "[\n    100,", "[\n    100.5,"),
         "mesh.destination[0] is not a whole number"},
        {"CoordinateOutOfRange", Replaced(Valid(), "[\n    100,", "[\n    -99999999,"),
         "mesh.destination[0] is out of range"},
        {"CountsDisagreeWithNodes", Replaced(Valid(), "\"rows\": 1", "\"rows\": 2"),
         "mesh.source has 1 points, not 2"},
        {"PointsBeyond1024", ManyFieldPoints(1100), "field has more than 1002 points and breaks"},
        {"BrokenPolyline",
         Replaced(Valid(), "\"polylines\": [",
                  "\"polylines\": [{\"source\": [[1,1]], \"destination\": [[1,1]]},"),
         "field.polylines[0] is a broken polyline"},
        {"UnevenPolyline",
         Replaced(Valid(), "\"polylines\": [",
                  "\"polylines\": [{\"source\": [[1,1],[2,2]], \"destination\": [[1,1]]},"),
         "field.polylines[0].destination has 1 points, not 2"},
        {"FramesOutOfRange", Replaced(Valid(), "\"frames\": 12", "\"frames\": 5000"),
         "frames is out of range"},
        {"OddZoom", Replaced(Valid(), "\"left\": 100.0", "\"left\": 333.0"),
         "zoom.left is not a zoom the views take"},
        {"UnknownMethod", Replaced(Valid(), "\"method\": \"mesh\"", "\"method\": \"magic\""),
         "method is neither"},
        {"Directory", "", "it is not a regular file"},
    };
}

class EachBadFile : public GeometryFile, public ::testing::WithParamInterface<BadFile> {};

TEST_P(EachBadFile, IsKeptAsBadWithOneMessageAndTheEditorStartsAfresh) {
    const BadFile& bad = GetParam();
    if (std::string(bad.name) == "Directory")
        fs::create_directory(path_);
    else
        Write(bad.text);
    fs::create_directory(path_ + ".bad-1"); // an earlier one: the next number is taken
    const std::string printed = OpenWithFile();
    EXPECT_EQ(printed, "message: Geometry file " + path_ +
                           " not used: " + printed.substr(printed.find(" not used: ") + 11));
    EXPECT_NE(printed.find(bad.reason), std::string::npos) << printed;
    EXPECT_NE(printed.find("It is kept as " + path_ + ".bad-2"), std::string::npos) << printed;
    EXPECT_EQ(std::count(printed.begin(), printed.end(), '\n'), 1) << "one message";
    // Fresh: no mesh, no points; the bad file is untouched under its new name.
    EXPECT_EQ(W().MeshCols, 0);
    EXPECT_EQ(W().FieldPointCount, 0);
    EXPECT_FALSE(fs::exists(path_));
    if (std::string(bad.name) != "Directory") {
        EXPECT_EQ(Slurp(path_ + ".bad-2"), bad.text);
    }
    // The next edit writes a new, good file.
    Click(editor->NewMeshButton);
    EXPECT_GT(OnDisk().meshColumns, 0);
    CloseEditor();
}

INSTANTIATE_TEST_SUITE_P(Kinds, EachBadFile, ::testing::ValuesIn(BadFiles()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GeometryJson, WritesWhatItReads) {
    GeometryRecord record;
    record.width = 7;
    record.height = 9;
    record.method = MorphMethod::Field;
    record.meshColumns = 2;
    record.meshRows = 1;
    record.meshSrc = {Point{-5, 3}, Point{100000, -100000}};
    record.meshDst = {Point{0, 0}, Point{1, 1}};
    record.fieldSrc = {Point{1, 2}, Point{3, 4}, Point{BREAK_MARK, 0},
                       Point{5, 6}, Point{7, 8}, Point{BREAK_MARK, 0}};
    record.fieldDst = {Point{9, 2}, Point{3, 9}, Point{BREAK_MARK, 0},
                       Point{5, 9}, Point{9, 8}, Point{BREAK_MARK, 0}};
    record.linear = false;
    record.moveBoth = true;
    record.frames = 0;
    record.delay = 100;
    record.leftZoom = 6.25;
    record.rightZoom = 1600;
    const std::string text = GeometryToJson(record);
    EXPECT_EQ(GeometryToJson(GeometryFromJson(text)), text);
}

TEST(GeometryJson, AFailedSaveLeavesNothingBehind) {
    const fs::path dir = fs::path(::testing::TempDir()) / "geometry-unwritable";
    fs::remove_all(dir);
    std::string error;
    EXPECT_FALSE(SaveGeometryFile((dir / "work.json").string(), GeometryRecord{}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(dir));
}

} // namespace
