#pragma once

namespace db {

class TDM;

// Notifications of the data module for whatever shows the database (the desktop program's windows,
// tests). Each call comes after the change; the observer reads what it shows from the data module
// (TDM::YParameterIndex, TDM::GibbsPositionText, TDM::StabDetPositionText). Observers must not
// throw.
class DatabaseObserver {
public:
    virtual ~DatabaseObserver() = default;
    // The current system changed (another record, or the tables were opened again), so the meaning
    // of Y, and with it the label of the fixed variable, may have changed.
    virtual void yMeaningChanged(const TDM&) {}
    // The current Gibbs-energy record moved, or the records of the current phase changed.
    virtual void gibbsPositionChanged(const TDM&) {}
    // The current stability detail record moved, or the details of the current parameter changed.
    virtual void stabDetPositionChanged(const TDM&) {}
};

}  // namespace db
