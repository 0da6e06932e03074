#include "results/special_point_files.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::vector<results::TNode> kNodes = {{725, 0.45, 0.25, 1}, {937.5, 0.1, 0.05, 0.1234567890123456789}, {455.99999999999994, 0.74, 0.26, 0.9750000000000008}};

TEST(NodesCsv, OneLinePerNodeAfterTheHeading) {
    std::ostringstream point;
    results::writeNodesCsv(point, kNodes, '.');
    // Every digit that tells the double apart is kept, none beyond it.
    EXPECT_EQ(point.str(), "Y,XLeft,X,XRight\n725,0.25,0.45,1\n937.5,0.05,0.1,0.12345678901234568\n"
                           "455.99999999999994,0.26,0.74,0.9750000000000008\n");
    std::ostringstream comma;
    results::writeNodesCsv(comma, kNodes, ',');
    EXPECT_EQ(comma.str(), "Y;XLeft;X;XRight\n725;0,25;0,45;1\n937,5;0,05;0,1;0,12345678901234568\n"
                           "455,99999999999994;0,26;0,74;0,9750000000000008\n");
    std::ostringstream none;
    results::writeNodesCsv(none, {}, '.');
    EXPECT_EQ(none.str(), "Y,XLeft,X,XRight\n");
}

TEST(OtherPointTexts, OneLineEachKeepingTheClosingBlank) {
    std::ostringstream out;
    results::writeOtherPointTexts(out, {{{1, 937.5}, "T(X = 1) = 937,5 "}, {{0, 887.5}, "T(X = 0) = 887,5 "}});
    EXPECT_EQ(out.str(), "T(X = 1) = 937,5 \nT(X = 0) = 887,5 \n");
}

}  // namespace
