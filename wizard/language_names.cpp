#include "wizard/language_names.h"

#include <algorithm>
#include <array>
#include <utility>

namespace kelvarro {
namespace {

// Sorted by code.
constexpr std::array<std::pair<std::string_view, std::string_view>, 62> kNames = {{
    {"af", "Afrikaans"},  {"ar", "Arabic"},     {"bg", "Bulgarian"},  {"bn", "Bengali"},    {"bs", "Bosnian"},
    {"ca", "Catalan"},    {"cs", "Czech"},      {"cy", "Welsh"},      {"da", "Danish"},     {"de", "German"},
    {"el", "Greek"},      {"en", "English"},    {"eo", "Esperanto"},  {"es", "Spanish"},    {"et", "Estonian"},
    {"eu", "Basque"},     {"fa", "Persian"},    {"fi", "Finnish"},    {"fr", "French"},     {"ga", "Irish"},
    {"gl", "Galician"},   {"he", "Hebrew"},     {"hi", "Hindi"},      {"hr", "Croatian"},   {"hu", "Hungarian"},
    {"hy", "Armenian"},   {"id", "Indonesian"}, {"is", "Icelandic"},  {"it", "Italian"},    {"iw", "Hebrew"},
    {"ja", "Japanese"},   {"ka", "Georgian"},   {"kk", "Kazakh"},     {"ko", "Korean"},     {"la", "Latin"},
    {"lt", "Lithuanian"}, {"lv", "Latvian"},    {"mk", "Macedonian"}, {"ms", "Malay"},      {"mt", "Maltese"},
    {"nl", "Dutch"},      {"no", "Norwegian"},  {"pl", "Polish"},     {"pt", "Portuguese"}, {"ro", "Romanian"},
    {"ru", "Russian"},    {"sk", "Slovak"},     {"sl", "Slovenian"},  {"sq", "Albanian"},   {"sr", "Serbian"},
    {"sv", "Swedish"},    {"sw", "Swahili"},    {"ta", "Tamil"},      {"te", "Telugu"},     {"th", "Thai"},
    {"tl", "Tagalog"},    {"tr", "Turkish"},    {"uk", "Ukrainian"},  {"ur", "Urdu"},       {"vi", "Vietnamese"},
    {"yi", "Yiddish"},    {"zh", "Chinese"},
}};

}  // namespace

std::string_view LanguageName(std::string_view code) {
  const auto found = std::lower_bound(kNames.begin(), kNames.end(), code,
                                      [](const auto& entry, std::string_view key) { return entry.first < key; });
  return found != kNames.end() && found->first == code ? found->second : std::string_view();
}

}  // namespace kelvarro
