#include "gui/windows/tfm_about.h"

#include <QDesktopServices>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace gui {

QString TfmAbout::webAddress() { return QStringLiteral("https://ravo-phase-diagrams.example.org"); }

TfmAbout::TfmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("fmAbout");
    setWindowTitle(tr("О программе..."));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 20, 24, 16);
    auto* name = new QLabel(QStringLiteral("Ravo"), this);
    QFont big = name->font();
    big.setPointSizeF(big.pointSizeF() * 2.6);
    big.setBold(true);
    name->setFont(big);
    name->setAlignment(Qt::AlignCenter);
    layout->addWidget(name);
    auto* what = new QLabel(tr("расчет фазовых диаграмм"), this);
    what->setAlignment(Qt::AlignCenter);
    layout->addWidget(what);
    layout->addSpacing(12);
    for (const QString& line : {tr("Метод расчета: авторы метода Ravo, method@ravo.example.org"),
                                tr("Программа: разработчики Ravo, software@ravo.example.org")}) {
        auto* credit = new QLabel(line, this);
        credit->setAlignment(Qt::AlignCenter);
        layout->addWidget(credit);
    }
    auto* link = new QLabel(QStringLiteral("<a href=\"%1\">%1</a>").arg(webAddress()), this);
    link->setObjectName("lblLink");
    link->setAlignment(Qt::AlignCenter);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse);
    link->setOpenExternalLinks(false);
    connect(link, &QLabel::linkActivated, this, [this](const QString& url) {
        QDesktopServices::openUrl(QUrl(url));
        accept();
    });
    layout->addWidget(link);
    layout->addSpacing(8);
    auto* close = new QPushButton(tr("Закрыть"), this);
    close->setFlat(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close, 0, Qt::AlignCenter);
    for (QLabel* label : findChildren<QLabel*>())
        if (label != link) label->installEventFilter(this);
    adjustSize();
    setFixedSize(sizeHint().expandedTo(QSize(380, 240)));
}

void TfmAbout::keyPressEvent(QKeyEvent*) { accept(); }

void TfmAbout::mouseReleaseEvent(QMouseEvent*) { accept(); }

bool TfmAbout::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace gui
