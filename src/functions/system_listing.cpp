#include "functions/system_listing.h"

#include <fstream>
#include <ostream>
#include <sstream>

#include "functions/function_source.h"
#include "functions/phase_functions.h"
#include "util/cp1251.h"
#include "util/dialogs.h"
#include "util/atomic_file.h"
#include "util/errors.h"
#include "util/text.h"

namespace functions {

void WriteListing(std::ostream& out, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += util::utf8ToCp1251(line);
        bytes += "\r\n";
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string WriteSystemListing(PhaseFunctions& functions, FunctionSource& source,
                               const std::filesystem::path& directory) {
    functions.run().CalculationMode = false;
    const std::string fileName = util::DesignationToFileName(source.systemDesignation()) + ".txt";
    functions.BuildPhaseFunctions(source);  // a failed reference was reported; its lines still go out

    std::ostringstream text;
    WriteListing(text, functions.listing());
    const std::filesystem::path path = directory / fileName;
    util::WriteFileReplacing(path.string(), text.str());
    functions.dialogs().information("Данные записаны в файл " + fileName);
    return fileName;
}

}  // namespace functions
