#include "server/StatisticsHttpServer.h"

#include "onlinestats/OnlineStatistics.h"
#include "server/RequestLog.h"

#include <httplib.h>

#include <charconv>
#include <chrono>
#include <thread>

namespace zv {

namespace {

constexpr const char* kPlain = "text/plain; charset=utf-8";
constexpr const char* kUploadPath = "/onlinestatistik/upload.php";
constexpr int kStallSeconds = 30;

// The catches an upload stored, handed from its handler to the log line
// written on the same worker thread when the reply goes out.
thread_local long long storedByRequest = -1;

void Reply(httplib::Response& response, const ServiceReply& reply) {
    response.status = reply.status;
    response.set_content(reply.body, reply.contentType);
}

void Refuse(httplib::Response& response, int status, const std::string& line) {
    Reply(response, {status, kPlain, line + "\n"});
}

std::string TooLarge(std::size_t limit) {
    return "Der Upload ist größer als die erlaubten " + std::to_string(limit >> 20) +
           " MiB; es wurde nichts gespeichert.";
}

// A declared body over the limit; a missing or unreadable length is left to
// the reader, which counts what arrives.
bool DeclaredTooLarge(const httplib::Request& request, std::size_t limit) {
    if (!request.has_header("Content-Length")) {
        return false;
    }
    const std::string text = request.get_header_value("Content-Length");
    std::size_t length = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), length);
    return error == std::errc::result_out_of_range ||
           (error == std::errc() && end == text.data() + text.size() && length > limit);
}

} // namespace

StatisticsHttpServer::StatisticsHttpServer(OnlineStatistics& service, std::size_t maxUploadBytes,
                                           Log log)
    : service_(service), maxUploadBytes_(maxUploadBytes), log_(std::move(log)),
      http_(std::make_unique<httplib::Server>()) {
    Route();
}

StatisticsHttpServer::~StatisticsHttpServer() {
    Stop();
}

