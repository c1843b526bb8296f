#pragma once

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <functional>
#include <pty.h>
#include <string>
#include <termios.h>
#include <unistd.h>
#include <vector>

// What waits to be read from a terminal whose writer has ended.
inline std::string ReadWaiting(int fd)
{
    ::fcntl(fd, F_SETFL, O_NONBLOCK);
    std::string text;
    char chunk[4096];
    for (;;) {
        const ssize_t got = ::read(fd, chunk, sizeof chunk);
        if (got <= 0)
            break;
        text.append(chunk, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return text;
}

// What one run of the program gave back.
struct RUN_RESULT
{
    int exitStatus = -1;
    std::string out;
    std::string err;
};

// Runs the built program in a temporary folder that holds the compared files
// and stands in for the user's home and configuration folders, so the user's
// own settings are never read or written.
class CReportFixture : public ::testing::Test
{
protected:
    std::string PathOf(const std::string& name) const
    {
        return folder_.filePath(QString::fromStdString(name)).toStdString();
    }

    void Write(const std::string& name, const std::string& bytes) const
    {
        QFile file(QString::fromStdString(PathOf(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    }

    void MakeFolder(const std::string& name) const
    {
        ASSERT_TRUE(QDir(folder_.path()).mkpath(QString::fromStdString(name)));
    }

    // The settings file the program reads, in the stand-in configuration folder.
    QString SettingsFile() const
    {
        return folder_.filePath(QStringLiteral("config/Orvane/Varnel.conf"));
    }

    void WriteSettings(const std::string& text) const
    {
        MakeFolder("config/Orvane");
        Write("config/Orvane/Varnel.conf", text);
    }

    // childSetup, if given, runs in the child process before the program
    // starts (to give up privileges, for one).
    RUN_RESULT Run(const std::vector<std::string>& args,
                   const std::function<void()>& childSetup = {}) const
    {
        QStringList arguments;
        // With a display, "varnel OLD NEW" opens the window; these runs are
        // about the report, so they ask for it whenever the test did not.
        const bool reportAsked = std::any_of(args.begin(), args.end(), [](const std::string& a) {
            return a.rfind("--report", 0) == 0 || a == "--help" || a == "--version";
        });
        if (!reportAsked)
            arguments << QStringLiteral("--report");
        for (const std::string& arg : args)
            arguments << QString::fromStdString(arg);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), folder_.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"),
                           folder_.filePath(QStringLiteral("config")));
        environment.remove(QStringLiteral("NO_COLOR"));

        QProcess process;
        process.setProgram(QStringLiteral(VARNEL_BINARY));
        process.setArguments(arguments);
        process.setWorkingDirectory(folder_.path());
        process.setProcessEnvironment(environment);
        if (childSetup)
            process.setChildProcessModifier(childSetup);
        if (!standardOutputFile_.isEmpty())
            process.setStandardOutputFile(standardOutputFile_);
        process.start();
        RUN_RESULT result;
        if (!process.waitForFinished(120000)) {
            ADD_FAILURE() << "varnel did not finish";
            process.kill();
            process.waitForFinished();
            return result;
        }
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        result.exitStatus = process.exitCode();
        result.out = process.readAllStandardOutput().toStdString();
        result.err = process.readAllStandardError().toStdString();
        return result;
    }

    // Runs the program with its standard output and standard error each on
    // a terminal of its own: pseudo-terminals in raw mode, so that what the
    // program writes arrives as it was written.
    RUN_RESULT RunOnTerminal(const std::vector<std::string>& args) const
    {
        termios raw = {};
        ::cfmakeraw(&raw);
        int outMaster = -1;
        int outSlave = -1;
        int errMaster = -1;
        int errSlave = -1;
        if (::openpty(&outMaster, &outSlave, nullptr, &raw, nullptr) != 0 ||
            ::openpty(&errMaster, &errSlave, nullptr, &raw, nullptr) != 0) {
            ADD_FAILURE() << "cannot open a pseudo-terminal";
            return {};
        }
        RUN_RESULT result = Run(args, [outSlave, errSlave] {
            if (::dup2(outSlave, STDOUT_FILENO) < 0 || ::dup2(errSlave, STDERR_FILENO) < 0)
                ::_exit(98);
        });
        ::close(outSlave);
        ::close(errSlave);
        result.out = ReadWaiting(outMaster);
        result.err = ReadWaiting(errMaster);
        return result;
    }

    QTemporaryDir folder_;
    // Where the program's standard output goes instead of to the test.
    QString standardOutputFile_;
};
