// The recorded profile-function cases, replayed under Wine through the system's own
// GetPrivateProfileStringA / GetPrivateProfileIntA / WritePrivateProfileStringA and through the
// library's INI store: both must give exactly what was recorded, byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/ini_store.h"
#include "support/conformance_cases.h"
#include "win/support/test_env.h"

using namespace morvel;
using morvel::conformance::Case;
using morvel::conformance::GetOutcome;
using morvel::conformance::WriteOutcome;

namespace {

const char* Ptr(const std::optional<std::string>& s) { return s ? s->c_str() : nullptr; }

class SystemProfileFunctions final : public conformance::ProfileFunctions {
public:
    GetOutcome Get(const std::optional<std::string>& section, const std::optional<std::string>& key,
                   const std::optional<std::string>& def, std::uint32_t size, const std::string& path) override {
        // Filled beforehand, so the bytes the call wrote show, as when the cases were recorded.
        std::string buffer(size + 16, '\xAA');
        GetOutcome out;
        out.ret = GetPrivateProfileStringA(Ptr(section), Ptr(key), Ptr(def), size ? buffer.data() : nullptr, size,
                                           path.c_str());
        std::size_t written = size;
        while (written > 0 && buffer[written - 1] == '\xAA') --written;
        out.buf = buffer.substr(0, written);
        return out;
    }
    std::uint32_t GetInt(const std::string& section, const std::string& key, std::int32_t def,
                         const std::string& path) override {
        return GetPrivateProfileIntA(section.c_str(), key.c_str(), def, path.c_str());
    }
    WriteOutcome Write(const std::optional<std::string>& section, const std::optional<std::string>& key,
                       const std::optional<std::string>& value, const std::string& path) override {
        SetLastError(0);
        WriteOutcome out;
        out.ok = WritePrivateProfileStringA(Ptr(section), Ptr(key), Ptr(value), path.c_str()) != 0;
        if (!out.ok) out.error = GetLastError();
        // The system keeps the file in a cache; this writes it out before the bytes are compared.
        WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
        return out;
    }
};

std::optional<std::string_view> View(const std::optional<std::string>& s) {
    if (!s) return std::nullopt;
    return std::string_view(*s);
}

class StoreProfileFunctions final : public conformance::ProfileFunctions {
public:
    GetOutcome Get(const std::optional<std::string>& section, const std::optional<std::string>& key,
                   const std::optional<std::string>& def, std::uint32_t size, const std::string& path) override {
        const auto r = ini::ProfileGetString(View(section), View(key), View(def), size, path);
        return {r.ret, r.buf};
    }
    std::uint32_t GetInt(const std::string& section, const std::string& key, std::int32_t def,
                         const std::string& path) override {
        return ini::ProfileGetInt(section, key, def, path);
    }
    WriteOutcome Write(const std::optional<std::string>& section, const std::optional<std::string>& key,
                       const std::optional<std::string>& value, const std::string& path) override {
        const auto r = ini::ProfileWriteString(View(section), View(key), View(value), path);
        return {r.ok, r.error};
    }
};

// Case files are named by their Unix paths; under Wine the Unix root is drive Z:.
std::string WinePath(std::string path) {
    if (!path.empty() && path[0] == '/') {
        for (char& c : path) {
            if (c == '/') c = '\\';
        }
        path = "Z:" + path;
    }
    return path;
}

std::vector<Case> LoadAll() {
    std::vector<Case> all;
    for (const char* file : {MORVEL_INI_CASES, MORVEL_INI_EXTRA_CASES}) {
        try {
            for (Case& c : conformance::LoadCases(WinePath(file))) all.push_back(std::move(c));
        } catch (const std::exception&) {
            // A file that cannot be read leaves the count short, which the first test reports.
        }
    }
    return all;
}

const std::vector<Case>& AllCases() {
    static const std::vector<Case> cases = LoadAll();
    return cases;
}

class IniConformanceUnderWine : public testing::TestWithParam<Case> {
protected:
    static void SetUpTestSuite() { folder_ = new morvel::test::TempFolder("ini-conformance"); }
    static void TearDownTestSuite() {
        delete folder_;
        folder_ = nullptr;
    }
    static morvel::test::TempFolder* folder_;
};
morvel::test::TempFolder* IniConformanceUnderWine::folder_ = nullptr;

void ExpectNoDifferences(const std::vector<std::string>& differences, const char* who) {
    for (const std::string& d : differences) ADD_FAILURE() << who << ": " << d;
}

}  // namespace

TEST(IniConformanceCases, AreLoaded) {
    ASSERT_GE(AllCases().size(), 100u) << "cases from " << WinePath(MORVEL_INI_CASES) << " and "
                                        << WinePath(MORVEL_INI_EXTRA_CASES);
}

TEST_P(IniConformanceUnderWine, SystemFunctionsMatchTheRecording) {
    SystemProfileFunctions system;
    ExpectNoDifferences(conformance::Replay(GetParam(), system, *folder_ / (GetParam().id + "-system.ini")),
                        "system");
}

TEST_P(IniConformanceUnderWine, StoreMatchesTheRecording) {
    StoreProfileFunctions store;
    ExpectNoDifferences(conformance::Replay(GetParam(), store, *folder_ / (GetParam().id + "-store.ini")), "store");
}

INSTANTIATE_TEST_SUITE_P(Recorded, IniConformanceUnderWine, testing::ValuesIn(AllCases()),
                         [](const testing::TestParamInfo<Case>& info) {
                             std::string name = info.param.id;
                             for (char& c : name) {
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             }
                             return name;
                         });
