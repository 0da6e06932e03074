#include "store/table_file.h"

#include <sqlite3.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string_view>

#include <fcntl.h>
#include <unistd.h>

#include "util/atomic_file.h"
#include "util/errors.h"

namespace store {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFormat = "ravo-table";
constexpr std::string_view kVersion = "1";

// Owner of one SQLite connection.
struct Connection {
    sqlite3* db = nullptr;
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { close(); }
    int close() {
        const int rc = db ? sqlite3_close(db) : SQLITE_OK;
        db = nullptr;
        return rc;
    }
    std::string message() const { return db ? sqlite3_errmsg(db) : "out of memory"; }
};

// Owner of one prepared statement.
struct Statement {
    sqlite3_stmt* stmt = nullptr;
    Statement(Connection& c, const std::string& sql, const std::string& context) {
        if (sqlite3_prepare_v2(c.db, sql.c_str(), -1, &stmt, nullptr) != SQLITE_OK)
            throw util::Error(context + c.message());
    }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(stmt); }
};

std::string readError(const std::string& path) { return "Cannot read the table file " + path + ": "; }
std::string writeError(const std::string& path) { return "Cannot write the table file " + path + ": "; }

std::uint32_t bigEndian(const unsigned char* p, int bytes) {
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) v = (v << 8) | p[i];
    return v;
}

// Refuses a file that is not SQLite or is shorter than its header says, before SQLite reads it
// (SQLite would read the missing pages of a truncated file as zeros).
void checkHeader(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw util::Error(readError(path) + "the file cannot be opened (" + std::strerror(errno) + ")");
    std::array<unsigned char, 100> header{};
    in.read(reinterpret_cast<char*>(header.data()), header.size());
    if (in.gcount() < static_cast<std::streamsize>(header.size()) ||
        std::memcmp(header.data(), "SQLite format 3", 16) != 0)
        throw util::Error(readError(path) + "not a table file (not an SQLite database)");
    std::uint32_t pageSize = bigEndian(header.data() + 16, 2);
    if (pageSize == 1) pageSize = 65536;
    const std::uint32_t pageCount = bigEndian(header.data() + 28, 4);
    const bool countValid = bigEndian(header.data() + 24, 4) == bigEndian(header.data() + 92, 4);
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    if (ec) throw util::Error(readError(path) + ec.message());
    if (countValid && pageCount > 0 && size < std::uintmax_t{pageSize} * pageCount)
        throw util::Error(readError(path) + "the file is truncated");
}

std::string metaValue(Connection& c, const std::string& path, const char* key) {
    Statement s(c, "SELECT value FROM ravo_meta WHERE key = ?1", readError(path) + "not a table file of this program: ");
    sqlite3_bind_text(s.stmt, 1, key, -1, SQLITE_STATIC);
    const int rc = sqlite3_step(s.stmt);
    if (rc == SQLITE_ROW) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(s.stmt, 0));
        return text ? text : "";
    }
    if (rc == SQLITE_DONE) throw util::Error(readError(path) + "the table description lacks '" + key + "'");
    throw util::Error(readError(path) + c.message());
}

Value readCell(sqlite3_stmt* stmt, int column, const Field& field, const std::string& path) {
    const int type = sqlite3_column_type(stmt, column);
    if (type == SQLITE_NULL) return Value{};
    auto mismatch = [&]() {
        return util::Error(readError(path) + "the file is damaged (field '" + field.name() + "' holds a value of another type)");
    };
    switch (field.type()) {
        case FieldType::AutoIncrement:
        case FieldType::Integer:
        case FieldType::SmallInt:
            if (type != SQLITE_INTEGER) throw mismatch();
            return Value{static_cast<std::int64_t>(sqlite3_column_int64(stmt, column))};
        case FieldType::Float:
            if (type != SQLITE_FLOAT && type != SQLITE_INTEGER) throw mismatch();
            return Value{sqlite3_column_double(stmt, column)};
        case FieldType::Boolean:
            if (type != SQLITE_INTEGER) throw mismatch();
            return Value{sqlite3_column_int64(stmt, column) != 0};
        case FieldType::String:
        case FieldType::Memo: {
            if (type != SQLITE_TEXT) throw mismatch();
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, column));
            return Value{std::string(text, static_cast<std::size_t>(sqlite3_column_bytes(stmt, column)))};
        }
    }
    throw mismatch();
}

