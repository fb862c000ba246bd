// The page's HTTP and websocket server (server.h).
#include "server.h"

// Boost 1.74's Asio uses std::exchange without including <utility> under C++20: server.h
// includes it first.
#include <atomic>
#include <boost/asio.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/websocket.hpp>
#include <chrono>
#include <csignal>
#include <deque>
#include <fstream>
#include <memory>
#include <ostream>
#include <set>
#include <sstream>
#include <stdexcept>
#include <streambuf>
#include <thread>
#include <utility>
#include <vector>

#include "served_panel.h"
#include "tj20host/input_file.h"
#include "tj20host/scenario.h"

namespace tj20::host::serve {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
namespace websocket = beast::websocket;
using tcp = asio::ip::tcp;

namespace {

constexpr auto CyclePeriod = std::chrono::microseconds(1'000'000 / 18);
// A page that falls this many messages behind is let go rather than kept in memory.
constexpr std::size_t MostQueued = 256;

struct PageFile {
    const char* target;
    const char* file;
    const char* type;
};
constexpr PageFile pageFiles[] = {{"/", "index.html", "text/html; charset=utf-8"},
                                  {"/index.html", "index.html", "text/html; charset=utf-8"},
                                  {"/app.js", "app.js", "text/javascript; charset=utf-8"},
                                  {"/style.css", "style.css", "text/css; charset=utf-8"}};

// Hands each whole line written to it to a function (the scenario's report and trace).
class LineBuffer : public std::streambuf {
public:
    explicit LineBuffer(std::function<void(std::string)> onLine) : onLine_(std::move(onLine)) {}

protected:
    int_type overflow(int_type c) override {
        if (c == traits_type::eof()) return traits_type::not_eof(c);
        if (c == '\n') {
            onLine_(std::move(line_));
            line_.clear();
        } else {
            line_ += static_cast<char>(c);
        }
        return c;
    }

private:
    std::function<void(std::string)> onLine_;
    std::string line_;
};

class Server;

class WebSocketSession : public std::enable_shared_from_this<WebSocketSession> {
public:
    WebSocketSession(tcp::socket socket, Server& server) : ws_(std::move(socket)), server_(server) {}
    void start(http::request<http::string_body> request);
    void send(std::shared_ptr<const std::string> message);
    void close();

private:
    void read();
    void write();
    websocket::stream<beast::tcp_stream> ws_;
    Server& server_;
    beast::flat_buffer buffer_;
    std::deque<std::shared_ptr<const std::string>> queue_;
    bool closing_ = false;
};

class HttpSession : public std::enable_shared_from_this<HttpSession> {
public:
    HttpSession(tcp::socket socket, Server& server) : stream_(std::move(socket)), server_(server) {}
    void read();

private:
    void respond();
    beast::tcp_stream stream_;
    Server& server_;
    beast::flat_buffer buffer_;
    http::request<http::string_body> request_;
    std::shared_ptr<http::response<http::string_body>> response_;
};

class Server {
public:
    Server(const ServeOptions& options, std::ostream& out)
        : options_(options), out_(out), acceptor_(io_), timer_(io_), signals_(io_, SIGINT, SIGTERM) {
        for (const auto& f : pageFiles) {
            if (files_.count(f.file)) continue;
            const auto path = options.webDir / f.file;
            std::ifstream in(path, std::ios::binary);
            std::ostringstream bytes;
            if (!in || !(bytes << in.rdbuf()))
                throw std::runtime_error(path.string() + ": the page's file cannot be read");
            files_[f.file] = bytes.str();
        }
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(options.scenarioDir, ec))
            if (entry.is_regular_file() && entry.path().extension() == ".scn")
                scenarios_.insert(entry.path().filename().string());
        config_ = PanelConfig::read(options.panelFile);
        live_ = std::make_unique<ServedPanel>(config_, options.moduleDir);
        applyStart();

        boost::system::error_code bec;
        const auto address = asio::ip::make_address(options.address, bec);
        if (bec) throw std::runtime_error("--address " + options.address + ": not an IP address");
        loopbackOnly_ = address.is_loopback();
        const tcp::endpoint endpoint(address, options.port);
        acceptor_.open(endpoint.protocol(), bec);
        if (!bec) acceptor_.set_option(asio::socket_base::reuse_address(true), bec);
        if (!bec) acceptor_.bind(endpoint, bec);
        if (!bec) acceptor_.listen(asio::socket_base::max_listen_connections, bec);
        if (bec)
            throw std::runtime_error(options.address + " port " + std::to_string(options.port) +
                                     ": cannot listen there: " + bec.message());
    }

    ~Server() {
        stopScenario_ = 1;
        if (worker_.joinable()) worker_.join();
    }

