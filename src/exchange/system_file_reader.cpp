#include "exchange/system_file_reader.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "exchange/exchange_reader.h"
#include "exchange/record_fields.h"
#include "util/errors.h"
#include "util/text.h"

namespace exchange {

namespace {

struct Section {
    std::string_view header;
    bool gather;                     // values may run over several lines
    std::string_view ignored;        // a field name passed over in this section ("" for none)
    std::string_view linkField;      // set from the current master record ("" for none)
};

constexpr Section Systems{"[SYSTEMS]", true, "id", ""};
constexpr Section Phases{"[PHASES]", false, "FK_system", "FK_system"};
constexpr Section Gibbs{"[GIBBS_ENERGY]", true, "Phase_id", "FK_Phase"};
constexpr Section Experiment{"[EXPERIMENT]", false, "system_id", "system_id"};

bool isBooleanSwitch(std::string_view name) {
    return util::equalsIgnoreCase(name, "ShowMosaicDiagram") || util::equalsIgnoreCase(name, "ShowChart");
}

// Reads the field lines of one record up to its end line, decoded to the program's text. Link
// fields are dropped: the nesting of the records carries the links.
std::vector<FieldLine> readFields(ExchangeReader& reader, const Section& section) {
    reader.beginRecord(std::string(section.header));
    std::vector<FieldLine> fields;
    FieldLine field;
    for (;;) {
        const auto item = reader.nextField(section.gather, field);
        if (item == ExchangeReader::Item::End) return fields;
        if (item == ExchangeReader::Item::Ignored) continue;
        FieldLine decoded = DecodeField(field);
        if (util::equalsIgnoreCase(decoded.name, section.ignored) ||
            (!section.linkField.empty() && util::equalsIgnoreCase(decoded.name, section.linkField)))
            continue;
        // "0" and "False" switch off, every other non-empty value on. "False" is matched in any
        // letter case: a hand-edited "false" must not turn a switch on.
        if (&section == &Systems && isBooleanSwitch(decoded.name) && !decoded.value.empty())
            decoded.value = decoded.value == "0" || util::equalsIgnoreCase(decoded.value, "False") ? "False" : "True";
        fields.push_back(std::move(decoded));
    }
}

void addRecord(store::Table& table, const std::vector<FieldLine>& fields, const Section& section,
               const store::Table* master, std::string_view masterKey, char decimalSeparator) {
    InsertAndPost(table, [&] {
        if (master) table.setValue(section.linkField, master->value(masterKey));
        for (const FieldLine& field : fields) AssignReadField(table, field, decimalSeparator);
    });
}

// The current record of `master`, to which the record whose header stands on `line` attaches.
const store::Table& requireCurrent(const store::Table& master, std::string_view header, int line,
                                   const char* missing) {
    if (!master.active() || master.isEmpty())
        throw util::Error("Запись " + std::string(header) + " в строке " + std::to_string(line) +
                          " не к чему присоединить: " + missing);
    return master;
}

}  // namespace

int ReadSystemRecords(db::TDM& tdm, std::istream& in, char decimalSeparator) {
    ExchangeReader reader(in);
    int records = 0;
    for (auto header = reader.nextHeader(); header; header = reader.nextHeader()) {
        const int line = reader.lineNumber();
        if (*header == Systems.header) {
            auto fields = readFields(reader, Systems);
            addRecord(tdm.tblSystems, fields, Systems, nullptr, {}, decimalSeparator);
        } else if (*header == Phases.header) {
            auto fields = readFields(reader, Phases);
            const auto& system = requireCurrent(tdm.tblSystems, *header, line, "нет выбранной системы");
            addRecord(tdm.tblPhases, fields, Phases, &system, "System_id", decimalSeparator);
        } else if (*header == Gibbs.header) {
            auto fields = readFields(reader, Gibbs);
            const auto& phase = requireCurrent(tdm.tblPhases, *header, line, "нет выбранной фазы");
            addRecord(tdm.tblGibbs, fields, Gibbs, &phase, "Phase_id", decimalSeparator);
        } else if (*header == Experiment.header) {
            auto fields = readFields(reader, Experiment);
            const auto& system = requireCurrent(tdm.tblSystems, *header, line, "нет выбранной системы");
            addRecord(tdm.tblExperiment, fields, Experiment, &system, "System_id", decimalSeparator);
        } else {
            return records;
        }
        ++records;
    }
    return records;
}

void ReadSystemFile(db::TDM& tdm, std::istream& in, util::Dialogs& dialogs, char decimalSeparator,
                    const std::string& fileName) {
    // A reading that found nothing it knows must not be announced as stored: the user would take
    // an unreadable file for an imported system.
    if (ReadSystemRecords(tdm, in, decimalSeparator) == 0)
        throw util::Error("В файле " + (fileName.empty() ? std::string() : fileName + " ") +
                          "не найдено ни одной записи о системе");
    dialogs.information("Сведения о системе занесены в базу");
    tdm.tblPhases.first();
}

void ReadSystemFile(db::TDM& tdm, const std::string& path, util::Dialogs& dialogs, char decimalSeparator) {
    std::ifstream in(path, std::ios::binary);
    if (!in || std::filesystem::is_directory(path)) throw util::Error("Не удается открыть файл " + path);
    ReadSystemFile(tdm, in, dialogs, decimalSeparator, path);
}

}  // namespace exchange
