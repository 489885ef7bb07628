// The text-file service: CR LF text, create-or-replace through a file beside the target, and the
// failures a user can meet (missing or read-only folder, a folder where the file should be).
#include "WriterTestSupport.h"
#include "tests/support/ToolTestSupport.h"

#include "numeric/Errors.h"
#include "writers/TextFile.h"

#include <unistd.h>

namespace q7::test {
namespace {

TEST(TextFile, WritesLinesOpenTextAndEmptyLinesWithCrLf) {
    ScratchDir dir;
    TextFile f;
    f.Create(dir / "a.txt");
    f.WriteLine("PVDO");
    f.Write("open ");
    f.Write("text");
    f.WriteLine(" ");
    f.WriteBlankLines(3);
    f.WriteLine("/");
    f.Close();
    EXPECT_EQ(ReadFile(dir / "a.txt"), "PVDO\r\nopen text \r\n\r\n\r\n\r\n/\r\n");
}

// The old content stands until Close; a file dropped unfinished leaves it; no temporary remains.
TEST(TextFile, ReplacesAnExistingFileOnlyOnCloseAndLeavesNoTemporaryBehind) {
    ScratchDir dir;
    const auto only = [&] { return std::distance(std::filesystem::directory_iterator(dir.path()), {}) == 1; };
    std::ofstream(dir / "a.txt") << "an older and much longer content\n";
    {
        TextFile f;
        f.Create(dir / "a.txt");
        f.WriteLine("half");
    }
    EXPECT_EQ(ReadFile(dir / "a.txt"), "an older and much longer content\n");
    EXPECT_TRUE(only());
    TextFile f;
    f.Create(dir / "a.txt");
    EXPECT_EQ(ReadFile(dir / "a.txt"), "an older and much longer content\n");
    f.WriteLine("new");
    f.Close();
    EXPECT_EQ(ReadFile(dir / "a.txt"), "new\r\n");
    EXPECT_TRUE(only());
    // A large file arrives whole.
    f.Create(dir / "big.txt");
    for (int i = 0; i < 5000; ++i)
        f.WriteLine(std::string(99, 'x'));
    f.Close();
    EXPECT_EQ(std::filesystem::file_size(dir / "big.txt"), 5000u * 101u);
}

struct CreateFailure {
    const char* name;
    const char* target; // inside the scratch folder
    const char* reason; // strerror text expected in the message
};

class TextFileCreateFailure : public ::testing::TestWithParam<CreateFailure> {};

TEST_P(TextFileCreateFailure, ThrowsIoErrorNamingThePathAndTheReason) {
    ScratchDir dir;
    std::filesystem::create_directories(dir.path() / "folder");
    std::ofstream(dir / "plain") << "x";
    const std::string target = dir / GetParam().target;
    TextFile f;
    try {
        f.Create(target);
        f.WriteLine("text");
        f.Close();
        FAIL() << "no error for " << target;
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find(target), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(GetParam().reason), std::string::npos) << e.what();
    }
    EXPECT_FALSE(f.IsOpen());
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "folder"));
}

INSTANTIATE_TEST_SUITE_P(Paths, TextFileCreateFailure,
                         ::testing::Values(CreateFailure{"MissingFolder", "missing/a.txt",
                                                         "No such file or directory"},
                                           CreateFailure{"FolderIsAFile", "plain/a.txt", "Not a directory"},
                                           CreateFailure{"NameIsAFolder", "folder", "Is a directory"},
                                           CreateFailure{"TrailingSlash", "folder/", "Is a directory"}),
                         [](const auto& info) { return std::string(info.param.name); });

// Tried by a child as an ordinary user, since root may write into any folder.
TEST(TextFile, ReadOnlyFolderIsRefused) {
    ScratchDir dir;
    const auto folder = dir.path() / "ro";
    std::filesystem::create_directories(folder);
    using std::filesystem::perms;
    std::filesystem::permissions(dir.path(), perms::owner_all | perms::group_read | perms::group_exec |
                                                 perms::others_read | perms::others_exec);
    std::filesystem::permissions(folder, perms::owner_read | perms::owner_exec | perms::group_read |
                                             perms::group_exec | perms::others_read | perms::others_exec);
    const int code = AsOrdinaryUser([&] {
        if (::access(folder.c_str(), W_OK) == 0) return 3;
        TextFile f;
        try {
            f.Create(folder / "a.txt");
        } catch (const IoError&) {
            return 0;
        }
        return 1;
    });
    EXPECT_EQ(code, 0) << (code == 1   ? "no IoError"
                           : code == 3 ? "the child may still write into the folder"
                                       : "the child failed");
    EXPECT_TRUE(std::filesystem::is_empty(folder));
}

} // namespace
} // namespace q7::test
