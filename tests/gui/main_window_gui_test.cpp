// The real main window on the offscreen platform, connected to the simulated processor.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>

#include "app/application_window.h"
#include "app/card_area_widget.h"
#include "config/default_configuration.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"
#include "support/temp_folder.h"

namespace hsq {
namespace {

// Input card A and output card K only.
sim::ProcessorState CardsAAndK() {
    sim::CardSet cards = sim::CardSet::None();
    cards.inputs = {true, false, false, false};
    cards.outputs = {true, false};
    return sim::ProcessorState(cards);
}

TEST(MainWindowGui, ConnectsAtStartAndShowsThePresentCards) {
    testing::TempFolder folder;
    ASSERT_TRUE(WriteDefaultConfiguration(folder.path()));
    ProfileStore(folder.path()).WriteValue(ConfigFileKind::SystemInfo, "Connect", "AutoConnect", "1");
    testing::TempFolder pictures;
    TourRecorder tour(QString::fromStdString(pictures.path().string()));
    VirtualClock clock;
    sim::SimulatedProcessor processor(CardsAAndK());
    sim::InProcessTransport transport(processor, clock);
    CHSQ2600ObjApp app(clock, folder.path(), &tour);
    app.Link().AttachTransport(&transport);

    // 800 x 800 offscreen: the small-screen question comes, and the tour answers Yes.
    ASSERT_TRUE(app.StartUp(1033));
    EXPECT_EQ(tour.Saved(), 1);
    CHSQ2600ObjDlg& window = app.Window();
    const auto* status = window.findChild<QLabel*>("status");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "COM1Serial Opened successfully");
    EXPECT_EQ(window.windowTitle(), "HSQ2600 Software Controller(V1.00)");

    const auto areas = window.findChildren<CardAreaWidget*>();
    ASSERT_EQ(areas.size(), 2);
    const QImage input = areas[0]->grab().toImage();
    const QImage output = areas[1]->grab().toImage();
    const QColor background("#dde3ea");
    // A's picture is drawn, B's place stays empty; K is drawn, L's place stays empty.
    const Rect a = MainWindowLogic::InputPicturePlace(0), b = MainWindowLogic::InputPicturePlace(1);
    EXPECT_NE(input.pixelColor(a.left + 40, a.top + 30), background);
    EXPECT_EQ(input.pixelColor(b.left + 40, b.top + 30), background);
    EXPECT_NE(output.pixelColor(40, 30), background);
    EXPECT_EQ(output.pixelColor(40, 80), background);
}

}  // namespace
}  // namespace hsq
