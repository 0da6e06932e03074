#pragma once
#include <array>
#include <string>

#include <vector>

#include "db/database_observer.h"
#include "store/table.h"
#include "util/dialogs.h"

namespace db {

// The data module: the six tables of the thermodynamic database with their links, the database
// operations on a directory and the edit rules attached to the table events.
//
// Messages go through the Dialogs given. A rule that refuses a post shows its message and throws
// util::SilentAbort; the record stays in edit or insert state.
class TDM {
public:
    // Sets up tables, fields, index orders, links and rule handlers; reads no file. The read-only
    // lock starts on.
    explicit TDM(util::Dialogs& dialogs);
    ~TDM();
    TDM(const TDM&) = delete;
    TDM& operator=(const TDM&) = delete;

    store::Table tblSystems;
    store::Table tblPhases;
    store::Table tblGibbs;
    store::Table tblStability;
    store::Table tblStabDet;
    store::Table tblExperiment;

    // Tmax of the last detail record of the parameter most recently given a new detail record.
    double LastDetailTmax = 0;

    // Start of the data module: DatabaseDirectory := directory, OpenDatabaseTables, then tells the
    // observers that the meaning of Y may have changed.
    void Start(const std::string& directory);

    // The database directory, always with a trailing separator.
    const std::string& DatabaseDirectory() const { return directory_; }
    void SetDatabaseDirectory(const std::string& directory);
    // "Database: " + DatabaseDirectory.
    std::string Caption() const;

    // Finishes a save that a crash interrupted (store::SaveJournal::recover), opens the six tables
    // from DatabaseDirectory and locks the five detail tables. On failure shows "Can not open
    // database files" with the file and the reason on a second line ("\r" between the lines) and
    // throws db::TerminateRequest.
    void OpenDatabaseTables();
    // Posts an edit or insert in progress in any of the six tables (in table order).
    void PostPendingEdits();
    // PostPendingEdits, then writes the six table files. All six are written beside their targets
    // first and replace the old files together through the save journal: a failure before the
    // journal is in place leaves the files as they were, one after it is finished by the next open,
    // so the database on disk is always entirely old or entirely new. Throws util::Error.
    void SaveDatabase();
    // True when any table has posts or deletes not yet saved.
    bool HasUnsavedChanges() const;

    // "Открыть": makes `directory` the database directory and re-reads the six tables from it;
    // the read-only lock is kept. Unsaved edits are never written anywhere: when there are any,
    // the user is asked first and "No" leaves everything as it was (returns false). An interrupted
    // save in the new directory is finished first. When a file of the new directory cannot be read,
    // util::Error is thrown and the open database is kept.
    bool OpenDatabase(const std::string& directory);
    // "Создать": writes empty copies of the six tables, with the fields of the open database, into
    // `directory` (replacing files there; all six are written before any is replaced), makes it the
    // database directory and runs OpenDatabaseTables, which locks the five tables again
    // (ReadOnlyLock() is then true, whatever it was before). Same question about unsaved edits.
    bool CreateDatabase(const std::string& directory);

    // The read-only switch: closes the six tables, sets the lock of the five detail tables, and
    // opens all six again from their files (unsaved edits are dropped). When a file cannot be read,
    // util::Error is thrown and tables and lock stay as they were.
    void SetReadOnlyLock(bool locked);
    bool ReadOnlyLock() const { return readOnlyLock_; }

    // What Y means for the current system, as an index into the Yparameter choices:
    // 0 "Temperature", 1 "Pressure", 2 "Y", -1 none.
    int YParameterIndex() const;
    // Display and edit text of Ymin, Ymax, Zvalue: "0.####e-00" below 1e-5 in magnitude,
    // otherwise "0.#######"; "" for the empty value.
    static std::string YValueText(const store::Value& value, char decimalSeparator);
    // "n/m": position of the current Gibbs-energy record among the records of its phase, and of
    // the current stability detail among the details of its parameter ("0/0" when none).
    std::string GibbsPositionText() const;
    std::string StabDetPositionText() const;

    // Observers are not owned; remove one before it is destroyed.
    void addObserver(DatabaseObserver* observer);
    void removeObserver(DatabaseObserver* observer);

    // ---- edit rules (handlers of the table events) ----
    void tblSystemsAfterInsert(store::Table& table);
    void tblSystemsBeforePost(store::Table& table);
    void tblSystemsBeforeDelete(store::Table& table);
    void tblSystemsAfterScroll(store::Table& table);
    void tblPhasesBeforeInsert(store::Table& table);
    void tblPhasesBeforeDelete(store::Table& table);
    void tblGibbsBeforeInsert(store::Table& table);
    void tblGibbsAfterInsert(store::Table& table);
    void tblGibbsBeforePost(store::Table& table);
    void tblGibbsAfterScroll(store::Table& table);
    void tblStabilityBeforeDelete(store::Table& table);
    void tblStabDetBeforeInsert(store::Table& table);
    void tblStabDetAfterInsert(store::Table& table);
    void tblStabDetAfterScroll(store::Table& table);

private:
    std::array<store::Table*, 6> tables();
    std::array<const store::Table*, 6> tables() const;
    bool confirmDroppingEdits();
    // Reads and checks the six files of `directory` first; only then closes the tables, switches
    // the directory and opens them with the given lock.
    void reopenFrom(const std::string& directory, bool locked);

    util::Dialogs& dialogs_;
    template <class F>
    void notify(F&& call) const;
    std::vector<DatabaseObserver*> observers_;
    std::string directory_;
    bool readOnlyLock_ = true;
};

}  // namespace db
