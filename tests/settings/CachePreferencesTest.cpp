#include <gtest/gtest.h>

#include "settings/CachePreferences.h"

namespace grafolux {
namespace {

// What each text reads as: a value outside its domain keeps the default.
TEST(CachePreferences, ReadEachKeyWithinItsDomain) {
    const CachePreferences defaults;
    const struct {
        const char* key;
        const char* text;
        CachePreferences expected;
    } cases[] = {
        {"Bypass", "true", {true, kDefaultCacheLimit}},
        {"Bypass", "false", defaults},
        {"Bypass", "yes", defaults},
        {"Limit", "500M", {false, uint64_t{500} << 20}},
        {"Limit", "0", {false, 0}},
        {"Limit", "lots", defaults},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CachePreferencesFrom({{std::string("Cache/") + c.key, c.text}}), c.expected)
            << c.key << "=" << c.text;
}

}  // namespace
}  // namespace grafolux
