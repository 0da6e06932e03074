#include "exchange/output_file.h"

#include "util/atomic_file.h"
#include "util/errors.h"

namespace exchange {

void WriteAndInform(std::ostream& out, const std::string& bytes, const std::string& information,
                    const std::string& shownName, util::Dialogs& dialogs) {
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) throw util::Error("Ошибка записи в файл " + shownName);
    dialogs.information(information);
}

void WriteFileAndInform(const std::string& path, const std::string& bytes, const std::string& information,
                        util::Dialogs& dialogs) {
    util::WriteFileReplacing(path, bytes);
    dialogs.information(information);
}

}  // namespace exchange
