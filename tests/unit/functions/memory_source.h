#pragma once
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "functions/function_source.h"
#include "util/errors.h"
#include "util/text.h"

namespace functions::testing {

struct MemoryPhase {
    std::string designation;
    std::vector<GibbsRecord> records;
};

struct MemoryParameter {
    std::string designation;
    std::vector<StabilityDetail> details;
};

// An in-memory database for the phase-function assembly. Records listed in `failingReads`
// (phase, record) throw a store error when read.
class MemorySource : public FunctionSource {
public:
    std::string designation = "A+B";
    std::string yparameter = "Temperature";
    std::vector<MemoryPhase> phases;
    std::vector<MemoryParameter> parameters;
    std::set<std::pair<int, int>> failingReads;
    std::vector<std::string> lookups;  // every designation asked for, in order

    std::string systemDesignation() override { return designation; }
    std::string yParameter() override { return yparameter; }
    int phaseCount() override { return static_cast<int>(phases.size()); }
    std::string phaseDesignation(int phase) override { return phases.at(phase).designation; }
    int gibbsCount(int phase) override { return static_cast<int>(phases.at(phase).records.size()); }
    GibbsRecord gibbsRecord(int phase, int record) override {
        if (failingReads.count({phase, record})) throw util::Error("record cannot be read");
        return phases.at(phase).records.at(record);
    }
    bool findStability(std::string_view name, std::vector<StabilityDetail>& details) override {
        lookups.emplace_back(name);
        for (const MemoryParameter& parameter : parameters)
            if (util::equalsIgnoreCase(parameter.designation, name)) {
                details = parameter.details;
                return true;
            }
        return false;
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
