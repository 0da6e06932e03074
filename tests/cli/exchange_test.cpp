// ravo-cli export, import, stability-export, stability-import and catalog, run as the built program.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include "support/cli_runner.h"

namespace {

namespace fs = std::filesystem;

using Outcome = testsupport::CliRun;

// Runs ravo-cli with `arguments` in the directory `cwd`; standard error goes with standard output.
Outcome ravoIn(const fs::path& cwd, const std::string& arguments) {
    return testsupport::runRavoCli(arguments, testsupport::ErrorStream::Merged, cwd);
}

std::string readFile(const fs::path& path) { return testsupport::readFileBytes(path); }

void writeFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class ExchangeCliTest : public ::testing::Test {
protected:
    fs::path root = fs::temp_directory_path() / ("ravo_exchange_cli_" + std::to_string(::getpid()));
    std::string db = (root / "db").string();
    void SetUp() override {
        fs::remove_all(root);
        fs::create_directories(root);
        ASSERT_EQ(ravoIn(root, "init --db " + db).status, 0);
    }
    void TearDown() override { fs::remove_all(root); }
};

TEST_F(ExchangeCliTest, ImportSavesAndExportWritesTheSameBytesBesideTheProgram) {
    const std::string fixture = RAVO_TEST_DATA_DIR "/exchange/cu_ni.ter";
    const Outcome import = ravoIn(root, "import --db " + db + " " + fixture);
    ASSERT_EQ(import.status, 0) << import.output;
    EXPECT_EQ(import.output, "Сведения о системе занесены в базу\n");
    EXPECT_NE(ravoIn(root, "systems --db " + db).output.find("Cu+Ni (key 1): 4 phases, 4 Gibbs-energy records"),
              std::string::npos);

    const fs::path written = fs::path(RAVO_BIN_DIR) / "Cu+Ni.ter";
    const Outcome exported = ravoIn(root, "export --db " + db + " --system Cu+Ni");
    ASSERT_EQ(exported.status, 0) << exported.output;
    EXPECT_EQ(exported.output, "Данные о системе записаны в файл Cu+Ni.ter\n" + written.string() + "\n");
    EXPECT_EQ(readFile(written), readFile(fixture));
    fs::remove(written);

    const Outcome missing = ravoIn(root, "export --db " + db + " --system Fe+Ni");
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.output, "System Fe+Ni not found; the database holds Cu+Ni\n");
}

TEST_F(ExchangeCliTest, ImportAttachesPhasesToTheNamedSystemAndSavesNothingAfterAnError) {
    writeFile(root / "system.ter", "[SYSTEMS]\r\nSystem_designation\x1F @A+B\x80\r\n>\r\n");
    ASSERT_EQ(ravoIn(root, "import --db " + db + " system.ter").status, 0);
    writeFile(root / "phase.ter", "  [PHASES]\r\nPhase_designation\x1F @Alpha\x80\r\n>\r\n"
                                  "  [GIBBS_ENERGY]\r\nExpression\x1F @-1000\x80\r\n>\r\n");
    const Outcome phase = ravoIn(root, "import --db " + db + " --system A+B phase.ter");
    ASSERT_EQ(phase.status, 0) << phase.output;
    const std::string listed = "A+B (key 1): 1 phases, 1 Gibbs-energy records\n  Alpha: 1\n1 system in " + db + "/\n";
    EXPECT_EQ(ravoIn(root, "systems --db " + db).output, listed);

    writeFile(root / "damaged.ter", "  [PHASES]\r\nPhase_designation\x1F @Beta\x80\r\n>\r\n"
                                    "  [GIBBS_ENERGY]\r\nExpression\x1F @-1000\r\n");
    const Outcome damaged = ravoIn(root, "import --db " + db + " --system A+B damaged.ter");
    EXPECT_EQ(damaged.status, 1);
    EXPECT_EQ(damaged.output, "Файл обмена поврежден: значение поля, начатое в строке 5, не закончено байтом 0x80 "
                              "до конца файла\n");
    EXPECT_EQ(ravoIn(root, "systems --db " + db).output, listed);

    EXPECT_EQ(ravoIn(root, "import --db " + db + " no_such_file.ter").status, 1);
    EXPECT_EQ(ravoIn(root, "import --db " + db).status, 2);
}

TEST_F(ExchangeCliTest, StabilityFileGoesInFromTheCurrentDirectoryAndOutBesideTheProgram) {
    const std::string file =
        "[STABILITY_PARAMS]\r\nDesignation\x1F @GHSERAL\x80\r\nComment\x1F @Al, SGTE\r\nsecond line\x80\r\n>\r\n"
        "  [STABILITY_DETAIL]\r\nTmin\x1F @298.15\x80\r\nTmax\x1F @700\x80\r\nExpression\x1F @-7976.15\x80\r\n"
        "Xmin\x1F @0\x80\r\nXmax\x1F @1\x80\r\n>\r\n";
    const Outcome none = ravoIn(root, "stability-import --db " + db);
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.output, "Warning: File STABILITY_PARAMS.txt not found\n");

    writeFile(root / "STABILITY_PARAMS.txt", file);
    const Outcome import = ravoIn(root, "stability-import --db " + db);
    ASSERT_EQ(import.status, 0) << import.output;
    EXPECT_EQ(import.output, "Сведения о параметрах стабильности занесены в базу\n");
    ASSERT_EQ(ravoIn(root, "stability-import --db " + db).status, 0);  // stored now: passed over

    const fs::path written = fs::path(RAVO_BIN_DIR) / "STABILITY_PARAMS.txt";
    const Outcome exported = ravoIn(root, "stability-export --db " + db);
    ASSERT_EQ(exported.status, 0) << exported.output;
    EXPECT_EQ(readFile(written), file);
    fs::remove(written);
}

