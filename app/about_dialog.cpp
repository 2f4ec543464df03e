#include "app/about_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

namespace hsq {
namespace {

// Our own icon: a small wall of four screens.
QPixmap WallIcon() {
    QPixmap icon(48, 48);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setPen(QColor("#1f3c64"));
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(i % 3 == 0 ? QColor("#2d5d9a") : QColor("#5b8fd1"));
        painter.drawRect(4 + (i % 2) * 21, 6 + (i / 2) * 18, 19, 16);
    }
    return icon;
}

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : StyledDialog(parent) {
    setWindowTitle(QString::fromUtf8("关于 HSQ2600控制软件"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel;
    icon->setPixmap(WallIcon());
    row->addWidget(icon);
    auto* text = new QVBoxLayout;
    text->addWidget(new QLabel(QString::fromUtf8("HSQ2600控制软件 V1.00")));
    text->addWidget(new QLabel(QString::fromUtf8("最后更新日期：2015年6月23号")));
    row->addLayout(text);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QString::fromUtf8("确定"), QDialogButtonBox::AcceptRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
}

}  // namespace hsq