    void run() {
        const auto bound = acceptor_.local_endpoint();
        out_ << "serving http://"
             << (bound.address().is_v6() ? "[" + bound.address().to_string() + "]" : bound.address().to_string()) << ":"
             << bound.port() << "/" << std::endl;
        signals_.async_wait([this](const boost::system::error_code&, int) { io_.stop(); });
        accept();
        next_ = std::chrono::steady_clock::now() + CyclePeriod;
        schedule();
        io_.run();
    }

    // A server on the loopback answers only requests addressed to the loopback; one listening
    // on an address the user chose answers whatever name reached it.
    bool addressedHere(std::string_view host) const { return !loopbackOnly_ || namesLoopback(host); }

    const std::string* page(std::string_view target, const char** type) const {
        for (const auto& f : pageFiles)
            if (target == f.target) {
                *type = f.type;
                return &files_.at(f.file);
            }
        return nullptr;
    }

    void join(const std::shared_ptr<WebSocketSession>& s) {
        sessions_.insert(s);
        s->send(dump(scenarioList()));
        if (live_) {
            s->send(dump(live_->layout()));
            s->send(dump(live_->snapshot()));
        }
    }

    void leave(const std::shared_ptr<WebSocketSession>& s) {
        if (sessions_.erase(s) && live_) live_->release();
    }

    // A page's message: the reply goes back to that page only.
    void handle(const std::string& text, const std::shared_ptr<WebSocketSession>& from) {
        Json reply;
        const Json m = Json::parse(text, nullptr, false);
        const bool scenario = m.is_object() && m.contains("type") && m["type"] == "scenario";
        if (scenario)
            reply = startScenario(m);
        else if (!live_ && Json::accept(text))
            reply = {{"type", "error"}, {"message", "a scenario is running: the live panel returns when it ends"}};
        else if (!live_)
            reply = {{"type", "error"}, {"message", "the message is not JSON"}};
        else
            reply = live_->handle(text);
        from->send(dump(reply));
    }

    asio::io_context& io() { return io_; }

private:
    static std::shared_ptr<const std::string> dump(const Json& j) {
        return std::make_shared<const std::string>(j.dump(-1, ' ', false, Json::error_handler_t::replace));
    }

    void applyStart() {
        if (options_.paused) live_->handle(R"({"type":"control","action":"pause"})");
        live_->handle(R"({"type":"control","action":"speed","speed":)" + std::to_string(options_.speed) + "}");
    }

    void broadcast(const Json& j) {
        const auto message = dump(j);
        // A page that has fallen too far behind leaves the set while it is sent to.
        const std::vector<std::shared_ptr<WebSocketSession>> all(sessions_.begin(), sessions_.end());
        for (const auto& s : all) s->send(message);
    }

    Json scenarioList() const {
        Json names = Json::array();
        for (const auto& n : scenarios_) names.push_back(n);
        return {{"type", "scenarios"}, {"names", names}};
    }

    void accept() {
        acceptor_.async_accept([this](boost::system::error_code ec, tcp::socket socket) {
            if (!ec) std::make_shared<HttpSession>(std::move(socket), *this)->read();
            if (acceptor_.is_open()) accept();
        });
    }

    // The panel cycle, at 18 a second however long a frame took (no catching up after a stall).
    void schedule() {
        timer_.expires_at(next_);
        timer_.async_wait([this](const boost::system::error_code& ec) {
            if (ec) return;
            next_ += CyclePeriod;
            const auto now = std::chrono::steady_clock::now();
            if (next_ < now) next_ = now + CyclePeriod;
            if (live_) {
                try {
                    live_->advance();
                    if (!sessions_.empty()) {
                        // Drawing takes at most half the time: after pictures that took t to
                        // make, the next are made t later (the values still go every frame).
                        const auto start = std::chrono::steady_clock::now();
                        const bool pictures = start >= nextPictures_;
                        Json f = live_->frame(pictures);
                        if (pictures) nextPictures_ = start + 2 * (std::chrono::steady_clock::now() - start);
                        if (f.size() > 2) broadcast(f);  // more than the type and the cycle
                    }
                } catch (const std::exception& e) {
                    // A gauge or the model failed: the panel stops, the page is told why.
                    live_->handle(R"({"type":"control","action":"pause"})");
                    broadcast({{"type", "error"}, {"message", std::string("the panel stopped: ") + e.what()}});
                }
            }
            schedule();
        });
    }

