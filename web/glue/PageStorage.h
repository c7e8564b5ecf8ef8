#pragma once

#include "platform/ProgressStore.h"

#include <nlohmann/json.hpp>

namespace bc {

// The kept game as the page's one storage entry. The page hands over what
// the entry held at start; what the game does to it since waits here, in
// order, until the page takes it and applies it to its storage.
class PageStorage : public ProgressStore {
public:
    static constexpr const char* kEntry = "buddycare-progress";

    explicit PageStorage(std::optional<std::string> kept) : kept_(std::move(kept)) {}

    std::string where() const override { return std::string("the page's storage (") + kEntry + ")"; }
    Result<std::optional<std::string>> read() override { return kept_; }
    Result<void> write(const std::string& text) override;
    Result<void> remove() override;
    Result<void> setAside() override;
    std::string asideWhere() const override { return std::string(kEntry) + ".damaged"; }

    // [{"put": text} | {"remove": true} | {"aside": true}, ...] since the last take.
    nlohmann::ordered_json take();

private:
    std::optional<std::string> kept_;
    nlohmann::ordered_json pending_ = nlohmann::ordered_json::array();
};

} // namespace bc
