#include "db/tdm.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "db/table_definitions.h"
#include "db/terminate_request.h"
#include "store/table_file.h"
#include "util/errors.h"
#include "util/number_format.h"
#include "util/text.h"
#include "util/utf8.h"

namespace db {
namespace {

const TableDefinition& definition(int i) { return tableDefinitions()[static_cast<std::size_t>(i)]; }

constexpr const char* kDropEditsQuestion =
    "Изменения, не сохраненные в базе данных, будут потеряны. Продолжить?";

// Parts of a system designation split at every "+": parts are not trimmed, an empty part between
// two "+" counts, a "+" at the very end adds no empty part.
std::vector<std::string> splitDesignation(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t plus = text.find('+', start);
        if (plus == std::string::npos) {
            if (start < text.size()) parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, plus - start));
        start = plus + 1;
    }
}

// Deletes every shown record of a detail table, first to last; a read-only table refuses at once.
void deleteAllShown(store::Table& detail) {
    if (!detail.active()) return;
    if (detail.state() == store::TableState::Insert) detail.cancel();
    detail.first();
    while (!detail.isEmpty()) detail.deleteRecord();
}

std::string positionText(const store::Table& table) {
    if (!table.active()) return "0/0";
    const bool inserting = table.state() == store::TableState::Insert;
    return std::to_string(table.recNo()) + "/" + std::to_string(table.recordCount() + (inserting ? 1 : 0));
}

}  // namespace

TDM::TDM(util::Dialogs& dialogs)
    : tblSystems(definition(0).tableName, definition(0).schema),
      tblPhases(definition(1).tableName, definition(1).schema),
      tblGibbs(definition(2).tableName, definition(2).schema),
      tblStability(definition(3).tableName, definition(3).schema),
      tblStabDet(definition(4).tableName, definition(4).schema),
      tblExperiment(definition(5).tableName, definition(5).schema),
      dialogs_(dialogs) {
    auto all = tables();
    for (int i = 0; i < 6; ++i) {
        const TableDefinition& def = definition(i);
        store::Table& table = *all[static_cast<std::size_t>(i)];
        table.setIndexFieldNames(def.indexFieldNames);
        for (store::Table* master : all)
            if (master->name() == def.masterTable) table.setMasterLink(*master, def.masterField, def.rangeField);
        if (i > 0) table.setReadOnly(readOnlyLock_);
    }

    auto bind = [this](void (TDM::*handler)(store::Table&)) {
        return [this, handler](store::Table& table) { (this->*handler)(table); };
    };
    tblSystems.events().afterInsert = bind(&TDM::tblSystemsAfterInsert);
    tblSystems.events().beforePost = bind(&TDM::tblSystemsBeforePost);
    tblSystems.events().beforeDelete = bind(&TDM::tblSystemsBeforeDelete);
    tblSystems.events().afterScroll = bind(&TDM::tblSystemsAfterScroll);
    for (const char* field : {"Ymin", "Ymax", "Zvalue"})
        tblSystems.setGetText(field, [](const store::Table& table, int f, char separator) {
            return YValueText(table.value(f), separator);
        });
    tblPhases.events().beforeInsert = bind(&TDM::tblPhasesBeforeInsert);
    tblPhases.events().beforeDelete = bind(&TDM::tblPhasesBeforeDelete);
    tblGibbs.events().beforeInsert = bind(&TDM::tblGibbsBeforeInsert);
    tblGibbs.events().afterInsert = bind(&TDM::tblGibbsAfterInsert);
    tblGibbs.events().beforePost = bind(&TDM::tblGibbsBeforePost);
    tblGibbs.events().afterScroll = bind(&TDM::tblGibbsAfterScroll);
    tblStability.events().beforeDelete = bind(&TDM::tblStabilityBeforeDelete);
    tblStabDet.events().beforeInsert = bind(&TDM::tblStabDetBeforeInsert);
    tblStabDet.events().afterInsert = bind(&TDM::tblStabDetAfterInsert);
    tblStabDet.events().afterScroll = bind(&TDM::tblStabDetAfterScroll);
}

TDM::~TDM() = default;

std::array<store::Table*, 6> TDM::tables() {
    return {&tblSystems, &tblPhases, &tblGibbs, &tblStability, &tblStabDet, &tblExperiment};
}

std::array<const store::Table*, 6> TDM::tables() const {
    return {&tblSystems, &tblPhases, &tblGibbs, &tblStability, &tblStabDet, &tblExperiment};
}

// ---------------------------------------------------------------- database operations

