#include "results/special_point_files.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::vector<results::TNode> kNodes = {{725, 0.45, 0.25, 1}, {937.5, 0.1, 0.05, 0.123456789012345}};

TEST(NodesCsv, OneLinePerNodeAfterTheHeading) {
    std::ostringstream point;
    results::writeNodesCsv(point, kNodes, '.');
    EXPECT_EQ(point.str(), "Y,XLeft,X,XRight\r\n725,0.25,0.45,1\r\n937.5,0.05,0.1,0.123456789012345\r\n");
    std::ostringstream comma;
    results::writeNodesCsv(comma, kNodes, ',');
    EXPECT_EQ(comma.str(), "Y;XLeft;X;XRight\r\n725;0,25;0,45;1\r\n937,5;0,05;0,1;0,123456789012345\r\n");
    std::ostringstream none;
    results::writeNodesCsv(none, {}, '.');
    EXPECT_EQ(none.str(), "Y,XLeft,X,XRight\r\n");
}

TEST(OtherPointTexts, OneLineEachKeepingTheClosingBlank) {
    std::ostringstream out;
    results::writeOtherPointTexts(out, {{{1, 937.5}, "T(X = 1) = 937,5 "}, {{0, 887.5}, "T(X = 0) = 887,5 "}});
    EXPECT_EQ(out.str(), "T(X = 1) = 937,5 \r\nT(X = 0) = 887,5 \r\n");
}

}  // namespace