TEST_F(ExchangeCliTest, CatalogIsWrittenInTheCurrentDirectory) {
    writeFile(root / "two.ter", "[SYSTEMS]\r\nSystem_designation\x1F @Pb+Sn\x80\r\n>\r\n"
                                "[SYSTEMS]\r\nSystem_designation\x1F @Al+Zn\x80\r\n>\r\n");
    ASSERT_EQ(ravoIn(root, "import --db " + db + " two.ter").status, 0);
    const Outcome catalog = ravoIn(root, "catalog --db " + db);
    ASSERT_EQ(catalog.status, 0) << catalog.output;
    EXPECT_EQ(catalog.output, "Оглавление базы записано в файл Ravo_cat\n");
    EXPECT_EQ(readFile(root / "Ravo_cat"),
              "Al+Zn\r\nPb+Sn\r\n-------------------\r\n\xC2\xD1\xC5\xC3\xCE: 2 \xF1\xE8\xF1\xF2\xE5\xEC\r\n");
}

// Files that hold no system record: the import fails with its reason, never says the system was
// stored, and leaves the database as it was.
TEST_F(ExchangeCliTest, ImportOfAFileWithoutASystemFailsAndSavesNothing) {
    writeFile(root / "a.ter", "[SYSTEMS]\r\nSystem_designation\x1F @A+B\x80\r\n>\r\n");
    ASSERT_EQ(ravoIn(root, "import --db " + db + " a.ter").status, 0);
    const std::string before = ravoIn(root, "systems --db " + db).output;

    std::string binary;
    for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 7919 + 13) % 256);
    writeFile(root / "random.bin", binary);
    writeFile(root / "empty.ter", "");
    writeFile(root / "notes.txt", "Pb-Sn: eutectic at 456 K\nsee the assessment\n");
    fs::create_directories(root / "folder.ter");
    const struct {
        const char* file;
        std::string message;
    } cases[] = {
        {"random.bin", "В файле random.bin не найдено ни одной записи о системе\n"},
        {"empty.ter", "В файле empty.ter не найдено ни одной записи о системе\n"},
        {"notes.txt", "В файле notes.txt не найдено ни одной записи о системе\n"},
        {"folder.ter", "Не удается открыть файл folder.ter\n"},
        {"missing.ter", "Не удается открыть файл missing.ter\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const Outcome run = ravoIn(root, "import --db " + db + " " + c.file);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.output, c.message);
    }
    for (const char* file : {"random.bin", "empty.ter"}) {
        SCOPED_TRACE(file);
        const Outcome run = ravoIn(root, "stability-import --db " + db + " " + file);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.output, std::string("В файле ") + file + " не найдено ни одной записи о параметрах стабильности\n");
    }
    EXPECT_EQ(ravoIn(root, "systems --db " + db).output, before);
}

// --out sends every written file where the user says, so exports of two databases need not meet
// beside the program; without it they go where they always went.
TEST_F(ExchangeCliTest, WrittenFilesGoIntoTheDirectoryOfOut) {
    const std::string fixture = RAVO_TEST_DATA_DIR "/exchange/cu_ni.ter";
    ASSERT_EQ(ravoIn(root, "import --db " + db + " " + fixture).status, 0);
    writeFile(root / "params.txt", "[STABILITY_PARAMS]\r\nDesignation\x1F @GHSERCU\x80\r\nComment\x1F @Cu\x80\r\n>\r\n");
    const Outcome params = ravoIn(root, "stability-import --db " + db + " params.txt");
    ASSERT_EQ(params.status, 0) << params.output;

    const fs::path out = root / "exports" / "cu-ni";
    const Outcome exported = ravoIn(root, "export --db " + db + " --system Cu+Ni --out " + out.string());
    ASSERT_EQ(exported.status, 0) << exported.output;
    EXPECT_EQ(exported.output, "Данные о системе записаны в файл Cu+Ni.ter\n" + (out / "Cu+Ni.ter").string() + "\n");
    EXPECT_EQ(readFile(out / "Cu+Ni.ter"), readFile(fixture));

    const Outcome stability = ravoIn(root, "stability-export --db " + db + " --out " + out.string() + "/");
    ASSERT_EQ(stability.status, 0) << stability.output;
    EXPECT_EQ(readFile(out / "STABILITY_PARAMS.txt"), readFile(root / "params.txt"));

    ASSERT_EQ(ravoIn(root, "catalog --db " + db + " --out " + out.string()).status, 0);
    EXPECT_EQ(readFile(out / "Ravo_cat"), "Cu+Ni\r\n-------------------\r\n\xC2\xD1\xC5\xC3\xCE: 1 \xF1\xE8\xF1\xF2\xE5\xEC\r\n");
    EXPECT_FALSE(fs::exists(root / "Ravo_cat"));

    // The stability file is read back from a directory named in place of the file.
    const std::string other = (root / "other").string();
    ASSERT_EQ(ravoIn(root, "init --db " + other).status, 0);
    const Outcome back = ravoIn(root, "stability-import --db " + other + " " + out.string());
    EXPECT_EQ(back.status, 0) << back.output;
    EXPECT_EQ(back.output, "Сведения о параметрах стабильности занесены в базу\n");

    writeFile(root / "plain", "");
    const Outcome notADirectory = ravoIn(root, "catalog --db " + db + " --out plain");
    EXPECT_EQ(notADirectory.status, 1);
    EXPECT_EQ(notADirectory.output, "Cannot write into plain: it is no directory\n");
    EXPECT_EQ(ravoIn(root, "catalog --db " + db + " --out ''").status, 2);
}

}  // namespace
