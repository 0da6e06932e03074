#include "exchange/stability_file.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "db/table_definitions.h"
#include "exchange/exchange_reader.h"
#include "exchange/exchange_writer.h"
#include "exchange/output_file.h"
#include "exchange/record_fields.h"
#include "store/table_file.h"
#include "util/errors.h"
#include "util/text.h"

namespace exchange {

namespace {

constexpr std::string_view ParameterHeader = "[STABILITY_PARAMS]";
constexpr std::string_view DetailHeader = "[STABILITY_DETAIL]";

enum class After { NextHeader, ParameterHeaderRead, EndOfFile };

// Passes over the lines of a parameter that is already stored, up to the next parameter header.
After passOver(ExchangeReader& reader) {
    for (auto line = reader.nextHeader(); line; line = reader.nextHeader())
        if (*line == ParameterHeader) return After::ParameterHeaderRead;
    return After::EndOfFile;
}

After readParameter(db::TDM& tdm, ExchangeReader& reader, const std::set<std::string>& stored,
                    char decimalSeparator) {
    store::Table& parameters = tdm.tblStability;
    reader.beginRecord(std::string(ParameterHeader));
    // The new parameter is inserted before its lines are read, so the edit lock refuses the first
    // parameter of a file even when it would be passed over as already stored. Fields are assigned
    // line by line; a stored designation cancels the insertion.
    parameters.insert();
    try {
        FieldLine field;
        for (;;) {
            const auto item = reader.nextField(true, field);
            if (item == ExchangeReader::Item::End) break;
            if (item == ExchangeReader::Item::Ignored) continue;
            const FieldLine decoded = DecodeField(field);
            if (util::equalsIgnoreCase(decoded.name, "Id")) continue;
            if (util::equalsIgnoreCase(decoded.name, "Designation") && !decoded.value.empty() &&
                stored.count(decoded.value) > 0) {
                parameters.cancel();
                parameters.locate("Designation", store::Value{decoded.value});
                return passOver(reader);
            }
            AssignReadField(parameters, decoded, decimalSeparator);
        }
        parameters.post();
    } catch (...) {
        if (parameters.state() == store::TableState::Insert) parameters.cancel();
        throw;
    }
    return After::NextHeader;
}

void readDetail(db::TDM& tdm, ExchangeReader& reader, int headerLine, char decimalSeparator) {
    reader.beginRecord(std::string(DetailHeader));
    std::vector<FieldLine> fields;
    FieldLine field;
    for (;;) {
        const auto item = reader.nextField(true, field);
        if (item == ExchangeReader::Item::End) break;
        if (item == ExchangeReader::Item::Field) {
            FieldLine decoded = DecodeField(field);
            // The link to the parameter comes from the nesting, never from the file.
            if (!util::equalsIgnoreCase(decoded.name, "Id")) fields.push_back(std::move(decoded));
        }
    }
    store::Table& parameters = tdm.tblStability;
    if (!parameters.active() || parameters.isEmpty())
        throw util::Error("Запись " + std::string(DetailHeader) + " в строке " + std::to_string(headerLine) +
                          " не к чему присоединить: нет выбранного параметра стабильности");
    InsertAndPost(tdm.tblStabDet, [&] {
        tdm.tblStabDet.setValue("Id", parameters.value("Id"));
        for (const FieldLine& f : fields) AssignReadField(tdm.tblStabDet, f, decimalSeparator);
    });
}

}  // namespace

std::string ComposeStabilityFile(const db::TDM& tdm, char decimalSeparator) {
    ExchangeWriter writer;
    const store::RecordView parameters = tdm.tblStability.records();
    for (int p = 0; p < parameters.size(); ++p) {
        const std::string owner = "параметр стабильности «" + parameters.asString(p, "Designation") + "»";
        writer.setOwner(owner);
        writer.header(ParameterHeader);
        WriteRecordFields(writer, parameters, p, {"Id"}, true, decimalSeparator);
        writer.endRecord();
        const store::RecordView details = tdm.tblStabDet.recordsFor(parameters.value(p, "Id"));
        for (int d = 0; d < details.size(); ++d) {
            writer.setOwner(owner + ", диапазон " + std::to_string(d + 1));
            writer.header("  [STABILITY_DETAIL]");
            WriteRecordFields(writer, details, d, {"Id"}, true, decimalSeparator);
            writer.endRecord();
        }
    }
    return writer.bytes();
}

std::string WriteStabilityFile(db::TDM& tdm, const std::string& programDirectory, util::Dialogs& dialogs,
                               char decimalSeparator) {
    const std::string path = programDirectory + StabilityFileName;
    // Composed before the file is opened, so a refused value never truncates an existing file.
    const std::string bytes = ComposeStabilityFile(tdm, decimalSeparator);
    std::ofstream out = CreateOutputFile(path);
    WriteAndInform(out, bytes, std::string("Данные о параметрах стабильности записаны в файл ") + StabilityFileName,
                   path, dialogs);
    return path;
}

std::set<std::string> StoredStabilityDesignations(const db::TDM& tdm) {
    const store::TableContents contents =
        store::TableFile::load(tdm.DatabaseDirectory() + db::tableDefinitions()[3].fileName);
    const int designation = contents.schema.require("Designation");
    std::set<std::string> designations;
    for (const store::Record& record : contents.records) {
        const store::Value& value = record.at(static_cast<size_t>(designation));
        if (const auto* text = std::get_if<std::string>(&value)) designations.insert(*text);
    }
    return designations;
}

void ReadStabilityRecords(db::TDM& tdm, std::istream& in, const std::set<std::string>& stored,
                          char decimalSeparator) {
    ExchangeReader reader(in);
    auto header = reader.nextHeader();
    while (header) {
        if (*header == ParameterHeader) {
            const After after = readParameter(tdm, reader, stored, decimalSeparator);
            if (after == After::EndOfFile) return;
            if (after == After::ParameterHeaderRead) continue;  // `header` still holds the parameter header
        } else if (*header == DetailHeader) {
            readDetail(tdm, reader, reader.lineNumber(), decimalSeparator);
        } else {
            return;
        }
        header = reader.nextHeader();
    }
}

bool ReadStabilityFile(db::TDM& tdm, const std::string& directory, util::Dialogs& dialogs, char decimalSeparator) {
    const std::string path = directory + StabilityFileName;
    if (!std::filesystem::exists(path)) {
        dialogs.warning(std::string("File ") + StabilityFileName + " not found");
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) throw util::Error("Не удается открыть файл " + path);
    const std::set<std::string> stored = StoredStabilityDesignations(tdm);
    ReadStabilityRecords(tdm, in, stored, decimalSeparator);
    dialogs.information("Сведения о параметрах стабильности занесены в базу");
    return true;
}

}  // namespace exchange
