#include "web/glue/PageStorage.h"

namespace bc {

Result<void> PageStorage::write(const std::string& text)
{
    kept_ = text;
    // Only the latest whole text matters to the page: one put replaces another.
    if (!pending_.empty() && pending_.back().contains("put")) {
        pending_.erase(pending_.size() - 1);
    }
    pending_.push_back({{"put", text}});
    return done();
}

Result<void> PageStorage::remove()
{
    kept_.reset();
    pending_.push_back({{"remove", true}});
    return done();
}

Result<void> PageStorage::setAside()
{
    kept_.reset();
    pending_.push_back({{"aside", true}});
    return done();
}

nlohmann::ordered_json PageStorage::take()
{
    auto taken = std::move(pending_);
    pending_ = nlohmann::ordered_json::array();
    return taken;
}

} // namespace bc
