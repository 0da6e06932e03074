#pragma once
#include "functions/function_source.h"

namespace db {
class TDM;
}

namespace functions {

// The phase functions' view of the data module: the current record of tblSystems, its phases in
// tblPhases order and their tblGibbs records in Tmin, Tmax order. Moves the table cursors as the
// assembly reads: tblPhases (and with it tblGibbs) and, on a look-up, tblStability and tblStabDet,
// which are left on the parameter found.
class TdmFunctionSource : public FunctionSource {
public:
    explicit TdmFunctionSource(db::TDM& tdm) : tdm_(tdm) {}

    std::string systemDesignation() override;
    std::string yParameter() override;
    int phaseCount() override;
    std::string phaseDesignation(int phase) override;
    int gibbsCount(int phase) override;
    GibbsRecord gibbsRecord(int phase, int record) override;
    void rewindPhases() override;
    bool findStability(std::string_view designation, std::vector<StabilityDetail>& details) override;

private:
    void selectPhase(int phase);

    db::TDM& tdm_;
};

}  // namespace functions
