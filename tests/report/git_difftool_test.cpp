#include "report_fixture.h"

#include <QProcessEnvironment>

// git difftool runs the program once per changed file, with /dev/null for
// the missing side of an added or deleted file, as the README sets it up.

namespace {

class GitDifftool : public CReportFixture
{
protected:
    void SetUp() override
    {
        MakeFolder("repo");
        Git({"init", "-q"});
        Write("repo/changed.txt", "a\nb\nc\n");
        Write("repo/deleted.txt", "gone\n");
        Write("repo/same.txt", "kept\n");
        Write("repo/line-ends.txt", "x\n");
        Git({"add", "."});
        Git({"commit", "-q", "-m", "first"});
        Write("repo/changed.txt", "a\nb\nx\n");
        Write("repo/added.txt", "new\n");
        Write("repo/line-ends.txt", "x\r\n");
        Git({"rm", "-q", "deleted.txt"});
        Git({"add", "."});
        Git({"commit", "-q", "-m", "second"});
    }

    RUN_RESULT Git(const QStringList& args) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("HOME"), folder_.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           folder_.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("GIT_CONFIG_NOSYSTEM"), QStringLiteral("1"));
        for (const char* name : {"GIT_AUTHOR_NAME", "GIT_COMMITTER_NAME"})
            environment.insert(QLatin1String(name), QStringLiteral("Tester"));
        for (const char* name : {"GIT_AUTHOR_EMAIL", "GIT_COMMITTER_EMAIL"})
            environment.insert(QLatin1String(name), QStringLiteral("tester@example.org"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(folder_.filePath(QStringLiteral("repo")));
        process.start(QStringLiteral("git"), args);
        RUN_RESULT result;
        if (!process.waitForFinished(120000)) {
            ADD_FAILURE() << "git did not finish";
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.exitStatus = process.exitCode();
        result.out = process.readAllStandardOutput().toStdString();
        result.err = process.readAllStandardError().toStdString();
        return result;
    }
};

// What the report prints for each changed file, in git's order.
const char* const kAdded = "+ new\n+ \n0 identical, 0 removed, 2 added, 0 moved lines\n";
const char* const kChanged = "  a\n  b\n- c\n- \n+ x\n+ \n2 identical, 2 removed, 2 added, 0 moved lines\n";
const char* const kDeleted = "- gone\n- \n0 identical, 2 removed, 0 added, 0 moved lines\n";
const char* const kLineEnds = "  x\n  \n2 identical, 0 removed, 0 added, 0 moved lines\n"
                              "The files are not identical, but contains no relevant differences!\n";

} // namespace

TEST_F(GitDifftool, ReportsEveryChangedFile)
{
    const QString command = QStringLiteral("--extcmd=" VARNEL_BINARY " --report");
    const RUN_RESULT result = Git({"difftool", "--no-prompt", command, "HEAD~1", "HEAD"});

    EXPECT_EQ(result.out, std::string(kAdded) + kChanged + kDeleted + kLineEnds);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitStatus, 0);
}

// With --trust-exit-code git stops at the first file the program does not
// call equal, and fails; a file that differs only in ignored ways lets it go
// on.
TEST_F(GitDifftool, StatusFollowsTheProgramsWhenGitTrustsIt)
{
    const QString command = QStringLiteral("--extcmd=" VARNEL_BINARY " --report");
    const RUN_RESULT different =
        Git({"difftool", "--no-prompt", "--trust-exit-code", command, "HEAD~1", "HEAD"});
    EXPECT_EQ(different.out, kAdded);
    EXPECT_NE(different.err.find("stopping at added.txt"), std::string::npos) << different.err;
    EXPECT_NE(different.exitStatus, 0);

    const RUN_RESULT trouble = Git({"difftool", "--no-prompt", "--trust-exit-code",
                                    QStringLiteral("--extcmd=" VARNEL_BINARY " --report --limit -1"),
                                    "HEAD~1", "HEAD"});
    EXPECT_EQ(trouble.out, "");
    EXPECT_NE(trouble.err.find("varnel: invalid value '-1' for --limit"), std::string::npos)
        << trouble.err;
    EXPECT_NE(trouble.exitStatus, 0);

    const RUN_RESULT equal = Git({"difftool", "--no-prompt", "--trust-exit-code", command,
                                  "HEAD~1", "HEAD", "--", "line-ends.txt"});
    EXPECT_EQ(equal.out, kLineEnds);
    EXPECT_EQ(equal.exitStatus, 0);
}

// The set-up the README and the man page show, with the report asked for in
// the tool's command so that no window opens.
TEST_F(GitDifftool, TheDocumentedToolSetUpWorks)
{
    ASSERT_EQ(Git({"config", "diff.tool", "varnel"}).exitStatus, 0);
    ASSERT_EQ(Git({"config", "difftool.varnel.cmd",
                   QStringLiteral(VARNEL_BINARY " --report \"$LOCAL\" \"$REMOTE\"")})
                  .exitStatus,
              0);

    const RUN_RESULT result = Git({"difftool", "--no-prompt", "HEAD~1", "HEAD"});

    EXPECT_EQ(result.out, std::string(kAdded) + kChanged + kDeleted + kLineEnds);
    EXPECT_EQ(result.exitStatus, 0);
}
