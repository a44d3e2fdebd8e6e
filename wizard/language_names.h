#pragma once

#include <string_view>

namespace kelvarro {

// The English name of a language by its two-letter code ("de": "German"), for the languages
// that DVDs carry; "" for a code not in the table.
std::string_view LanguageName(std::string_view code);

}  // namespace kelvarro
