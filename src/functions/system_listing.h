#pragma once
#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace functions {

class FunctionSource;
class PhaseFunctions;

// Writes listing lines (UTF-8) as code page 1251 text, every line ending with CR LF. A character
// that code page 1251 cannot hold throws util::Error before anything is written.
void WriteListing(std::ostream& out, const std::vector<std::string>& lines);

// The command "write the system as text": assembles the phase functions of the source's current
// system in listing mode and writes DesignationToFileName(designation) + ".txt" into `directory`,
// replacing a file of that name; the file is written also when a reference could not be resolved
// (with the lines made so far). Then shows "Данные записаны в файл " + file name. Returns the
// file name. A file that cannot be written throws util::Error.
std::string WriteSystemListing(PhaseFunctions& functions, FunctionSource& source,
                               const std::filesystem::path& directory);

}  // namespace functions
