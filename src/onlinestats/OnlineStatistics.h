#pragma once

#include "onlinestats/Aggregates.h"
#include "onlinestats/CatchStore.h"
#include "onlinestats/DatabaseLocation.h"
#include "onlinestats/StorePool.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

namespace zv {

// A reply of the service, whatever carries it.
struct ServiceReply {
    int status = 200;
    std::string contentType;
    std::string body;
    long long storedLines = -1; // catches newly stored by an upload, -1 for other requests
};

// The online statistics service without its transport: receives uploads,
// keeps the catches once, and answers with pages, the JSON summary and its
// health. Safe to call from many threads at once.
class OnlineStatistics {
public:
    struct Settings {
        DatabaseLocation location;
        // How long a request waits for a lock held by another writer before
        // the database counts as unavailable.
        int waitMilliseconds = 30000;
        // Problems the client is not told in detail (German, one line).
        std::function<void(const std::string&)> log;
    };

    // Connects and creates or migrates the schema. Throws DatabaseError when
    // the database cannot be reached or is of a newer schema.
    explicit OnlineStatistics(Settings settings);

    // The upload file's bytes: 200 and "N Fänge empfangen, davon M neu
    // gespeichert, K Zeilen übersprungen.", or 503/500 with nothing stored.
    ServiceReply Upload(std::string_view fileBytes);
    ServiceReply OverviewPage();
    // 404 for a species of which no catch is stored.
    ServiceReply SpeciesPage(const std::string& species);
    ServiceReply Summary();
    // 200 "ok" when the database answers, else 503.
    ServiceReply Health();

    // The figures the pages show; nothing for an unknown species. Throws
    // DatabaseError.
    std::shared_ptr<const Aggregates> Figures(const std::optional<std::string>& species);

private:
    template <typename Work> ServiceReply Answer(Work work);
    template <typename Work> auto WithStore(Work work);

    Settings settings_;
    StorePool pool_;
    // Figures by species ("" key: all catches), valid for one data version;
    // any change to the figures, from any process, moves the version on.
    std::mutex cacheMutex_;
    long long cacheVersion_ = -1;
    std::map<std::optional<std::string>, std::shared_ptr<const Aggregates>> cache_;
};

} // namespace zv
