#include "exchange/catalog.h"

#include "exchange/field_line.h"
#include "exchange/output_file.h"
#include "util/cp1251.h"
#include "util/errors.h"

namespace exchange {

std::string ComposeCatalog(const db::TDM& tdm) {
    const store::RecordView systems = tdm.tblSystems.records();
    std::string text;
    for (int s = 0; s < systems.size(); ++s) {
        text += systems.asString(s, "System_designation");
        text += LineEnd;
    }
    text += "-------------------";
    text += LineEnd;
    text += "ВСЕГО: " + std::to_string(systems.size()) + " систем";
    text += LineEnd;
    return util::utf8ToCp1251(text);
}

void WriteCatalog(const db::TDM& tdm, const std::string& directory, util::Dialogs& dialogs) {
    const std::string bytes = ComposeCatalog(tdm);
    const std::string path = directory + CatalogFileName;
    std::ofstream out = CreateOutputFile(path);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw util::Error("Ошибка записи в файл " + path);
    dialogs.information(std::string("Оглавление базы записано в файл ") + CatalogFileName);
}

}  // namespace exchange
