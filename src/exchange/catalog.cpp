#include "exchange/catalog.h"

#include "exchange/field_line.h"
#include "exchange/output_file.h"
#include "util/cp1251.h"
#include "util/errors.h"

namespace exchange {

std::string ComposeCatalog(db::TDM& tdm) {
    store::Table& systems = tdm.tblSystems;
    const bool hadCurrent = systems.active() && !systems.isEmpty();
    const store::Value current = hadCurrent ? systems.value("System_id") : store::Value{};
    std::string text;
    int count = 0;
    try {
        for (systems.first(); !systems.eof(); systems.next()) {
            text += systems.asString("System_designation");
            text += LineEnd;
            ++count;
        }
    } catch (...) {
        if (hadCurrent) systems.locate("System_id", current);
        throw;
    }
    if (hadCurrent) systems.locate("System_id", current);
    text += "-------------------";
    text += LineEnd;
    text += "ВСЕГО: " + std::to_string(count) + " систем";
    text += LineEnd;
    return util::utf8ToCp1251(text);
}

void WriteCatalog(db::TDM& tdm, const std::string& directory, util::Dialogs& dialogs) {
    const std::string bytes = ComposeCatalog(tdm);
    const std::string path = directory + CatalogFileName;
    WriteFileAndInform(path, bytes, std::string("Оглавление базы записано в файл ") + CatalogFileName, dialogs);
}

}  // namespace exchange
