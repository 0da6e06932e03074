#pragma once
#include <optional>
#include <string>
#include <vector>

#include "db/tdm.h"

namespace functions::testing {

// Fills an open, unlocked database through the table store with the system "Cu+Ni" whose listing
// is tests/data/functions/Cu+Ni.txt (element data of Cu and Ni referenced without regard to case,
// a windowed record, a Tmax of 0, a point phase, a Cyrillic phase name, a phase without records),
// followed by the system "Zn+Zr" referencing Zn. Leaves "Cu+Ni" current.
class GoldenSystem {
public:
    explicit GoldenSystem(db::TDM& tdm) : tdm_(tdm) {
        parameter("CU", {{298.15, 1357.77, "-7770.458 + 130.485685*T\r\n-24.112392*T*LN(T)"},
                         {1357.77, 3200, "-13542.026+183.803828*T-31.38*T*LN(T)"}});
        parameter("Ni", {{298.15, 1728, "-5179.159+117.854*T-22.096*T*LN(T)"},
                         {1728, 3000, "-27840.655+279.135*T-43.1*T*LN(T)"}});
        parameter("Zn", {{298.15, 692.68, "-7285.787+118.470069*T-23.701314*T*LN(T)"}});

        system("Cu+Ni");
        phase("Liquid");
        gibbs(298.15, 3000, "(1-X)*({Cu})+X*({ni}) ...\r\n+8000*X*(1-X)");
        phase("Fcc");
        gibbs(1000, 0, "X*(1-X)*(-2000)+T");
        gibbs(298.15, 1000, "X*(1-X)*(-1000)", "", 0.1, 0.9);
        phase("Compound");
        gibbs(298.15, 2000, "-30000+10*T", "1/3");
        phase("Фаза");
        gibbs(500, 600.5, "1,5*T");
        phase("Empty");

        system("Zn+Zr");
        phase("Hcp");
        gibbs(298.15, 692.68, "{Zn}");
        tdm_.tblSystems.locate("System_designation", store::Value{std::string("Cu+Ni")});
    }

private:
    struct Detail {
        double tmin, tmax;
        std::string expression;
    };

    void system(const std::string& designation) {
        tdm_.tblSystems.insert();
        tdm_.tblSystems.setString("System_designation", designation);
        tdm_.tblSystems.post();
    }
    void phase(const std::string& name) {
        tdm_.tblPhases.insert();
        tdm_.tblPhases.setString("Phase_designation", name);
        tdm_.tblPhases.post();
    }
    void gibbs(double tmin, double tmax, const std::string& expression, const std::string& x = "",
               std::optional<double> xmin = std::nullopt, std::optional<double> xmax = std::nullopt) {
        store::Table& t = tdm_.tblGibbs;
        t.insert();
        t.setFloat("Tmin", tmin);
        t.setFloat("Tmax", tmax);
        t.setString("X", x);
        if (xmin) t.setFloat("Xmin", *xmin);
        if (xmax) t.setFloat("Xmax", *xmax);
        t.setString("Expression", expression);
        t.post();
    }
    void parameter(const std::string& designation, const std::vector<Detail>& details) {
        tdm_.tblStability.insert();
        tdm_.tblStability.setString("Designation", designation);
        tdm_.tblStability.post();
        for (const Detail& d : details) {
            tdm_.tblStabDet.insert();
            tdm_.tblStabDet.setFloat("Tmin", d.tmin);
            tdm_.tblStabDet.setFloat("Tmax", d.tmax);
            tdm_.tblStabDet.setString("Expression", d.expression);
            tdm_.tblStabDet.post();
        }
    }

    db::TDM& tdm_;
};

}  // namespace functions::testing
