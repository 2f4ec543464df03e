// The input card, picture adjustment, ADC/EDID, display mode and connection settings windows on
// the offscreen platform, against the simulated processor: each control reaches its logic, and
// a field hands over what the operator finished typing, whole.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <condition_variable>
#include <memory>
#include <mutex>

#include "app/readback_fixture.h"
#include "app/serial_set_dialog.h"
#include "input/adc_edid_dialog.h"
#include "input/input_card_dialog.h"
#include "input/picture_adjustment_dialog.h"
#include "modes/mode_get_dialog.h"

namespace hsq {
namespace {

template <typename Widget = QPushButton>
Widget* Captioned(QWidget& window, const QString& caption, int nth = 0) {
    for (Widget* widget : window.findChildren<Widget*>()) {
        if (widget->text() == caption && nth-- == 0) return widget;
    }
    ADD_FAILURE() << "no " << caption.toStdString();
    return nullptr;
}

// Typed as the operator types, then left unfinished or finished with Enter.
void Type(QLineEdit& field, const QString& text, bool enter) {
    field.setFocus();
    field.selectAll();
    QTest::keyClicks(&field, text);
    if (enter) QTest::keyClick(&field, Qt::Key_Return);
}

class InputDialogsGui : public testing::ReadbackFixture {
  protected:
    InputDialogsGui() { state.connected = true; }

    // Shown, as the operator sees it, so that keys and clicks go where they would.
    template <typename Dialog>
    Dialog& Show(std::unique_ptr<Dialog> dialog) {
        dialog->show();
        QCoreApplication::processEvents();
        shown = std::move(dialog);
        return static_cast<Dialog&>(*shown);
    }
    sim::InputCardState Card(int card = 0) { return sim.processor.Snapshot().inputs[card]; }

    testing::ScriptedHost host;
    std::unique_ptr<QWidget> shown;
};

// A width too large is refused whole, not taken as its first digits; Save takes what is still
// being typed and sends what the fields show. Enter presses no button.
TEST_F(InputDialogsGui, InputCardFieldsAndSave) {
    sim::ProcessorState processor;
    processor.inputs[0].pictureMode = 1;
    sim.processor.Restore(processor);
    state.system.resolution = {6, 1920, 1080};
    ASSERT_TRUE(readback.ReadInputCard(0).Done());
    InputCardLogic logic(state, sim.commands, host, 0, {});
    COneShow& dialog = Show(std::make_unique<COneShow>(logic));
    Captioned(dialog, "↓↓↓↓↓↓")->click();
    const QList<QLineEdit*> fields = dialog.findChildren<QLineEdit*>();  // main W, H, X, Y, PIP ...
    ASSERT_EQ(fields.size(), 8);

    const auto elapsed = sim.clock.ElapsedMs();
    Type(*fields[0], "2000", true);
    EXPECT_EQ(host.Texts(), std::vector<std::string>{"Value out of range"});
    EXPECT_EQ(fields[0]->text(), "1920");
    EXPECT_EQ(sim.clock.ElapsedMs(), elapsed);

    Type(*fields[0], "1280", true);
    Type(*fields[6], "300", false);
    Captioned(dialog, "Save")->click();
    EXPECT_EQ(Card().mainWindow, (WindowRect{0, 1280, 0, 1080}));
    EXPECT_EQ(Card().pipWindow, (WindowRect{300, 640, 16, 360}));
    EXPECT_EQ(fields[6]->text(), "300");
}

TEST_F(InputDialogsGui, PictureAdjustmentBoxesAndSet) {
    readback.ReadInputCard(0);
    PictureAdjustmentLogic logic(state, store, sim.commands, host, 0);
    logic.Open();
    COtherSet& dialog = Show(std::make_unique<COtherSet>(logic));
    const QList<QLineEdit*> boxes = dialog.findChildren<QLineEdit*>();  // red .. contrast
    ASSERT_EQ(boxes.size(), kPictureValueCount);
    QLineEdit& brightness = *boxes[3];
    Type(brightness, "70", false);
    Captioned(dialog, "Set", 1)->click();
    EXPECT_EQ(Card().brightness, 70);
    EXPECT_EQ(state.inputs[0].brightness, 70);
}

// The processor's link held up by the first frame: the presses that come meanwhile still each
// send theirs. They come through the window system, which keeps them from a window that a modal
// box stands over.
class GatedTransport final : public LinkTransport {
  public:
    explicit GatedTransport(LinkTransport& inner) : inner_(inner) {}
    int WriteFrame(const std::uint8_t* bytes, int count) override {
        std::unique_lock hold(mutex_);
        opened_.wait(hold, [this] { return open_; });
        ++frames;
        return inner_.WriteFrame(bytes, count);
    }
    int ReadAvailable(std::uint8_t* bytes, int count) override {
        return inner_.ReadAvailable(bytes, count);
    }
    void CloseTransport() override { inner_.CloseTransport(); }
    void Open() {
        {
            std::lock_guard hold(mutex_);
            open_ = true;
        }
        opened_.notify_all();
    }
    int frames = 0;

