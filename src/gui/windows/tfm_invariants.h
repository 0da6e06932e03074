#pragma once
#include <QString>
#include <QWidget>
#include <vector>

#include "results/invariant_table.h"

class QPushButton;
class QTableWidget;

namespace gui {

// The window "Нонвариантные равновесия": the invariant equilibria of the last run, one row each,
// highest Y first - type, reaction, Y, the phases with their compositions, where the grid saw it
// (its Y and compositions, marked when it came from a node) and, for a row the refinement could not
// confirm, why. The table is read-only; it is filled only through setTable and shows what it was
// given until the next call. "Копировать" puts the whole table on the clipboard as tab-separated
// text (a heading line, then one line per row); Ctrl+C copies the selected rows the same way, or
// the whole table when none is selected. Closing the window only hides it.
class TfmInvariants : public QWidget {
    Q_OBJECT
public:
    explicit TfmInvariants(QWidget* parent = nullptr);

    // Replaces the rows. yParameterIndex is the Y selector's item index (0: temperature, "T, K";
    // 1: pressure, "p, бар"; otherwise "Y"); numbers are written with decimalSeparator.
    void setTable(const std::vector<results::Invariant>& table, int yParameterIndex, char decimalSeparator);

    // The table as tab-separated text with its heading line; only the given rows when
    // onlySelected is true and some are selected.
    QString tableText(bool onlySelected) const;
    QTableWidget* grid() const { return sgInvariants_; }
    QPushButton* copyButton() const { return sbCopy_; }

    // The type of an invariant as the window names it.
    static QString typeText(results::InvariantKind kind);

private:
    void sbCopyClick();
    void copySelection();

    QTableWidget* sgInvariants_;
    QPushButton* sbCopy_;
    QPushButton* sbClose_;
};

}  // namespace gui
