#pragma once

#include <string>

#include "link/clock.h"
#include "sim/descriptor_pump.h"
#include "sim/link_session.h"
#include "sim/stoppable_thread.h"

namespace hsq::sim {

// Serves the processor on a pseudo-terminal, on the real clock. The application opens the slave
// side as its serial port. The server keeps a slave descriptor of its own, so that a client
// closing the port is no hang-up: the next client finds the same line.
class PtyServer {
  public:
    explicit PtyServer(SimulatedProcessor& processor, TrafficTrace* trace = nullptr);
    ~PtyServer();
    PtyServer(const PtyServer&) = delete;
    PtyServer& operator=(const PtyServer&) = delete;

    // Opens the pseudo-terminal and sets its line raw. False, with the reason in error, when the
    // system gives none.
    bool Open(std::string& error);
    // The slave device, e.g. /dev/pts/3.
    const std::string& Path() const { return path_; }

    bool Start();
    void Stop() { thread_.Stop(); }

  private:
    void Serve(int wakeFd);
    // A dropped line loses what either side has not read yet.
    void DropLine();

    SystemClock clock_;
    LinkSession session_;
    DescriptorPump pump_;
    StoppableThread thread_;
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

}  // namespace hsq::sim
