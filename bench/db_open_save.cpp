// Opening and saving a database of 1,000 systems x 10 phases x 30 Gibbs-energy records, against
// a baseline of plain SQLite doing the least the same files need (scanning every row on open,
// inserting every row into a new file on save). Prints seconds per operation and the ratios.
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "db/table_definitions.h"
#include "db/tdm.h"
#include "store/table_file.h"
#include "util/dialogs.h"
#include "util/silent_dialogs.h"
#include "figure_reporter.h"

namespace {

namespace fs = std::filesystem;

constexpr int kSystems = 1000;
constexpr int kPhasesPerSystem = 10;
constexpr int kGibbsPerPhase = 30;

std::string benchDirectory() {
    static const std::string dir = [] {
        const fs::path p = fs::temp_directory_path() / ("ravo_bench_db_" + std::to_string(::getpid()));
        fs::remove_all(p);
        fs::create_directories(p);
        return p.string() + "/";
    }();
    return dir;
}

store::Record recordOf(const store::Schema& schema, const std::map<std::string, store::Value>& values) {
    store::Record r(static_cast<std::size_t>(schema.size()));
    for (const auto& [name, value] : values) r[static_cast<std::size_t>(schema.require(name))] = value;
    return r;
}

// Writes the database files once, built directly as table contents.
const std::string& database() {
    static const std::string dir = [] {
        const std::string d = benchDirectory();
        const auto& defs = db::tableDefinitions();
        std::array<store::TableContents, 6> tables;
        for (std::size_t i = 0; i < 6; ++i) tables[i].schema = defs[i].schema;
        const std::string expression =
            "-7770.458+130.485235*T-24.112392*T*LN(T)-.00265684*T^2+1.29223E-07*T^3+52478*T^(-1)+{GHSERCU}";
        std::int64_t phaseId = 0;
        for (std::int64_t s = 1; s <= kSystems; ++s) {
            const std::string name = "E" + std::to_string(s % 97) + "+F" + std::to_string(s);
            tables[0].records.push_back(recordOf(
                tables[0].schema, {{"System_id", s}, {"System_designation", name}, {"Element1", "E" + std::to_string(s % 97)},
                                   {"Element2", "F" + std::to_string(s)}, {"Ymin", 300.0}, {"Ymax", 1500.0},
                                   {"Xpoints", std::int64_t{100}}, {"Ypoints", std::int64_t{100}}, {"ShowChart", true},
                                   {"Yparameter", std::string("Temperature")}, {"Comment", std::string("assessment")}}));
            for (int p = 0; p < kPhasesPerSystem; ++p) {
                ++phaseId;
                tables[1].records.push_back(recordOf(tables[1].schema, {{"Phase_id", phaseId}, {"FK_system", s},
                                                                        {"Phase_designation", "PHASE_" + std::to_string(p)}}));
                for (int g = 0; g < kGibbsPerPhase; ++g)
                    tables[2].records.push_back(recordOf(
                        tables[2].schema, {{"FK_Phase", phaseId}, {"Tmin", 298.15 + 100.0 * g}, {"Tmax", 398.15 + 100.0 * g},
                                           {"X", std::string("")}, {"Xmin", 0.0}, {"Xmax", 1.0}, {"Expression", expression}}));
            }
        }
        tables[0].nextAutoIncrement = kSystems + 1;
        tables[1].nextAutoIncrement = phaseId + 1;
        for (std::size_t i = 0; i < 6; ++i) store::TableFile::save(d + defs[i].fileName, tables[i]);
        return d;
    }();
    return dir;
}

void BM_OpenDatabase(benchmark::State& state) {
    util::SilentDialogs dialogs;
    db::TDM dm(dialogs);
    dm.Start(database());
    for (auto _ : state) dm.OpenDatabase(database());
    if (dm.tblGibbs.recordCount() != kGibbsPerPhase) state.SkipWithError("wrong database");
}
BENCHMARK(BM_OpenDatabase)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_RawSqliteScan(benchmark::State& state) {
    const std::string dir = database();
    for (auto _ : state) {
        std::int64_t cells = 0;
        for (const auto& def : db::tableDefinitions()) {
            sqlite3* db = nullptr;
            sqlite3_open_v2((dir + def.fileName).c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
            sqlite3_stmt* stmt = nullptr;
            sqlite3_prepare_v2(db, "SELECT * FROM records ORDER BY seq", -1, &stmt, nullptr);
            while (sqlite3_step(stmt) == SQLITE_ROW)
                for (int c = 0; c < sqlite3_column_count(stmt); ++c) cells += sqlite3_column_bytes(stmt, c) > 0;
            sqlite3_finalize(stmt);
            sqlite3_close(db);
        }
        benchmark::DoNotOptimize(cells);
    }
}
BENCHMARK(BM_RawSqliteScan)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_SaveDatabase(benchmark::State& state) {
    util::SilentDialogs dialogs;
    db::TDM dm(dialogs);
    dm.Start(database());
    for (auto _ : state) dm.SaveDatabase();
}
BENCHMARK(BM_SaveDatabase)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_RawSqliteWrite(benchmark::State& state) {
    const std::string dir = database();
    const std::size_t rows = kSystems + kSystems * kPhasesPerSystem + kSystems * kPhasesPerSystem * kGibbsPerPhase;
    const std::string expression(92, 'x');
    const std::string path = dir + "raw.tmp";
    for (auto _ : state) {
        fs::remove(path);
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN;"
                         "CREATE TABLE records(seq INTEGER PRIMARY KEY, c0, c1, c2, c3, c4, c5, c6)",
                     nullptr, nullptr, nullptr);
        sqlite3_stmt* stmt = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO records VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)", -1, &stmt, nullptr);
        for (std::size_t i = 0; i < rows; ++i) {
            sqlite3_bind_int64(stmt, 1, static_cast<sqlite3_int64>(i));
            sqlite3_bind_int64(stmt, 2, static_cast<sqlite3_int64>(i / 30));
            sqlite3_bind_double(stmt, 3, 298.15);
            sqlite3_bind_double(stmt, 4, 398.15);
            sqlite3_bind_text(stmt, 5, "", 0, SQLITE_STATIC);
            sqlite3_bind_double(stmt, 6, 0.0);
            sqlite3_bind_double(stmt, 7, 1.0);
            sqlite3_bind_text(stmt, 8, expression.data(), static_cast<int>(expression.size()), SQLITE_STATIC);
            sqlite3_step(stmt);
            sqlite3_reset(stmt);
        }
        sqlite3_finalize(stmt);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    fs::remove(path);
}
BENCHMARK(BM_RawSqliteWrite)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    FigureReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    auto seconds = [&](const char* name) {
        const FigureReporter::Figures* f = reporter.find(name);
        return f ? f->realSeconds : 0.0;
    };
    const double open = seconds("BM_OpenDatabase"), scan = seconds("BM_RawSqliteScan");
    const double save = seconds("BM_SaveDatabase"), write = seconds("BM_RawSqliteWrite");
    if (open > 0 && scan > 0)
        std::printf("open: %.3f s (target < 1 s), plain SQLite scan %.3f s, ratio %.2f\n", open, scan, open / scan);
    if (save > 0 && write > 0)
        std::printf("save: %.3f s (target < 1 s), plain SQLite write %.3f s, ratio %.2f\n", save, write, save / write);
    fs::remove_all(benchDirectory());
    return 0;
}
