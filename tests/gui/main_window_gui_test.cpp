// The real main window on the offscreen platform, connected to the simulated processor.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include <QCoreApplication>
#include <QImage>
#include <QLabel>

#include "program/application_window.h"
#include "app/card_area_widget.h"
#include "config/default_configuration.h"
#include "sim/in_process_transport.h"
#include "sim/simulated_processor.h"
#include "support/temp_folder.h"
#include "ui/mouse_drag.h"

namespace hsq {
namespace {

// Input card A and output card K only.
sim::ProcessorState CardsAAndK() {
    sim::CardSet cards = sim::CardSet::None();
    cards.inputs = {true, false, false, false};
    cards.outputs = {true, false};
    return sim::ProcessorState(cards);
}

// The application on a fresh configuration, connected at start-up to a processor with A and K.
class MainWindowGui : public ::testing::Test {
  protected:
    MainWindowGui() {
        EXPECT_TRUE(WriteDefaultConfiguration(folder.path()));
        ProfileStore(folder.path()).WriteValue(ConfigFileKind::SystemInfo, "Connect", "AutoConnect",
                                              "1");
        app.Link().AttachTransport(&transport);
    }
    ~MainWindowGui() override { EXPECT_EQ(processor.Violations(), std::vector<std::string>{}); }
    CardAreaWidget& Area(int index) { return *app.Window().findChildren<CardAreaWidget*>()[index]; }

    testing::TempFolder folder;
    testing::TempFolder pictures;
    TourRecorder tour{QString::fromStdString(pictures.path().string())};
    VirtualClock clock;
    sim::SimulatedProcessor processor{CardsAAndK()};
    sim::InProcessTransport transport{processor, clock};
    CHSQ2600ObjApp app{clock, folder.path(), &tour};
};

// The window shows the logic's state at start, and forwards the end of a drag to its logic.
TEST_F(MainWindowGui, ShowsThePresentCardsAndStoresADragWhenItEnds) {
    // 800 x 800 offscreen: the small-screen question comes, and the tour answers Yes.
    ASSERT_TRUE(app.StartUp(1033));
    EXPECT_EQ(tour.Saved(), 1);
    CHSQ2600ObjDlg& window = app.Window();
    const auto* status = window.findChild<QLabel*>("status");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "COM1Serial Opened successfully");

    ASSERT_EQ(window.findChildren<CardAreaWidget*>().size(), 2);
    const QImage input = Area(0).grab().toImage();
    const QImage output = Area(1).grab().toImage();
    const QColor background("#dde3ea");
    // A's picture is drawn, B's place stays empty; K is drawn, L's place stays empty.
    const Rect a = MainWindowLogic::InputPicturePlace(0), b = MainWindowLogic::InputPicturePlace(1);
    EXPECT_NE(input.pixelColor(a.left + 40, a.top + 30), background);
    EXPECT_EQ(input.pixelColor(b.left + 40, b.top + 30), background);
    EXPECT_NE(output.pixelColor(40, 30), background);
    EXPECT_EQ(output.pixelColor(40, 80), background);

    DragWithLeftButton(Area(1), {40, 20}, {60, 120});
    EXPECT_EQ(app.Logic().HandlesShownIn(), MainWindowLogic::Area::Output);
    std::string place;
    ProfileStore(folder.path()).ReadValue(ConfigFileKind::SystemInfo, "OutScreenData", "OutScreen1",
                                          place);
    EXPECT_EQ(place, "20,100,245,140");
}

// A tour pictures in both languages what only a fault or a long wait shows: the main window
// while the processor does not answer, and a waiting box with its steps and Cancel.
TEST_F(MainWindowGui, ATourPicturesTheSilentProcessorAndAWaitingBox) {
    ASSERT_EQ(app.RunTour(1033), 0);
    std::set<std::string> pictured;
    for (const auto& file : std::filesystem::directory_iterator(pictures.path()))
        pictured.insert(file.path().filename().string().substr(3));  // after "NN-"
    for (const char* name : {"main-window-silent-en.png", "main-window-silent-zh.png",
                             "waiting-box-en.png", "waiting-box-zh.png"})
        EXPECT_TRUE(pictured.contains(name)) << name;
}

}  // namespace
}  // namespace hsq
