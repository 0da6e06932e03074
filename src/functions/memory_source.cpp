#include "functions/memory_source.h"

#include "db/tdm.h"
#include "util/text.h"

namespace functions {

GibbsRecord MemorySource::gibbsRecord(int phase, int record) {
    return phases.at(static_cast<size_t>(phase)).records.at(static_cast<size_t>(record));
}

bool MemorySource::findStability(std::string_view name, std::vector<StabilityDetail>& details) {
    for (const MemoryParameter& parameter : parameters)
        if (util::equalsIgnoreCase(parameter.designation, name)) {
            details = parameter.details;
            return true;
        }
    details.clear();
    return false;
}

MemorySource MemorySource::ReadCurrentSystem(const db::TDM& tdm) {
    MemorySource source;
    source.designation = tdm.tblSystems.asString("System_designation");
    source.yparameter = tdm.tblSystems.asString("Yparameter");

    // tblPhases shows the phases of the current system; each phase's Gibbs-energy records are the
    // range tblGibbs would show with that phase current.
    const store::RecordView phases = tdm.tblPhases.records();
    for (int p = 0; p < phases.size(); ++p) {
        MemoryPhase phase;
        phase.designation = phases.asString(p, "Phase_designation");
        const store::RecordView gibbs = tdm.tblGibbs.recordsFor(phases.value(p, "Phase_id"));
        for (int g = 0; g < gibbs.size(); ++g) {
            GibbsRecord record;
            record.Tmin = gibbs.asFloat(g, "Tmin");
            record.Tmax = gibbs.asFloat(g, "Tmax");
            record.Xmin = gibbs.optionalFloat(g, "Xmin");
            record.Xmax = gibbs.optionalFloat(g, "Xmax");
            record.X = gibbs.asString(g, "X");
            record.Expression = gibbs.asString(g, "Expression");
            phase.records.push_back(std::move(record));
        }
        source.phases.push_back(std::move(phase));
    }

    const store::RecordView stability = tdm.tblStability.records();
    for (int s = 0; s < stability.size(); ++s) {
        MemoryParameter parameter;
        parameter.designation = stability.asString(s, "Designation");
        const store::RecordView details = tdm.tblStabDet.recordsFor(stability.value(s, "Id"));
        for (int d = 0; d < details.size(); ++d) {
            StabilityDetail detail;
            detail.Tmin = details.asFloat(d, "Tmin");
            detail.Tmax = details.asFloat(d, "Tmax");
            detail.Xmin = details.optionalFloat(d, "Xmin");
            detail.Xmax = details.optionalFloat(d, "Xmax");
            detail.Expression = details.asString(d, "Expression");
            parameter.details.push_back(std::move(detail));
        }
        source.parameters.push_back(std::move(parameter));
    }
    return source;
}

}  // namespace functions
