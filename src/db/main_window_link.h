#pragma once
#include <string>

namespace db {

// What the edit rules reach of the windows: the Y-parameter labels of the main window and the
// record-position labels. TDM works without it (no window: nothing is shown).
class MainWindowLink {
public:
    virtual ~MainWindowLink() = default;
    // The main window's handler of the Y-parameter choice; runs whenever the current system changes.
    virtual void dbcbYChange() {}
    // The main window's position label of the Gibbs-energy records (Label5), e.g. "2/3".
    virtual void showGibbsPosition(const std::string& /*text*/) {}
    // The stability window's position label of the detail records (Label3); called only while
    // stabilityWindowExists() is true.
    virtual void showStabDetPosition(const std::string& /*text*/) {}
    virtual bool stabilityWindowExists() const { return false; }
};

}  // namespace db
