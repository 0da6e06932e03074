// The Qt models over the store's tables, checked by Qt's own model tester through every kind of
// change the tables make, and the binder that ties edits to the current record.
#include <QAbstractItemModelTester>
#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <memory>

#include "db/table_definitions.h"
#include "db/tdm.h"
#include "gui/models/record_binder.h"
#include "gui/models/table_model.h"
#include "gui/widgets/data_grid.h"
#include "support/scripted_dialogs.h"
#include "util/errors.h"

class TableModelTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    std::string directory_;
    testsupport::ScriptedDialogs dialogs_;
    std::unique_ptr<db::TDM> tdm_;

private slots:
    void init() {
        dir_ = std::make_unique<QTemporaryDir>();
        directory_ = dir_->path().toStdString() + "/";
        db::createEmptyDatabase(directory_);
        dialogs_.shown.clear();
        tdm_ = std::make_unique<db::TDM>(dialogs_);
        tdm_->Start(directory_);
        tdm_->SetReadOnlyLock(false);
    }
    void cleanup() {
        tdm_.reset();
        dir_.reset();
    }

    // Master and detail models under the tester while systems, phases and their records are
    // added, edited into another place, deleted with their details, inserted and cancelled, and
    // the tables reopened. A grid shows each model, so its selection follows every change too.
    void modelsStayConsistentThroughEveryChange() {
        gui::TableModel systems(tdm_->tblSystems, {{"System_designation", "S"}, {"Element2", "E2"}}, dialogs_, ',');
        gui::TableModel phases(tdm_->tblPhases, {{"Phase_designation", "P"}}, dialogs_, ',');
        QAbstractItemModelTester systemsTester(&systems, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QAbstractItemModelTester phasesTester(&phases, QAbstractItemModelTester::FailureReportingMode::QtTest);
        gui::DataGrid grid;
        grid.setTableModel(&systems);
        store::Table& s = tdm_->tblSystems;
        store::Table& ph = tdm_->tblPhases;
        auto addSystem = [&](const char* name) {
            s.insert();
            QCOMPARE(systems.rowCount(), s.recordCount() + 1);  // the insert row
            s.setString("System_designation", name);
            s.post();
        };
        addSystem("Pb+Sn");
        addSystem("Cu+Ni");
        addSystem("Al+Zn");
        QCOMPARE(systems.rowCount(), 3);
        QCOMPARE(systems.index(0, 0).data().toString(), QStringLiteral("Al+Zn"));
        QCOMPARE(grid.currentIndex().row(), 0);  // the posted record, now current, is selected

        for (const char* name : {"Liquid", "Fcc", "Bcc"}) {
            ph.insert();
            ph.setString("Phase_designation", name);
            ph.post();
        }
        QCOMPARE(phases.rowCount(), 3);

        // An edit that moves the record to the end, one that keeps it in place.
        s.first();
        s.edit();
        s.setString("System_designation", "Zn+Al");
        QCOMPARE(systems.index(0, 0).data().toString(), QStringLiteral("Zn+Al"));  // typed, not yet posted
        s.post();
        QCOMPARE(systems.index(2, 0).data().toString(), QStringLiteral("Zn+Al"));
        QCOMPARE(grid.currentIndex().row(), 2);
        s.edit();
        s.setString("Comment", "x");
        s.post();

        // The master moves: the detail model resets to the other system's phases.
        s.first();
        QCOMPARE(phases.rowCount(), 0);
        s.last();
        QCOMPARE(phases.rowCount(), 3);
        // A delete takes the phases with it.
        s.deleteRecord();
        QCOMPARE(systems.rowCount(), 2);
        // An insert cancelled, an insert pending while the master moves (posted by the move).
        s.insert();
        s.cancel();
        s.insert();
        s.setString("System_designation", "Mg+Si");
        s.first();
        QCOMPARE(systems.rowCount(), 3);
        // Reopened from the files (nothing saved: empty).
        tdm_->SetReadOnlyLock(true);
        QCOMPARE(systems.rowCount(), 0);
        QCOMPARE(phases.rowCount(), 0);
    }

    void gridEditsGoThroughTheTableAndItsRules() {
        gui::TableModel systems(tdm_->tblSystems, {{"System_designation", "S"}}, dialogs_, '.');
        QAbstractItemModelTester tester(&systems, QAbstractItemModelTester::FailureReportingMode::QtTest);
        tdm_->tblSystems.insert();
        QVERIFY(systems.setData(systems.index(0, 0), QStringLiteral("Cu+Ni+Zn")));
        tdm_->tblSystems.post();
        // Too long for the field: the message, and the record keeps its value.
        QVERIFY(!systems.setData(systems.index(0, 0), QString(51, QChar('A'))));
        QCOMPARE(dialogs_.texts("error").size(), std::size_t{1});
        tdm_->tblSystems.cancel();
        QCOMPARE(systems.index(0, 0).data().toString(), QStringLiteral("Cu+Ni+Zn"));
        // A locked table refuses the edit with its message.
        tdm_->SetReadOnlyLock(true);
        gui::TableModel phases(tdm_->tblPhases, {{"Phase_designation", "P"}}, dialogs_, '.');
        QVERIFY(!phases.beginEdit(0));
        QCOMPARE(dialogs_.texts("error").back(), std::string("Cannot modify a read-only dataset"));
    }

    void binderShowsAndSetsTheCurrentRecord() {
        store::Table& s = tdm_->tblSystems;
        s.insert();
        s.setString("System_designation", "Cu+Ni");
        s.setFloat("Ymin", 1e-6);
        s.post();
        s.insert();
        s.setString("System_designation", "Fe+Ni");
        s.post();
        gui::RecordBinder binder(s, dialogs_, ',');
        QLineEdit ymin;
        QPlainTextEdit comment;
        QCheckBox mosaic, chart;
        binder.bindLineEdit(&ymin, "Ymin");
        binder.bindMemo(&comment, "Comment");
        binder.bindCheckBox(&mosaic, "ShowMosaicDiagram");
        binder.bindCheckBox(&chart, "ShowChart");
        s.locate("System_designation", store::Value{std::string("Cu+Ni")});
        QCOMPARE(ymin.text(), QStringLiteral("1e-06"));
        QVERIFY(chart.isChecked());  // a new system shows the working chart
        QVERIFY(!mosaic.isChecked());

        // Typing: the number with the regional separator, a memo line break stored as CR LF,
        // a check box as "True".
        ymin.setFocus();
        ymin.selectAll();
        QTest::keyClicks(&ymin, "0,5");
        QCOMPARE(s.state(), store::TableState::Edit);  // the first key started the edit
        QVERIFY(binder.commitPending());
        QCOMPARE(s.asFloat("Ymin"), 0.5);
        comment.setPlainText("one\ntwo");
        QCOMPARE(s.asString("Comment"), std::string("one\r\ntwo"));
        mosaic.click();
        QCOMPARE(s.asString("ShowMosaicDiagram"), std::string("True"));
        s.post();

        // Another record shows its own values; coming back shows the posted ones.
        s.next();
        QCOMPARE(ymin.text(), QStringLiteral("300"));
        QCOMPARE(comment.toPlainText(), QString());
        QVERIFY(!mosaic.isChecked());
        s.prior();
        QCOMPARE(ymin.text(), QStringLiteral("0,5"));
        QCOMPARE(comment.toPlainText(), QStringLiteral("one\ntwo"));
        QVERIFY(mosaic.isChecked());
        QVERIFY(dialogs_.shown.empty());
    }
};

QTEST_MAIN(TableModelTest)
#include "table_model_test.moc"
