// zelvorin-server: the online statistics service. Receives the uploads of
// the catch log and shows what all anglers caught.

#include "onlinestats/OnlineStatistics.h"
#include "server/ServerOptions.h"
#include "server/StatisticsHttpServer.h"

#include <csignal>
#include <iostream>
#include <mutex>
#include <pthread.h>
#include <thread>
#include <unistd.h>

namespace {

std::mutex logMutex;

void LogLine(const std::string& line) {
    const std::lock_guard lock(logMutex);
    std::cerr << line << '\n' << std::flush;
}

std::string Address(const std::string& host, int port) {
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

} // namespace

int main(int argc, char** argv) {
    std::string problem;
    const std::optional<zv::ServerOptions> options =
        zv::ParseServerOptions(std::vector<std::string>(argv + 1, argv + argc), problem);
    if (!options) {
        std::cerr << problem << "\n\n" << zv::ServerUsage();
        return 2;
    }
    if (options->help) {
        std::cout << zv::ServerUsage();
        return 0;
    }

    // SIGTERM and SIGINT are taken by one thread that stops the server;
    // blocked here, before any thread starts, so no other thread gets them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::unique_ptr<zv::OnlineStatistics> service;
    try {
        service = std::make_unique<zv::OnlineStatistics>(
            zv::OnlineStatistics::Settings{.location = options->database, .log = LogLine});
    } catch (const std::exception& error) {
        std::cerr << "Die Datenbank (" << options->database.Describe()
                  << ") lässt sich nicht verwenden: " << error.what() << '\n';
        return 1;
    }
    zv::StatisticsHttpServer server(*service, options->maxUploadBytes, LogLine);
    const int port = server.Bind(options->host, options->port);
    if (port < 0) {
        std::cerr << "Der Server kann nicht auf " << Address(options->host, options->port)
                  << " warten (Adresse belegt oder ungültig).\n";
        return 1;
    }
    std::cout << "Zelvorin Online-Statistik: http://" << Address(options->host, port)
              << "/onlinestatistik/\n"
              << "Datenbank: " << options->database.Describe() << '\n'
              << "Größter Upload: " << (options->maxUploadBytes >> 20) << " MiB\n"
              << std::flush;

    std::thread signals([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        LogLine(std::string("Signal ") + (signal == SIGINT ? "SIGINT" : "SIGTERM") +
                " empfangen; laufende Anfragen werden beendet.");
        server.Stop();
    });
    const bool served = server.Run();
    // Wake the signal thread when the server ended on its own.
    kill(getpid(), SIGTERM);
    signals.join();
    std::cout << "Zelvorin Online-Statistik beendet.\n";
    return served ? 0 : 1;
}
