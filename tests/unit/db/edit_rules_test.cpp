// The edit rules of the data module, exercised through ordinary table operations.
#include <gtest/gtest.h>

#include "db_fixture.h"

namespace {

using dbtest::DbTest;
using store::TableState;
using store::Value;

TEST_F(DbTest, NewSystemGetsItsDefaults) {
    dm->tblSystems.insert();
    auto& s = dm->tblSystems;
    EXPECT_EQ(s.asInteger("Ypoints"), 100);
    EXPECT_EQ(s.asInteger("XPoints"), 100);
    EXPECT_TRUE(s.asBoolean("ShowChart"));
    EXPECT_TRUE(s.isNull("ShowMosaicDiagram"));
    EXPECT_EQ(s.asFloat("Ymin"), 300);
    EXPECT_EQ(s.asFloat("Ymax"), 300);
    EXPECT_EQ(s.asString("Yparameter"), "Temperature");
    EXPECT_TRUE(s.isNull("Zvalue"));
}

struct SplitCase {
    const char* name;
    const char* before;  // designation posted first, or nullptr
    const char* designation;
    const char* e1;
    const char* e2;
    const char* e3;
    bool refused;
};

class DesignationSplit : public DbTest, public ::testing::WithParamInterface<SplitCase> {};

TEST_P(DesignationSplit, FillsTheElementFields) {
    const SplitCase& c = GetParam();
    auto& s = dm->tblSystems;
    if (c.before) {
        addSystem(c.before);
        s.edit();
    } else {
        s.insert();
    }
    s.setString("System_designation", c.designation);
    if (c.refused) {
        EXPECT_THROW(s.post(), util::SilentAbort);
        EXPECT_EQ(dialogs.texts("error"), std::vector<std::string>{"Too many elements in the system"});
        EXPECT_NE(s.state(), TableState::Browse);
    } else {
        s.post();
        EXPECT_TRUE(dialogs.shown.empty());
        EXPECT_EQ(s.asString("System_designation"), c.designation);
    }
    EXPECT_EQ(s.asString("Element1"), c.e1);
    EXPECT_EQ(s.asString("Element2"), c.e2);
    EXPECT_EQ(s.asString("Element3"), c.e3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DesignationSplit,
    ::testing::Values(SplitCase{"TwoAfterThreeKeepsThird", "Cu+Ni+Zn", "Cu+Ni", "Cu", "Ni", "Zn", false},
                      SplitCase{"FourPartsRefused", nullptr, "A+B+C+D", "A", "B", "C", true},
                      SplitCase{"FourPartsRefusedInEdit", "X+Y", "A+B+C+D", "A", "B", "C", true},
                      SplitCase{"BlanksKept", nullptr, "Cu + Ni", "Cu ", " Ni", "", false},
                      SplitCase{"TrailingPlusAddsNothing", nullptr, "Fe+", "Fe", "", "", false},
                      SplitCase{"EmptyPartsCount", nullptr, "+Al++", "", "Al", "", false},
                      SplitCase{"EmptyPartIsFourth", nullptr, "+Al++Si", "", "Al", "", true},
                      SplitCase{"NoPlus", nullptr, "Pb", "Pb", "", "", false},
                      // Element fields hold 20 characters: longer parts are cut, the designation is whole.
                      SplitCase{"LongPartCutToTheField", nullptr, "Fe+Ni (liquid and fcc only)", "Fe",
                                "Ni (liquid and fcc o", "", false},
                      SplitCase{"OnePartOf21Characters", nullptr, "ABCDEFGHIJKLMNOPQRSTU", "ABCDEFGHIJKLMNOPQRST", "",
                                "", false},
                      SplitCase{"CyrillicPartCutByCharacters", nullptr, "Железо-никелевый сплав+Cu",
                                "Железо-никелевый спл", "Cu", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DbTest, SystemsSortByTheirElementsAfterTheSplit) {
    for (const char* d : {"Zn+Cu", "Al+Mg+Si", "Al+Mg", "Al+Zn"}) addSystem(d);
    std::vector<std::string> order;
    for (dm->tblSystems.first(); !dm->tblSystems.eof(); dm->tblSystems.next())
        order.push_back(dm->tblSystems.asString("System_designation"));
    EXPECT_EQ(order, (std::vector<std::string>{"Al+Mg", "Al+Mg+Si", "Al+Zn", "Zn+Cu"}));
}

TEST_F(DbTest, NewPhaseAndNewGibbsRecordPostTheirUnpostedMastersFirst) {
    dm->tblSystems.insert();
    dm->tblSystems.setString("System_designation", "Cu+Ni");
    dm->tblPhases.insert();
    EXPECT_EQ(dm->tblSystems.state(), TableState::Browse);
    EXPECT_EQ(dm->tblPhases.asInteger("FK_system"), dm->tblSystems.asInteger("System_id"));
    dm->tblPhases.setString("Phase_designation", "LIQUID");
    dm->tblGibbs.insert();
    EXPECT_EQ(dm->tblPhases.state(), TableState::Browse);
    EXPECT_EQ(dm->tblGibbs.asInteger("FK_Phase"), dm->tblPhases.asInteger("Phase_id"));
    // Temperature is the Y parameter: the range of the new record is the system's Y range.
    EXPECT_EQ(dm->tblGibbs.asFloat("Tmin"), 300);
    EXPECT_EQ(dm->tblGibbs.asFloat("Tmax"), 300);
}

TEST_F(DbTest, GibbsRangeIsFilledOnlyWhenYIsTemperature) {
    addSystem("Cu+Ni");
    dm->tblSystems.edit();
    dm->tblSystems.setFloat("Ymin", 298.15);
    dm->tblSystems.setFloat("Ymax", 1.0 / 3.0);
    dm->tblSystems.post();
    addPhase("FCC");
    dm->tblGibbs.insert();
    EXPECT_EQ(dm->tblGibbs.asFloat("Tmin"), 298.15);
    EXPECT_EQ(dm->tblGibbs.asFloat("Tmax"), 1.0 / 3.0);  // full precision
    dm->tblGibbs.cancel();

    dm->tblSystems.edit();
    dm->tblSystems.setString("Yparameter", "Pressure");
    dm->tblSystems.post();
    EXPECT_EQ(dm->YParameterIndex(), 1);
    dm->tblGibbs.insert();
    EXPECT_TRUE(dm->tblGibbs.isNull("Tmin"));
    EXPECT_TRUE(dm->tblGibbs.isNull("Tmax"));
}

TEST_F(DbTest, GibbsRecordNeedsAnExpressionAndItsCompositionWindowIsClamped) {
    addSystem("Cu+Ni");
    addPhase("FCC");
    auto& g = dm->tblGibbs;
    g.insert();
    g.setFloat("Xmin", -0.2);
    g.setFloat("Xmax", 1.3);
    EXPECT_THROW(g.post(), util::SilentAbort);
    EXPECT_EQ(dialogs.texts("error"), std::vector<std::string>{"Function is not specified"});
    EXPECT_EQ(g.state(), TableState::Insert);
    EXPECT_EQ(g.asFloat("Xmin"), -0.2);  // nothing changed by the refused post
    g.setString("Expression", "-1000+T");
    g.post();
    EXPECT_EQ(g.asFloat("Xmin"), 0);
    EXPECT_EQ(g.asFloat("Xmax"), 1);
    g.edit();
    g.setFloat("Xmin", 0.25);
    g.setFloat("Xmax", 0.75);
    g.post();
    EXPECT_EQ(g.asFloat("Xmin"), 0.25);
    EXPECT_EQ(g.asFloat("Xmax"), 0.75);
}

TEST_F(DbTest, GibbsPositionLabelCountsTheRecordsOfThePhase) {
    addSystem("Cu+Ni");
    addPhase("FCC");
    addGibbs(1000, 3000);
    addGibbs(298.15, 1000);
    addGibbs(3000, 6000);
    dm->tblGibbs.first();
    dm->tblGibbs.next();
    EXPECT_EQ(window.gibbsPositions.back(), "2/3");
    EXPECT_EQ(dm->tblGibbs.asFloat("Tmin"), 1000);  // records in Tmin order
    addPhase("LIQUID");
    EXPECT_EQ(window.gibbsPositions.back(), "0/0");
    dm->tblGibbs.insert();
    EXPECT_EQ(window.gibbsPositions.back(), "1/1");
}

TEST_F(DbTest, DeletingASystemDeletesItsPhasesAndTheirGibbsRecordsButNotItsExperiments) {
    addSystem("Cu+Ni");
    addPhase("FCC");
    addGibbs(298, 1000);
    addGibbs(1000, 3000);
    addPhase("LIQUID");
    addGibbs(298, 3000);
    addExperiment(0.5, 1500);
    addSystem("Pb+Sn");
    addPhase("BCT");
    addGibbs(298, 600);
    ASSERT_TRUE(dm->tblSystems.locate("System_designation", Value{std::string("Cu+Ni")}));
    dm->tblSystems.deleteRecord();
    dm->SaveDatabase();
    const std::string d = dm->DatabaseDirectory();
    EXPECT_EQ(store::TableFile::load(d + "systems.d").records.size(), 1u);
    EXPECT_EQ(store::TableFile::load(d + "phases.d").records.size(), 1u);
    EXPECT_EQ(store::TableFile::load(d + "gibbs_energy.d").records.size(), 1u);
    EXPECT_EQ(store::TableFile::load(d + "experim_data.d").records.size(), 1u);
}

TEST_F(DbTest, WithTheLockOnOnlySystemsWithoutPhasesCanBeDeleted) {
    addSystem("Cu+Ni");
    addPhase("FCC");
    addSystem("Pb+Sn");
    dm->SaveDatabase();
    dm->SetReadOnlyLock(true);
    ASSERT_TRUE(dm->tblSystems.locate("System_designation", Value{std::string("Cu+Ni")}));
    EXPECT_EQ(errorOf([&] { dm->tblSystems.deleteRecord(); }), "Read-only record cannot be deleted");
    EXPECT_EQ(dm->tblSystems.recordCount(), 2);
    EXPECT_EQ(dm->tblPhases.recordCount(), 1);
    ASSERT_TRUE(dm->tblSystems.locate("System_designation", Value{std::string("Pb+Sn")}));
    dm->tblSystems.deleteRecord();
    EXPECT_EQ(dm->tblSystems.recordCount(), 1);
    EXPECT_EQ(errorOf([&] { dm->tblPhases.insert(); }), "Cannot modify a read-only dataset");
}

TEST_F(DbTest, DeletingAStabilityParameterDeletesItsDetails) {
    auto& p = dm->tblStability;
    auto& d = dm->tblStabDet;
    p.insert();
    p.setString("Designation", "GHSERAL");
    d.insert();  // posts the new parameter first
    EXPECT_EQ(p.state(), TableState::Browse);
    d.setFloat("Tmax", 700);
    d.setString("Expression", "-7976+137*T");
    d.post();
    p.insert();
    p.setString("Designation", "GHSERCU");
    p.post();
    p.first();
    p.deleteRecord();
    EXPECT_EQ(p.asString("Designation"), "GHSERCU");
    dm->SaveDatabase();
    EXPECT_EQ(store::TableFile::load(dir + "stability_detail.d").records.size(), 0u);
    EXPECT_EQ(store::TableFile::load(dir + "stability_params.d").records.size(), 1u);
}

TEST_F(DbTest, NewStabilityDetailStartsWhereTheLastRangeEnded) {
    auto& p = dm->tblStability;
    auto& d = dm->tblStabDet;
    auto addParameter = [&](const char* name) {
        p.insert();
        p.setString("Designation", name);
        p.post();
    };
    auto addRange = [&](double tmin, double tmax) {
        d.insert();
        d.setFloat("Tmin", tmin);
        d.setFloat("Tmax", tmax);
        d.setString("Expression", "0");
        d.post();
    };
    addParameter("GHSERAL");
    d.insert();
    EXPECT_TRUE(d.isNull("Tmin"));  // no range before: nothing filled in
    d.cancel();
    addRange(298.15, 700);
    addRange(933.47, 2900);
    addRange(700, 933.47);  // inserted last, sorts in the middle
    d.insert();
    EXPECT_EQ(d.asFloat("Tmin"), 2900);  // the last range in Tmin order, not the last inserted
    EXPECT_EQ(window.stabDetPositions.back(), "4/4");
    d.cancel();

    // A parameter without ranges, right after one whose last Tmax was 933.47.
    addParameter("GHSERMG");
    addRange(298.15, 933.47);
    d.insert();
    d.cancel();
    addParameter("GHSERZN");
    d.insert();
    EXPECT_EQ(d.asFloat("Tmin"), 933.47);
    EXPECT_EQ(dm->LastDetailTmax, 933.47);
}

struct YTextCase {
    double value;
    char separator;
    const char* text;
};

TEST_F(DbTest, YFieldsShowTheirOwnTextForDisplayAndEditing) {
    const YTextCase cases[] = {{0, '.', "0e00"},           {1e-6, '.', "1e-06"},       {300, '.', "300"},
                               {0.00001, '.', "0.00001"}, {654.98765432, '.', "654.9876543"},
                               {654.98765432, ',', "654,9876543"}, {-2.5e-7, ',', "-2,5e-07"}};
    dm->tblSystems.insert();
    for (const auto& c : cases) {
        for (const char* field : {"Ymin", "Ymax", "Zvalue"}) {
            dm->tblSystems.setFloat(field, c.value);
            EXPECT_EQ(dm->tblSystems.displayText(field, c.separator), c.text) << field << " " << c.value;
        }
    }
    dm->tblSystems.clear("Zvalue");
    EXPECT_EQ(dm->tblSystems.displayText("Zvalue", '.'), "");
}

TEST_F(DbTest, SystemMovesRunTheYParameterHandler) {
    addSystem("Cu+Ni");
    addSystem("Pb+Sn");
    const int before = window.yChanges;
    dm->tblSystems.first();
    dm->tblSystems.next();
    EXPECT_EQ(window.yChanges, before + 2);
}

}  // namespace
