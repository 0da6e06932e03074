#include "gui/windows/tfm_diagram2.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QEvent>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "gui/plot/diagram_export.h"
#include "gui/plot/settings_files.h"
#include "gui/windows/chart_editor.h"
#include "results/diagram_texts.h"
#include "results/refined_node_lines.h"
#include "util/errors.h"

namespace gui {

TfmDiagram2::TfmDiagram2(util::Dialogs& dialogs, char decimalSeparator, const QString& settingsDirectory,
                         QWidget* parent)
    : QWidget(parent, Qt::Window),
      dialogs_(dialogs),
      decimalSeparator_(decimalSeparator),
      settingsDirectory_(settingsDirectory) {
    setWindowTitle("Diagram");
    resize(820, 640);

    Chart1 = new plot::DiagramPlot(this);
    Label1 = new QLabel(this);
    Label1->setMinimumWidth(360);
    Label1->installEventFilter(this);
    sbSpecialPoints = new QPushButton(tr("Особые точки"), this);
    sbInvariants = new QPushButton(tr("Нонвариантные равновесия"), this);
    sbInvariants->setObjectName("sbInvariants");
    chbRefineNodes = new QCheckBox(tr("Уточнить ноды"), this);
    chbRefineNodes->setObjectName("chbRefineNodes");
    chbRefineNodes->setToolTip(tr("Ноды при уточненных температурах и составах нонвариантных равновесий"));
    sbEdit = new QPushButton(tr("Ред. график"), this);
    sbUndoZoom = new QPushButton(tr("Восстановить масштаб"), this);
    sbUndoZoom->hide();
    sbCopy = new QPushButton(tr("Копировать"), this);
    sbCopy->setToolTip(tr("Копировать график в буфер обмена"));
    sbSaveAs = new QPushButton(tr("Сохранить как…"), this);
    BitBtn1 = new QPushButton(tr("Закрыть"), this);

    PopupMenu1 = new QMenu(this);
    Setfontforlabels1 = PopupMenu1->addAction(tr("Выбрать шрифт для меток"));
    Setcolorforlabels1 = PopupMenu1->addAction(tr("Выбрать цвет для меток"));
    PopupMenu1->addSeparator();
    PopupMenu1->addAction(tr("Сохранить как…"), this, &TfmDiagram2::sbSaveAsClick);

    // Two rows under the chart, so that the window fits a laptop screen also at 150 % scale: the
    // readout with the invariant controls, then the chart's commands.
    auto* readoutRow = new QHBoxLayout;
    readoutRow->addWidget(Label1, 1);
    readoutRow->addWidget(chbRefineNodes);
    readoutRow->addWidget(sbInvariants);
    auto* commandRow = new QHBoxLayout;
    commandRow->addStretch(1);
    for (QPushButton* button : {sbSpecialPoints, sbEdit, sbUndoZoom, sbCopy, sbSaveAs, BitBtn1})
        commandRow->addWidget(button);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Chart1, 1);
    layout->addLayout(readoutRow);
    layout->addLayout(commandRow);

    connect(sbSpecialPoints, &QPushButton::clicked, this, &TfmDiagram2::specialPointsRequested);
    connect(sbInvariants, &QPushButton::clicked, this, &TfmDiagram2::invariantsRequested);
    connect(chbRefineNodes, &QCheckBox::toggled, this, &TfmDiagram2::chbRefineNodesClick);
    connect(sbEdit, &QPushButton::clicked, this, &TfmDiagram2::sbEditClick);
    connect(sbUndoZoom, &QPushButton::clicked, this, &TfmDiagram2::sbUndoZoomClick);
    connect(sbCopy, &QPushButton::clicked, this, &TfmDiagram2::sbCopyClick);
    connect(sbSaveAs, &QPushButton::clicked, this, &TfmDiagram2::sbSaveAsClick);
    connect(BitBtn1, &QPushButton::clicked, this, &QWidget::close);
    connect(Setfontforlabels1, &QAction::triggered, this, &TfmDiagram2::Setfontforlabels1Click);
    connect(Setcolorforlabels1, &QAction::triggered, this, &TfmDiagram2::Setcolorforlabels1Click);

