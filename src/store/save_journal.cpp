#include "store/save_journal.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <fcntl.h>
#include <unistd.h>

#include "util/atomic_file.h"
#include "util/errors.h"

namespace store {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHeader = "ravo-save-journal 1";

struct Entry {
    std::string temporary;  // names inside the directory
    std::string target;
};

void sync(const fs::path& path, bool directory, const std::string& context) {
    util::SyncToDisk(path.string(), directory, context);
}

// A plain file name that stays inside the directory.
bool plainName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos &&
           name.find('\t') == std::string::npos && name.find('\n') == std::string::npos;
}

std::string journalText(const std::vector<Entry>& entries) {
    std::string text = std::string(kHeader) + "\n";
    for (const Entry& e : entries) text += e.temporary + "\t" + e.target + "\n";
    return text + "end " + std::to_string(entries.size()) + "\n";
}

// The entries of a journal file; util::Error when it is not a complete journal of this program.
std::vector<Entry> readJournal(const fs::path& path) {
    const std::string damaged = "Cannot finish the interrupted save: the save journal " + path.string() + " is damaged";
    std::ifstream in(path, std::ios::binary);
    if (!in) throw util::Error("Cannot read the save journal " + path.string() + ": " + std::strerror(errno));
    std::string line;
    if (!std::getline(in, line) || line != kHeader) throw util::Error(damaged);
    std::vector<Entry> entries;
    while (std::getline(in, line)) {
        if (line.starts_with("end ")) {
            if (line != "end " + std::to_string(entries.size()) || std::getline(in, line)) throw util::Error(damaged);
            return entries;
        }
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) throw util::Error(damaged);
        Entry e{line.substr(0, tab), line.substr(tab + 1)};
        if (!plainName(e.temporary) || !plainName(e.target) || !TableFile::isTemporaryName(e.temporary) ||
            !e.temporary.starts_with(e.target + ".saving-"))
            throw util::Error(damaged);
        entries.push_back(std::move(e));
    }
    throw util::Error(damaged);
}

bool processAlive(long id) { return id > 0 && (::kill(static_cast<pid_t>(id), 0) == 0 || errno == EPERM); }

// Removes temporaries left by saves whose process is gone (or by an earlier life of this process
// id: no save of this process runs while it opens a database).
void removeStaleTemporaries(const fs::path& directory) {
    std::error_code ec;
    std::vector<fs::path> stale;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        long owner = 0;
        const std::string name = it->path().filename().string();
        if (TableFile::isTemporaryName(name, &owner) && (owner == ::getpid() || !processAlive(owner)))
            stale.push_back(it->path());
    }
    for (const fs::path& path : stale) fs::remove(path, ec);
}

std::string temporaryJournalName() {
    static std::atomic<unsigned> counter{0};
    return std::string(SaveJournal::kFileName) + ".saving-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter++);
}

}  // namespace

std::function<void(const std::string&)>& SaveJournal::stepHook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

void SaveJournal::commit(const std::string& directory, std::vector<TableFile::PendingWrite>& writes) {
    const fs::path dir = directory.empty() ? fs::path(".") : fs::path(directory);
    auto step = [](const std::string& name) {
        if (auto& hook = stepHook()) hook(name);
    };

    std::vector<Entry> entries;
    for (const TableFile::PendingWrite& write : writes) {
        const fs::path target(write.path());
        const fs::path temporary(write.temporaryPath());
        const fs::path parent = target.parent_path().empty() ? fs::path(".") : target.parent_path();
        std::error_code ec;
        if (temporary.empty() || fs::weakly_canonical(parent, ec) != fs::weakly_canonical(dir, ec))
            throw util::Error("Cannot save " + write.path() + ": the file is not in " + dir.string());
        entries.push_back({temporary.filename().string(), target.filename().string()});
    }

    const fs::path journal = dir / kFileName;
    const fs::path journalTemporary = dir / temporaryJournalName();
    const std::string context = "Cannot write the save journal " + journal.string() + ": ";
    try {
        step("write journal");
        {
            std::ofstream out(journalTemporary, std::ios::binary | std::ios::trunc);
            if (!out) throw util::Error(context + std::strerror(errno));
            out << journalText(entries);
            out.close();
            if (!out) throw util::Error(context + "the file could not be written");
        }
        sync(journalTemporary, false, context);
        step("place journal");
        std::error_code ec;
        fs::rename(journalTemporary, journal, ec);
        if (ec) throw util::Error(context + ec.message());
    } catch (...) {
        std::error_code ec;
        fs::remove(journalTemporary, ec);
        throw;  // the writes remove their temporaries: the old files stay
    }

    // From here on the save is decided: the journal owns the temporaries, and an error leaves it
    // for the next open to finish.
    for (TableFile::PendingWrite& write : writes) write.release();
    sync(dir, true, context);
    for (const Entry& e : entries) {
        step("replace " + e.target);
        std::error_code ec;
        fs::rename(dir / e.temporary, dir / e.target, ec);
        if (ec)
            throw util::Error("Cannot write the table file " + (dir / e.target).string() + ": " + ec.message() +
                              "; the save will be finished when the database is opened again");
    }
    sync(dir, true, "Cannot write the table files in " + dir.string() + ": ");
    step("remove journal");
    std::error_code ec;
    fs::remove(journal, ec);
    if (ec) throw util::Error("Cannot remove the save journal " + journal.string() + ": " + ec.message());
    sync(dir, true, "Cannot remove the save journal " + journal.string() + ": ");
}

void SaveJournal::recover(const std::string& directory) {
    const fs::path dir = directory.empty() ? fs::path(".") : fs::path(directory);
    const fs::path journal = dir / kFileName;
    std::error_code ec;
    if (fs::exists(journal, ec)) {
        const std::vector<Entry> entries = readJournal(journal);
        // Everything is checked before the first rename, so a damaged file stops the recovery
        // with nothing changed.
        for (const Entry& e : entries) {
            const fs::path temporary = dir / e.temporary;
            if (fs::exists(temporary, ec)) {
                try {
                    TableFile::load(temporary.string());
                } catch (const util::Error& error) {
                    throw util::Error("Cannot finish the interrupted save: " + std::string(error.what()));
                }
            } else if (!fs::exists(dir / e.target, ec)) {
                throw util::Error("Cannot finish the interrupted save: neither " + (dir / e.target).string() +
                                  " nor its new version exists");
            }
        }
        for (const Entry& e : entries) {
            const fs::path temporary = dir / e.temporary;
            if (!fs::exists(temporary, ec)) continue;  // renamed before the interruption
            fs::rename(temporary, dir / e.target, ec);
            if (ec)
                throw util::Error("Cannot finish the interrupted save: " + (dir / e.target).string() + ": " +
                                  ec.message());
        }
        const std::string context = "Cannot finish the interrupted save in " + dir.string() + ": ";
        sync(dir, true, context);
        fs::remove(journal, ec);
        if (ec) throw util::Error(context + ec.message());
        sync(dir, true, context);
    }
    removeStaleTemporaries(dir);
}

}  // namespace store
