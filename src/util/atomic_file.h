#pragma once
#include <functional>
#include <ostream>
#include <string>
#include <string_view>

namespace util {

// Writes a whole file so that `path` holds at every moment either its previous content or the
// complete new one: the bytes go to a temporary file beside it ("<name>.saving-<pid>-<n>", with
// the permissions of the file it replaces), which is synced and then renamed over `path`, and the
// directory is synced. A symbolic link at `path` keeps pointing to the file it names, which is the
// one replaced.
//
// On any failure the temporary file is removed, the previous file stays untouched and util::Error
// is thrown: "Не удается создать файл <path>" when the temporary cannot be created, "Ошибка записи
// в файл <path>" when it cannot be written, synced or put in place; the system's reason follows on
// a second line ("\r" between the lines). Exceptions thrown by `write` propagate the same way.
void WriteFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& write);
void WriteFileReplacing(const std::string& path, std::string_view bytes);

// Syncs a file's data (directory = false) or a directory's entries to the disk. Throws util::Error
// with `context` followed by the system's reason when the path cannot be opened or synced.
void SyncToDisk(const std::string& path, bool directory, const std::string& context);

// Test seam: called with the target path after the content is in the temporary file and before it
// is synced and renamed. A hook that throws makes the write fail as a full disk would. Empty by
// default.
std::function<void(const std::string& path)>& WriteFileReplacingFaultHook();

}  // namespace util