void execute(Connection& c, const std::string& sql, const std::string& context) {
    char* error = nullptr;
    if (sqlite3_exec(c.db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string text = error ? error : c.message();
        sqlite3_free(error);
        throw util::Error(context + text);
    }
}

void bindValue(sqlite3_stmt* stmt, int position, const Value& v) {
    if (const auto* i = std::get_if<std::int64_t>(&v)) sqlite3_bind_int64(stmt, position, *i);
    else if (const auto* d = std::get_if<double>(&v)) sqlite3_bind_double(stmt, position, *d);
    else if (const auto* b = std::get_if<bool>(&v)) sqlite3_bind_int(stmt, position, *b ? 1 : 0);
    else if (const auto* s = std::get_if<std::string>(&v))
        sqlite3_bind_text(stmt, position, s->data(), static_cast<int>(s->size()), SQLITE_STATIC);
    else sqlite3_bind_null(stmt, position);
}

void syncPath(const std::string& path, bool directory, const std::string& context) {
    util::SyncToDisk(path, directory, context);
}

constexpr std::string_view kTemporaryMark = ".saving-";

std::string temporaryPathOf(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    return path + std::string(kTemporaryMark) + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

std::string directoryOf(const std::string& path) {
    const fs::path parent = fs::path(path).parent_path();
    return parent.empty() ? "." : parent.string();
}

}  // namespace

TableContents TableFile::load(const std::string& path) {
    std::error_code ec;
    if (!fs::exists(path, ec)) throw util::Error(readError(path) + "the file does not exist");
    if (!fs::is_regular_file(path, ec)) throw util::Error(readError(path) + "not a file");
    checkHeader(path);

    Connection c;
    if (sqlite3_open_v2(path.c_str(), &c.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        throw util::Error(readError(path) + c.message());
    if (metaValue(c, path, "format") != kFormat || metaValue(c, path, "version") != kVersion)
        throw util::Error(readError(path) + "not a table file of this program");

    TableContents contents;
    contents.nextAutoIncrement = std::stoll("0" + metaValue(c, path, "next_autoincrement"));
    const long long expectedCount = std::stoll("0" + metaValue(c, path, "record_count"));

    std::vector<Field> fields;
    {
        Statement s(c, "SELECT name, type, size, read_only, display_format FROM ravo_fields ORDER BY position",
                    readError(path) + "not a table file of this program: ");
        int rc;
        while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
            const auto* name = reinterpret_cast<const char*>(sqlite3_column_text(s.stmt, 0));
            const auto* type = reinterpret_cast<const char*>(sqlite3_column_text(s.stmt, 1));
            const auto* format = reinterpret_cast<const char*>(sqlite3_column_text(s.stmt, 4));
            if (!name || !type) throw util::Error(readError(path) + "the field list is damaged");
            FieldType fieldType;
            try {
                fieldType = fieldTypeFromName(type);
            } catch (const util::Error& e) {
                throw util::Error(readError(path) + e.what());
            }
            fields.emplace_back(name, fieldType, sqlite3_column_int(s.stmt, 2), sqlite3_column_int(s.stmt, 3) != 0,
                                format ? format : "");
        }
        if (rc != SQLITE_DONE) throw util::Error(readError(path) + c.message());
    }
    try {
        contents.schema = Schema(std::move(fields));
    } catch (const util::Error& e) {
        throw util::Error(readError(path) + e.what());
    }

    const int n = contents.schema.size();
    Statement s(c, "SELECT * FROM records ORDER BY seq", readError(path) + "not a table file of this program: ");
    if (sqlite3_column_count(s.stmt) != n + 1)
        throw util::Error(readError(path) + "the records do not match the field list");
    int rc;
    while ((rc = sqlite3_step(s.stmt)) == SQLITE_ROW) {
        Record record;
        record.reserve(static_cast<std::size_t>(n));
        for (int f = 0; f < n; ++f) record.push_back(readCell(s.stmt, f + 1, contents.schema.field(f), path));
        contents.records.push_back(std::move(record));
    }
    if (rc != SQLITE_DONE) throw util::Error(readError(path) + c.message());
    if (static_cast<long long>(contents.records.size()) != expectedCount)
        throw util::Error(readError(path) + "the file is damaged (" + std::to_string(contents.records.size()) +
                          " records found, " + std::to_string(expectedCount) + " expected)");
    return contents;
}

void TableFile::save(const std::string& path, const TableContents& contents) {
    PendingWrite(path, contents).commit();
}

bool TableFile::isTemporaryName(const std::string& name, long* processId) {
    const std::size_t mark = name.rfind(kTemporaryMark);
    if (mark == std::string::npos || mark == 0) return false;
    const std::string_view rest = std::string_view(name).substr(mark + kTemporaryMark.size());
    const std::size_t dash = rest.find('-');
    if (dash == std::string_view::npos || dash == 0 || dash + 1 == rest.size()) return false;
    auto digits = [](std::string_view s) { return s.find_first_not_of("0123456789") == std::string_view::npos; };
    if (!digits(rest.substr(0, dash)) || !digits(rest.substr(dash + 1))) return false;
    if (processId) *processId = std::stol(std::string(rest.substr(0, std::min<std::size_t>(dash, 18))));
    return true;
}

std::function<void(const std::string&)>& TableFile::writeFaultHook() {
    static std::function<void(const std::string&)> hook;
    return hook;
}

TableFile::PendingWrite::PendingWrite(const std::string& path, const TableContents& contents)
    : PendingWrite(path, contents.schema,
                   [&] {
                       std::vector<const Record*> records;
                       records.reserve(contents.records.size());
                       for (const auto& r : contents.records) records.push_back(&r);
                       return records;
                   }(),
                   contents.nextAutoIncrement) {}

TableFile::PendingWrite::PendingWrite(const std::string& path, const Schema& schema,
                                      const std::vector<const Record*>& records, std::int64_t nextAutoIncrement)
    : path_(path), tempPath_(temporaryPathOf(path)) {
    const std::string context = writeError(path);
    if (path.empty()) throw util::Error("Cannot write a table that has no file name");
    try {
        Connection c;
        if (sqlite3_open_v2(tempPath_.c_str(), &c.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXCLUSIVE,
                            nullptr) != SQLITE_OK)
            throw util::Error(context + c.message());
        // The file is new and private until renamed: no journal; it is synced as a whole below.
        execute(c, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN", context);
        std::string columns;
        for (int f = 0; f < schema.size(); ++f) columns += ", c" + std::to_string(f);
        execute(c,
                "CREATE TABLE ravo_meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);"
                "CREATE TABLE ravo_fields(position INTEGER PRIMARY KEY, name TEXT NOT NULL, type TEXT NOT NULL,"
                " size INTEGER NOT NULL, read_only INTEGER NOT NULL, display_format TEXT NOT NULL);"
                "CREATE TABLE records(seq INTEGER PRIMARY KEY" + columns + ")",
                context);
        {
            Statement meta(c, "INSERT INTO ravo_meta VALUES (?1, ?2)", context);
            const std::array<std::pair<std::string, std::string>, 4> values{{
                {"format", std::string(kFormat)},
                {"version", std::string(kVersion)},
                {"next_autoincrement", std::to_string(nextAutoIncrement)},
                {"record_count", std::to_string(records.size())},
            }};
            for (const auto& [key, value] : values) {
                sqlite3_bind_text(meta.stmt, 1, key.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(meta.stmt, 2, value.c_str(), -1, SQLITE_TRANSIENT);
                if (sqlite3_step(meta.stmt) != SQLITE_DONE) throw util::Error(context + c.message());
                sqlite3_reset(meta.stmt);
            }
            Statement field(c, "INSERT INTO ravo_fields VALUES (?1, ?2, ?3, ?4, ?5, ?6)", context);
            for (int f = 0; f < schema.size(); ++f) {
                const Field& def = schema.field(f);
                const std::string type = fieldTypeName(def.type());
                sqlite3_bind_int(field.stmt, 1, f);
                sqlite3_bind_text(field.stmt, 2, def.name().c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_text(field.stmt, 3, type.c_str(), -1, SQLITE_TRANSIENT);
                sqlite3_bind_int(field.stmt, 4, def.size());
                sqlite3_bind_int(field.stmt, 5, def.readOnly() ? 1 : 0);
                sqlite3_bind_text(field.stmt, 6, def.displayFormat().c_str(), -1, SQLITE_TRANSIENT);
                if (sqlite3_step(field.stmt) != SQLITE_DONE) throw util::Error(context + c.message());
                sqlite3_reset(field.stmt);
            }
        }
        {
            std::string placeholders = "?1";
            for (int f = 0; f < schema.size(); ++f) placeholders += ", ?" + std::to_string(f + 2);
            Statement insert(c, "INSERT INTO records VALUES (" + placeholders + ")", context);
            std::int64_t seq = 0;
            for (const Record* record : records) {
                sqlite3_bind_int64(insert.stmt, 1, seq++);
                for (int f = 0; f < schema.size(); ++f) bindValue(insert.stmt, f + 2, (*record)[static_cast<std::size_t>(f)]);
                if (sqlite3_step(insert.stmt) != SQLITE_DONE) throw util::Error(context + c.message());
                sqlite3_reset(insert.stmt);
            }
        }
        execute(c, "COMMIT", context);
        if (auto& hook = writeFaultHook()) hook(path);
        if (c.close() != SQLITE_OK) throw util::Error(context + "the file could not be closed");
        syncPath(tempPath_, false, context);
    } catch (...) {
        std::error_code ec;
        fs::remove(tempPath_, ec);
        throw;
    }
}

TableFile::PendingWrite::PendingWrite(PendingWrite&& other) noexcept
    : path_(std::move(other.path_)), tempPath_(std::move(other.tempPath_)) {
    other.tempPath_.clear();
}

TableFile::PendingWrite::~PendingWrite() {
    if (tempPath_.empty()) return;
    std::error_code ec;
    fs::remove(tempPath_, ec);
}

void TableFile::PendingWrite::commit() {
    if (tempPath_.empty()) return;
    const std::string context = writeError(path_);
    std::error_code ec;
    fs::rename(tempPath_, path_, ec);
    if (ec) throw util::Error(context + ec.message());
    tempPath_.clear();
    syncPath(directoryOf(path_), true, context);
}

}  // namespace store
