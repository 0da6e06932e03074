#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "functions/function_source.h"

namespace db {
class TDM;
}

namespace functions {

struct MemoryPhase {
    std::string designation;
    std::vector<GibbsRecord> records;  // in Tmin, Tmax order
};

struct MemoryParameter {
    std::string designation;
    std::vector<StabilityDetail> details;  // in Tmin, Tmax order
};

// The database as one assembly of phase functions reads it, held in memory: the system's
// designation and Y meaning, its phases with their Gibbs-energy records, and the stability
// parameters with their detail records. A calculation copies it out of the tables once
// (ReadCurrentSystem) and then assembles from the copy, so the run touches no table; tests and
// benchmarks fill it directly. Reading it never changes it, so one copy may serve any number of
// assemblies, on any thread.
class MemorySource : public FunctionSource {
public:
    std::string designation;
    std::string yparameter = "Temperature";
    std::vector<MemoryPhase> phases;
    std::vector<MemoryParameter> parameters;

    // The current system of the data module with its phases (tblPhases order) and their
    // Gibbs-energy records, and every stability parameter with its details. Reads posted records
    // only: it moves no cursor and fires no table event (post pending edits first).
    static MemorySource ReadCurrentSystem(const db::TDM& tdm);

    std::string systemDesignation() override { return designation; }
    std::string yParameter() override { return yparameter; }
    int phaseCount() override { return static_cast<int>(phases.size()); }
    std::string phaseDesignation(int phase) override { return phases.at(static_cast<size_t>(phase)).designation; }
    int gibbsCount(int phase) override { return static_cast<int>(phases.at(static_cast<size_t>(phase)).records.size()); }
    GibbsRecord gibbsRecord(int phase, int record) override;
    // The first parameter whose designation equals `designation` without regard to case.
    bool findStability(std::string_view designation, std::vector<StabilityDetail>& details) override;
};

}  // namespace functions
