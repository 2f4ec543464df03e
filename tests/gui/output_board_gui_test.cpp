// The output board window on the offscreen platform, against the simulated processor.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <memory>

#include "app/readback_fixture.h"
#include "canvas/layout_canvas_widget.h"
#include "output/output_board_dialog.h"
#include "ui/mouse_drag.h"

namespace hsq {
namespace {

class OutputBoardGui : public testing::ReadbackFixture {
  protected:
    OutputBoardGui() {
        state.connected = true;
        state.system.resolution = {6, 1920, 1080};
        LoadOutputProfiles(store, state.outputs);
        logic = std::make_unique<OutputBoardLogic>(state, store, sim.commands, host, 0,
                                                   OutputBoardLogic::Dialogs{});
        logic->Open();
        dialog = std::make_unique<CCOverlay>(*logic);
        dialog->show();
        QCoreApplication::processEvents();
    }

    QWidget& Frame(const char* name) { return *dialog->findChild<QWidget*>(name); }
    testing::ScriptedHost host;
    std::unique_ptr<OutputBoardLogic> logic;
    std::unique_ptr<CCOverlay> dialog;
};

// The output fields show where the operator dragged the window, and Save sends just that.
TEST_F(OutputBoardGui, ADraggedChannelIsSentAsItsFieldsShowIt) {
    for (QPushButton* button : dialog->findChildren<QPushButton*>()) {
        if (button->text() == "IMG2")
            button->click();
    }
    QWidget& output = Frame("output-image");
    // CH2 is the upper right quarter of the 450 x 240 canvas.
    DragWithLeftButton(*output.findChild<LayoutCanvasWidget*>(), {330, 60}, {250, 150});
    QCoreApplication::processEvents();

    const auto fields = output.findChildren<QLineEdit*>();  // W, H, X, Y
    ASSERT_EQ(fields.size(), 4);
    const auto shown = [&](int field, int origin) {
        return static_cast<std::uint16_t>(fields[field]->text().toInt() + origin);
    };
    const WindowRect window{shown(2, 32), shown(0, 0), shown(3, 8), shown(1, 0)};
    EXPECT_EQ(window.width, 960);
    EXPECT_EQ(window.height, 540);
    EXPECT_LT(window.x, 992);  // moved left and down from where the processor had it
    EXPECT_GT(window.y, 8);
    EXPECT_EQ(window.x % 2 + window.y % 2, 0);

    output.findChild<QPushButton*>()->click();
    EXPECT_EQ(host.Texts(), std::vector<std::string>{});
    const sim::OutputBoardState board = sim.processor.Snapshot().outputs[0];
    EXPECT_EQ(board.modes[board.displayMode].channels[1].output, window);
}

}  // namespace
}  // namespace hsq