    // Runs a script of the scenario directory against a panel of its own, on a thread of its
    // own; the live panel is let go meanwhile (the modules' state is shared by every panel of
    // the process) and loaded afresh when the script ends.
    Json startScenario(const Json& m) {
        const auto name = m.find("name");
        if (name == m.end() || !name->is_string()) return {{"type", "error"}, {"message", "'name' must be a string"}};
        const std::string file = name->get<std::string>();
        if (!scenarios_.count(file))
            return {{"type", "error"}, {"message", "no scenario '" + file + "' in the scenario directory"}};
        if (!live_) return {{"type", "error"}, {"message", "a scenario is already running"}};
        const auto path = options_.scenarioDir / file;
        Json expectations = Json::array();
        {
            std::ifstream in(path);
            std::string line;
            for (int n = 1; std::getline(in, line) && n <= 100000; ++n) {
                const auto start = line.find_first_not_of(" \t");
                if (start != std::string::npos && line.compare(start, 7, "expect ") == 0)
                    expectations.push_back({{"line", n}, {"text", line.substr(start)}});
            }
        }
        live_.reset();
        broadcast({{"type", "scenario-start"}, {"name", file}, {"expectations", expectations}});
        stopScenario_ = 0;
        worker_ = std::thread([this, path, file] {
            auto post = [this](Json j) { asio::post(io_, [this, j = std::move(j)] { broadcast(j); }); };
            LineBuffer reportLines([&](std::string line) { post({{"type", "scenario-report"}, {"text", line}}); });
            LineBuffer traceLines([&](std::string line) {
                // The steps as they start ("line N: ..."): expectations before them have held
                // unless the report said otherwise.
                const Json e = Json::parse(line, nullptr, false);
                if (e.is_object() && e.value("kind", "") == "note") {
                    const std::string t = e.value("text", "");
                    if (t.rfind("line ", 0) == 0) post({{"type", "scenario-step"}, {"line", std::atoi(t.c_str() + 5)}});
                }
            });
            std::ostream report(&reportLines), trace(&traceLines);
            ScenarioOptions o;
            o.moduleDir = options_.moduleDir;
            o.defaultConfig = options_.panelFile;
            o.report = &report;
            o.trace = &trace;
            o.traceJson = true;
            o.interrupted = &stopScenario_;
            Json end = {{"type", "scenario-end"}, {"name", file}};
            try {
                const ScenarioResult r = runScenarioFile(path, o);
                end["exit"] = r.exitCode;
                end["steps"] = r.stepsRun;
                end["expectations"] = r.expectationsChecked;
                end["failures"] = r.failures;
            } catch (const std::exception& e) {
                end["exit"] = ScenarioBadInput;
                end["error"] = e.what();
            }
            asio::post(io_, [this, end] { finishScenario(end); });
        });
        return {{"type", "scenario"}, {"name", file}, {"started", true}};
    }

    void finishScenario(const Json& end) {
        if (worker_.joinable()) worker_.join();
        broadcast(end);
        try {
            live_ = std::make_unique<ServedPanel>(config_, options_.moduleDir);
            applyStart();
            broadcast(live_->layout());
            broadcast(live_->snapshot());
        } catch (const std::exception& e) {
            broadcast(
                {{"type", "error"}, {"message", std::string("the live panel could not be loaded again: ") + e.what()}});
        }
    }

