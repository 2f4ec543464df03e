#include "service/http_server.h"

#include <httplib.h>

#include "service/remote_json.h"

namespace hsq {
namespace {

HttpRequest RequestOf(const httplib::Request& request) {
    return {request.method,
            request.path,
            request.has_param("token") ? request.get_param_value("token") : std::string(),
            request.get_header_value("Authorization"),
            request.body,
            request.remote_addr};
}

std::string EventText(const std::optional<RemoteEvent>& event) {
    if (!event) return ": keep-alive\n\n";
    return "event: " + event->name + "\ndata: " + event->data + "\n\n";
}

void Stream(RemoteEvents& events, httplib::Response& response) {
    response.set_header("Cache-Control", "no-cache");
    auto listener = events.Listen();
    response.set_chunked_content_provider(
        "text/event-stream", [listener](std::size_t, httplib::DataSink& sink) {
            const auto event = listener->Next(HttpServer::kKeepAliveMs);
            if (listener->Closed()) {
                sink.done();
                return false;
            }
            const std::string text = EventText(event);
            return sink.write(text.data(), text.size());
        });
}

// What the library refuses before any route (a body over the limit, a request it cannot read)
// is told in the API's words too.
void ExplainRefusal(const httplib::Request&, httplib::Response& response) {
    if (!response.body.empty()) return;
    const std::string status = std::to_string(response.status);
    const bool tooLarge = response.status == 413;
    response.set_content(
        JsonText(ErrorJson(tooLarge ? "the body is larger than 4096 bytes"
                                    : "the request was refused (" + status + ")",
                           tooLarge ? "请求内容超过 4096 字节" : "请求被拒绝 (" + status + ")")),
        "application/json");
}

}  // namespace

HttpServer::HttpServer(HttpApi& api, RemoteEvents& events)
    : api_(api), events_(events), server_(std::make_unique<httplib::Server>()) {
    server_->new_task_queue = [] { return new httplib::ThreadPool(kThreads); };
    server_->set_payload_max_length(HttpApi::kBodyLimit);
    server_->set_error_handler(ExplainRefusal);
    const auto answer = [this](const httplib::Request& request, httplib::Response& response) {
        const HttpAnswer answer = api_.Handle(RequestOf(request));
        response.status = answer.status;
        if (answer.retryAfterSeconds > 0)
            response.set_header("Retry-After", std::to_string(answer.retryAfterSeconds));
        if (answer.eventStream) {
            Stream(events_, response);
        } else {
            response.set_content(answer.body, answer.contentType);
        }
    };
    server_->Get(".*", answer);
    server_->Post(".*", answer);
    server_->Put(".*", answer);
    server_->Delete(".*", answer);
    server_->Patch(".*", answer);
}

HttpServer::~HttpServer() { Stop(); }

bool HttpServer::Start(const HttpAddress& address, std::string& error) {
    port_ = address.port == 0 ? server_->bind_to_any_port(address.host)
                              : (server_->bind_to_port(address.host, address.port) ? address.port
                                                                                    : -1);
    if (port_ <= 0) {
        error = "cannot listen for HTTP at " + address.host + " port " +
                std::to_string(address.port);
        return false;
    }
    thread_ = std::thread([this] { server_->listen_after_bind(); });
    // A stop before the library marks itself running would be lost.
    while (!server_->is_running()) std::this_thread::yield();
    return true;
}

void HttpServer::Stop() {
    events_.Close();
    server_->stop();
    if (thread_.joinable()) thread_.join();
}

}  // namespace hsq
