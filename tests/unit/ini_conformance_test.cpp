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
        const auto r = ini::ProfileGetString(View(section), View(key), View(def), size, path);
        return {r.ret, r.buf};
    }
    std::uint32_t GetInt(const std::string& section, const std::string& key, std::int32_t def,
                         const std::string& path) override {
        return ini::ProfileGetInt(section, key, def, path);
    }
    conf::WriteOutcome Write(const std::optional<std::string>& section, const std::optional<std::string>& key,
                             const std::optional<std::string>& value, const std::string& path) override {
        const auto r = ini::ProfileWriteString(View(section), View(key), View(value), path);
        return {r.ok, r.error};
    }
};

struct Loaded {
    std::vector<Case> cases;
    std::string error;
};

Loaded Load(const char* path) {
    Loaded l;
    try {
        l.cases = conf::LoadCases(path);
    } catch (const std::exception& e) {
        l.error = e.what();
    }
    return l;
}

// The shared recording, and the further cases kept with the tests.
const Loaded& SharedCases() {
    static const Loaded loaded = Load(conf::DefaultCasesPath());
    return loaded;
}
const Loaded& FurtherCases() {
    static const Loaded loaded = Load(MORVEL_INI_EXTRA_CASES);
    return loaded;
}

TEST(IniConformanceData, LoadsEveryCase) {
    const Loaded& l = SharedCases();
    ASSERT_TRUE(l.error.empty()) << l.error;
    EXPECT_GE(l.cases.size(), 100u);
    // Every family of behaviour named by the recording is present.
    for (const char* group : {"lines", "space", "quote", "comment", "case", "dup", "key", "sect", "long", "int",
                              "enc", "nul", "query", "write", "delete", "rewrite", "warg", "wenc"}) {
        bool found = false;
        for (const Case& c : l.cases) found = found || c.group == group;
        EXPECT_TRUE(found) << "no case of group " << group;
    }
    const Loaded& further = FurtherCases();
    ASSERT_TRUE(further.error.empty()) << further.error;
    EXPECT_FALSE(further.cases.empty());
    for (const Case& c : further.cases) {
        for (const Case& shared : l.cases) EXPECT_NE(c.id, shared.id) << "case id used twice";
    }
}

// A stand-in that answers every call wrongly in a known way, to see what Replay reports.
class WrongFunctions : public conf::ProfileFunctions {
public:
    conf::GetOutcome Get(const std::optional<std::string>&, const std::optional<std::string>&,
                         const std::optional<std::string>&, std::uint32_t, const std::string&) override {
        return {7, std::string("x\0", 2)};
    }
    std::uint32_t GetInt(const std::string&, const std::string&, std::int32_t, const std::string&) override {
        return 99;
    }
    conf::WriteOutcome Write(const std::optional<std::string>&, const std::optional<std::string>&,
                             const std::optional<std::string>&, const std::string& path) override {
        conf::WriteWholeFile(path, "changed");
        return {false, 5};
    }
};

TEST(IniConformanceReplay, ReportsEveryDifferenceByCaseAndCall) {
    morvel::testing::TestDir dir;
    ASSERT_TRUE(conf::WriteWholeFile(dir.File("c.jsonl"),
        R"({"id":"t-01","group":"t","desc":"d","file":"[S]\r\n","ops":[)"
        R"({"op":"get","section":"S","key":null,"default":"dflt","size":8,"ret":4,"buf":"dflt\u0000"},)"
        R"({"op":"getint","section":"S","key":"n","default":-1,"ret":4294967295,"ret_signed":-1},)"
        R"({"op":"write","section":null,"key":"k","value":"v","ret":0,"error":2,"file_after":"[S]\r\n"},)"
        R"({"op":"get","section":"S","key":"k","default":"","size":8,"ret":7,"buf":"x\u0000"}]})"
        "\n"));
    const std::vector<Case> cases = conf::LoadCases(dir.File("c.jsonl"));
    ASSERT_EQ(cases.size(), 1u);
    WrongFunctions wrong;
    const std::vector<std::string> problems = conf::Replay(cases[0], wrong, dir.File("t.ini"));
    const std::vector<std::string> expected = {
        R"(t-01 op 1 get("S", NULL, "dflt", 8): returned 7, expected 4)",
        R"(t-01 op 1 get("S", NULL, "dflt", 8): buffer "x\0", expected "dflt\0")",
        R"(t-01 op 2 getint("S", "n", -1): returned 99, expected 4294967295)",
        R"(t-01 op 3 write(NULL, "k", "v"): error 5, expected 2)",
        R"(t-01 op 3 write(NULL, "k", "v"): file "changed", expected "[S]\r\n")",
    };
    EXPECT_EQ(problems, expected);
}

TEST(IniConformanceReplay, MalformedLinesNameTheLine) {
    morvel::testing::TestDir dir;
    const struct {
        const char* name;
        std::string text;
        std::string message;
    } rows[] = {
        {"not JSON", std::string(R"({"id":"a","group":"g","file":null,"ops":[]})") + "\n\n{oops}\n",
         ":3: JSON error at offset 1"},
        {"unknown op", R"({"id":"a","group":"g","file":null,"ops":[{"op":"frob"}]})", ":1: unknown op \"frob\""},
        {"missing member", R"({"id":"a","file":null,"ops":[]})", ":1: missing member \"group\""},
        {"wide escape", R"({"id":"\u0142","group":"g","file":null,"ops":[]})", ":1: JSON error"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(conf::WriteWholeFile(dir.File("bad.jsonl"), row.text));
        try {
            conf::LoadCases(dir.File("bad.jsonl"));
            ADD_FAILURE() << row.name << ": no error";
        } catch (const std::runtime_error& e) {
            EXPECT_NE(std::string(e.what()).find(row.message), std::string::npos) << row.name << ": " << e.what();
        }
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

INSTANTIATE_TEST_SUITE_P(Recorded, IniConformance, ::testing::ValuesIn(SharedCases().cases), CaseName);
INSTANTIATE_TEST_SUITE_P(Further, IniConformance, ::testing::ValuesIn(FurtherCases().cases), CaseName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(IniConformance);

}  // namespace
