#pragma once
#include <functional>
#include <string>
#include <vector>

#include "store/table_file.h"

namespace store {

// Replaces several table files of one directory as a single step, so that whatever happens (an
// error, a killed process, a lost power supply) the directory afterwards holds either every old
// file or every new one once it has been opened again.
//
// A save goes: every new file written and synced beside its target (TableFile::PendingWrite);
// the list of renames written to "ravo-save.journal.saving-…", synced and renamed to
// "ravo-save.journal" (the moment the save counts as done); the renames; the journal removed.
// Opening a database runs recover() first, which finishes the renames of a journal it finds and
// removes the temporary files of saves that never reached their journal.
class SaveJournal {
public:
    static constexpr const char* kFileName = "ravo-save.journal";

    // Puts every pending write of `directory` in place. Before the journal is in place a failure
    // leaves the old files and removes the temporaries (the writes' own clean-up); after it, a
    // failure leaves the journal, so the next open finishes the save. Throws util::Error.
    static void commit(const std::string& directory, std::vector<TableFile::PendingWrite>& writes);

    // Finishes an interrupted save of `directory` and removes its stale temporary files. Does
    // nothing (and writes nothing) when there is neither. Throws util::Error naming the file when
    // the journal or a file it lists is damaged; the journal is then kept and nothing is renamed.
    static void recover(const std::string& directory);

    // Test seam: called with the name of every step of commit() before the step is taken:
    // "write journal", "place journal", "replace <file name>" for each file, "remove journal".
    // A hook that throws makes the step fail as an I/O error would. Empty by default.
    static std::function<void(const std::string& step)>& stepHook();
};

}  // namespace store
