#pragma once
// The system of the whole-run benchmarks: SGTE-style element functions, three solution phases and
// two compounds, on a 1,001 x 1,001 grid from 2000 K down to 300 K.
#include <string>

#include "calc/system_record.h"
#include "functions/memory_source.h"

namespace bench {

// Element functions in the SGTE form, and three solution phases plus two compounds built on them.
inline functions::MemorySource sgteSystem() {
    const std::string ga = "(-7770.458+130.485235*T-24.112392*T*LN(T)-2.65684E-3*T^2+0.129223E-6*T^3+52478*T^(-1))";
    const std::string gb = "(-5179.159+117.854*T-22.096*T*LN(T)-4.8407E-3*T^2)";
    struct Phase {
        std::string name, x, expression;
    };
    const Phase phases[] = {
        {"LIQUID", "", "(1-X)*(" + ga + "+12964.735-9.511904*T)+X*(" + gb + "+16414.686-9.397*T)-T*SID+X*(1-X)*(-12000+2*T)"},
        {"FCC_A1", "", "(1-X)*" + ga + "+X*" + gb + "-T*SID+X*(1-X)*((8047.72+3.42217*T)+(-2041.30+0.99714*T)*(1-2*X))"},
        {"BCC_A2", "", "(1-X)*(" + ga + "+4017-1.255*T)+X*(" + gb + "+8715.084-3.556*T)-T*SID+X*(1-X)*(15000-4*T)"},
        {"AB3", "0.75", "0.25*" + ga + "+0.75*" + gb + "-9000+1.5*T"},
        {"A2B", "1/3", "(2*" + ga + "+" + gb + ")/3-8000+T"},
    };
    functions::MemorySource source;
    source.designation = "A-B";
    for (const Phase& phase : phases) {
        functions::GibbsRecord record;
        record.Tmin = 298.15;
        record.Tmax = 3000;
        record.X = phase.x;
        record.Expression = phase.expression;
        source.phases.push_back({phase.name, {record}});
    }
    return source;
}

inline calc::SystemRecord grid1001() {
    calc::SystemRecord record;
    record.Xpoints = 1000;
    record.Ypoints = 1000;
    record.Ymin = 300;
    record.Ymax = 2000;
    record.Zvalue = 1;
    record.Yparameter = "Temperature";
    return record;
}

}  // namespace bench
