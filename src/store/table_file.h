#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "store/table_contents.h"

namespace store {

// A table file: an SQLite database holding one table with its schema, so that the file alone tells
// its fields. Saving never touches the existing file until the new one is complete on disk.
class TableFile {
public:
    // Reads a whole table file. Throws util::Error naming the file when it is missing, is not
    // SQLite, is damaged or truncated, or is not a table file of this program. Never writes.
    static TableContents load(const std::string& path);

    // Writes `contents` to a temporary file in the same directory, syncs it and renames it over
    // `path`. On any failure the temporary file is removed, the previous file at `path` is left as
    // it was, and util::Error naming `path` is thrown.
    static void save(const std::string& path, const TableContents& contents);

    // A file written and synced beside its target, waiting to replace it. Lets a caller write
    // several files first and replace them only when all were written. Destroying it without
    // commit removes the temporary file.
    class PendingWrite {
    public:
        PendingWrite(const std::string& path, const TableContents& contents);
        PendingWrite(const std::string& path, const Schema& schema, const std::vector<const Record*>& records,
                     std::int64_t nextAutoIncrement);
        ~PendingWrite();
        PendingWrite(PendingWrite&& other) noexcept;
        PendingWrite& operator=(PendingWrite&&) = delete;
        PendingWrite(const PendingWrite&) = delete;
        PendingWrite& operator=(const PendingWrite&) = delete;
        // Renames the temporary file over the target and syncs the directory.
        void commit();
        const std::string& path() const { return path_; }
        // Empty after commit() or release().
        const std::string& temporaryPath() const { return tempPath_; }
        // Hands the temporary file over to the caller (a save journal that will rename it): the
        // destructor no longer removes it.
        void release() { tempPath_.clear(); }

    private:
        std::string path_;
        std::string tempPath_;
    };

    // Test seam: called with the target path while a file is being written, after the records are
    // in the temporary file and before it is synced and renamed. A hook that throws makes that save
    // fail exactly as a write error would. Empty by default.
    static std::function<void(const std::string& path)>& writeFaultHook();

    // True for the name (without directory) of a temporary file that a save writes beside its
    // target: "<target>.saving-<process id>-<number>". Sets `processId` when given.
    static bool isTemporaryName(const std::string& name, long* processId = nullptr);
};

}  // namespace store
