#pragma once

#include <string>

#include "service/http_server.h"

namespace hsq {

// The remote control of a program that holds the line: the status kept current, the timers'
// and the processor's changes told to the event streams, and the routes on an HTTP socket.
class RemoteControl {
  public:
    static constexpr int kLookPeriodMs = 150;

    RemoteControl(DeviceCommands& commands, Clock& clock, ProfileStore& store,
                  HeadlessTimers& timers, const HttpApi::Settings& settings);
    // Stops the server, then the watching; the timers tell it nothing more.
    ~RemoteControl();
    RemoteControl(const RemoteControl&) = delete;
    RemoteControl& operator=(const RemoteControl&) = delete;

    // Reads the status, starts watching the line and listens. False with a one-line reason
    // when the address cannot be had.
    bool Start(const HttpAddress& address, std::string& error);
    int Port() const { return server_.Port(); }
    RemoteState& State() { return state_; }

  private:
    Clock& clock_;
    HeadlessTimers& timers_;
    RemoteEvents events_;
    RemoteState state_;
    HttpApi api_;
    HttpServer server_;
};

}  // namespace hsq
