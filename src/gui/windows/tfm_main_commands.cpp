// The main window's commands: database and system menus, the edit lock, the search, the Y meaning
// and the run key. Each hands its work to the core operation that ravo-cli uses as well.
#include <QApplication>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <filesystem>

#include "calc/run_parameters.h"
#include "db/tdm.h"
#include "exchange/catalog.h"
#include "exchange/system_file_reader.h"
#include "exchange/system_file_writer.h"
#include "functions/memory_source.h"
#include "functions/phase_functions.h"
#include "functions/run_values.h"
#include "functions/system_listing.h"
#include "gui/dialogs/error_handler.h"
#include "gui/models/record_binder.h"
#include "gui/widgets/data_grid.h"
#include "gui/windows/tfm_about.h"
#include "gui/windows/tfm_experiment.h"
#include "gui/windows/tfm_main.h"
#include "gui/windows/tfm_stability.h"

namespace gui {
namespace {

// The directory of a chosen file, with its trailing separator.
std::string directoryOf(const QString& file) {
    return QFileInfo(file).absolutePath().toStdString() + "/";
}

}  // namespace

bool TfmMain::commitEdits() {
    const bool systems = systemBinder_->commitPending();
    const bool gibbs = gibbsBinder_->commitPending();
    return systems && gibbs;
}

bool TfmMain::refusedWhileBusy() {
    if (!busy || !busy()) return false;
    dialogs_.warning(tr("Дождитесь окончания расчета или остановите его кнопкой \"СТОП\"").toStdString());
    return true;
}

void TfmMain::databaseOpened() {
    setWindowTitle(QString::fromStdString(tdm_.Caption()));
    showLockState();
    dbcbYChange();
    gibbsPositionChanged(tdm_);
}

void TfmMain::showLockState() {
    chbReadOnly_->setChecked(tdm_.ReadOnlyLock());
    dbgSystems_->setGridReadOnly(tdm_.ReadOnlyLock());
}

void TfmMain::gibbsPositionChanged(const db::TDM&) {
    lblGibbsPosition_->setText(QString::fromStdString(tdm_.GibbsPositionText()));
}

void TfmMain::dbcbYChange() {
    const calc::ZValueLabel label = calc::zValueLabel(tdm_.YParameterIndex());
    edZvalue_->setVisible(label.editVisible);
    if (label.caption) lblZ_->setText(QString::fromStdString(*label.caption));
}

void TfmMain::sbRunClick() {
    commitEdits();
    emit runRequested();
}

void TfmMain::edSearchChange(const QString& text) {
    const std::string wanted = text.trimmed().toStdString();
    if (wanted.empty() || !tdm_.tblSystems.active()) return;
    ErrorHandler::guard(dialogs_, [&] {
        store::Table& systems = tdm_.tblSystems;
        const int field = systems.fieldIndex("System_designation");
        for (int row = 0; row < systems.recordCount(); ++row) {
            const auto* designation = std::get_if<std::string>(&systems.valueAt(row, field));
            if (designation && designation->compare(0, wanted.size(), wanted) == 0) {
                if (systems.recNo() != row + 1) systems.setRecNo(row + 1);
                return;
            }
        }
    });
}

void TfmMain::chbReadOnlyClick() {
    const bool locked = chbReadOnly_->isChecked();
    if (refusedWhileBusy()) {
        chbReadOnly_->setChecked(!locked);
        return;
    }
    if (!locked && passwordPending_) {
        const auto text = dialogs_.input(tr("Введите пароль").toStdString(), tr("Пароль").toStdString(), "");
        if (!text || *text != "907") {
            // The lock was on and stays on; the tables are left as they are.
            showLockState();
            return;
        }
        passwordPending_ = false;
    }
    ErrorHandler::guard(dialogs_, [&] { tdm_.SetReadOnlyLock(locked); });
    showLockState();
}

void TfmMain::N1Click() {
    if (refusedWhileBusy()) return;
    commitEdits();
    const QString file = chooseOpenFile ? chooseOpenFile(tr("Открыть"), QStringLiteral("DB files (*.d)"),
                                                         QStringLiteral("gibbs_energy.d"))
                                        : QFileDialog::getOpenFileName(
                                              this, tr("Открыть"),
                                              QString::fromStdString(tdm_.DatabaseDirectory() + "gibbs_energy.d"),
                                              QStringLiteral("DB files (*.d)"));
    if (file.isEmpty()) return;
    ErrorHandler::guard(dialogs_, [&] { tdm_.OpenDatabase(directoryOf(file)); });
    databaseOpened();
}

void TfmMain::N13Click() {
    if (refusedWhileBusy()) return;
    commitEdits();
    const QString file =
        chooseNewFile ? chooseNewFile(tr("Создать"), QStringLiteral("DB files (*.d)"), QStringLiteral("gibbs_energy.d"))
                      : QFileDialog::getSaveFileName(this, tr("Создать"),
                                                     QString::fromStdString(tdm_.DatabaseDirectory() + "gibbs_energy.d"),
                                                     QStringLiteral("DB files (*.d)"), nullptr,
                                                     QFileDialog::DontConfirmOverwrite);
    if (file.isEmpty()) return;
    ErrorHandler::guard(dialogs_, [&] { tdm_.CreateDatabase(directoryOf(file)); });
    databaseOpened();
}

void TfmMain::N6Click() {
    commitEdits();
    ErrorHandler::guard(dialogs_, [&] { tdm_.SaveDatabase(); });
}

void TfmMain::N15Click() {
    commitEdits();
    ErrorHandler::guard(dialogs_, [&] { exchange::WriteCatalog(tdm_, "", dialogs_); });
}

void TfmMain::N7Click() {
    if (!stability_) return;
    stability_->showPosition();
    stability_->show();
    stability_->raise();
    stability_->activateWindow();
}

void TfmMain::N4Click() {
    QColorDialog dialog(mosaicColor_, this);
    dialog.setWindowTitle(tr("Цвет мозаичной диаграммы"));
    QColorDialog::setCustomColor(0, QColor(0xA5, 0xD9, 0xA4));
    dialog.setCurrentColor(mosaicColor_);
    if (dialog.exec() == QDialog::Accepted) mosaicColor_ = dialog.selectedColor();
}

void TfmMain::N8Click() {
    commitEdits();
    ErrorHandler::guard(dialogs_, [&] { exchange::WriteSystemFile(tdm_, programDirectory_, dialogs_, separator_); });
}

void TfmMain::N9Click() {
    if (refusedWhileBusy()) return;
    commitEdits();
    const QString file = chooseOpenFile ? chooseOpenFile(tr("Загрузить из файла"), QStringLiteral("Text files (*.ter)"), QString())
                                        : QFileDialog::getOpenFileName(this, tr("Загрузить из файла"),
                                                                       QString::fromStdString(programDirectory_),
                                                                       QStringLiteral("Text files (*.ter)"));
    if (file.isEmpty()) return;
    ErrorHandler::guard(dialogs_, [&] { exchange::ReadSystemFile(tdm_, file.toStdString(), dialogs_, separator_); });
}

void TfmMain::N10Click() {
    commitEdits();
    ErrorHandler::guard(dialogs_, [&] {
        tdm_.PostPendingEdits();
        functions::RunValues run;
        functions::PhaseFunctions phaseFunctions(run, dialogs_, separator_);
        functions::MemorySource source = functions::MemorySource::ReadCurrentSystem(tdm_);
        functions::WriteSystemListing(phaseFunctions, source, std::filesystem::current_path());
    });
}

void TfmMain::N12Click() {
    if (!experiment_) return;
    experiment_->show();
    experiment_->raise();
    experiment_->activateWindow();
}

void TfmMain::About1Click() {
    if (about_) about_->exec();
}

}  // namespace gui