    connect(Chart1, &plot::DiagramPlot::mouseMovedTo, this, &TfmDiagram2::chartMouseMove);
    connect(Chart1, &plot::DiagramPlot::leftClicked, this, &TfmDiagram2::chartLeftClick);
    connect(Chart1, &plot::DiagramPlot::labelRightPressed, this, &TfmDiagram2::labelRightPress);
    connect(Chart1, &plot::DiagramPlot::contextMenuRequested, this,
            [this](const QPoint& pixel) { PopupMenu1->popup(Chart1->mapToGlobal(pixel)); });
    auto zoomedOrScrolled = [this] {
        sbUndoZoom->show();
        RemoveChartLabels();
    };
    connect(Chart1, &plot::DiagramPlot::zoomedByUser, this, zoomedOrScrolled);
    connect(Chart1, &plot::DiagramPlot::scrolledByUser, this, zoomedOrScrolled);
    connect(Chart1, &plot::DiagramPlot::zoomUndone, sbUndoZoom, &QWidget::hide);

    LabelFont = plot::toQFont(labelFontSpec_);
    LabelColor = plot::toQColor(labelFontSpec_.color);
    loadSettings();
}

TfmDiagram2::~TfmDiagram2() { saveSettings(); }

QString TfmDiagram2::settingsPath(const char* name) const { return QDir(settingsDirectory_).filePath(name); }

void TfmDiagram2::guarded(const std::function<void()>& action) {
    try {
        action();
    } catch (const util::SilentAbort&) {
    } catch (const std::exception& e) {
        dialogs_.error(e.what());
    }
}

void TfmDiagram2::loadSettings() {
    try {
        if (auto settings = plot::loadChartSettings(settingsPath("Chart.cfg"))) Chart1->applySettings(*settings);
    } catch (const util::Error& e) {
        dialogs_.error(std::string(e.what()) + "\nГрафик показан с исходными настройками.");
    }
    DefaultFootText = Chart1->footText();

    // Lines before a bad one stay applied, so the font is taken also when reading fails.
    try {
        plot::loadLabelFont(settingsPath("fntLabel.cfg"), labelFontSpec_);
    } catch (const util::Error& e) {
        dialogs_.error(e.what());
    }
    LabelFont = plot::toQFont(labelFontSpec_);
    LabelColor = plot::toQColor(labelFontSpec_.color);
}

void TfmDiagram2::saveSettings() {
    RemoveChartLabels();
    results::ChartSettings settings = Chart1->settings();
    settings.bottom.automatic = true;
    settings.left.automatic = true;
    settings.foot = DefaultFootText.toStdString();
    Chart1->applySettings(settings);  // also undoes the zoom
    sbUndoZoom->hide();
    guarded([&] { plot::saveChartSettings(settingsPath("Chart.cfg"), settings); });
    guarded([&] { plot::saveLabelFont(settingsPath("fntLabel.cfg"), labelFontSpec_); });
}

void TfmDiagram2::RemoveChartLabels() { Chart1->removeRegionLabels(); }

void TfmDiagram2::showDiagram(const results::DiagramContent& content, RegionLookup regionAt) {
    RemoveChartLabels();
    regionAt_ = std::move(regionAt);
    Chart1->setTitleText(QString::fromStdString(content.title));
    Chart1->setFootText(QString::fromStdString(content.foot));
    gridContent_ = content;
    drawContent();  // every series replaced, ranges back to the whole diagram
    show();
    raise();
}

void TfmDiagram2::drawContent() {
    if (chbRefineNodes->isChecked() && invariantSource_) {
        results::DiagramContent refined = gridContent_;
        guarded([&] { refined = results::withRefinedNodeLines(gridContent_, invariantSource_(), decimalSeparator_); });
        Chart1->setContent(refined);
    } else {
        Chart1->setContent(gridContent_);
    }
    sbUndoZoom->hide();
}

// Only the node lines move; region labels keep their places in axis values, the zoom is undone.
void TfmDiagram2::chbRefineNodesClick() { drawContent(); }

