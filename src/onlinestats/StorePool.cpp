#include "onlinestats/StorePool.h"

namespace zv {

StorePool::StorePool(DatabaseLocation location, int waitMilliseconds)
    : location_(std::move(location)), waitMilliseconds_(waitMilliseconds) {}

StorePool::Lease::~Lease() {
    if (store_ && store_->Usable()) {
        const std::lock_guard lock(pool_->mutex_);
        pool_->idle_.push_back(std::move(store_));
    }
}

StorePool::Lease StorePool::Acquire() {
    {
        const std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            std::unique_ptr<CatchStore> store = std::move(idle_.back());
            idle_.pop_back();
            return Lease(*this, std::move(store));
        }
    }
    return Lease(*this, std::make_unique<CatchStore>(Connect()));
}

std::unique_ptr<SqlDatabase> StorePool::Connect() const {
    return location_.Connect(waitMilliseconds_);
}

} // namespace zv
