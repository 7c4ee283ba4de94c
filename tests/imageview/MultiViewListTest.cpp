// The frame list of TMultiView: entries, copies, delays, selection and insertion.
#include "MultiView.hpp"

#include <gtest/gtest.h>

namespace {

TEST(MultiViewList, AppendSelectsEachNewEntryAndStoresACopy) {
    TMultiView view(nullptr);
    TBitmap frame(3, 2, pf24bit);
    frame.SetPixel(0, 0, clRed);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(view.AppendImage(), i);
        EXPECT_EQ(view.SelectedItem(), i);
    }
    view.SetImage(1, frame);
    frame.SetPixel(0, 0, clBlue);
    ASSERT_NE(view.GetImage(1), nullptr);
    EXPECT_EQ(view.GetImage(1)->Pixel(0, 0), clRed);
    EXPECT_EQ(view.GetImageWidth(1), 3);
    EXPECT_EQ(view.GetImageHeight(1), 2);
    EXPECT_EQ(view.GetImageWidth(0), 0);
}

TEST(MultiViewList, OutOfRangeIndicesAreIgnored) {
    TMultiView view(nullptr);
    EXPECT_EQ(view.GetImageWidth(0), 0);
    EXPECT_EQ(view.GetImageDelayTime(0), 0);
    view.AppendImage();
    view.SetImageDelayTime(0, 100);
    view.SetImageDelayTime(5, 7);
    view.SetImage(3, TBitmap(1, 1));
    view.SetSelectedItem(4);
    EXPECT_EQ(view.GetImageCount(), 1);
    EXPECT_EQ(view.GetImageDelayTime(0), 100);
    EXPECT_EQ(view.GetImageDelayTime(-1), 0);
    EXPECT_EQ(view.SelectedItem(), 0);
}

TEST(MultiViewList, InsertKeepsTheSelectedEntrySelectedAndClearEmpties) {
    TMultiView view(nullptr);
    view.AppendImage();
    view.AppendImage();
    view.SetImageDelayTime(1, 50);
    view.SetSelectedItem(1);
    EXPECT_EQ(view.InsertImage(1), 1);
    EXPECT_EQ(view.SelectedItem(), 2);
    EXPECT_EQ(view.GetImageDelayTime(2), 50);
    EXPECT_EQ(view.InsertImage(99), 3);
    view.Clear();
    EXPECT_EQ(view.GetImageCount(), 0);
    EXPECT_EQ(view.SelectedItem(), -1);
}

} // namespace

namespace {

TEST(MultiViewList, NegativeSetImageIsIgnoredAndReplacingFreesTheOldRegion) {
    TMultiView view(nullptr);
    view.AppendImage();
    view.AppendImage();
    view.SetImage(-1, TBitmap(5, 5));
    EXPECT_EQ(view.GetImageWidth(0), 0);
    view.SetImage(0, TBitmap(100, 100));
    view.SetImage(1, TBitmap(10, 10));
    int64_t first = view.Store()->RegionOffset(0);
    view.SetImage(0, TBitmap(120, 100)); // replaced: its region is free for the new copy
    EXPECT_EQ(view.GetImageWidth(0), 120);
    EXPECT_EQ(view.Store()->ImageCount(), 2);
    EXPECT_EQ(view.Store()->RegionOffset(0), first);
    EXPECT_EQ(view.Store()->FileSize(), 2 * 65536);
}

} // namespace
