#include "app/version_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>

#include "app/version_logic.h"
#include "ui/qt_text.h"

namespace hsq {

CCVision::CCVision(const ProfileStore& store, LanguageFlag language, QWidget* parent)
    : StyledDialog(parent) {
    setWindowTitle(Text(VersionTexts::kTitle.In(language)));
    auto* grid = new QGridLayout(this);
    auto* product = new QLabel(Text(VersionTexts::kProduct.In(language)));
    product->setStyleSheet("font-weight: bold; font-size: 14px;");
    grid->addWidget(product, 0, 0, 1, 2);
    const auto versions = VersionTexts::Versions(store);
    for (std::size_t i = 0; i < versions.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        grid->addWidget(new QLabel(Text(VersionTexts::kLabels[i])), row, 0);
        auto* value = new QLabel(QString::fromStdString(versions[i]));
        value->setObjectName(QString("version%1").arg(i));
        grid->addWidget(value, row, 1);
    }
    grid->addWidget(new QLabel(Text(VersionTexts::kMaker.In(language))), 7, 0, 1, 2);
    const QString link = Text(VersionTexts::kLink.In(language));
    auto* hyperlink = new QLabel(QString("<a href=\"%1\">%1</a>").arg(link));
    hyperlink->setOpenExternalLinks(true);
    grid->addWidget(hyperlink, 8, 0, 1, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    grid->addWidget(buttons, 9, 0, 1, 2);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    setMinimumWidth(320);
}

}  // namespace hsq
