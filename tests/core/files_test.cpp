#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include "fw/core/FolderItem.h"
#include "fw/core/TextEncoding.h"
#include "tests/support/TestFiles.h"

namespace fs = std::filesystem;
using fw::FolderItem;
using fw::String;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

class FilesTest : public ::testing::Test {
protected:
    void TearDown() override { fw::SetApplicationExecutable({}); }
    // Everything in the folder, to prove that no temporary file is left over.
    size_t entries() const {
        size_t n = 0;
        for ([[maybe_unused]] auto& e : fs::directory_iterator(dir)) ++n;
        return n;
    }
    testsupport::TempFolder folder{"files"};
    const fs::path dir = folder.path();
};

TEST_F(FilesTest, ReplaceIsAtomicAndCleansUp) {
    fs::path target = dir / "a.ini";
    writeFile(target, "old contents");
    FolderItem item(target);

    auto out = item.CreateTextFile();
    ASSERT_NE(out, nullptr);
    out->Write("new ");
    // Until Close, readers still see the old file whole.
    EXPECT_EQ(readFile(target), "old contents");
    out->WriteLine("contents");
    EXPECT_TRUE(out->Close());
    EXPECT_EQ(readFile(target), "new contents\n");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FilesTest, StreamNeverClosedLeavesOldFile) {
    fs::path target = dir / "a.ini";
    writeFile(target, "old");
    {
        auto out = FolderItem(target).CreateTextFile();
        ASSERT_NE(out, nullptr);
        out->Write("half-written");
    }
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FilesTest, SaveKilledMidWriteLeavesNothingBehind) {
    int probe = ::open(dir.c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0) GTEST_SKIP() << "no unnamed temporary files here";
    ::close(probe);
    fs::path target = dir / "a.ini";
    writeFile(target, "old");
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        auto out = FolderItem(target).CreateTextFile();
        if (out) out->Write(String(std::string(1 << 16, 'x')));
        ::kill(::getpid(), SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(entries(), 1u);

    // The next save still replaces the file whole.
    auto out = FolderItem(target).CreateTextFile();
    ASSERT_NE(out, nullptr);
    out->Write("new");
    EXPECT_TRUE(out->Close());
    EXPECT_EQ(readFile(target), "new");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FilesTest, FailedWriteIsReportedAndOldFileSurvives) {
    fs::path target = dir / "big.txt";
    writeFile(target, "old");
    auto out = FolderItem(target).CreateTextFile();
    ASSERT_NE(out, nullptr);

    // A file-size limit makes write() fail with EFBIG, as a full disk would.
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    rlimit tight = saved;
    tight.rlim_cur = 1024;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tight), 0);
    out->Write(String(std::string(4096, 'x')));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, oldHandler);

    EXPECT_FALSE(out->Close());
    EXPECT_EQ(readFile(target), "old");
    EXPECT_EQ(entries(), 1u);
}

TEST_F(FilesTest, OnlyAPlainFileIsReplaced) {
    fs::create_directory(dir / "sub");
    writeFile(dir / "sub" / "keep.txt", "keep");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
    for (const fs::path& p : {dir / "sub", dir / "pipe"}) {
        EXPECT_EQ(FolderItem(p).CreateTextFile(), nullptr) << p;
    }
    EXPECT_EQ(readFile(dir / "sub" / "keep.txt"), "keep");
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
    EXPECT_EQ(entries(), 2u);
}

TEST_F(FilesTest, CreateInMissingFolderGivesNoStream) {
    EXPECT_EQ(FolderItem(dir / "missing" / "a.ini").CreateTextFile(), nullptr);
}

