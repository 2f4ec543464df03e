#include "ui/styled_dialog.h"

#include <QLayout>
#include <QShowEvent>

namespace hsq {

StyledDialog::StyledDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setStyleSheet(
        "QDialog { background: #eef1f5; }"
        "QGroupBox { border: 1px solid #8a98ab; border-radius: 4px; margin-top: 10px;"
        "  font-weight: bold; color: #1f3c64; }"
        "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }"
        "QPushButton { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #fdfdfd,"
        "  stop:1 #d9e1ec); border: 1px solid #7d8ea6; border-radius: 4px; padding: 5px 10px; }"
        "QPushButton:hover { border-color: #2d5d9a; }"
        "QPushButton:pressed { background: #c4d1e3; }"
        "QPushButton:checked { background: #b3c6e0; border: 2px solid #2d5d9a; }"
        "QPushButton:checked:disabled { background: #dfe4ea; border-color: #9aa7b8; }");
}

void StyledDialog::showEvent(QShowEvent* event) {
    constexpr int kTitleBarButtons = 120;
    const int needed = fontMetrics().horizontalAdvance(windowTitle()) + kTitleBarButtons;
    if (width() < needed) {
        // A window of one size stays of one size, only as wide as its title needs.
        const bool fixed = layout() != nullptr && layout()->sizeConstraint() == QLayout::SetFixedSize;
        if (fixed) {
            layout()->setSizeConstraint(QLayout::SetMinimumSize);
            setFixedSize(needed, height());
        } else {
            resize(needed, height());
        }
    }
    QDialog::showEvent(event);
}

}  // namespace hsq
