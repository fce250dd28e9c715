// SPDX-License-Identifier: GPL-3.0-or-later
// Whole-file replacement: through symbolic links, keeping the old file's
// permissions, and failing without harm where the folder cannot take it.

#include <cctype>
#include <filesystem>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/core/file_io.h"
#include "test_support.h"

using namespace ventoral;
using ventoral::test::TempDir;

namespace fs = std::filesystem;

namespace {

struct Link {
    std::string at;      // below the test folder
    std::string names;   // as the link holds it; a leading '/' stands for the test folder
};

struct ReplaceCase {
    const char* what;
    std::vector<Link> links;
    std::string oldFile;        // the file there before, holding "old"; empty for none
    mode_t oldMode;
    std::string written;        // the path handed to the writer
    std::string landsIn;        // the file that must hold the new bytes
    bool replaced;
    bool readOnlyFolder = false;   // oldFile's folder
};

const ReplaceCase kReplaceCases[] = {
    {"plain file", {}, "home/vntl.ini", 0644, "home/vntl.ini", "home/vntl.ini", true},
    {"plain file 0600", {}, "home/vntl.ini", 0600, "home/vntl.ini", "home/vntl.ini", true},
    {"plain file 0664", {}, "home/vntl.ini", 0664, "home/vntl.ini", "home/vntl.ini", true},
    {"no file yet", {}, "", 0, "home/vntl.ini", "home/vntl.ini", true},
    {"link to a file in another folder", {{"home/vntl.ini", "/dotfiles/vntl.ini"}}, "dotfiles/vntl.ini", 0644,
     "home/vntl.ini", "dotfiles/vntl.ini", true},
    {"link to a file 0600", {{"home/vntl.ini", "/dotfiles/vntl.ini"}}, "dotfiles/vntl.ini", 0600, "home/vntl.ini",
     "dotfiles/vntl.ini", true},
    {"chain of two links",
     {{"home/vntl.ini", "/links/vntl.ini"}, {"links/vntl.ini", "../dotfiles/vntl.ini"}},
     "dotfiles/vntl.ini", 0640, "home/vntl.ini", "dotfiles/vntl.ini", true},
    {"relative link", {{"home/vntl.ini", "../dotfiles/vntl.ini"}}, "dotfiles/vntl.ini", 0644, "home/vntl.ini",
     "dotfiles/vntl.ini", true},
    {"link in the same folder", {{"home/vntl.ini", "real.ini"}}, "home/real.ini", 0600, "home/vntl.ini",
     "home/real.ini", true},
    // The file the link names is made, as a first save through a fresh dotfiles link expects.
    {"dangling link", {{"home/vntl.ini", "/dotfiles/vntl.ini"}}, "", 0, "home/vntl.ini", "dotfiles/vntl.ini", true},
    {"dangling link into a missing folder", {{"home/vntl.ini", "/gone/vntl.ini"}}, "", 0, "home/vntl.ini", "", false},
    {"links that loop", {{"home/vntl.ini", "other.ini"}, {"home/other.ini", "vntl.ini"}}, "", 0, "home/vntl.ini", "",
     false},
    {"read-only folder", {}, "locked/vntl.ini", 0644, "locked/vntl.ini", "", false, true},
    {"link into a read-only folder", {{"home/vntl.ini", "/locked/vntl.ini"}}, "locked/vntl.ini", 0644,
     "home/vntl.ini", "", false, true},
};

void PrintTo(const ReplaceCase& c, std::ostream* out) { *out << c.what; }

class AtomicReplace : public ::testing::TestWithParam<ReplaceCase> {};

TEST_P(AtomicReplace, LandsAtTheEndOfTheLinksAndKeepsTheirPermissionsOrLeavesAllAsItWas)
{
    const ReplaceCase& c = GetParam();
    TempDir dir;
    for (const char* folder : {"home", "dotfiles", "links", "locked"})
        ASSERT_TRUE(createFolder(dir.file(folder)));
    for (const Link& link : c.links)
        fs::create_symlink(link.names.front() == '/' ? dir.path() + link.names : link.names, dir.file(link.at));
    if (!c.oldFile.empty()) {
        test::writeFile(dir.file(c.oldFile), "old");
        fs::permissions(dir.file(c.oldFile), static_cast<fs::perms>(c.oldMode));
    }
    if (c.readOnlyFolder)
        fs::permissions(dir.file("locked"), static_cast<fs::perms>(0555));

    bool replaced = false;
    {
        const test::PermissionBitsBind asAnyUser;
        replaced = writeFileAtomically(dir.file(c.written), "new");
    }
    fs::permissions(dir.file("locked"), static_cast<fs::perms>(0755));

    EXPECT_EQ(replaced, c.replaced);
    for (const Link& link : c.links) {
        ASSERT_TRUE(fs::is_symlink(dir.file(link.at))) << link.at;
        EXPECT_EQ(fs::read_symlink(dir.file(link.at)).string(),
                  link.names.front() == '/' ? dir.path() + link.names : link.names);
    }
    if (c.replaced) {
        EXPECT_EQ(test::readFile(dir.file(c.landsIn)), "new");
        EXPECT_FALSE(fs::is_symlink(dir.file(c.landsIn)));
        struct stat status {};
        ASSERT_EQ(::stat(dir.file(c.landsIn).c_str(), &status), 0);
        if (!c.oldFile.empty()) {
            EXPECT_EQ(status.st_mode & 07777, c.oldMode);
        }
    } else if (!c.oldFile.empty()) {
        EXPECT_EQ(test::readFile(dir.file(c.oldFile)), "old");
    }
    // No temporary file is left anywhere.
    for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
        EXPECT_NE(entry.path().filename().string().rfind(".vntl.ini.tmp", 0), 0u) << entry.path();
}

INSTANTIATE_TEST_SUITE_P(FileIo, AtomicReplace, ::testing::ValuesIn(kReplaceCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char* p = info.param.what; *p; ++p)
                                 if (std::isalnum(static_cast<unsigned char>(*p)))
                                     name += *p;
                             return name;
                         });

} // namespace

