#pragma once
#include <QWidget>

namespace db { class TDM; }
namespace util { class Dialogs; }

namespace gui {

class DataGrid;

// The experimental data window: the measured points of the system selected in the main window, in
// a grid editable in place. Not modal; hidden rather than destroyed when closed.
class TfmExperiment : public QWidget {
    Q_OBJECT
public:
    TfmExperiment(db::TDM& tdm, util::Dialogs& dialogs, char decimalSeparator, QWidget* parent = nullptr);
    DataGrid* grid() const { return grid_; }

private:
    DataGrid* grid_ = nullptr;
};

}  // namespace gui
