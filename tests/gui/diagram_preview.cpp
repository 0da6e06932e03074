// A small program for looking at the diagram window before the main window drives it: calculates one
// system of a database, shows the diagram and places region labels where asked, as clicks would.
//
//   diagram_preview --db DIR --system DESIGNATION [--xpoints N] [--ypoints N] [--label X,Y]...
//                   [--save FILE.svg|.pdf|.png]
#include <QApplication>
#include <QDir>
#include <QTest>
#include <iostream>

#include "db/tdm.h"
#include "engine/calculation.h"
#include "gui/plot/diagram_export.h"
#include "gui/windows/diagram_command.h"
#include "gui/windows/tfm_diagram2.h"
#include "util/silent_dialogs.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString dbDir, system, save;
    std::optional<int> xpoints, ypoints;
    QList<QPointF> labels;
    for (int i = 0; i + 1 < args.size(); i += 2) {
        const QString& name = args[i];
        const QString& value = args[i + 1];
        if (name == "--db") dbDir = value;
        else if (name == "--system") system = value;
        else if (name == "--xpoints") xpoints = value.toInt();
        else if (name == "--ypoints") ypoints = value.toInt();
        else if (name == "--save") save = value;
        else if (name == "--label") labels << QPointF(value.section(',', 0, 0).toDouble(), value.section(',', 1, 1).toDouble());
    }
    util::SilentDialogs dialogs;
    db::TDM tdm(dialogs);
    tdm.Start(QDir(dbDir).absolutePath().toStdString() + "/");
    if (!tdm.tblSystems.locate("System_designation", store::Value{system.toStdString()})) {
        std::cerr << "no system " << system.toStdString() << "\n";
        return 1;
    }
    engine::Calculation calculation(dialogs, ',');
    calculation.setGridOverride(xpoints, ypoints);
    if (calculation.run(engine::Calculation::takeSnapshot(tdm)) != engine::Calculation::Outcome::Completed) return 1;

    gui::TfmDiagram2 window(dialogs, ',', QDir::currentPath());
    window.resize(900, 680);
    gui::sbDiagramClick(window, calculation, tdm, ',');
    window.setWindowTitle(system);
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    window.Chart1->replot();
    for (const QPointF& at : labels) {
        const QPoint pixel(qRound(window.Chart1->xAxis->coordToPixel(at.x())),
                           qRound(window.Chart1->yAxis->coordToPixel(at.y())));
        QTest::mouseClick(window.Chart1, Qt::LeftButton, {}, pixel);
    }
    if (!save.isEmpty()) plot::savePicture(*window.Chart1, save);
    return app.exec();
}
