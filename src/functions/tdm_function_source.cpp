#include "functions/tdm_function_source.h"

#include "db/tdm.h"

namespace functions {

namespace {

std::optional<double> optionalFloat(const store::Table& table, std::string_view field) {
    if (table.isNull(field)) return std::nullopt;
    return table.asFloat(field);
}

}  // namespace

std::string TdmFunctionSource::systemDesignation() { return tdm_.tblSystems.asString("System_designation"); }

std::string TdmFunctionSource::yParameter() { return tdm_.tblSystems.asString("Yparameter"); }

int TdmFunctionSource::phaseCount() { return tdm_.tblPhases.recordCount(); }

void TdmFunctionSource::selectPhase(int phase) {
    if (tdm_.tblPhases.recNo() != phase + 1) tdm_.tblPhases.setRecNo(phase + 1);
}

std::string TdmFunctionSource::phaseDesignation(int phase) {
    selectPhase(phase);
    return tdm_.tblPhases.asString("Phase_designation");
}

int TdmFunctionSource::gibbsCount(int phase) {
    selectPhase(phase);
    return tdm_.tblGibbs.recordCount();
}

GibbsRecord TdmFunctionSource::gibbsRecord(int phase, int record) {
    selectPhase(phase);
    store::Table& gibbs = tdm_.tblGibbs;
    gibbs.setRecNo(record + 1);
    GibbsRecord result;
    result.Expression = gibbs.asString("Expression");
    result.Tmin = gibbs.asFloat("Tmin");
    result.Tmax = gibbs.asFloat("Tmax");
    result.Xmin = optionalFloat(gibbs, "Xmin");
    result.Xmax = optionalFloat(gibbs, "Xmax");
    result.X = gibbs.asString("X");
    return result;
}

void TdmFunctionSource::rewindPhases() { tdm_.tblPhases.first(); }

bool TdmFunctionSource::findStability(std::string_view designation, std::vector<StabilityDetail>& details) {
    details.clear();
    if (!tdm_.tblStability.locate("Designation", store::Value{std::string(designation)}, true)) return false;
    store::Table& detail = tdm_.tblStabDet;
    for (int row = 1; row <= detail.recordCount(); ++row) {
        detail.setRecNo(row);
        StabilityDetail d;
        d.Tmin = detail.asFloat("Tmin");
        d.Tmax = detail.asFloat("Tmax");
        d.Xmin = optionalFloat(detail, "Xmin");
        d.Xmax = optionalFloat(detail, "Xmax");
        d.Expression = detail.asString("Expression");
        details.push_back(std::move(d));
    }
    return true;
}

}  // namespace functions