  private:
    LinkTransport& inner_;
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
};

TEST_F(InputDialogsGui, AdcEdidSendsAFrameForEveryQuickPress) {
    GatedTransport gate(sim.transport);
    sim.link.AttachTransport(&gate);
    {
        AdcEdidLogic logic(sim.commands);
        CCAdcEdid& dialog = Show(std::make_unique<CCAdcEdid>(logic));
        QPushButton* dvi = Captioned(dialog, "DVI", 2);
        const auto press = [&] {
            const QPoint centre = dvi->mapTo(&dialog, dvi->rect().center());
            QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, centre);
        };
        QTimer::singleShot(0, [&] {
            for (int i = 0; i < 3; ++i) press();
            gate.Open();
        });
        press();
        QCoreApplication::processEvents();
        shown.reset();
    }
    EXPECT_EQ(gate.frames, 4);
    EXPECT_EQ(sim.clock.Pauses(), std::vector<int>(4, DeviceLink::kSendPauseMs));
}

TEST_F(InputDialogsGui, DisplayModeLoadRecallsTheChosenMode) {
    ModeGetLogic logic(state, store, sim.commands, host);
    CModeGet& dialog = Show(std::make_unique<CModeGet>(logic));
    Captioned<QRadioButton>(dialog, "M3")->click();
    Captioned(dialog, "Load")->click();
    EXPECT_EQ(sim.processor.Snapshot().outputs[0].displayMode, 2);
    EXPECT_TRUE(host.boxes.empty());
}

// An address is kept as typed, so that OK can say what is wrong with it rather than take a
// shortened one.
TEST_F(InputDialogsGui, ConnectionSettingsKeepTheAddressAsTypedAndOkRefusesIt) {
    store.WriteValue(ConfigFileKind::SystemInfo, "Connect", "IP", "10.9.9.9");
    SerialSetLogic logic(host, store, sim.commands, state.connection, false, kEnglish);
    logic.OnOpen();
    CSerialSet& dialog = Show(std::make_unique<CSerialSet>(logic));
    QLineEdit* address = nullptr;
    for (QLineEdit* field : dialog.findChildren<QLineEdit*>()) {
        if (field->text() == "10.9.9.9") address = field;
    }
    ASSERT_NE(address, nullptr);
    Type(*address, "300.1.2.3", false);
    EXPECT_EQ(address->text(), "300.1.2.3");
    Captioned(dialog, "OK")->click();
    ASSERT_EQ(host.boxes.size(), 1u);
    EXPECT_TRUE(host.boxes[0].text.starts_with("The IP address must be"));
    EXPECT_EQ(Read(ConfigFileKind::SystemInfo, "Connect", "IP"), "10.9.9.9");
    EXPECT_TRUE(dialog.isVisible());
}

}  // namespace
}  // namespace hsq