    ServeOptions options_;
    bool loopbackOnly_ = true;
    std::ostream& out_;
    asio::io_context io_;
    tcp::acceptor acceptor_;
    asio::steady_timer timer_;
    asio::signal_set signals_;
    std::chrono::steady_clock::time_point next_, nextPictures_;
    std::map<std::string, std::string> files_;
    std::set<std::string> scenarios_;
    PanelConfig config_;
    std::unique_ptr<ServedPanel> live_;
    std::set<std::shared_ptr<WebSocketSession>> sessions_;
    std::thread worker_;
    volatile std::sig_atomic_t stopScenario_ = 0;
};

void HttpSession::read() {
    request_ = {};
    stream_.expires_after(std::chrono::seconds(30));
    http::async_read(stream_, buffer_, request_, [self = shared_from_this()](beast::error_code ec, std::size_t) {
        if (ec) return;
        self->respond();
    });
}

void HttpSession::respond() {
    const std::string target(request_.target());
    const auto host = request_[http::field::host];
    const bool addressedHere = server_.addressedHere(std::string_view(host.data(), host.size()));
    if (addressedHere && websocket::is_upgrade(request_)) {
        // Only the page itself may open the websocket: another site's page in the same browser
        // would send an Origin of its own.
        const auto origin = request_.find(http::field::origin);
        const bool sameOrigin =
            origin == request_.end() || origin->value() == "http://" + std::string(request_[http::field::host]);
        if (target == "/ws" && sameOrigin) {
            std::make_shared<WebSocketSession>(stream_.release_socket(), server_)->start(std::move(request_));
            return;
        }
    }
    response_ = std::make_shared<http::response<http::string_body>>();
    auto& r = *response_;
    r.version(request_.version());
    r.keep_alive(request_.keep_alive());
    r.set(http::field::server, "tj20host");
    const char* type = "text/plain; charset=utf-8";
    const std::string* body = nullptr;
    if (!addressedHere) {
        r.result(http::status::forbidden);
        r.body() = "this server answers only requests addressed to 127.0.0.1 or localhost\n";
    } else if (request_.method() != http::verb::get && request_.method() != http::verb::head) {
        r.result(http::status::method_not_allowed);
        r.body() = "only GET and HEAD are served\n";
    } else if ((body = server_.page(target, &type))) {
        r.result(http::status::ok);
        r.set(http::field::cache_control, "no-store");
        r.body() = *body;
    } else {
        r.result(http::status::not_found);
        r.body() = "not found: this server serves the panel page's own files only\n";
    }
    r.set(http::field::content_type, type);
    r.prepare_payload();
    if (request_.method() == http::verb::head) r.body().clear();
    http::async_write(stream_, r, [self = shared_from_this()](beast::error_code ec, std::size_t) {
        if (ec || !self->response_->keep_alive()) {
            self->stream_.socket().shutdown(tcp::socket::shutdown_send, ec);
            return;
        }
        self->read();
    });
}

void WebSocketSession::start(http::request<http::string_body> request) {
    ws_.set_option(websocket::stream_base::timeout::suggested(beast::role_type::server));
    // Longer messages than the page's limit are read so that they get an error reply; far
    // longer ones end the connection.
    ws_.read_message_max(MessageLimit * 16);
    ws_.async_accept(request, [self = shared_from_this()](beast::error_code ec) {
        if (ec) return;
        // Everything runs on the io_context's one thread: hand over to it from the strand.
        asio::post(self->server_.io(), [self] {
            self->server_.join(self);
            self->read();
        });
    });
}

void WebSocketSession::read() {
    ws_.async_read(buffer_, [self = shared_from_this()](beast::error_code ec, std::size_t) {
        asio::post(self->server_.io(), [self, ec] {
            if (ec) {
                self->server_.leave(self);
                return;
            }
            std::string text = beast::buffers_to_string(self->buffer_.data());
            self->buffer_.consume(self->buffer_.size());
            if (!self->ws_.got_text())
                self->send(std::make_shared<const std::string>(
                    R"({"type":"error","message":"binary messages are not taken: send JSON text"})"));
            else
                self->server_.handle(text, self);
            self->read();
        });
    });
}

void WebSocketSession::send(std::shared_ptr<const std::string> message) {
    if (closing_) return;
    if (queue_.size() >= MostQueued) {
        close();
        return;
    }
    queue_.push_back(std::move(message));
    if (queue_.size() == 1) write();
}

void WebSocketSession::write() {
    ws_.text(true);
    ws_.async_write(asio::buffer(*queue_.front()), [self = shared_from_this()](beast::error_code ec, std::size_t) {
        asio::post(self->server_.io(), [self, ec] {
            if (ec) {
                self->closing_ = true;
                self->queue_.clear();
                self->server_.leave(self);
                return;
            }
            self->queue_.pop_front();
            if (self->closing_)
                self->queue_.clear();
            else if (!self->queue_.empty())
                self->write();
        });
    });
}

void WebSocketSession::close() {
    closing_ = true;
    // The message being written stays until its write ends (with the error the close causes).
    if (queue_.size() > 1) queue_.erase(queue_.begin() + 1, queue_.end());
    server_.leave(shared_from_this());
    beast::error_code ec;
    beast::get_lowest_layer(ws_).socket().close(ec);  // the reads and writes under way end with an error
}

}  // namespace

bool namesLoopback(std::string_view host) {
    std::string_view name = host;
    if (name.starts_with('[')) {
        const auto end = name.find(']');
        if (end == std::string_view::npos) return false;
        const std::string_view port = name.substr(end + 1);
        if (!port.empty() && (port[0] != ':' || port.size() == 1 ||
                              port.substr(1).find_first_not_of("0123456789") != std::string_view::npos))
            return false;
        return name.substr(0, end + 1) == "[::1]";
    }
    if (const auto colon = name.find(':'); colon != std::string_view::npos) {
        const std::string_view port = name.substr(colon + 1);
        if (port.empty() || port.find_first_not_of("0123456789") != std::string_view::npos) return false;
        name = name.substr(0, colon);
    }
    return name == "127.0.0.1" || name == "localhost";
}

std::string pageFileFor(std::string_view target) {
    for (const auto& f : pageFiles)
        if (target == f.target) return f.file;
    return {};
}

void serve(const ServeOptions& options, std::ostream& out) {
    Server server(options, out);
    server.run();
}

}  // namespace tj20::host::serve
