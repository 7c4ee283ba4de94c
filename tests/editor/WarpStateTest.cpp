// The editor's state record and window fields as a fresh window has them.
#include "Application.hpp"
#include "EditorFixture.hpp"
#include "Tweenkit_frm.hpp"
#include "backends/headless/HeadlessBackend.hpp"

#include <gtest/gtest.h>

#include <cstddef>

namespace {

TEST(WarpState, AFreshRecordHasNoMeshNoPointsAndBreaksEverywhere) {
    auto warp = std::make_unique<WarpObjStru>();
    EXPECT_EQ(warp->Mode, MorphMethod::Mesh);
    EXPECT_EQ(warp->MeshCols, 0);
    EXPECT_EQ(warp->MeshRows, 0);
    EXPECT_EQ(warp->FieldPointCount, 0);
    EXPECT_TRUE(warp->FieldAddMode);
    for (int i = 0; i < kFieldCapacity; ++i) {
        ASSERT_EQ(warp->FieldSrc[i].x, BREAK_MARK) << i;
        ASSERT_EQ(warp->FieldDst[i].x, BREAK_MARK) << i;
    }
    // The entry one past the largest count still reads as a break.
    EXPECT_EQ(warp->FieldSrc[kMaxFieldPoints].x, 0xFFFFF);
}

TEST(WarpState, FieldsKeepTheirOrderAndTheMeshArraysAreFlat) {
    EXPECT_LT(offsetof(WarpObjStru, Mode), offsetof(WarpObjStru, LeftDownX));
    EXPECT_LT(offsetof(WarpObjStru, FieldAddMode), offsetof(WarpObjStru, FieldSrc));
    EXPECT_LT(offsetof(WarpObjStru, MeshRows), offsetof(WarpObjStru, MeshSrc));
    EXPECT_LT(offsetof(WarpObjStru, MeshHLineRight), offsetof(WarpObjStru, MeshNodeRight));
    EXPECT_EQ(sizeof(WarpObjStru::MeshSrc), sizeof(Point) * 10404);
    EXPECT_EQ(MeshIndex(3, 7), 3 * 102 + 7);
}

TEST(EditorWindow, CreationSetsTheWindowFieldsAndCloseReleasesTheRecord) {
    TApplication app(std::make_unique<HeadlessBackend>());
    FakeHost host;
    host.AddFrame(8, 8, clWhite);
    TfrmTweenkit editor(nullptr);
    editor.Context = &host.context;
    editor.Command = &FakeHost::Command;
    EXPECT_EQ(editor.Caption(), "Tweenkit 1.2");
    EXPECT_EQ(editor.Width(), 643);
    EXPECT_EQ(editor.Height(), 408);
    EXPECT_EQ(editor.LeftZoom, 100.0);
    EXPECT_EQ(editor.RightZoom, 100.0);
    EXPECT_EQ(editor.PreviewSide, 200.0);
    EXPECT_EQ(editor.RunScale, 1.0);
    EXPECT_FALSE(editor.WarpOnly);
    EXPECT_FALSE(editor.MouseDown);
    ASSERT_NE(editor.Warp, nullptr);
    EXPECT_EQ(editor.ShowModal(), mrCancel);
    EXPECT_EQ(editor.Warp, nullptr);
}

} // namespace
