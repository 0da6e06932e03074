// The saver and the checker of the kill test (scripts/kill-test.sh).
//   ravo_save_loop init DIR    a database with one record in each of the six tables, generation 0
//   ravo_save_loop save DIR    saves generation after generation until it is killed
//   ravo_save_loop check DIR   opens the database as the program does and prints its generation
// Every save writes the same generation number into all six tables (and memos whose length changes
// with it), so a database made of two different saves shows two numbers. Exit status of check:
// 0 one generation, 1 a mixture, 2 the database does not open, 3 files other than the six tables
// are left in the directory after the open.
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>

#include "db/table_definitions.h"
#include "db/tdm.h"
#include "util/silent_dialogs.h"

namespace {

// Reports errors on stderr, stays silent otherwise.
class ErrorDialogs : public util::SilentDialogs {
public:
    void error(const std::string& text) override {
        std::string shown = text;
        std::replace(shown.begin(), shown.end(), '\r', '\n');
        std::cerr << shown << "\n";
    }
};

// The field of each table that carries the generation mark.
struct Mark {
    store::Table db::TDM::*table;
    const char* field;
};
constexpr Mark kMarks[] = {
    {&db::TDM::tblSystems, "Comment"},      {&db::TDM::tblPhases, "Phase_designation"},
    {&db::TDM::tblGibbs, "Expression"},     {&db::TDM::tblStability, "Comment"},
    {&db::TDM::tblStabDet, "Expression"},   {&db::TDM::tblExperiment, "SQUIB"},
};

std::string markText(long generation, bool memo) {
    std::string text = "G" + std::to_string(generation);
    // Memos grow and shrink with the generation, so files of different saves differ in size too.
    if (memo) text += "+" + std::string(static_cast<std::size_t>(generation % 97) * 200, '1');
    return text;
}

long generationOf(const std::string& text) {
    if (text.size() < 2 || text[0] != 'G') return -1;
    try {
        return std::stol(text.substr(1, text.find('+') - 1));
    } catch (const std::exception&) {
        return -1;
    }
}

void writeGeneration(db::TDM& dm, long generation) {
    for (const Mark& mark : kMarks) {
        store::Table& table = dm.*mark.table;
        const bool memo = std::string(mark.field) != "Phase_designation" && std::string(mark.field) != "SQUIB";
        table.first();
        table.edit();
        table.setString(mark.field, markText(generation, memo));
        table.post();
    }
}

int init(const std::string& dir) {
    db::createEmptyDatabase(dir);
    ErrorDialogs dialogs;
    db::TDM dm(dialogs);
    dm.Start(dir);
    dm.SetReadOnlyLock(false);
    dm.tblSystems.insert();
    dm.tblSystems.setString("System_designation", "A+B");
    dm.tblSystems.post();
    for (store::Table* table : {&dm.tblPhases, &dm.tblGibbs, &dm.tblStability, &dm.tblStabDet, &dm.tblExperiment}) {
        table->insert();
        if (table == &dm.tblGibbs || table == &dm.tblStabDet) table->setString("Expression", "G0");
        if (table == &dm.tblStability) table->setString("Designation", "P");
        table->post();
    }
    writeGeneration(dm, 0);
    dm.SaveDatabase();
    return 0;
}

int save(const std::string& dir) {
    ErrorDialogs dialogs;
    db::TDM dm(dialogs);
    dm.Start(dir);
    dm.SetReadOnlyLock(false);
    long generation = generationOf(dm.tblSystems.asString("Comment"));
    for (;;) {
        writeGeneration(dm, ++generation);
        dm.SaveDatabase();
    }
}

int check(const std::string& dir) {
    ErrorDialogs dialogs;
    db::TDM dm(dialogs);
    try {
        dm.Start(dir);
    } catch (const std::exception&) {
        return 2;
    }
    std::set<long> generations;
    for (const Mark& mark : kMarks) {
        store::Table& table = dm.*mark.table;
        table.first();
        generations.insert(table.isEmpty() ? -1 : generationOf(table.asString(mark.field)));
    }
    for (long g : generations) std::cout << g << " ";
    std::cout << "\n";
    if (generations.size() != 1 || *generations.begin() < 0) return 1;
    std::set<std::string> expected;
    for (const auto& def : db::tableDefinitions()) expected.insert(def.fileName);
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        if (!expected.count(entry.path().filename().string())) {
            std::cerr << "left in the directory: " << entry.path().filename().string() << "\n";
            return 3;
        }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: ravo_save_loop init|save|check DIR\n";
        return 64;
    }
    std::string dir = argv[2];
    if (dir.back() != '/') dir += '/';
    const std::string command = argv[1];
    try {
        if (command == "init") return init(dir);
        if (command == "save") return save(dir);
        if (command == "check") return check(dir);
    } catch (const std::exception& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
    std::cerr << "unknown command " << command << "\n";
    return 64;
}