TEST(FileIo, ReplacesFilesWholeAndAFailedReplaceLeavesWhatWasThereAndNoTemporaryFile)
{
    TempDir dir;
    const std::string file = dir.file("data.txt");
    ASSERT_TRUE(writeFileAtomically(file, "old"));
    ASSERT_TRUE(writeFileAtomically(file, std::string(100000, 'n')));
    EXPECT_EQ(FileSizeOf(file), 100000);
    EXPECT_FALSE(writeFileAtomically(dir.file("no/such/folder/x"), "x"));
    ASSERT_TRUE(createFolder(dir.file("busy/inside")));
    EXPECT_FALSE(writeFileAtomically(dir.file("busy"), "new"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("busy/inside")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);
    EXPECT_EQ(FileSizeOf(dir.file("absent")), 0);
    EXPECT_EQ(FileSizeOf(dir.path()), 0);
    EXPECT_FALSE(readWholeFile(dir.path()).has_value());
    EXPECT_EQ(joinPath("/x/", "y"), "/x/y");
}

TEST(FileIo, AReplacedFileKeepsItsOwnerWherePermitted)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root may give a file to another user";
    TempDir dir;
    const std::string file = dir.file("vntl.ini");
    test::writeFile(file, "old");
    ASSERT_EQ(::chown(file.c_str(), 1234, 5678), 0);
    ASSERT_TRUE(writeFileAtomically(file, "new"));
    struct stat status {};
    ASSERT_EQ(::stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_uid, 1234u);
    EXPECT_EQ(status.st_gid, 5678u);
}

TEST(FileIo, NothingIsAtAMissingPathOrADanglingLinkOnly)
{
    TempDir dir;
    test::writeFile(dir.file("file"), "x");
    fs::create_symlink(dir.file("absent"), dir.file("dangling"));
    fs::create_symlink(dir.file("loop"), dir.file("loop"));
    EXPECT_TRUE(nothingAt(dir.file("absent")));
    EXPECT_TRUE(nothingAt(dir.file("dangling")));
    EXPECT_FALSE(nothingAt(dir.file("file")));
    EXPECT_FALSE(nothingAt(dir.path()));
    EXPECT_FALSE(nothingAt(dir.file("loop")));
}
