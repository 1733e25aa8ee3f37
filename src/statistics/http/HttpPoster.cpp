#include "statistics/http/HttpPoster.h"

#include <curl/curl.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace zv {

namespace {

constexpr std::size_t kMaxReplyBytes = 1 << 20;

// libcurl is set up once per process, before any transfer runs on another
// thread; the function-local static makes that happen exactly once.
bool CurlReady() {
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

struct Transfer {
    const std::atomic<bool>* cancel = nullptr;
    const HttpPoster::Progress* progress = nullptr;
    std::string body;
    std::string statusLine;
};

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    // The reply is not evaluated; keeping a bounded part is enough and a
    // server cannot make the program hold an endless reply.
    if (transfer->body.size() < kMaxReplyBytes) {
        transfer->body.append(data, std::min(bytes, kMaxReplyBytes - transfer->body.size()));
    }
    return bytes;
}

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto* transfer = static_cast<Transfer*>(user);
    const std::size_t bytes = size * count;
    const std::string_view line(data, bytes);
    // An interim "100 Continue" is followed by the final status line.
    if (line.starts_with("HTTP/")) {
        std::string_view status = line;
        while (!status.empty() && (status.back() == '\r' || status.back() == '\n')) {
            status.remove_suffix(1);
        }
        const std::size_t blank = status.find(' ');
        transfer->statusLine = blank == std::string_view::npos
                                   ? std::string(status)
                                   : std::string(status.substr(blank + 1));
    }
    return bytes;
}

int OnProgress(void* user, curl_off_t, curl_off_t, curl_off_t total, curl_off_t sent) {
    const auto* transfer = static_cast<const Transfer*>(user);
    if (transfer->cancel != nullptr && transfer->cancel->load()) {
        return 1;
    }
    if (transfer->progress != nullptr && *transfer->progress) {
        (*transfer->progress)(static_cast<std::uint64_t>(sent), static_cast<std::uint64_t>(total));
    }
    return 0;
}

// host[:port] of an http:// address, for the messages.
std::string HostOf(const std::string& url) {
    std::string_view rest = url;
    if (const std::size_t scheme = rest.find("://"); scheme != std::string_view::npos) {
        rest.remove_prefix(scheme + 3);
    }
    return std::string(rest.substr(0, rest.find('/')));
}

std::string FailureText(CURLcode code, const std::string& host, const char* detail) {
    const std::string server = "Der Server \"" + host + "\"";
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
        return server + " wurde nicht gefunden: Der Name lässt sich nicht auflösen.";
    case CURLE_COULDNT_RESOLVE_PROXY:
        return "Der Proxy-Server für die Verbindung zu \"" + host + "\" wurde nicht gefunden.";
    case CURLE_COULDNT_CONNECT:
        return "Keine Verbindung zum Server \"" + host +
               "\" möglich: Er ist nicht erreichbar oder nimmt keine Verbindung an.";
    case CURLE_OPERATION_TIMEDOUT:
        return "Zeitüberschreitung: " + server + " hat nicht rechtzeitig geantwortet.";
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_PARTIAL_FILE:
        return "Die Verbindung zum Server \"" + host + "\" wurde unterbrochen.";
    case CURLE_GOT_NOTHING:
        return server + " hat die Verbindung ohne Antwort geschlossen.";
    case CURLE_WEIRD_SERVER_REPLY:
        return server + " hat keine gültige HTTP-Antwort gesendet.";
    case CURLE_ABORTED_BY_CALLBACK:
        return "Die Übertragung wurde abgebrochen.";
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
        return "Die Adresse des Servers \"" + host + "\" ist ungültig.";
    default:
        break;
    }
    std::string text = "Die Übertragung zum Server \"" + host + "\" ist fehlgeschlagen (" +
                       curl_easy_strerror(code);
    if (detail != nullptr && *detail != '\0') {
        text += std::string(": ") + detail;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
            text.pop_back();
        }
    }
    return text + ").";
}

// Hosts of the loopback device never go through a proxy; the names the
// environment lists in no_proxy keep their meaning.
std::string NoProxyList() {
    std::string list = "localhost,127.0.0.1,::1";
    for (const char* name : {"no_proxy", "NO_PROXY"}) {
        if (const char* value = std::getenv(name); value != nullptr && *value != '\0') {
            return std::string(value) + "," + list;
        }
    }
    return list;
}

struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

} // namespace

HttpPoster::HttpPoster(HttpLimits limits) : limits_(limits) {
    CurlReady();
}

HttpReply HttpPoster::Post(const std::string& url, const std::vector<HttpHeader>& headers,
                           std::string_view body, const std::atomic<bool>* cancel,
                           const Progress& progress) const {
    return Perform(url, headers, &body, cancel, progress);
}

HttpReply HttpPoster::Get(const std::string& url) const {
    return Perform(url, {}, nullptr, nullptr, {});
}

HttpReply HttpPoster::Perform(const std::string& url, const std::vector<HttpHeader>& headers,
                              const std::string_view* body, const std::atomic<bool>* cancel,
                              const Progress& progress) const {
    HttpReply reply;
    const std::string host = HostOf(url);
    std::unique_ptr<CURL, EasyDeleter> easy(CurlReady() ? curl_easy_init() : nullptr);
    if (!easy) {
        reply.error = "Die Übertragung zum Server \"" + host +
                      "\" konnte nicht vorbereitet werden (HTTP-Bibliothek nicht verfügbar).";
        return reply;
    }
    std::unique_ptr<curl_slist, ListDeleter> list;
    auto addHeader = [&list](const std::string& line) {
        list.reset(curl_slist_append(list.release(), line.c_str()));
    };
    for (const HttpHeader& header : headers) {
        addHeader(header.name + ": " + header.value);
    }
    // Without this libcurl would ask for "100-continue" first and wait for it.
    addHeader("Expect:");

    Transfer transfer;
    transfer.cancel = cancel;
    transfer.progress = &progress;
    char detail[CURL_ERROR_SIZE] = {};
    const std::string noProxy = NoProxyList();
    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_NOPROXY, noProxy.c_str());
    if (body != nullptr) {
        curl_easy_setopt(h, CURLOPT_POST, 1L);
        curl_easy_setopt(h, CURLOPT_POSTFIELDS, body->data());
        curl_easy_setopt(h, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body->size()));
    } else {
        curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    }
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, list.get());
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, limits_.connectSeconds);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, limits_.stallSeconds);
    curl_easy_setopt(h, CURLOPT_TIMEOUT, limits_.totalSeconds);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &transfer);
    curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, OnProgress);
    curl_easy_setopt(h, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, detail);

    const CURLcode code = curl_easy_perform(h);
    reply.body = std::move(transfer.body);
    if (code != CURLE_OK) {
        reply.cancelled = code == CURLE_ABORTED_BY_CALLBACK;
        reply.error = FailureText(code, host, detail);
        return reply;
    }
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &reply.status);
    if (reply.status < 200 || reply.status > 299) {
        const std::string status =
            transfer.statusLine.empty() ? std::to_string(reply.status) : transfer.statusLine;
        reply.error = "Der Server \"" + host + "\" " +
                      (body != nullptr ? "hat die Übertragung abgelehnt" : "antwortet mit") +
                      ": HTTP " + status + ".";
        return reply;
    }
    reply.ok = true;
    return reply;
}

} // namespace zv
