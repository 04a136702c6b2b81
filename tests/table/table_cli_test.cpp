#include "table/table_cli.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A fresh directory per test, removed afterwards.
class RunTableTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("velmora-table-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    int Run(std::vector<std::string> args, const table::TableHooks& hooks) {
        std::vector<std::string_view> views(args.begin(), args.end());
        out_.str("");
        err_.str("");
        return table::RunTable(views, out_, err_, hooks);
    }
    std::vector<std::string> Reference(const std::string& output) const {
        return {"--L",  "5000", "--D",    "2020", "--Delta",  "10",
                "--Hs", "25",   "--tank", "T-1",  "--output", (dir_ / output).string()};
    }
    [[nodiscard]] std::size_t Entries() const {
        return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(dir_), fs::directory_iterator()));
    }

    fs::path dir_;
    std::ostringstream out_, err_;
};

TEST_F(RunTableTest, PdfHookWritesATemporaryFileThatReplacesTheTarget) {
    table::TableHooks hooks;
    hooks.today = [] { return std::string("2024年5月1日"); };
    fs::path written;
    hooks.writePdf = [&](const calc::LevelTable& t, const table::TableHeader& header,
                         const fs::path& path) {
        written = path;
        EXPECT_EQ(t.rows.size(), 201U);
        EXPECT_EQ(header.tank, "T-1");
        EXPECT_EQ(header.date, "2024年5月1日");
        std::ofstream(path) << "%PDF";
        return true;
    };
    std::ofstream(dir_ / "t.pdf") << "old";
    EXPECT_EQ(Run(Reference("t.pdf"), hooks), table::ExitOk) << err_.str();
    EXPECT_EQ(written.parent_path(), dir_);
    EXPECT_NE(written.filename(), "t.pdf");
    std::ifstream in(dir_ / "t.pdf");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "%PDF");
    EXPECT_EQ(Entries(), 1U);
}

TEST_F(RunTableTest, FailedPdfLeavesNothingBehind) {
    table::TableHooks hooks;
    for (const bool throws : {false, true}) {
        SCOPED_TRACE(throws);
        hooks.writePdf = [&](const calc::LevelTable&, const table::TableHeader&,
                             const fs::path& path) {
            std::ofstream(path) << "%PDF-half";
            if (throws) {
                throw std::runtime_error("painter failed");
            }
            return false;
        };
        EXPECT_EQ(Run(Reference("t.pdf"), hooks), table::ExitWarning);
        EXPECT_EQ(err_.str(), "无法写入文件：" + (dir_ / "t.pdf").string() + "\n");
        EXPECT_EQ(Entries(), 0U);
    }
}

TEST_F(RunTableTest, WindowOnlyWithoutArguments) {
    table::TableHooks hooks;
    int opened = 0;
    hooks.openWindow = [&] {
        ++opened;
        return 7;
    };
    EXPECT_EQ(Run({}, hooks), 7);
    EXPECT_EQ(Run({"--help"}, hooks), table::ExitOk);
    EXPECT_EQ(Run(Reference("t.csv"), hooks), table::ExitOk);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(Run({}, {}), table::ExitUsage);
    EXPECT_NE(err_.str().find("用法："), std::string::npos);
}

} // namespace
