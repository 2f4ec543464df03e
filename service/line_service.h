#pragma once

#include <filesystem>
#include <list>
#include <mutex>
#include <string>
#include <thread>

#include "commands/device_commands.h"
#include "sim/stoppable_thread.h"

namespace hsq {

// Serves the line this program holds to the other programs of this machine, over a Unix socket
// that only this user may use. Each client's exchanges are carried out whole on this program's
// link, between those of its other clients and its own; a client may hold the line for a whole
// operation, and one that goes away lets it go.
class LineService {
  public:
    explicit LineService(DeviceCommands& commands);
    // Stops.
    ~LineService();
    LineService(const LineService&) = delete;
    LineService& operator=(const LineService&) = delete;

    // Listens at the path (mode 0600). False, with a one-line reason, when another service
    // answers there or the socket cannot be made; a socket left by a service that died is
    // replaced.
    bool Start(const std::filesystem::path& socket, std::string& error);
    // Closes the socket and every client, after the exchanges in progress.
    void Stop();

  private:
    struct Client {
        int fd = -1;
        std::thread thread;
    };

    void Accept(int wakeFd);
    void Serve(int fd);

    DeviceCommands& commands_;
    std::filesystem::path socket_;
    int listener_ = -1;
    sim::StoppableThread acceptor_;
    std::mutex clientsLock_;
    std::list<Client> clients_;
    bool stopping_ = false;
};

}  // namespace hsq