void TfmDiagram2::chartMouseMove(const QPoint& pixel) {
    if (!Chart1->insidePlotRect(pixel)) {
        Label1->hide();
        return;
    }
    Label1->show();
    const QPointF value = Chart1->axisValues(pixel);
    Label1->setText(QString::fromStdString(
        results::coordinateReadout(value.x(), value.y(), Chart1->titleText().toStdString(), decimalSeparator_)));
}

void TfmDiagram2::chartLeftClick(const QPoint& pixel) {
    if (!regionAt_) return;
    guarded([&] {
        const QPointF value = Chart1->axisValues(pixel);
        const std::optional<std::string> text = regionAt_(value.x(), value.y());
        if (text) Chart1->addRegionLabel(pixel, QString::fromStdString(*text), LabelFont, LabelColor);
    });
}

void TfmDiagram2::labelRightPress(QCPItemText* label, bool altHeld) {
    if (altHeld) {
        Chart1->removeRegionLabel(label);
        return;
    }
    const std::optional<std::string> text =
        dialogs_.input("Редактировать надпись", "Новый текст", label->text().toStdString());
    if (!text) return;
    label->setText(QString::fromStdString(*text));
    Chart1->replot(QCustomPlot::rpQueuedReplot);
}

bool TfmDiagram2::eventFilter(QObject* watched, QEvent* event) {
    // The readout answers the editing gesture too (the next mouse move writes over it) but is
    // never deleted.
    if (watched == Label1 && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        if (!static_cast<QMouseEvent*>(event)->modifiers().testFlag(Qt::AltModifier)) {
            const std::optional<std::string> text =
                dialogs_.input("Редактировать надпись", "Новый текст", Label1->text().toStdString());
            if (text) Label1->setText(QString::fromStdString(*text));
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TfmDiagram2::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) Label1->clear();
    QWidget::changeEvent(event);
}

void TfmDiagram2::sbEditClick() {
    results::ChartSettings current = Chart1->settings();
    ChartEditor editor(current, this);
    if (editor.exec() == QDialog::Accepted) {
        Chart1->applySettings(editor.settings());
        sbUndoZoom->hide();
    }
    DefaultFootText = Chart1->footText();
}

void TfmDiagram2::sbUndoZoomClick() {
    Chart1->undoZoom();
    RemoveChartLabels();
}

void TfmDiagram2::sbCopyClick() {
    guarded([&] { QApplication::clipboard()->setMimeData(plot::clipboardData(*Chart1)); });
}

void TfmDiagram2::sbSaveAsClick() {
    QString filter;
    const QString fileName = QFileDialog::getSaveFileName(
        this, tr("Сохранить как…"), QDir::current().filePath(windowTitle()),
        tr("Рисунок SVG (*.svg);;Документ PDF (*.pdf);;Рисунок PNG (*.png);;Точки графика CSV (*.csv)"), &filter);
    if (fileName.isEmpty()) return;
    QString path = fileName;
    if (QFileInfo(path).suffix().isEmpty()) {
        const int open = filter.indexOf("*.");
        if (open >= 0) path += filter.mid(open + 1, 4);
    }
    int dpi = 300;
    if (QFileInfo(path).suffix().toLower() == "png") {
        bool ok = false;
        dpi = QInputDialog::getInt(this, tr("Сохранить как…"), tr("Разрешение, точек на дюйм:"), 300, 10, 2400, 1, &ok);
        if (!ok) return;
    }
    guarded([&] { plot::savePicture(*Chart1, path, dpi); });
}

void TfmDiagram2::Setfontforlabels1Click() {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, LabelFont, this, tr("Выбрать шрифт для меток"));
    if (!ok) return;
    LabelFont = font;
    labelFontSpec_ = plot::toLabelFontStyle(LabelFont, LabelColor, labelFontSpec_.color);
}

void TfmDiagram2::Setcolorforlabels1Click() {
    const QColor color = QColorDialog::getColor(LabelColor, this, tr("Выбрать цвет для меток"));
    if (!color.isValid()) return;
    LabelColor = color;
    labelFontSpec_ = plot::toLabelFontStyle(LabelFont, LabelColor, labelFontSpec_.color);
}

}  // namespace gui
