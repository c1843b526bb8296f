#include "report_fixture.h"

#include <QProcessEnvironment>

#include <sys/stat.h>

// What "varnel OLD NEW" does on its way to the window: everything that can be
// refused is refused before a window opens, in one line with status 2, and a
// display that cannot be used falls back to the report.

namespace {

class WindowLaunch : public CReportFixture
{
protected:
    // Runs the program with the environment given on top of the fixture's
    // stand-in home, without asking for the report.
    RUN_RESULT Launch(const QStringList& args, const QProcessEnvironment& display) const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
        for (const QString& name : display.keys())
            environment.insert(name, display.value(name));
        environment.insert(QStringLiteral("HOME"), folder_.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           folder_.filePath(QStringLiteral("config")));
        QProcess process;
        process.setProgram(QStringLiteral(VARNEL_BINARY));
        process.setArguments(args);
        process.setWorkingDirectory(folder_.path());
        process.setProcessEnvironment(environment);
        process.start();
        RUN_RESULT result;
        // A window that opened would wait for a user who never comes.
        if (!process.waitForFinished(60000)) {
            ADD_FAILURE() << "varnel did not finish: a window opened";
            process.kill();
            process.waitForFinished();
            return result;
        }
        result.exitStatus = process.exitCode();
        result.out = process.readAllStandardOutput().toStdString();
        result.err = process.readAllStandardError().toStdString();
        return result;
    }

    static QProcessEnvironment Offscreen()
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return environment;
    }
};

struct REFUSAL_CASE
{
    const char* name;
    QStringList args;
    const char* err;
};

} // namespace

TEST_F(WindowLaunch, RefusesBadOptionsAndInputsBeforeAnyWindowOpens)
{
    Write("a", "a\n");
    MakeFolder("dir");
    const std::string missing = PathOf("missing");
    const std::vector<REFUSAL_CASE> cases = {
        {"unknown option", {"--ignore-cases", "a", "a"},
         "varnel: unknown option '--ignore-cases' (see varnel --help)\n"},
        {"bad value", {"--block-size", "0", "a", "a"},
         "varnel: invalid value '0' for --block-size (a whole number of at least 1)\n"},
        {"missing path", {"--ignore-case", "a", "missing"},
         "varnel: Failed to read missing! (No such file or directory)\n"},
        {"file and folder without it", {"a", "dir"},
         "varnel: Failed to read dir/a! (No such file or directory)\n"},
    };
    for (const REFUSAL_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        const RUN_RESULT result = Launch(c.args, Offscreen());
        EXPECT_EQ(result.err, c.err);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.exitStatus, 2);
    }
}

// A DISPLAY that names no server makes Qt give up; the program says so in one
// line and prints the report, never aborting with a core dump.
TEST_F(WindowLaunch, DisplayThatDoesNotAnswerFallsBackToTheReport)
{
    Write("a", "a\nb\nc\n");
    Write("b", "a\nb\nx\n");
    // A display number no test machine runs a server on.
    const QString display = QStringLiteral(":97");
    ASSERT_NE(::access("/tmp/.X11-unix/X97", F_OK), 0) << "an X server runs on :97";
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("DISPLAY"), display);

    const RUN_RESULT result = Launch({"--ignore-case", "a", "b"}, environment);

    EXPECT_EQ(result.err, "varnel: cannot open a window on display ':97'; printing the report "
                          "instead\n");
    EXPECT_EQ(result.out,
              "  a\n  b\n- c\n- \n+ x\n+ \n2 identical, 2 removed, 2 added, 0 moved lines\n");
    EXPECT_EQ(result.exitStatus, 1);
}

TEST_F(WindowLaunch, HelpDescribesTheWindowAndTheReport)
{
    const RUN_RESULT result = Launch({"--help"}, Offscreen());

    EXPECT_EQ(result.exitStatus, 0);
    for (const char* part : {"Usage: varnel [OPTION]... [OLD NEW]\n",
                             "       varnel --report[=text|json|html] [OPTION]... OLD NEW\n",
                             "In the window", "The report (--report)", "/dev/null",
                             "- for standard input", "of the same name in the directory",
                             "--ignore-case", "--block-size N", "--color[=WHEN]", "Exit status"}) {
        EXPECT_NE(result.out.find(part), std::string::npos) << part;
    }
}
