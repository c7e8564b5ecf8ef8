#pragma once

#include "platform/Driver.h"

namespace bc {

class AppState;
class RunLoop;

// The care state as the driver sees it: every field by its own name, and the
// jobs of the clock's day.
class CareStateAccess : public StateAccess {
public:
    CareStateAccess(AppState& state, const RunLoop& clock) : state_(state), clock_(clock) {}
    nlohmann::ordered_json snapshot() override;
    Result<void> set(const std::string& field, const std::string& value) override;

private:
    AppState& state() { return state_; }
    AppState& state_;
    const RunLoop& clock_;
};

// The shortest decimal that reads back as the same 32-bit float.
nlohmann::ordered_json floatJson(float value);

} // namespace bc