TEST_F(FilesTest, ReplaceKeepsModeAndFollowsLinks) {
    fs::path real = dir / "real.ini";
    writeFile(real, "old");
    ::chmod(real.c_str(), 0640);
    fs::create_symlink(real, dir / "link.ini");

    auto out = FolderItem(dir / "link.ini").CreateTextFile();
    ASSERT_NE(out, nullptr);
    out->Write("new");
    ASSERT_TRUE(out->Close());
    EXPECT_TRUE(fs::is_symlink(dir / "link.ini"));
    EXPECT_EQ(readFile(real), "new");
    struct stat st {};
    ASSERT_EQ(::stat(real.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(FilesTest, OnlyPlainFilesOpenForReading) {
    fs::create_directory(dir / "folder");
    ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);  // opening must not wait for a writer
    const fs::path refused[] = {dir / "folder", dir / "pipe", dir / "missing", "/dev/null", "/dev/zero"};
    for (const fs::path& p : refused) {
        EXPECT_EQ(FolderItem(p).OpenAsTextFile(), nullptr) << p;
        EXPECT_FALSE(FolderItem(p).IsRegularFile()) << p;
    }
}

TEST_F(FilesTest, ReadAllCarriesTheEncodingAndReadsOnce) {
    writeFile(dir / "t.txt", std::string("caf\xE9", 4));
    auto in = FolderItem(dir / "t.txt").OpenAsTextFile();
    ASSERT_NE(in, nullptr);
    in->Encoding = fw::Encodings::WindowsLatin1;
    EXPECT_FALSE(in->EOF_());
    String s = in->ReadAll();
    EXPECT_EQ(s.bytes(), std::string("caf\xE9", 4));
    EXPECT_EQ(s.encoding(), fw::Encodings::WindowsLatin1);
    EXPECT_TRUE(in->EOF_());
    EXPECT_TRUE(in->ReadAll().empty());

    writeFile(dir / "empty.txt", "");
    auto empty = FolderItem(dir / "empty.txt").OpenAsTextFile();
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->ReadAll(fw::Encodings::UTF8).empty());
}

TEST_F(FilesTest, WriteConvertsAndReportsLosses) {
    auto out = FolderItem(dir / "latin1.txt").CreateTextFile();
    ASSERT_NE(out, nullptr);
    out->Encoding = fw::Encodings::WindowsLatin1;
    out->Write("café ");
    out->Write("日");
    // Bytes without an encoding (decoded Base64) go out untouched.
    out->Write(String::FromBytes(std::string("\xFF\xFE", 2), nullptr));
    ASSERT_TRUE(out->Close());
    EXPECT_EQ(readFile(dir / "latin1.txt"), std::string("caf\xE9 ?\xFF\xFE", 8));
    EXPECT_EQ(out->report.unmappable, 1u);
    EXPECT_EQ(out->report.invalidInput, 0u);
    EXPECT_EQ(out->report.firstOffset, 6u);  // "café " is six UTF-8 bytes
}

TEST_F(FilesTest, ApplicationFolderResolvesRelativePaths) {
    fw::SetApplicationExecutable(dir / "bin" / "varnel");
    auto rel = fw::GetFolderItem("lang/default.lng");
    ASSERT_NE(rel, nullptr);
    EXPECT_EQ(rel->Path(), dir / "bin" / "lang" / "default.lng");
    auto folder = fw::GetFolderItem("");
    ASSERT_NE(folder, nullptr);
    EXPECT_EQ(folder->Path(), dir / "bin");
    auto abs = fw::GetFolderItem("/etc/hostname");
    ASSERT_NE(abs, nullptr);
    EXPECT_EQ(abs->Path(), fs::path("/etc/hostname"));
    EXPECT_EQ(fw::ApplicationExecutable()->Name().bytes(), "varnel");

    fw::SetApplicationExecutable({});  // back to the running program
    auto self = fw::ApplicationExecutable();
    ASSERT_NE(self, nullptr);
    EXPECT_TRUE(self->IsRegularFile());
    EXPECT_EQ(self->Path(), fs::read_symlink("/proc/self/exe"));
}

TEST_F(FilesTest, NamesAndPaths) {
    FolderItem f(dir / "x" / "name.ini");
    EXPECT_EQ(f.Name().bytes(), "name.ini");
    EXPECT_EQ(FolderItem(dir / "x" / "").Name().bytes(), "x");
    EXPECT_EQ(f.Parent()->Path(), dir / "x");
    EXPECT_EQ(f.Parent()->Child("other")->Path(), dir / "x" / "other");
    EXPECT_EQ(FolderItem("/").Parent(), nullptr);
    EXPECT_EQ(FolderItem(dir / "x" / ".." / "y").AbsolutePath().bytes(), (dir / "y").string());
    EXPECT_FALSE(f.Exists());
    EXPECT_TRUE(FolderItem(dir).Directory());
}

class PreferencesTest : public FilesTest {
protected:
    void SetUp() override {
        FilesTest::SetUp();
        save("XDG_CONFIG_HOME", xdg);
        save("HOME", home);
    }
    void TearDown() override {
        restore("XDG_CONFIG_HOME", xdg);
        restore("HOME", home);
        FilesTest::TearDown();
    }
    static void save(const char* name, std::optional<std::string>& slot) {
        if (const char* v = std::getenv(name)) slot = v;
    }
    static void restore(const char* name, const std::optional<std::string>& slot) {
        if (slot) ::setenv(name, slot->c_str(), 1);
        else ::unsetenv(name);
    }
    std::optional<std::string> xdg, home;
};

TEST_F(PreferencesTest, FolderFollowsXdgThenHomeAndIsCreated) {
    ::setenv("HOME", (dir / "home").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", (dir / "xdg" / "conf").c_str(), 1);
    auto p = fw::PreferencesFolder();
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Path(), dir / "xdg" / "conf");
    EXPECT_TRUE(fs::is_directory(dir / "xdg" / "conf"));

    for (const char* ignored : {"", "relative/conf"}) {
        ::setenv("XDG_CONFIG_HOME", ignored, 1);
        p = fw::PreferencesFolder();
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->Path(), dir / "home" / ".config") << ignored;
    }
    EXPECT_TRUE(fs::is_directory(dir / "home" / ".config"));
}

TEST_F(PreferencesTest, UnusableFolderGivesNil) {
    writeFile(dir / "file", "not a folder");
    ::setenv("XDG_CONFIG_HOME", (dir / "file" / "conf").c_str(), 1);
    EXPECT_EQ(fw::PreferencesFolder(), nullptr);
}

}  // namespace
