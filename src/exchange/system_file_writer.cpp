#include "exchange/system_file_writer.h"

#include "exchange/exchange_writer.h"
#include "exchange/output_file.h"
#include "exchange/record_fields.h"
#include "util/errors.h"
#include "util/text.h"

namespace exchange {

std::string SystemFileName(std::string_view designation) {
    return util::DesignationToFileName(designation) + ".ter";
}

std::string ComposeSystemFile(const db::TDM& tdm, char decimalSeparator) {
    const store::Table& systems = tdm.tblSystems;
    if (!systems.active() || systems.isEmpty()) throw util::Error("Нет выбранной системы для записи в файл");
    const std::string system = "система «" + systems.asString("System_designation") + "»";
    ExchangeWriter writer;

    writer.setOwner(system);
    writer.header("[SYSTEMS]");
    WriteRecordFields(writer, systems, {"System_id"}, true, decimalSeparator);
    writer.endRecord();

    // The system's phases and points are the records the detail tables show; each phase's
    // Gibbs-energy records are read for that phase without making it current.
    const store::RecordView phases = tdm.tblPhases.records();
    for (int p = 0; p < phases.size(); ++p) {
        const std::string phase = system + ", фаза «" + phases.asString(p, "Phase_designation") + "»";
        writer.setOwner(phase);
        writer.header("  [PHASES]");
        WriteRecordFields(writer, phases, p, {"Phase_id", "FK_system"}, false, decimalSeparator);
        writer.endRecord();
        const store::RecordView gibbs = tdm.tblGibbs.recordsFor(phases.value(p, "Phase_id"));
        for (int g = 0; g < gibbs.size(); ++g) {
            writer.setOwner(phase + ", выражение " + std::to_string(g + 1));
            writer.header("  [GIBBS_ENERGY]");
            WriteRecordFields(writer, gibbs, g, {"FK_Phase"}, true, decimalSeparator);
            writer.endRecord();
        }
    }

    const store::RecordView points = tdm.tblExperiment.records();
    for (int e = 0; e < points.size(); ++e) {
        writer.setOwner(system + ", экспериментальная точка " + std::to_string(e + 1));
        writer.header("  [EXPERIMENT]");
        WriteRecordFields(writer, points, e, {"system_id"}, false, decimalSeparator);
        writer.endRecord();
    }
    return writer.bytes();
}

void WriteSystemFile(db::TDM& tdm, std::ostream& out, const std::string& fileName, util::Dialogs& dialogs,
                     char decimalSeparator) {
    WriteAndInform(out, ComposeSystemFile(tdm, decimalSeparator), "Данные о системе записаны в файл " + fileName,
                   fileName, dialogs);
}

std::string WriteSystemFile(db::TDM& tdm, const std::string& programDirectory, util::Dialogs& dialogs,
                            char decimalSeparator) {
    if (!tdm.tblSystems.active() || tdm.tblSystems.isEmpty())
        throw util::Error("Нет выбранной системы для записи в файл");
    const std::string fileName = SystemFileName(tdm.tblSystems.asString("System_designation"));
    const std::string path = programDirectory + fileName;
    // Composed before the file is opened, so a refused value never truncates an existing file.
    const std::string bytes = ComposeSystemFile(tdm, decimalSeparator);
    std::ofstream out = CreateOutputFile(path);
    WriteAndInform(out, bytes, "Данные о системе записаны в файл " + fileName, path, dialogs);
    return path;
}

}  // namespace exchange
