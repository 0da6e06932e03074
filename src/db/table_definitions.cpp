#include "db/table_definitions.h"

#include <filesystem>

#include "store/save_journal.h"
#include "store/table_file.h"
#include "util/errors.h"

namespace db {
namespace {

using store::Field;
using store::FieldType;

Field autoInc(const char* name) { return Field(name, FieldType::AutoIncrement, 0, true); }
Field integer(const char* name) { return Field(name, FieldType::Integer); }
Field smallInt(const char* name) { return Field(name, FieldType::SmallInt); }
Field real(const char* name, const char* format = "") { return Field(name, FieldType::Float, 0, false, format); }
Field boolean(const char* name) { return Field(name, FieldType::Boolean); }
Field string(const char* name, int size) { return Field(name, FieldType::String, size); }
Field memo(const char* name) { return Field(name, FieldType::Memo); }

std::array<TableDefinition, 6> makeDefinitions() {
    return {{
        {"tblSystems", "systems.d",
         store::Schema({autoInc("System_id"), string("System_designation", 50), smallInt("Amount_of_elements"),
                        string("Element1", 20), string("Element2", 20), string("Element3", 20), memo("Comment"),
                        memo("Abbreviations"), real("Ymin", "0.####e-0"), real("Ymax", "0.####e-0"),
                        real("Zvalue", "0.####e-0"), smallInt("Xpoints"), smallInt("Ypoints"),
                        boolean("ShowMosaicDiagram"), boolean("ShowChart"), string("Yparameter", 20)}),
         "Element1;Element2;Element3", "", "", ""},
        {"tblPhases", "phases.d",
         store::Schema({autoInc("Phase_id"), integer("FK_system"), string("Phase_designation", 50)}),
         "", "tblSystems", "system_id", "FK_system"},
        {"tblGibbs", "gibbs_energy.d",
         store::Schema({integer("FK_Phase"), real("Tmin"), real("Tmax"), string("X", 100), real("Xmin"),
                        real("Xmax"), memo("Expression")}),
         "Tmin;Tmax", "tblPhases", "Phase_id", "FK_Phase"},
        {"tblStability", "stability_params.d",
         store::Schema({string("Designation", 20), memo("Comment"), autoInc("Id")}),
         "Designation", "", "", ""},
        {"tblStabDet", "stability_detail.d",
         store::Schema({real("Tmin", "0.######"), real("Tmax", "0.######"), memo("Expression"), integer("Id"),
                        real("Xmin", "0.######"), real("Xmax", "0.######")}),
         "Tmin;Tmax", "tblStability", "id", "id"},
        {"tblExperiment", "experim_data.d",
         store::Schema({integer("system_id"), string("SQUIB", 255), string("X_descr", 100), real("X_value"),
                        string("Y_descr", 100), real("Y_value")}),
         "", "tblSystems", "system_id", "system_id"},
    }};
}

}  // namespace

const std::array<TableDefinition, 6>& tableDefinitions() {
    static const std::array<TableDefinition, 6> definitions = makeDefinitions();
    return definitions;
}

void createEmptyDatabase(const std::string& directory) {
    for (const auto& def : tableDefinitions()) {
        std::string path = directory + def.fileName;
        if (std::filesystem::exists(path))
            throw util::Error("The table file " + path + " exists already; nothing was written");
    }
    // Every file is written beside its target first; the six are put in place only when all were
    // written, so a failure leaves no partial database behind.
    std::vector<store::TableFile::PendingWrite> pending;
    for (const auto& def : tableDefinitions()) {
        store::TableContents empty;
        empty.schema = def.schema;
        pending.emplace_back(directory + def.fileName, empty);
    }
    store::SaveJournal::commit(directory, pending);
}

}  // namespace db
