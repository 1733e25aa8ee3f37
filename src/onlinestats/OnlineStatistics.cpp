#include "onlinestats/OnlineStatistics.h"

#include "onlinestats/SchemaMigrations.h"
#include "onlinestats/StatisticsPage.h"
#include "onlinestats/SummaryJson.h"
#include "onlinestats/UploadParser.h"

namespace zv {

namespace {

constexpr const char* kPlain = "text/plain; charset=utf-8";
constexpr const char* kHtml = "text/html; charset=utf-8";

ServiceReply Plain(int status, const std::string& line) {
    return {status, kPlain, line + "\n"};
}

} // namespace

OnlineStatistics::OnlineStatistics(Settings settings)
    : settings_(std::move(settings)), pool_(settings_.location, settings_.waitMilliseconds) {
    MigrateSchema(*pool_.Connect());
}

// Runs `work` on a borrowed store. A pooled connection that turns out to be
// lost (the database restarted meanwhile) is replaced once before the
// database counts as unavailable.
template <typename Work> auto OnlineStatistics::WithStore(Work work) {
    for (int attempt = 1;; ++attempt) {
        StorePool::Lease store = pool_.Acquire();
        try {
            return work(*store);
        } catch (const DatabaseError& error) {
            if (attempt == 2 || store->Usable() ||
                error.GetKind() != DatabaseError::Kind::Unavailable) {
                throw;
            }
        }
    }
}

// A failure of the database becomes a reply; the client learns only
// whether to try again later, the log learns why.
template <typename Work> ServiceReply OnlineStatistics::Answer(Work work) {
    try {
        return work();
    } catch (const DatabaseError& error) {
        if (settings_.log) {
            settings_.log(error.what());
        }
        if (error.GetKind() == DatabaseError::Kind::Fault) {
            return Plain(500, "Interner Fehler der Datenbank; es wurde nichts geändert.");
        }
        return Plain(503, "Die Datenbank ist zurzeit nicht erreichbar; bitte später "
                          "erneut versuchen.");
    }
}

ServiceReply OnlineStatistics::Upload(std::string_view fileBytes) {
    const ParsedUpload upload = ParseUpload(fileBytes);
    return Answer([&] {
        const StoreResult result =
            WithStore([&](CatchStore& store) { return store.Store(upload); });
        ServiceReply reply =
            Plain(200, std::to_string(result.received) + " Fänge empfangen, davon " +
                           std::to_string(result.stored) + " neu gespeichert, " +
                           std::to_string(result.skipped) + " Zeilen übersprungen.");
        reply.storedLines = result.stored;
        return reply;
    });
}

std::shared_ptr<const Aggregates>
OnlineStatistics::Figures(const std::optional<std::string>& species) {
    return WithStore([&](CatchStore& store) -> std::shared_ptr<const Aggregates> {
        const long long version = store.Version();
        {
            const std::lock_guard lock(cacheMutex_);
            if (version == cacheVersion_) {
                if (const auto found = cache_.find(species); found != cache_.end()) {
                    return found->second;
                }
            }
        }
        const std::optional<StoredFigures> figures = store.Figures(species);
        if (!figures) {
            return nullptr;
        }
        auto aggregates = std::make_shared<const Aggregates>(Summarize(*figures, species));
        const std::lock_guard lock(cacheMutex_);
        if (figures->version > cacheVersion_) {
            cache_.clear();
            cacheVersion_ = figures->version;
        }
        if (figures->version == cacheVersion_) {
            cache_[species] = aggregates;
        }
        return aggregates;
    });
}

ServiceReply OnlineStatistics::OverviewPage() {
    return Answer([&] {
        return ServiceReply{200, kHtml, OverviewPageHtml(*Figures(std::nullopt))};
    });
}

ServiceReply OnlineStatistics::SpeciesPage(const std::string& species) {
    return Answer([&] {
        const std::shared_ptr<const Aggregates> figures = Figures(species);
        if (!figures) {
            return ServiceReply{404, kHtml,
                                MessagePageHtml("Fischart nicht gefunden",
                                                "Von der Fischart \"" + species +
                                                    "\" ist noch kein Fang gespeichert.",
                                                "../")};
        }
        return ServiceReply{200, kHtml, SpeciesPageHtml(*figures)};
    });
}

ServiceReply OnlineStatistics::Summary() {
    return Answer([&] {
        return ServiceReply{200, "application/json; charset=utf-8",
                            SummaryJson(*Figures(std::nullopt))};
    });
}

ServiceReply OnlineStatistics::Health() {
    return Answer([&] {
        WithStore([](CatchStore& store) { return store.Version(); });
        return Plain(200, "ok");
    });
}

} // namespace zv
