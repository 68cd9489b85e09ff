// morvel-ini as a script uses it: arguments in, stdout, stderr and exit status out.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>

#include "support/conformance_cases.h"
#include "unit/test_dir.h"

namespace {

using morvel::conformance::ReadWholeFile;
using morvel::conformance::WriteWholeFile;

struct RunResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string ShellQuote(const std::string& arg) {
    std::string q = "'";
    for (const char c : arg) {
        if (c == '\'') {
            q += "'\\''";
        } else {
            q += c;
        }
    }
    return q + "'";
}

class ToolTest : public ::testing::Test {
protected:
    RunResult Run(const std::vector<std::string>& args) {
        std::string command = ShellQuote(MORVEL_INI_TOOL);
        for (const std::string& a : args) command += " " + ShellQuote(a);
        const std::string out = dir.File("stdout");
        const std::string err = dir.File("stderr");
        command += " >" + ShellQuote(out) + " 2>" + ShellQuote(err);
        RunResult r;
        const int raw = std::system(command.c_str());
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = ReadWholeFile(out).value_or("");
        r.err = ReadWholeFile(err).value_or("");
        return r;
    }

    morvel::testing::TestDir dir;
    std::string ini = dir.File("morvel.ini");
};

TEST_F(ToolTest, ReadsAsTheLibraryReads) {
    ASSERT_TRUE(WriteWholeFile(ini, "[morvel]\r\nSaveName = \"C:\\A B.BMP\"\r\nSave8=0x0A\r\nbWinW=wide\r\n"
                                    "; c=1\r\nbare\r\nLong=" + std::string(2000, 'x') + "\r\n[Other]\r\n[morvel]\r\n"));
    struct Row {
        const char* name;
        std::vector<std::string> args;
        std::string out;
    };
    const Row rows[] = {
        {"quoted value", {"get", ini, "morvel", "savename"}, "C:\\A B.BMP\n"},
        {"default", {"get", ini, "morvel", "nosuch", "ERROR"}, "ERROR\n"},
        {"no default", {"get", ini, "morvel", "nosuch"}, "\n"},
        {"cut at 1023", {"get", ini, "morvel", "Long"}, std::string(1023, 'x') + "\n"},
        {"hexadecimal", {"getint", ini, "morvel", "Save8", "911"}, "10\n"},
        {"a word gives the default", {"getint", ini, "morvel", "bWinW", "-1"}, "-1\n"},
        {"absent gives the default", {"getint", ini, "morvel", "Save1", "0x10"}, "16\n"},
        {"sections, duplicates included", {"sections", ini}, "morvel\nOther\nmorvel\n"},
        {"keys with a value, no ';' names", {"keys", ini, "MORVEL"}, "SaveName\nSave8\nbWinW\nLong\n"},
        {"keys of a missing section", {"keys", ini, "none"}, ""},
        {"missing file", {"get", dir.File("none.ini"), "S", "k", "d"}, "d\n"},
    };
    for (const Row& row : rows) {
        const RunResult r = Run(row.args);
        EXPECT_EQ(r.status, 0) << row.name << ": " << r.err;
        EXPECT_EQ(r.out, row.out) << row.name;
        EXPECT_EQ(r.err, "") << row.name;
    }
}

TEST_F(ToolTest, WritesAsTheLibraryWrites) {
    EXPECT_EQ(Run({"set", ini, "morvel", "SaveName", "C:\\A.BMP"}).status, 0);
    EXPECT_EQ(Run({"set", ini, "morvel", "Savename", "C:\\B.BMP"}).status, 0);
    EXPECT_EQ(Run({"set", ini, "Host", "x", "1"}).status, 0);
    EXPECT_EQ(ReadWholeFile(ini), "[morvel]\r\nSaveName=C:\\B.BMP\r\n[Host]\r\nx=1\r\n");
    EXPECT_EQ(Run({"delete", ini, "morvel", "savename"}).status, 0);
    EXPECT_EQ(ReadWholeFile(ini), "[morvel]\r\n[Host]\r\nx=1\r\n");
    EXPECT_EQ(Run({"delete", ini, "MORVEL"}).status, 0);
    EXPECT_EQ(ReadWholeFile(ini), "[Host]\r\nx=1\r\n");
    // Deleting what is not there leaves the file alone.
    ASSERT_TRUE(WriteWholeFile(ini, "[Host]  \r\n x = 1 \r\n"));
    EXPECT_EQ(Run({"delete", ini, "none"}).status, 0);
    EXPECT_EQ(ReadWholeFile(ini), "[Host]  \r\n x = 1 \r\n");
}

TEST_F(ToolTest, ErrorsAndUsage) {
    ASSERT_TRUE(WriteWholeFile(dir.File("afile"), "x"));
    const std::string unwritable = dir.File("afile/morvel.ini");
    struct Row {
        const char* name;
        std::vector<std::string> args;
        int status;
        std::string errStart;
    };
    const Row rows[] = {
        {"no command", {}, 2, "morvel-ini: no command"},
        {"unknown command", {"frob", ini}, 2, "morvel-ini: unknown command \"frob\""},
        {"get without key", {"get", ini, "S"}, 2, "morvel-ini: get takes"},
        {"set without value", {"set", ini, "S", "k"}, 2, "morvel-ini: set takes"},
        {"getint with a word as default", {"getint", ini, "S", "k", "many"}, 2, "morvel-ini: DEFAULT is not"},
        {"delete with too much", {"delete", ini, "S", "k", "v"}, 2, "morvel-ini: delete takes"},
        {"set where no file can be", {"set", unwritable, "S", "k", "v"}, 1,
         "morvel-ini: Unable to write to " + unwritable + "\n"},
        {"delete where no file can be", {"delete", dir.path().string(), "S"}, 1, "morvel-ini: Unable to write to "},
    };
    for (const Row& row : rows) {
        const RunResult r = Run(row.args);
        EXPECT_EQ(r.status, row.status) << row.name;
        EXPECT_EQ(r.err.substr(0, row.errStart.size()), row.errStart) << row.name << ": " << r.err;
        EXPECT_EQ(r.out, "") << row.name;
    }
    const RunResult help = Run({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: morvel-ini"), std::string::npos);
    EXPECT_EQ(help.err, "");
}

}  // namespace
