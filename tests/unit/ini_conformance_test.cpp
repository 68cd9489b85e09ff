// Every recorded case of the profile functions, replayed against our store.
#include <gtest/gtest.h>

#include "common/ini_store.h"
#include "support/conformance_cases.h"
#include "unit/test_dir.h"

namespace {

using morvel::conformance::Case;
namespace ini = morvel::ini;
namespace conf = morvel::conformance;

std::optional<std::string_view> View(const std::optional<std::string>& s) {
    if (!s) return std::nullopt;
    return std::string_view(*s);
}

class StoreFunctions : public conf::ProfileFunctions {
public:
    conf::GetOutcome Get(const std::optional<std::string>& section, const std::optional<std::string>& key,
                         const std::optional<std::string>& def, std::uint32_t size,
                         const std::string& path) override {
        const auto r = ini::GetPrivateProfileString(View(section), View(key), View(def), size, path);
        return {r.ret, r.buf};
    }
    std::uint32_t GetInt(const std::string& section, const std::string& key, std::int32_t def,
                         const std::string& path) override {
        return ini::GetPrivateProfileInt(section, key, def, path);
    }
    conf::WriteOutcome Write(const std::optional<std::string>& section, const std::optional<std::string>& key,
                             const std::optional<std::string>& value, const std::string& path) override {
        const auto r = ini::WritePrivateProfileString(View(section), View(key), View(value), path);
        return {r.ok, r.error};
    }
};

struct Loaded {
    std::vector<Case> cases;
    std::string error;
};

const Loaded& LoadedCases() {
    static const Loaded loaded = [] {
        Loaded l;
        try {
            l.cases = conf::LoadCases(conf::DefaultCasesPath());
        } catch (const std::exception& e) {
            l.error = e.what();
        }
        return l;
    }();
    return loaded;
}

TEST(IniConformanceData, LoadsEveryCase) {
    const Loaded& l = LoadedCases();
    ASSERT_TRUE(l.error.empty()) << l.error;
    EXPECT_GE(l.cases.size(), 100u);
    // Every family of behaviour named by the recording is present.
    for (const char* group : {"lines", "space", "quote", "comment", "case", "dup", "key", "sect", "long", "int",
                              "enc", "nul", "query", "write", "delete", "rewrite", "warg", "wenc"}) {
        bool found = false;
        for (const Case& c : l.cases) found = found || c.group == group;
        EXPECT_TRUE(found) << "no case of group " << group;
    }
}

class IniConformance : public ::testing::TestWithParam<Case> {};

TEST_P(IniConformance, MatchesRecording) {
    const Case& c = GetParam();
    morvel::testing::TestDir dir;
    StoreFunctions store;
    const std::vector<std::string> problems = conf::Replay(c, store, dir.File(c.id + ".ini"));
    for (const std::string& p : problems) ADD_FAILURE() << p << "\n  (" << c.desc << ")";
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name = info.param.id;
    for (char& ch : name) {
        if (!((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9'))) ch = '_';
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Recorded, IniConformance, ::testing::ValuesIn(LoadedCases().cases), CaseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(IniConformance);

}  // namespace
