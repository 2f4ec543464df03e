#pragma once

#include <memory>
#include <string>
#include <thread>

#include "service/access_token.h"
#include "service/http_api.h"
#include "service/remote_events.h"

namespace httplib {
class Server;
}

namespace hsq {

// The routes on a socket, through the packaged HTTP library: requests handed to the API as they
// come, and granted event streams fed from the events until they close.
class HttpServer {
  public:
    // Enough for twenty clients at once beside the pages' event streams.
    static constexpr int kThreads = 48;
    static constexpr int kKeepAliveMs = 15000;

    HttpServer(HttpApi& api, RemoteEvents& events);
    // Stops.
    ~HttpServer();
    HttpServer(const HttpServer&) = delete;
    HttpServer& operator=(const HttpServer&) = delete;

    // Binds and answers on a thread of its own; port 0 takes a free one. False, with a one-line
    // reason, when the address cannot be had.
    bool Start(const HttpAddress& address, std::string& error);
    int Port() const { return port_; }
    // Ends the event streams, then the server.
    void Stop();

  private:
    HttpApi& api_;
    RemoteEvents& events_;
    std::unique_ptr<httplib::Server> server_;
    std::thread thread_;
    int port_ = 0;
};

}  // namespace hsq
