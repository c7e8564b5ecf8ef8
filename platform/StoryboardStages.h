#pragma once

// The stages of loading an interface description, each in its own file:
// parsing the JSON into layouts, checking the routes between screens, and
// (in Storyboard.cpp) building screens from the layouts.
#include "platform/Storyboard.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace bc::storyboard {

// Thrown inside the loader only; turned into an Error at the boundary.
struct Failure {
    std::string where;
    std::string what;
};

std::string quote(const std::string& s);

struct Parsed {
    std::string initial;
    std::vector<ScreenLayout> screens;
};
// Every screen's layout, checked against the registry and the pictures.
Parsed parseScreens(const nlohmann::json& root, const Registry& registry, const PictureCatalog& pictures);

// Every route leads somewhere, every screen is reached from the first and
// every pushed screen can be left.
void checkRoutes(const std::string& initial, const std::vector<ScreenLayout>& screens, const Registry& registry);

} // namespace bc::storyboard
