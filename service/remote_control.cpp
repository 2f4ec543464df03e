#include "service/remote_control.h"

#include "service/remote_json.h"

namespace hsq {

RemoteControl::RemoteControl(DeviceCommands& commands, Clock& clock, ProfileStore& store,
                             HeadlessTimers& timers, const HttpApi::Settings& settings)
    : clock_(clock),
      timers_(timers),
      state_(commands, events_),
      api_(commands, clock, state_, store, timers, settings),
      server_(api_, events_) {
    timers_.SetEvents({[this](const TimerRecord& record, bool confirmed) {
                          events_.Publish(TimerEvent(record, confirmed));
                      },
                      [this](TimerSection section, bool running) {
                          events_.Publish(SectionEvent(section, running));
                      }});
}

RemoteControl::~RemoteControl() {
    timers_.SetEvents({});
    server_.Stop();
    state_.StopWatching();
}

bool RemoteControl::Start(const HttpAddress& address, std::string& error) {
    state_.Refresh();
    state_.StartWatching(clock_, kLookPeriodMs);
    return server_.Start(address, error);
}

}  // namespace hsq