void TDM::Start(const std::string& directory) {
    SetDatabaseDirectory(directory);
    OpenDatabaseTables();
    notify([this](DatabaseObserver& o) { o.yMeaningChanged(*this); });
}

void TDM::addObserver(DatabaseObserver* observer) { observers_.push_back(observer); }

void TDM::removeObserver(DatabaseObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

template <class F>
void TDM::notify(F&& call) const {
    // An observer may remove itself while being told.
    const auto observers = observers_;
    for (DatabaseObserver* o : observers) call(*o);
}

void TDM::SetDatabaseDirectory(const std::string& directory) {
    directory_ = directory.empty() ? "./" : directory;
    if (directory_.back() != '/') directory_ += '/';
    auto all = tables();
    for (int i = 0; i < 6; ++i) all[static_cast<std::size_t>(i)]->setFileName(directory_ + definition(i).fileName);
}

std::string TDM::Caption() const { return "Database: " + directory_; }

void TDM::OpenDatabaseTables() {
    try {
        for (store::Table* table : tables()) table->open();
        readOnlyLock_ = true;
        for (store::Table* table : tables())
            if (table != &tblSystems) table->setReadOnly(true);
    } catch (const std::exception&) {
        dialogs_.error("Can not open database files");
        throw TerminateRequest();
    }
}

void TDM::PostPendingEdits() {
    for (store::Table* table : tables())
        if (table->state() == store::TableState::Edit || table->state() == store::TableState::Insert) table->post();
}

void TDM::SaveDatabase() {
    PostPendingEdits();
    // All six files are written beside their targets first; they replace the old files only when
    // every one of them was written, so a failure never leaves a mixture of old and new tables.
    std::vector<store::TableFile::PendingWrite> pending;
    for (store::Table* table : tables()) pending.push_back(table->prepareSave());
    for (auto& write : pending) write.commit();
    for (store::Table* table : tables()) table->setModified(false);
}

bool TDM::HasUnsavedChanges() const {
    for (const store::Table* table : tables())
        if (table->modified() || table->state() == store::TableState::Edit ||
            table->state() == store::TableState::Insert)
            return true;
    return false;
}

bool TDM::confirmDroppingEdits() { return !HasUnsavedChanges() || dialogs_.confirm(kDropEditsQuestion); }

void TDM::reopenFrom(const std::string& directory, bool locked) {
    // Everything is read and checked before any table is touched: a damaged or missing file leaves
    // the open database as it was.
    std::string dir = directory.empty() ? "./" : directory;
    if (dir.back() != '/') dir += '/';
    std::vector<store::TableContents> contents;
    auto all = tables();
    for (int i = 0; i < 6; ++i) {
        const std::string path = dir + definition(i).fileName;
        contents.push_back(store::TableFile::load(path));
        contents.back().schema.checkContains(all[static_cast<std::size_t>(i)]->requiredSchema(), "Table file " + path);
    }
    for (int i = 5; i >= 0; --i) all[static_cast<std::size_t>(i)]->close();
    SetDatabaseDirectory(dir);
    readOnlyLock_ = locked;
    for (int i = 0; i < 6; ++i) {
        if (i > 0) all[static_cast<std::size_t>(i)]->setReadOnly(readOnlyLock_);
        all[static_cast<std::size_t>(i)]->open(std::move(contents[static_cast<std::size_t>(i)]));
    }
}

bool TDM::OpenDatabase(const std::string& directory) {
    if (!confirmDroppingEdits()) return false;
    reopenFrom(directory, readOnlyLock_);
    return true;
}

bool TDM::CreateDatabase(const std::string& directory) {
    if (!confirmDroppingEdits()) return false;
    std::string dir = directory.empty() ? "./" : directory;
    if (dir.back() != '/') dir += '/';
    // Empty copies with the fields of the open tables (those of their files), written in the order
    // gibbs_energy, phases, systems, stability_params, stability_detail, experim_data, and put in
    // place only when all six were written.
    static constexpr std::array<int, 6> kOrder{2, 1, 0, 3, 4, 5};
    auto all = tables();
    std::vector<store::TableFile::PendingWrite> pending;
    for (int i : kOrder) {
        const store::Table& table = *all[static_cast<std::size_t>(i)];
        store::TableContents empty;
        empty.schema = table.schema();
        pending.emplace_back(dir + definition(i).fileName, empty);
    }
    for (auto& write : pending) write.commit();
    for (int i = 5; i >= 0; --i) all[static_cast<std::size_t>(i)]->close();
    SetDatabaseDirectory(dir);
    OpenDatabaseTables();
    return true;
}

void TDM::SetReadOnlyLock(bool locked) { reopenFrom(directory_, locked); }

// ---------------------------------------------------------------- texts shown beside the records

int TDM::YParameterIndex() const {
    if (!tblSystems.active()) return -1;
    const store::Value& v = tblSystems.value("Yparameter");
    const auto* text = std::get_if<std::string>(&v);
    if (!text) return -1;
    static constexpr std::array<const char*, 3> kItems{"Temperature", "Pressure", "Y"};
    for (std::size_t i = 0; i < kItems.size(); ++i)
        if (util::equalsIgnoreCase(*text, kItems[i])) return static_cast<int>(i);
    return -1;
}

std::string TDM::YValueText(const store::Value& value, char decimalSeparator) {
    double v = 0;
    if (const auto* d = std::get_if<double>(&value)) v = *d;
    else if (const auto* i = std::get_if<std::int64_t>(&value)) v = static_cast<double>(*i);
    else return "";
    return util::formatPicture(v, std::fabs(v) < 1e-5 ? "0.####e-00" : "0.#######", decimalSeparator);
}

std::string TDM::GibbsPositionText() const { return positionText(tblGibbs); }

std::string TDM::StabDetPositionText() const { return positionText(tblStabDet); }

// ---------------------------------------------------------------- edit rules

void TDM::tblSystemsAfterInsert(store::Table& table) {
    table.setInteger("Ypoints", 100);
    table.setInteger("Xpoints", 100);
    table.setBoolean("ShowChart", true);
    table.setFloat("Ymin", 300);
    table.setFloat("Ymax", 300);
    table.setString("Yparameter", "Temperature");
}

void TDM::tblSystemsBeforePost(store::Table& table) {
    const std::vector<std::string> parts = splitDesignation(table.asString("System_designation"));
    for (std::size_t k = 0; k < parts.size(); ++k) {
        if (k == 3) {
            dialogs_.error("Too many elements in the system");
            throw util::SilentAbort();
        }
        // The designation keeps every character; an element field keeps what it can hold of its
        // part, which is enough to sort the systems by.
        const std::string field = "Element" + std::to_string(k + 1);
        const int size = table.schema().field(table.fieldIndex(field)).size();
        table.setString(field, std::string(util::firstCharacters(parts[k], static_cast<std::size_t>(size))));
    }
}

void TDM::tblSystemsBeforeDelete(store::Table&) { deleteAllShown(tblPhases); }

void TDM::tblSystemsAfterScroll(store::Table&) {
    notify([this](DatabaseObserver& o) { o.yMeaningChanged(*this); });
}

void TDM::tblPhasesBeforeInsert(store::Table&) {
    if (tblSystems.state() == store::TableState::Insert) tblSystems.post();
}

void TDM::tblPhasesBeforeDelete(store::Table&) { deleteAllShown(tblGibbs); }

void TDM::tblGibbsBeforeInsert(store::Table&) {
    if (tblPhases.state() == store::TableState::Insert) tblPhases.post();
}

void TDM::tblGibbsAfterInsert(store::Table& table) {
    if (YParameterIndex() != 0) return;
    table.setValue("Tmin", tblSystems.value("Ymin"));
    table.setValue("Tmax", tblSystems.value("Ymax"));
}

void TDM::tblGibbsBeforePost(store::Table& table) {
    if (table.asString("Expression").empty()) {
        dialogs_.error("Function is not specified");
        throw util::SilentAbort();
    }
    if (!table.isNull("Xmin") && table.asFloat("Xmin") < 0) table.setFloat("Xmin", 0);
    if (!table.isNull("Xmax") && table.asFloat("Xmax") > 1) table.setFloat("Xmax", 1);
}

void TDM::tblGibbsAfterScroll(store::Table&) {
    notify([this](DatabaseObserver& o) { o.gibbsPositionChanged(*this); });
}

void TDM::tblStabilityBeforeDelete(store::Table&) { deleteAllShown(tblStabDet); }

void TDM::tblStabDetBeforeInsert(store::Table& table) {
    if (tblStability.state() == store::TableState::Insert) tblStability.post();
    if (!table.isEmpty()) {
        table.last();
        LastDetailTmax = table.asFloat("Tmax");
    }
}

void TDM::tblStabDetAfterInsert(store::Table& table) {
    if (LastDetailTmax > 0) table.setFloat("Tmin", LastDetailTmax);
}

void TDM::tblStabDetAfterScroll(store::Table&) {
    notify([this](DatabaseObserver& o) { o.stabDetPositionChanged(*this); });
}

}  // namespace db
