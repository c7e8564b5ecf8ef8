#include "web/glue/JsonTranslator.h"

#include <nlohmann/json.hpp>

#include <algorithm>

namespace bc {

JsonTranslator::JsonTranslator(const std::string& catalogue)
{
    const auto root = nlohmann::json::parse(catalogue, nullptr, false);
    if (!root.is_object() || !root.contains("messages") || !root["messages"].is_object() || !root.contains("forms") ||
        !root["forms"].is_array() || root["forms"].size() != kCountedForms ||
        !std::all_of(root["forms"].begin(), root["forms"].end(), [](const auto& f) { return f.is_number_unsigned(); })) {
        return;
    }
    forms_ = root["forms"].get<std::vector<unsigned long>>();
    for (const auto& [english, translated] : root["messages"].items()) {
        if (translated.is_string() && !translated.get_ref<const std::string&>().empty()) {
            singles_.emplace(english, translated.get<std::string>());
        } else if (translated.is_array() && !translated.empty() &&
                   std::all_of(translated.begin(), translated.end(), [](const auto& f) { return f.is_string(); })) {
            plurals_.emplace(english, translated.get<std::vector<std::string>>());
        }
    }
}

std::string JsonTranslator::translate(const char* english) const
{
    const auto it = singles_.find(std::string_view(english));
    return it == singles_.end() ? english : it->second;
}

std::string JsonTranslator::translatePlural(const char* one, const char* many, unsigned long count) const
{
    const auto it = plurals_.find(std::string_view(one));
    if (it == plurals_.end()) {
        return Translator::translatePlural(one, many, count);
    }
    const unsigned long form = forms_[count < kCountedForms ? count : kCountedForms / 2 + count % 100];
    return form < it->second.size() ? it->second[form] : Translator::translatePlural(one, many, count);
}

} // namespace bc
