// The traffic monitor opened from the main window's menu, beside it and not modal.
#include <gtest/gtest.h>

#include <QMenuBar>
#include <QTableView>

#include "app/traffic_monitor_window.h"
#include "config/default_configuration.h"
#include "program/application_window.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

QAction* MenuEntry(QWidget& window, const QString& text) {
    for (QAction* menu : window.findChild<QMenuBar*>()->actions()) {
        for (QAction* entry : menu->menu()->actions()) {
            if (entry->text() == text) return entry;
        }
    }
    return nullptr;
}

TEST(TrafficMonitorGui, TheCommandsMenuOpensItAndItListsTheTraffic) {
    testing::TempFolder folder;
    ASSERT_TRUE(WriteDefaultConfiguration(folder.path()));
    VirtualClock clock;
    sim::SimulatedProcessor processor;
    sim::InProcessTransport transport{processor, clock};
    CHSQ2600ObjApp app{clock, folder.path()};
    app.Link().AttachTransport(&transport);
    app.Logic().TakeSystemLanguage(1033);
    app.Window().Refresh();

    QAction* entry = MenuEntry(app.Window(), "Traffic monitor");
    ASSERT_NE(entry, nullptr);
    entry->trigger();
    auto* monitor = app.Window().findChild<CTrafficMonitor*>();
    ASSERT_NE(monitor, nullptr);
    EXPECT_TRUE(monitor->isVisible());
    EXPECT_FALSE(monitor->isModal());
    EXPECT_EQ(monitor->windowTitle(), "Traffic monitor");

    DeviceCommands(app.Link()).SetMute(true);
    monitor->Refresh();
    const QAbstractItemModel* rows = monitor->findChild<QTableView*>()->model();
    ASSERT_EQ(rows->rowCount(), 2);
    EXPECT_EQ(rows->index(0, 2).data().toString(), "86 01 b4 01 00 00 00 00 00 00 00 00 32");
    EXPECT_EQ(rows->index(1, 3).data().toString(), "SetMute");
    EXPECT_EQ(rows->index(1, 4).data().toString(), "complete");
    monitor->close();
}

}  // namespace
}  // namespace hsq
