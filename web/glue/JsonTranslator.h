#pragma once

#include "state/Translator.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace bc {

// The page's catalogue: a language's .po file turned into JSON when the
// bundle is built (web/wasm/po-to-json.mjs). Its "forms" list which plural
// form each count from 0 to 199 takes; a larger count takes the form of 100
// plus its last two digits, as every plural rule of gettext does.
// {"forms": [1, 0, 1, ...], "messages": {"English": "translation" or ["form 0", "form 1", ...]}}
class JsonTranslator : public Translator {
public:
    static constexpr unsigned long kCountedForms = 200;

    // A catalogue that is not JSON of that shape has no messages: everything
    // reads in English, as with a language that has no catalogue at all.
    explicit JsonTranslator(const std::string& catalogue);

    std::string translate(const char* english) const override;
    std::string translatePlural(const char* one, const char* many, unsigned long count) const override;
    std::size_t size() const { return singles_.size() + plurals_.size(); }

private:
    std::vector<unsigned long> forms_;
    std::map<std::string, std::string, std::less<>> singles_;
    std::map<std::string, std::vector<std::string>, std::less<>> plurals_;
};

} // namespace bc
