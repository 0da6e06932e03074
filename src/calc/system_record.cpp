#include "calc/system_record.h"

#include "store/table.h"

namespace calc {

SystemRecord ReadSystemRecord(const store::Table& tblSystems) {
    SystemRecord r;
    r.System_designation = tblSystems.asString("System_designation");
    r.Ymin = tblSystems.asFloat("Ymin");
    r.Ymax = tblSystems.asFloat("Ymax");
    r.Zvalue = tblSystems.asFloat("Zvalue");
    r.Xpoints = static_cast<int>(tblSystems.asInteger("Xpoints"));
    r.Ypoints = static_cast<int>(tblSystems.asInteger("Ypoints"));
    r.Yparameter = tblSystems.asString("Yparameter");
    r.Abbreviations = tblSystems.asString("Abbreviations");
    r.ShowMosaicDiagram = tblSystems.asBoolean("ShowMosaicDiagram");
    r.ShowChart = tblSystems.asBoolean("ShowChart");
    return r;
}

}  // namespace calc
