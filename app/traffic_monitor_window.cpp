#include "app/traffic_monitor_window.h"

#include <QAbstractTableModel>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/qt_text.h"

namespace hsq {

// The logic's rows as the table reads them; it asks only for the rows in sight.
class TrafficTableModel final : public QAbstractTableModel {
  public:
    enum Column { Time, Direction, Bytes, Command, Outcome, Waited, ColumnCount };

    explicit TrafficTableModel(const TrafficMonitorLogic& logic) : logic_(logic) {}

    void Reset() {
        beginResetModel();
        endResetModel();
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(logic_.Rows().size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : ColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::TextAlignmentRole && (index.column() == Time || index.column() == Waited))
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        if (role != Qt::DisplayRole) return {};
        const TrafficRow& row = logic_.Rows()[static_cast<std::size_t>(index.row())];
        switch (index.column()) {
            case Time: return Text(row.time);
            case Direction: return Text(row.direction);
            case Bytes: return Text(row.bytes);
            case Command: return Text(row.command);
            case Outcome: return Text(row.outcome);
            case Waited: return Text(row.waited);
        }
        return {};
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
        const Bilingual captions[] = {kTimeColumn,    kDirectionColumn, kBytesColumn,
                                      kCommandColumn, kOutcomeColumn,   kWaitedColumn};
        return Text(captions[section].In(logic_.Language()));
    }

  private:
    const TrafficMonitorLogic& logic_;
};

CTrafficMonitor::CTrafficMonitor(TrafficMonitorLogic& logic, QWidget* parent)
    : StyledDialog(parent), logic_(logic) {
    // Its own window with a frame that resizes, never in front of the main window by force.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setModal(false);
    auto* outer = new QVBoxLayout(this);
    auto* controls = new QHBoxLayout;
    pause_ = new QPushButton;
    pause_->setObjectName("pause");
    clear_ = new QPushButton;
    clear_->setObjectName("clear");
    filter_ = new QComboBox;
    filter_->setObjectName("filter");
    filter_->setMaxVisibleItems(20);
    save_ = new QPushButton;
    save_->setObjectName("save");
    auto* filterLabel = new QLabel;
    filterLabel->setObjectName("filterLabel");
    controls->addWidget(pause_);
    controls->addWidget(clear_);
    controls->addSpacing(16);
    controls->addWidget(filterLabel);
    controls->addWidget(filter_);
    controls->addStretch();
    controls->addWidget(save_);
    outer->addLayout(controls);

    model_ = new TrafficTableModel(logic_);
    model_->setParent(this);
    table_ = new QTableView;
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    // The bytes line up only in a font of one width.
    table_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics fixed(table_->font());
    table_->verticalHeader()->setDefaultSectionSize(fixed.height() + 4);
    const int widths[] = {10, 4, 40, 30, 12};
    for (int column = 0; column < 5; ++column)
        table_->setColumnWidth(column, fixed.horizontalAdvance(QString(widths[column], '0')));
    outer->addWidget(table_);
    resize(fixed.horizontalAdvance(QString(118, '0')), 480);

    connect(pause_, &QPushButton::clicked, this, [this] {
        logic_.OnPause();
        Refresh();
    });
    connect(clear_, &QPushButton::clicked, this, [this] {
        logic_.OnClear();
        model_->Reset();
    });
    connect(filter_, &QComboBox::activated, this, [this](int index) {
        logic_.OnFilter(index);
        model_->Reset();
        table_->scrollToBottom();
    });
    connect(save_, &QPushButton::clicked, this, [this] { logic_.OnSave(); });
    connect(&timer_, &QTimer::timeout, this, &CTrafficMonitor::Refresh);
    ShowTexts();
}

// The list follows the newest row while the operator has it scrolled to the end.
void CTrafficMonitor::Refresh() {
    using Caption = TrafficMonitorLogic::Caption;
    if (logic_.Language() != shownLanguage_) ShowTexts();
    pause_->setText(Text(logic_.CaptionText(logic_.Paused() ? Caption::Resume : Caption::Pause)));
    if (!logic_.OnRefresh()) return;
    QScrollBar* bar = table_->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    const int kept = bar->value();
    model_->Reset();
    if (atEnd) {
        table_->scrollToBottom();
    } else {
        bar->setValue(kept);
    }
}

void CTrafficMonitor::ShowTexts() {
    using Caption = TrafficMonitorLogic::Caption;
    shownLanguage_ = logic_.Language();
    setWindowTitle(Text(logic_.CaptionText(Caption::Title)));
    clear_->setText(Text(logic_.CaptionText(Caption::Clear)));
    save_->setText(Text(logic_.CaptionText(Caption::Save)));
    findChild<QLabel*>("filterLabel")->setText(Text(logic_.CaptionText(Caption::FilterLabel)));
    filter_->clear();
    for (const std::string& choice : logic_.FilterChoices()) filter_->addItem(Text(choice));
    filter_->setCurrentIndex(logic_.Filter());
    emit model_->headerDataChanged(Qt::Horizontal, 0, TrafficTableModel::ColumnCount - 1);
}

void CTrafficMonitor::showEvent(QShowEvent* event) {
    Refresh();
    timer_.start(TrafficMonitorLogic::kRefreshMs);
    StyledDialog::showEvent(event);
}

void CTrafficMonitor::hideEvent(QHideEvent* event) {
    timer_.stop();
    StyledDialog::hideEvent(event);
}

}  // namespace hsq
