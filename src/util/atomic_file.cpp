#include "util/atomic_file.h"

#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "util/errors.h"

namespace util {
namespace {

namespace fs = std::filesystem;

std::string temporaryName(const fs::path& target) {
    static std::atomic<unsigned> counter{0};
    return target.filename().string() + ".saving-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

[[noreturn]] void fail(const std::string& what, const fs::path& path, const std::string& reason) {
    throw Error(what + path.string() + "\r" + reason);
}

}  // namespace

void SyncToDisk(const std::string& path, bool directory, const std::string& context) {
    const int fd = ::open(path.c_str(), directory ? (O_RDONLY | O_DIRECTORY) : O_RDONLY);
    if (fd < 0) throw Error(context + std::strerror(errno));
    const int rc = ::fsync(fd);
    const int saved = errno;
    ::close(fd);
    if (rc != 0) throw Error(context + std::strerror(saved));
}

std::function<void(const std::string&)>& WriteFileReplacingFaultHook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

void WriteFileReplacing(const std::string& path, std::string_view bytes) {
    WriteFileReplacing(path, [&](std::ostream& out) { out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())); });
}

void WriteFileReplacing(const std::string& path, const std::function<void(std::ostream&)>& write) {
    constexpr const char* kCannotCreate = "Не удается создать файл ";
    constexpr const char* kCannotWrite = "Ошибка записи в файл ";
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(target, ec)) {
        const fs::path resolved = fs::weakly_canonical(target, ec);
        if (!ec) target = resolved;
    }
    if (fs::is_directory(target, ec)) fail(kCannotCreate, target, std::strerror(EISDIR));
    const fs::path directory = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    const fs::path temporary = directory / temporaryName(target);

    // Created exclusively, so nothing of another writer is ever overwritten; the replaced file's
    // permissions are carried over, a new file gets the usual ones (the umask applies).
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) fail(kCannotCreate, target, std::strerror(errno));
    struct stat old {};
    if (::stat(target.c_str(), &old) == 0) (void)::fchmod(fd, old.st_mode & 07777);
    ::close(fd);

    try {
        {
            std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
            if (!out) fail(kCannotCreate, target, std::strerror(errno));
            errno = 0;
            write(out);
            out.flush();
            const int flushError = errno;
            out.close();
            if (!out) fail(kCannotWrite, target, std::strerror(flushError ? flushError : (errno ? errno : EIO)));
        }
        if (auto& hook = WriteFileReplacingFaultHook()) hook(target.string());
        const int sync = ::open(temporary.c_str(), O_RDONLY | O_CLOEXEC);
        if (sync < 0) fail(kCannotWrite, target, std::strerror(errno));
        const int rc = ::fsync(sync);
        const int syncError = errno;
        ::close(sync);
        if (rc != 0) fail(kCannotWrite, target, std::strerror(syncError));
        fs::rename(temporary, target, ec);
        if (ec) fail(kCannotWrite, target, ec.message());
    } catch (...) {
        fs::remove(temporary, ec);
        throw;
    }
    // The new content is complete and in place; syncing the directory makes the rename itself
    // durable. Its failure changes nothing the user could act on, so it is not reported.
    const int dir = ::open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        (void)::fsync(dir);
        ::close(dir);
    }
}

}  // namespace util
