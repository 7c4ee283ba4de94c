#include <gtest/gtest.h>

#include "FitStatus.hpp"

namespace {

struct StatusCase {
    FitCount count;
    FitSubject subject;
    const char* message;
};

class FitStatusCase : public testing::TestWithParam<StatusCase> {};

TEST_P(FitStatusCase, SaysWhatCouldNotBeFitted) {
    EXPECT_EQ(FitStatusMessage(GetParam().count, GetParam().subject), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(
    Counts, FitStatusCase,
    testing::Values(StatusCase{{300, 0, 300}, FitSubject::MeshNodes, ""},
                    StatusCase{{287, 0, 300}, FitSubject::MeshNodes, "fitted 287 of 300 nodes"},
                    StatusCase{
                        {300, 4, 300},
                        FitSubject::MeshNodes,
                        "fitted 300 of 300 nodes, 4 held back to keep the mesh from folding"},
                    StatusCase{{0, 0, 300},
                               FitSubject::MeshNodes,
                               "fitted 0 of 300 nodes: no match to trust, nothing moved"},
                    StatusCase{{11, 0, 12}, FitSubject::FieldPoints, "fitted 11 of 12 points"},
                    StatusCase{{0, 0, 0}, FitSubject::FieldPoints, ""}));

} // namespace
