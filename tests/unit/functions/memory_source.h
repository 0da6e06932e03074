#pragma once
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "functions/memory_source.h"
#include "util/errors.h"

namespace functions::testing {

// The in-memory database of the assembly, with records listed in `failingReads` (phase, record)
// throwing a store error when read.
class MemorySource : public functions::MemorySource {
public:
    MemorySource() { designation = "A+B"; }
    std::set<std::pair<int, int>> failingReads;

    GibbsRecord gibbsRecord(int phase, int record) override {
        if (failingReads.count({phase, record})) throw util::Error("record cannot be read");
        return functions::MemorySource::gibbsRecord(phase, record);
    }
};

// A Gibbs-energy record with empty Xmin, Xmax and X.
inline GibbsRecord record(double tmin, double tmax, std::string expression, std::string x = "") {
    GibbsRecord r;
    r.Tmin = tmin;
    r.Tmax = tmax;
    r.X = std::move(x);
    r.Expression = std::move(expression);
    return r;
}

inline StabilityDetail detail(double tmin, double tmax, std::string expression) {
    StabilityDetail d;
    d.Tmin = tmin;
    d.Tmax = tmax;
    d.Expression = std::move(expression);
    return d;
}

}  // namespace functions::testing
