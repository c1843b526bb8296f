#include "report_fixture.h"

#include <QProcessEnvironment>

#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

// Inputs that are not regular files, a file against a folder, the reason in
// the trouble line, and the standard descriptors: all as a script or git
// meets them, by running the program.

namespace {

// Runs a shell command line in the fixture's folder, where "varnel" is the
// program under test: process substitution and redirection need a shell.
RUN_RESULT RunShell(const QString& folder, const std::string& script)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder + QStringLiteral("/config"));
    environment.insert(QStringLiteral("VARNEL"), QStringLiteral(VARNEL_BINARY));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("/bin/bash"),
                  {QStringLiteral("-c"), QString::fromStdString(script)});
    RUN_RESULT result;
    if (!process.waitForFinished(120000)) {
        ADD_FAILURE() << "the shell did not finish: " << script;
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.exitStatus = process.exitCode();
    result.out = process.readAllStandardOutput().toStdString();
    result.err = process.readAllStandardError().toStdString();
    return result;
}

struct SHELL_CASE
{
    const char* name;
    const char* script;
    int exitStatus;
    const char* out;
    const char* err;
};

const SHELL_CASE kStreamCases[] = {
    {"/dev/null for an added file", R"("$VARNEL" --report /dev/null new)", 1,
     "+ a\n+ b\n+ \n0 identical, 0 removed, 3 added, 0 moved lines\n", ""},
    {"/dev/null for a deleted file", R"("$VARNEL" --report new /dev/null)", 1,
     "- a\n- b\n- \n0 identical, 3 removed, 0 added, 0 moved lines\n", ""},
    {"process substitution", R"("$VARNEL" --report new <(printf 'a\nb\n'))", 0,
     "  a\n  b\n  \n3 identical, 0 removed, 0 added, 0 moved lines\nThe files are identical!\n",
     ""},
    {"a pipe on standard input", R"(printf 'a\nx\n' | "$VARNEL" --report --block-size 1 new -)",
     1, "  a\n- b\n+ x\n  \n2 identical, 1 removed, 1 added, 0 moved lines\n", ""},
    {"a file on standard input", R"("$VARNEL" --report - new < new)", 0,
     "  a\n  b\n  \n3 identical, 0 removed, 0 added, 0 moved lines\nThe files are identical!\n",
     ""},
    // A named pipe is read as diff reads it: until its writer has finished.
    {"a named pipe", R"(mkfifo fifo; printf 'a\nb\n' > fifo & "$VARNEL" --report new fifo)", 0,
     "  a\n  b\n  \n3 identical, 0 removed, 0 added, 0 moved lines\nThe files are identical!\n",
     ""},
    {"standard input twice", R"("$VARNEL" --report - - < new)", 2, "",
     "varnel: Standard input (-) can be only one of the two inputs!\n"},
    {"a file and the folder holding its twin", R"("$VARNEL" --report --block-size 1 new dir)", 1,
     "  a\n- b\n+ c\n  \n2 identical, 1 removed, 1 added, 0 moved lines\n", ""},
    {"the folder first", R"("$VARNEL" --report --block-size 1 dir new)", 1,
     "  a\n- c\n+ b\n  \n2 identical, 1 removed, 1 added, 0 moved lines\n", ""},
    {"a folder without the twin", R"("$VARNEL" --report new empty)", 2, "",
     "varnel: Failed to read empty/new! (No such file or directory)\n"},
    {"standard input against a folder", R"("$VARNEL" --report - dir < new)", 2, "",
     "varnel: Cannot compare a file to a directory! (standard input has no name to look for "
     "in dir)\n"},
};

class StreamInputs : public CReportFixture, public ::testing::WithParamInterface<SHELL_CASE>
{
};

} // namespace

TEST_P(StreamInputs, AreReadAsDiffReadsThem)
{
    const SHELL_CASE& c = GetParam();
    Write("new", "a\nb\n");
    MakeFolder("dir");
    Write("dir/new", "a\nc\n");
    MakeFolder("empty");

    const RUN_RESULT result = RunShell(folder_.path(), c.script);

    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.exitStatus, c.exitStatus);
}

INSTANTIATE_TEST_SUITE_P(Cases, StreamInputs, ::testing::ValuesIn(kStreamCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char ch : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });

