#pragma once
#include <QMainWindow>
#include <string>

#include "db/database_observer.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;

namespace db { class TDM; }
namespace util { class Dialogs; }

namespace gui {

class DataGrid;
class RecordBinder;
class RecordNavigator;
class TableModel;

// The stability parameter window: the element data (parameters and their temperature-range
// expressions) with the menu "Данные" that writes and reads the stability parameter file.
// Not modal; hidden rather than destroyed when closed.
class TfmStability : public QMainWindow, private db::DatabaseObserver {
    Q_OBJECT
public:
    TfmStability(db::TDM& tdm, util::Dialogs& dialogs, char decimalSeparator, std::string programDirectory,
                 QWidget* parent = nullptr);
    ~TfmStability() override;

    // Shows the current expression's place ("n/m") again.
    void showPosition();
    // Hands text typed into the window's edits to the tables.
    void commitEdits();
    // Answers true while a calculation runs; reading the file is then refused.
    std::function<bool()> busy;

    DataGrid* grid() const { return grid_; }
    QLabel* positionLabel() const { return lblPosition_; }
    QPlainTextEdit* memExpression() const { return memExpression_; }

public slots:
    void N2Click();  // Записать в файл
    void N3Click();  // Загрузить из файла

private:
    void stabDetPositionChanged(const db::TDM&) override { showPosition(); }

    db::TDM& tdm_;
    util::Dialogs& dialogs_;
    char separator_;
    std::string programDirectory_;
    TableModel* model_ = nullptr;
    RecordBinder* parameterBinder_ = nullptr;
    RecordBinder* detailBinder_ = nullptr;
    DataGrid* grid_ = nullptr;
    QPlainTextEdit* memComment_ = nullptr;
    QPlainTextEdit* memExpression_ = nullptr;
    QLineEdit* edXmin_ = nullptr;
    QLineEdit* edXmax_ = nullptr;
    QLabel* lblPosition_ = nullptr;
};

}  // namespace gui
