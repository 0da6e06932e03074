#pragma once
#include "db/tdm.h"

namespace db {

// What a deletion removed, counted before anything was deleted.
struct DeletedSystem {
    int phases = 0;
    int gibbsRecords = 0;
    int experimentalPoints = 0;
};

// Deletes the current system of tdm.tblSystems with everything that belongs to it, through the
// table operations so the edit rules apply as in the window: first the system's experimental points
// (the system's own delete rule keeps them, which would leave them without a system), then the
// system, whose delete rule deletes its phases and each phase its Gibbs-energy records. Pending
// edits are posted first. Nothing is saved.
//
// With the read-only lock on, the first locked table refuses ("Read-only record cannot be deleted")
// before any of its records goes; a system with neither points nor phases can still be deleted.
// Throws util::Error when there is no current system.
DeletedSystem DeleteSystem(TDM& tdm);

}  // namespace db
