#pragma once

#include "platform/Driver.h"

namespace bc {

class AppState;

// The care state as the driver sees it: every field by its own name.
class CareStateAccess : public StateAccess {
public:
    explicit CareStateAccess(AppState& state) : state_(state) {}
    nlohmann::ordered_json snapshot() override;
    Result<void> set(const std::string& field, const std::string& value) override;

private:
    AppState& state() { return state_; }
    AppState& state_;
};

// The shortest decimal that reads back as the same 32-bit float.
nlohmann::ordered_json floatJson(float value);

} // namespace bc
