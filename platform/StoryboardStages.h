#pragma once

// The stages of loading an interface description, each in its own file:
// parsing the JSON into layouts, checking the routes between screens, and
// (in Storyboard.cpp) building screens from the layouts.
#include "platform/Storyboard.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

namespace bc::storyboard {

std::string quote(const std::string& s);

struct Parsed {
    std::string initial;
    std::vector<ScreenLayout> screens;
};
// Every screen's layout, checked against the registry and the pictures. An
// error reads "where: what" (the file is put before it by the caller). With
// `initialOnly`, only the first screen's, as the whole pass would read it.
Result<Parsed> parseScreens(const nlohmann::json& root, const Registry& registry, const PictureCatalog& pictures,
                            bool initialOnly = false);

// Every route leads somewhere, every screen is reached from the first and
// every pushed screen can be left.
Result<void> checkRoutes(const std::string& initial, const std::vector<ScreenLayout>& screens,
                         const Registry& registry);

} // namespace bc::storyboard
