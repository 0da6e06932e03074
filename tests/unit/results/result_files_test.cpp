#include "results/result_files.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace {

// Grid compositions are sums of the step, so a boundary can lie a few ulps off its decimal value:
// the file keeps exactly that double, with no digit more, and phase names stay intact.
TEST(BoundariesCsv, NumbersReadBackExactlyAndNamesAreQuotedWhereNeeded) {
    const double summed = 0.8 + 0.175;  // 0.9750000000000001 as a double, not 0.975
    const std::vector<calc::TZPoint> points = {
        {summed, 456, 196, "Bct_A5"},
        {0.26, 455.99999999999994, 53, "Fcc_A1"},
        {1.0 / 3, 1e-7, 0, "Mg2Si-(C)"},
        {0.5, -17.5, 101, "Liquid, \"L\""},
    };
    std::ostringstream out;
    results::writeBoundariesCsv(out, points);
    EXPECT_EQ(out.str(),
              "X,Y,Column,PhaseName\n"
              "0.9750000000000001,456,196,Bct_A5\n"
              "0.26,455.99999999999994,53,Fcc_A1\n"
              "0.3333333333333333,1E-7,0,Mg2Si-(C)\n"
              "0.5,-17.5,101,\"Liquid, \"\"L\"\"\"\n");
    EXPECT_EQ(std::stod("0.9750000000000001"), summed);
}

}  // namespace
