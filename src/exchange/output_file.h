#pragma once
#include <ostream>
#include <string>

#include "util/dialogs.h"

namespace exchange {

// Writes the whole file to `out` and flushes it; shows `information` only when everything arrived,
// otherwise throws util::Error "Ошибка записи в файл " + shownName and shows nothing.
void WriteAndInform(std::ostream& out, const std::string& bytes, const std::string& information,
                    const std::string& shownName, util::Dialogs& dialogs);

// Replaces the file at `path` by `bytes` as a whole (util::WriteFileReplacing: the previous file
// stays when anything fails) and only then shows `information`.
void WriteFileAndInform(const std::string& path, const std::string& bytes, const std::string& information,
                        util::Dialogs& dialogs);

}  // namespace exchange
