#pragma once
#include <QDialog>

namespace gui {

// The about box: modal, fixed size, centred; any key or the release of a mouse button closes it.
class TfmAbout : public QDialog {
    Q_OBJECT
public:
    explicit TfmAbout(QWidget* parent = nullptr);
    // The address the link label opens.
    static QString webAddress();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace gui
