// libFuzzer target: the exchange file readers on arbitrary bytes, into a database held in memory.
// Besides not crashing or hanging, a reading must never leave a record half made: every table is
// back in browse state afterwards, and no more records are posted than the input has end lines.
// A system read without error must write and read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <sstream>
#include <string>

#include "db/tdm.h"
#include "exchange/stability_file.h"
#include "exchange/system_file_reader.h"
#include "exchange/system_file_writer.h"
#include "util/errors.h"
#include "util/silent_dialogs.h"

namespace {

// A database without files: the six tables open empty, the edit lock off.
std::unique_ptr<db::TDM> memoryDatabase(util::Dialogs& dialogs) {
    auto tdm = std::make_unique<db::TDM>(dialogs);
    tdm->OpenDatabaseTables();
    for (store::Table* table : {&tdm->tblPhases, &tdm->tblGibbs, &tdm->tblStability, &tdm->tblStabDet,
                                &tdm->tblExperiment})
        table->setReadOnly(false);
    return tdm;
}

// Runs a reader; true when it ended without error. Errors the readers may raise are expected.
template <class Read>
bool attempt(Read&& read) {
    try {
        read();
        return true;
    } catch (const util::Error&) {
    } catch (const util::SilentAbort&) {
    }
    return false;
}

void check(bool condition) {
    if (!condition) std::abort();
}

int totalRecords(db::TDM& tdm) {
    int count = 0;
    for (store::Table* table : {&tdm.tblSystems, &tdm.tblStability}) count += table->recordCount();
    // Detail tables show only the current master's records; count them all by walking the masters.
    for (tdm.tblSystems.first(); !tdm.tblSystems.eof(); tdm.tblSystems.next()) {
        count += tdm.tblExperiment.recordCount();
        for (tdm.tblPhases.first(); !tdm.tblPhases.eof(); tdm.tblPhases.next())
            count += 1 + tdm.tblGibbs.recordCount();
    }
    for (tdm.tblStability.first(); !tdm.tblStability.eof(); tdm.tblStability.next())
        count += tdm.tblStabDet.recordCount();
    return count;
}

int endLines(const std::string& bytes) {
    int count = 0;
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);)
        if (line == ">" || line == ">\r") ++count;
    return count;
}

bool allBrowsing(db::TDM& tdm) {
    for (const store::Table* table : {&tdm.tblSystems, &tdm.tblPhases, &tdm.tblGibbs, &tdm.tblStability,
                                      &tdm.tblStabDet, &tdm.tblExperiment})
        if (table->state() != store::TableState::Browse) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    util::SilentDialogs dialogs;

    auto tdm = memoryDatabase(dialogs);
    const bool read = attempt([&] {
        std::istringstream in(bytes);
        exchange::ReadSystemRecords(*tdm, in, '.');
    });
    check(allBrowsing(*tdm));
    attempt([&] {
        std::istringstream in(bytes);
        exchange::ReadStabilityRecords(*tdm, in, {"GHSERAL"}, '.');
    });
    check(allBrowsing(*tdm));
    // Each posted record consumed an end line of its own; the two readers each read the input once.
    check(totalRecords(*tdm) <= 2 * endLines(bytes));

    if (read && !tdm->tblSystems.isEmpty()) {
        tdm->tblSystems.last();
        std::string written;
        if (attempt([&] { written = exchange::ComposeSystemFile(*tdm, '.'); })) {
            auto copy = memoryDatabase(dialogs);
            std::istringstream in(written);
            check(attempt([&] { exchange::ReadSystemRecords(*copy, in, '.'); }));
            copy->tblSystems.last();
            check(exchange::ComposeSystemFile(*copy, '.') == written);
        }
    }
    return 0;
}
