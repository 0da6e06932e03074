#include "gui/windows/tfm_invariants.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QPushButton>
#include <QSet>
#include <QTableWidget>
#include <QVBoxLayout>

#include "results/invariant_texts.h"

namespace gui {

namespace {

enum Column { ColType, ColReaction, ColY, ColCompositions, ColGrid, ColReason, ColumnCount };

QString cellText(const QTableWidget* grid, int row, int col) {
    const QTableWidgetItem* item = grid->item(row, col);
    QString text = item != nullptr ? item->text() : QString();
    // One line per row and one tab per column, whatever a text holds.
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text;
}

}  // namespace

TfmInvariants::TfmInvariants(QWidget* parent) : QWidget(parent, Qt::Window) {
    setWindowTitle(tr("Нонвариантные равновесия"));
    setObjectName(QStringLiteral("fmInvariants"));

    sgInvariants_ = new QTableWidget(0, ColumnCount, this);
    sgInvariants_->setObjectName(QStringLiteral("sgInvariants"));
    sgInvariants_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sgInvariants_->setSelectionBehavior(QAbstractItemView::SelectRows);
    sgInvariants_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    sgInvariants_->setWordWrap(false);
    sgInvariants_->verticalHeader()->hide();
    sgInvariants_->horizontalHeader()->setStretchLastSection(true);
    sgInvariants_->setHorizontalHeaderLabels({tr("Тип"), tr("Реакция"), QStringLiteral("T, K"), tr("Составы"),
                                              tr("Сетка"), tr("Не уточнено")});

    sbCopy_ = new QPushButton(tr("Копировать"), this);
    sbCopy_->setObjectName(QStringLiteral("sbCopy"));
    sbCopy_->setToolTip(tr("Копировать таблицу в буфер обмена"));
    sbClose_ = new QPushButton(tr("Закрыть"), this);
    sbClose_->setObjectName(QStringLiteral("sbClose"));
    connect(sbCopy_, &QPushButton::clicked, this, &TfmInvariants::sbCopyClick);
    connect(sbClose_, &QPushButton::clicked, this, &QWidget::hide);

    auto* copy = new QAction(this);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WindowShortcut);
    connect(copy, &QAction::triggered, this, &TfmInvariants::copySelection);
    addAction(copy);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(sbCopy_);
    buttons->addStretch(1);
    buttons->addWidget(sbClose_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sgInvariants_, 1);
    layout->addLayout(buttons);
    resize(1150, 320);
}

QString TfmInvariants::typeText(results::InvariantKind kind) {
    using K = results::InvariantKind;
    switch (kind) {
        case K::Eutectic: return tr("эвтектика");
        case K::Eutectoid: return tr("эвтектоид");
        case K::Monotectic: return tr("монотектика");
        case K::Monotectoid: return tr("монотектоид");
        case K::Metatectic: return tr("метатектика");
        case K::Peritectic: return tr("перитектика");
        case K::Peritectoid: return tr("перитектоид");
        case K::Syntectic: return tr("синтектика");
        case K::CongruentMelting: return tr("конгруэнтное плавление");
        case K::CongruentTransformation: return tr("конгруэнтное превращение");
        case K::CriticalPoint: return tr("критическая точка");
        case K::Unclassified: break;
    }
    return tr("не определен");
}

void TfmInvariants::setTable(const std::vector<results::Invariant>& table, int yParameterIndex,
                             char decimalSeparator) {
    const QString yHeading = yParameterIndex == 0   ? QStringLiteral("T, K")
                             : yParameterIndex == 1 ? tr("p, бар")
                                                    : QStringLiteral("Y");
    sgInvariants_->setHorizontalHeaderItem(ColY, new QTableWidgetItem(yHeading));
    sgInvariants_->clearContents();
    sgInvariants_->setRowCount(static_cast<int>(table.size()));
    for (int row = 0; row < static_cast<int>(table.size()); ++row) {
        const results::Invariant& entry = table[row];
        const results::InvariantTexts texts = results::invariantTexts(entry, decimalSeparator);
        QString grid = QString::fromStdString(texts.grid);
        if (entry.fromNode) grid += QLatin1Char(' ') + tr("нода");
        const QString cells[ColumnCount] = {typeText(entry.kind),
                                            QString::fromStdString(entry.reaction),
                                            QString::fromStdString(texts.y),
                                            QString::fromStdString(texts.compositions),
                                            grid,
                                            QString::fromStdString(texts.reason)};
        for (int col = 0; col < ColumnCount; ++col) {
            auto* item = new QTableWidgetItem(cells[col]);
            if (col == ColY) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            if (!entry.refined) item->setForeground(QColor(128, 0, 0));
            sgInvariants_->setItem(row, col, item);
        }
    }
    sgInvariants_->resizeColumnsToContents();
}

QString TfmInvariants::tableText(bool onlySelected) const {
    QSet<int> chosen;
    if (onlySelected)
        for (const QModelIndex& index : sgInvariants_->selectionModel()->selectedIndexes()) chosen.insert(index.row());
    QStringList lines;
    QStringList heading;
    for (int col = 0; col < ColumnCount; ++col) heading << sgInvariants_->horizontalHeaderItem(col)->text();
    lines << heading.join(QLatin1Char('\t'));
    for (int row = 0; row < sgInvariants_->rowCount(); ++row) {
        if (!chosen.isEmpty() && !chosen.contains(row)) continue;
        QStringList cells;
        for (int col = 0; col < ColumnCount; ++col) cells << cellText(sgInvariants_, row, col);
        lines << cells.join(QLatin1Char('\t'));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void TfmInvariants::sbCopyClick() { QApplication::clipboard()->setText(tableText(false)); }

void TfmInvariants::copySelection() { QApplication::clipboard()->setText(tableText(true)); }

}  // namespace gui
