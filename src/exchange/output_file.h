#pragma once
#include <fstream>
#include <ostream>
#include <string>

#include "util/dialogs.h"

namespace exchange {

// Opens `path` for writing as bytes, replacing a file there; util::Error naming the path when it
// cannot be created.
std::ofstream CreateOutputFile(const std::string& path);

// Writes the whole file to `out` and flushes it, shows `information`, and then, if the stream
// failed on the way, throws util::Error "Ошибка записи в файл " + shownName: the user learns what
// was meant to be written and that it did not all arrive.
void WriteAndInform(std::ostream& out, const std::string& bytes, const std::string& information,
                    const std::string& shownName, util::Dialogs& dialogs);

}  // namespace exchange