void StatisticsHttpServer::Route() {
    httplib::Server& http = *http_;
    // The library's own limit is the last line of defence; the checks below
    // answer before any of the body is read.
    http.set_payload_max_length(maxUploadBytes_);
    // The library gives a client 5 s between two packets; an angler's upload
    // over a slow line, or a busy machine, may need longer.
    http.set_read_timeout(kStallSeconds);
    http.set_write_timeout(kStallSeconds);
    http.set_expect_100_continue_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            if (DeclaredTooLarge(request, maxUploadBytes_)) {
                Refuse(response, 413, TooLarge(maxUploadBytes_));
                return 413;
            }
            return 100;
        });
    http.set_pre_routing_handler(
        [this](const httplib::Request& request, httplib::Response& response) {
            storedByRequest = -1;
            if (DeclaredTooLarge(request, maxUploadBytes_)) {
                Refuse(response, 413, TooLarge(maxUploadBytes_));
                response.set_header("Connection", "close");
                return httplib::Server::HandlerResponse::Handled;
            }
            return httplib::Server::HandlerResponse::Unhandled;
        });

    http.Post(kUploadPath, [this](const httplib::Request& request, httplib::Response& response,
                                  const httplib::ContentReader& reader) {
        std::size_t received = 0;
        const auto counted = [&](std::size_t bytes) {
            received += bytes;
            return received <= maxUploadBytes_;
        };
        if (!request.is_multipart_form_data()) {
            // Read (and drop) the body, so the connection stays in step.
            reader([&](const char*, std::size_t bytes) { return counted(bytes); });
            if (received > maxUploadBytes_) {
                Refuse(response, 413, TooLarge(maxUploadBytes_));
            } else {
                Refuse(response, 400,
                       "Der Upload muss multipart/form-data sein, mit der Datei im Teil "
                       "\"userfile\"; es wurde nichts gespeichert.");
            }
            return;
        }
        std::string file;
        bool found = false;
        bool inFile = false;
        const bool read = reader(
            [&](const httplib::MultipartFormData& part) {
                // The first part of that name counts; later ones are ignored.
                inFile = part.name == "userfile" && !found;
                found = found || inFile;
                return true;
            },
            [&](const char* data, std::size_t bytes) {
                if (!counted(bytes)) {
                    return false;
                }
                if (inFile) {
                    file.append(data, bytes);
                }
                return true;
            });
        if (received > maxUploadBytes_) {
            Refuse(response, 413, TooLarge(maxUploadBytes_));
        } else if (!read) {
            Refuse(response, 400,
                   "Der Upload ist unvollständig oder kein gültiges multipart/form-data; es "
                   "wurde nichts gespeichert.");
        } else if (!found) {
            Refuse(response, 400,
                   "Der Upload enthält keinen Teil \"userfile\"; es wurde nichts gespeichert.");
        } else {
            const ServiceReply reply = service_.Upload(file);
            storedByRequest = reply.storedLines;
            Reply(response, reply);
        }
    });
    const auto wrongMethod = [](const httplib::Request& request, httplib::Response& response) {
        Refuse(response, 405,
               "Die Methode " + request.method +
                   " ist hier nicht erlaubt; Fänge werden mit POST hochgeladen.");
        response.set_header("Allow", "POST");
    };
    http.Get(kUploadPath, wrongMethod);
    http.Put(kUploadPath, wrongMethod);
    http.Patch(kUploadPath, wrongMethod);
    http.Delete(kUploadPath, wrongMethod);
    http.Options(kUploadPath, wrongMethod);

    http.Get("/onlinestatistik", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/onlinestatistik/", 301);
    });
    http.Get("/onlinestatistik/", [this](const httplib::Request&, httplib::Response& response) {
        Reply(response, service_.OverviewPage());
    });
    http.Get("/onlinestatistik/art/(.+)",
             [this](const httplib::Request& request, httplib::Response& response) {
                 Reply(response, service_.SpeciesPage(request.matches[1].str()));
             });
    http.Get("/onlinestatistik/api/summary",
             [this](const httplib::Request&, httplib::Response& response) {
                 Reply(response, service_.Summary());
             });
    http.Get("/onlinestatistik/health",
             [this](const httplib::Request&, httplib::Response& response) {
                 Reply(response, service_.Health());
             });

    // Every refusal of the library itself (no such page, a malformed
    // request) gets a German line too.
    http.set_error_handler([](const httplib::Request&, httplib::Response& response) {
        if (!response.body.empty()) {
            return;
        }
        const std::string line = response.status == 404
                                     ? "Diese Seite gibt es nicht."
                                     : "Die Anfrage kann nicht bearbeitet werden (HTTP " +
                                           std::to_string(response.status) + ").";
        response.set_content(line + "\n", kPlain);
    });
    http.set_exception_handler(
        [this](const httplib::Request&, httplib::Response& response, std::exception_ptr failure) {
            try {
                std::rethrow_exception(failure);
            } catch (const std::exception& error) {
                log_(std::string("Fehler: ") + error.what());
            } catch (...) {
                log_("Fehler: unbekannte Ausnahme");
            }
            Refuse(response, 500, "Interner Fehler; es wurde nichts geändert.");
        });
    http.set_logger([this](const httplib::Request& request, const httplib::Response& response) {
        log_(RequestLogLine(request.method, request.path, response.status, storedByRequest));
        storedByRequest = -1;
    });
}

int StatisticsHttpServer::Bind(const std::string& host, int port) {
    if (port == 0) {
        return http_->bind_to_any_port(host);
    }
    return http_->bind_to_port(host, port) ? port : -1;
}

bool StatisticsHttpServer::Run() {
    running_ = true;
    const bool served = stopRequested_ || http_->listen_after_bind();
    running_ = false;
    return served;
}

void StatisticsHttpServer::Stop() {
    stopRequested_ = true;
    // The library only stops a server that has started listening; a stop
    // that comes just before that moment is repeated until it takes.
    while (running_) {
        http_->stop();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

} // namespace zv