namespace {

// The user and group nobody has on Debian; no account needs to exist for it.
constexpr uid_t kUnprivileged = 65534;

bool SearchableByOthers(const std::filesystem::path& program)
{
    std::filesystem::path path = std::filesystem::absolute(program);
    for (;;) {
        struct stat status = {};
        if (::stat(path.c_str(), &status) != 0 || (status.st_mode & S_IXOTH) == 0)
            return false;
        if (path == path.root_path())
            return true;
        path = path.parent_path();
    }
}

} // namespace

// The trouble line says what the program says, and then why, in the system's
// words; the window keeps to the message alone.
TEST_F(CReportFixture, TroubleLineGivesTheReason)
{
    Write("file", "a\n");
    const RUN_RESULT missing = Run({"missing", "file"});
    EXPECT_EQ(missing.err, "varnel: Failed to read missing! (No such file or directory)\n");
    EXPECT_EQ(missing.exitStatus, 2);

    const std::string huge = PathOf("huge");
    const int fd = ::open(huge.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::ftruncate(fd, 3LL << 30), 0);
    ::close(fd);
    const RUN_RESULT tooLarge = Run({"file", "huge"});
    EXPECT_EQ(tooLarge.err, "varnel: Failed to read huge! (File too large)\n");
    EXPECT_EQ(tooLarge.exitStatus, 2);
}

// The superuser reads any file, so then the program runs as an unprivileged
// user instead.
TEST_F(CReportFixture, TroubleLineSaysPermissionDenied)
{
    Write("file", "a\n");
    Write("locked", "b\n");
    const std::string locked = PathOf("locked");
    ASSERT_EQ(::chmod(locked.c_str(), 0), 0);
    std::function<void()> childSetup;
    if (::geteuid() == 0) {
        if (!SearchableByOthers(VARNEL_BINARY))
            GTEST_SKIP() << "an unprivileged user cannot start " << VARNEL_BINARY;
        ASSERT_EQ(::chmod(folder_.path().toLocal8Bit().constData(), 0755), 0);
        childSetup = [] {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivileged) != 0 ||
                ::setuid(kUnprivileged) != 0)
                ::_exit(99);
        };
    }

    const RUN_RESULT result = Run({"file", "locked"}, childSetup);

    EXPECT_EQ(result.err, "varnel: Failed to read locked! (Permission denied)\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.exitStatus, 2);
}

namespace {

const SHELL_CASE kDescriptorCases[] = {
    // Without the descriptors made sure of, the first file opened would take
    // number 1 and the report would be written into it.
    {"standard output closed", R"("$VARNEL" --report a b >&-; echo "status $?" >&2)", 0, "",
     "varnel: cannot write the report: Bad file descriptor\nstatus 2\n"},
    {"standard input and output closed",
     R"("$VARNEL" --report a b <&- >&-; echo "status $?" >&2; cat a)", 0, "a\n",
     "varnel: cannot write the report: Bad file descriptor\nstatus 2\n"},
    {"help with standard output closed", R"("$VARNEL" --help >&-)", 2, "",
     "varnel: cannot write the report: Bad file descriptor\n"},
    {"help to a full disk", R"("$VARNEL" --help > /dev/full)", 2, "",
     "varnel: cannot write the report: No space left on device\n"},
    {"version to a full disk", R"("$VARNEL" --version > /dev/full)", 2, "",
     "varnel: cannot write the report: No space left on device\n"},
    {"all three closed", R"("$VARNEL" --report a b <&- >&- 2>&-; echo "status $?")", 0,
     "status 2\n", ""},
};

class Descriptors : public CReportFixture, public ::testing::WithParamInterface<SHELL_CASE>
{
};

} // namespace

TEST_P(Descriptors, ClosedOrFullOutputIsTrouble)
{
    const SHELL_CASE& c = GetParam();
    Write("a", "a\n");
    Write("b", "b\n");

    const RUN_RESULT result = RunShell(folder_.path(), c.script);

    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.exitStatus, c.exitStatus);
}

INSTANTIATE_TEST_SUITE_P(Cases, Descriptors, ::testing::ValuesIn(kDescriptorCases),
                         [](const auto& info) {
                             std::string name;
                             for (const char ch : std::string(info.param.name))
                                 name += std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                             return name;
                         });
