#pragma once

#include "onlinestats/CatchStore.h"
#include "onlinestats/DatabaseLocation.h"

#include <memory>
#include <mutex>
#include <vector>

namespace zv {

// Stores for the threads of the service: each request borrows one, with its
// own connection and prepared statements, and gives it back. A store whose
// connection was lost is dropped, so the next request connects afresh.
class StorePool {
public:
    StorePool(DatabaseLocation location, int waitMilliseconds);

    class Lease {
    public:
        Lease(StorePool& pool, std::unique_ptr<CatchStore> store)
            : pool_(&pool), store_(std::move(store)) {}
        ~Lease();
        Lease(Lease&& other) noexcept = default;
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        Lease& operator=(Lease&&) = delete;

        CatchStore* operator->() { return store_.get(); }
        CatchStore& operator*() { return *store_; }

    private:
        StorePool* pool_;
        std::unique_ptr<CatchStore> store_;
    };

    // An idle store, or a new connection; throws DatabaseError when the
    // database cannot be reached.
    Lease Acquire();
    // Connects without borrowing, for work before the pool is used (the
    // schema migration at start).
    std::unique_ptr<SqlDatabase> Connect() const;

private:
    DatabaseLocation location_;
    int waitMilliseconds_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<CatchStore>> idle_;
};

} // namespace zv
