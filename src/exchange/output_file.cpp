#include "exchange/output_file.h"

#include "util/errors.h"

namespace exchange {

std::ofstream CreateOutputFile(const std::string& path) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw util::Error("Не удается создать файл " + path);
    return out;
}

void WriteAndInform(std::ostream& out, const std::string& bytes, const std::string& information,
                    const std::string& shownName, util::Dialogs& dialogs) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    const bool failed = !out;
    dialogs.information(information);
    if (failed) throw util::Error("Ошибка записи в файл " + shownName);
}

}  // namespace exchange
