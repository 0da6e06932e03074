#pragma once
#include <QCheckBox>
#include <QColor>
#include <QFont>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "gui/plot/diagram_plot.h"
#include "results/diagram_content.h"
#include "results/invariant_table.h"
#include "results/label_font_file.h"
#include "util/dialogs.h"

namespace gui {

// The phase diagram window ("Diagram"): the chart, the coordinate readout under it, region labels
// placed by a left click, zoom and scroll with the mouse, the chart editor, the label font, copy to
// the clipboard and "Сохранить как…". Created at program start and kept until the program ends.
//
// Settings: "Chart.cfg" and "fntLabel.cfg" in the settings directory (the current directory of the
// program) are read when the window is created and written by saveSettings(), which the destructor
// calls. A damaged file is reported through the dialogs and the defaults stay (for the label font:
// what the lines before the bad one gave).
class TfmDiagram2 : public QWidget {
    Q_OBJECT
public:
    // The text of the region label a click at axis values (cx, cy) places, or nullopt for none.
    using RegionLookup = std::function<std::optional<std::string>(double cx, double cy)>;
    // The refined invariants of the run the diagram shows (see RunController::invariants).
    using InvariantSource = std::function<const std::vector<results::Invariant>&()>;

    TfmDiagram2(util::Dialogs& dialogs, char decimalSeparator, const QString& settingsDirectory,
                QWidget* parent = nullptr);
    ~TfmDiagram2() override;

    // The diagram command's part in this window: removes the region labels, takes the content's
    // title, foot and series, undoes any zoom and shows the window (not modal).
    void showDiagram(const results::DiagramContent& content, RegionLookup regionAt);
    // Where "Уточнить ноды" takes the refined invariants from; without one the box changes nothing.
    void setInvariantSource(InvariantSource source) { invariantSource_ = std::move(source); }
    // The foot the diagram command uses without an x caption directive.
    std::string defaultFootText() const { return DefaultFootText.toStdString(); }

    void RemoveChartLabels();
    // Writes "Chart.cfg" (after removing the labels, undoing the zoom, setting both axes to
    // automatic and the foot to DefaultFootText) and "fntLabel.cfg". Faults go to the dialogs.
    void saveSettings();

    plot::DiagramPlot* Chart1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* sbSpecialPoints = nullptr;
    // "Нонвариантные равновесия": asks for the invariants window.
    QPushButton* sbInvariants = nullptr;
    // "Уточнить ноды" (off at start): node lines at the refined invariants' Y and compositions;
    // off, the chart is exactly what the diagram command built.
    QCheckBox* chbRefineNodes = nullptr;
    QPushButton* sbEdit = nullptr;
    QPushButton* sbUndoZoom = nullptr;
    QPushButton* sbCopy = nullptr;
    QPushButton* sbSaveAs = nullptr;
    QPushButton* BitBtn1 = nullptr;
    QMenu* PopupMenu1 = nullptr;
    QAction* Setfontforlabels1 = nullptr;
    QAction* Setcolorforlabels1 = nullptr;

    // The font every new region label gets a copy of, with its colour.
    QFont LabelFont;
    QColor LabelColor;
    QString DefaultFootText;

signals:
    // "Особые точки": the special points window fills its node grid (diagram format) and shows.
    void specialPointsRequested();
    // "Нонвариантные равновесия": the invariants window fills and shows.
    void invariantsRequested();

public slots:
    void sbEditClick();
    void sbUndoZoomClick();
    void sbCopyClick();
    void sbSaveAsClick();
    void Setfontforlabels1Click();
    void Setcolorforlabels1Click();
    void chbRefineNodesClick();

protected:
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void chartMouseMove(const QPoint& pixel);
    void chartLeftClick(const QPoint& pixel);
    void labelRightPress(QCPItemText* label, bool altHeld);
    void loadSettings();
    void guarded(const std::function<void()>& action);
    QString settingsPath(const char* name) const;

    util::Dialogs& dialogs_;
    char decimalSeparator_;
    QString settingsDirectory_;
    RegionLookup regionAt_;
    InvariantSource invariantSource_;
    results::DiagramContent gridContent_;  // as the diagram command built it
    void drawContent();
    results::LabelFontStyle labelFontSpec_;
};

}  // namespace gui
