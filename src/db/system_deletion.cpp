#include "db/system_deletion.h"

#include "util/errors.h"

namespace db {

DeletedSystem DeleteSystem(TDM& tdm) {
    tdm.PostPendingEdits();
    if (!tdm.tblSystems.active() || tdm.tblSystems.isEmpty()) throw util::Error("No system to delete");

    DeletedSystem deleted;
    deleted.experimentalPoints = tdm.tblExperiment.recordCount();
    deleted.phases = tdm.tblPhases.recordCount();
    for (tdm.tblPhases.first(); !tdm.tblPhases.isEmpty() && !tdm.tblPhases.eof(); tdm.tblPhases.next())
        deleted.gibbsRecords += tdm.tblGibbs.recordCount();

    // The detail tables show only the current system's records, so deleting the first shown
    // record until none is shown removes exactly this system's points.
    tdm.tblExperiment.first();
    while (!tdm.tblExperiment.isEmpty()) tdm.tblExperiment.deleteRecord();
    tdm.tblSystems.deleteRecord();
    return deleted;
}

}  // namespace db
