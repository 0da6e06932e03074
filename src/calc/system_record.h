#pragma once
#include <string>

namespace store {
class Table;
}

namespace calc {

// The fields of a system record that a calculation reads, as plain values: the database adapter
// fills it from tblSystems, tests write it directly.
struct SystemRecord {
    std::string System_designation;
    double Ymin = 0;
    double Ymax = 0;
    double Zvalue = 0;
    int Xpoints = 0;
    int Ypoints = 0;
    std::string Yparameter;     // "Temperature", "Pressure", "Y", or anything else for none
    std::string Abbreviations;  // free text with directive lines
    bool ShowMosaicDiagram = false;
    bool ShowChart = false;
};

// The fields of the current record of tblSystems.
SystemRecord ReadSystemRecord(const store::Table& tblSystems);

}  // namespace calc
