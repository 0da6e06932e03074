#pragma once
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "db/table_definitions.h"
#include "db/tdm.h"
#include "gui/program_windows.h"
#include "support/scripted_dialogs.h"

namespace guitest {

// A small database in a temporary directory and the program's windows started on it, as the
// program starts (lock on), with scripted dialogs and the given decimal separator.
//
// Systems, in the grid's order (Element1, Element2): Al+Fe, Cu+Ni, Fe+Cr, Fe+Ni, Pb+Sn.
// Cu+Ni has the phases Liquid (two expressions) and Fcc (one), and two experimental points.
class Program {
public:
    explicit Program(char separator) : separator_(separator) {
        directory = dir_.path().toStdString() + "/";
        fill(directory);
        dialogs = std::make_unique<testsupport::ScriptedDialogs>();
        windows = std::make_unique<gui::ProgramWindows>(*dialogs, separator_, directory);
        started = windows->start();
    }
    ~Program() { windows.reset(); }

    static void fill(const std::string& dir) {
        db::createEmptyDatabase(dir);
        testsupport::ScriptedDialogs quiet;
        db::TDM tdm(quiet);
        tdm.Start(dir);
        tdm.SetReadOnlyLock(false);
        for (const char* name : {"Cu+Ni", "Fe+Ni", "Al+Fe", "Fe+Cr", "Pb+Sn"}) {
            tdm.tblSystems.insert();
            tdm.tblSystems.setString("System_designation", name);
            tdm.tblSystems.post();
        }
        tdm.tblSystems.locate("System_designation", store::Value{std::string("Cu+Ni")});
        const auto phase = [&](const char* name, std::vector<std::pair<double, double>> ranges) {
            tdm.tblPhases.insert();
            tdm.tblPhases.setString("Phase_designation", name);
            tdm.tblPhases.post();
            for (const auto& [tmin, tmax] : ranges) {
                tdm.tblGibbs.insert();
                tdm.tblGibbs.setFloat("Tmin", tmin);
                tdm.tblGibbs.setFloat("Tmax", tmax);
                tdm.tblGibbs.setString("Expression", "-1000+T");
                tdm.tblGibbs.post();
            }
        };
        phase("Liquid", {{298, 1000}, {1000, 3000}});
        phase("Fcc", {{298, 3000}});
        for (double x : {0.25, 0.5}) {
            tdm.tblExperiment.insert();
            tdm.tblExperiment.setString("SQUIB", "Test");
            tdm.tblExperiment.setFloat("X_value", x);
            tdm.tblExperiment.setFloat("Y_value", 1500);
            tdm.tblExperiment.post();
        }
        tdm.SaveDatabase();
    }

    std::string designation() const {
        return windows->tdm().tblSystems.asString("System_designation");
    }
    void select(const std::string& designation) {
        windows->tdm().tblSystems.locate("System_designation", store::Value{designation});
    }

    QTemporaryDir dir_;
    char separator_;
    std::string directory;
    std::unique_ptr<testsupport::ScriptedDialogs> dialogs;
    std::unique_ptr<gui::ProgramWindows> windows;
    bool started = false;
};

}  // namespace guitest
