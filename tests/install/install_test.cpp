#include "report/program_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The build installed into a temporary prefix, as "cmake --install" and the
// package install it, and what was installed run from there.

namespace {

struct RUN
{
    int exitStatus = -1;
    std::string out;
    std::string err;
};

RUN Start(const QString& program, const QStringList& args,
          const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment(),
          const QString& folder = QString())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, args);
    RUN run;
    if (!process.waitForFinished(120000)) {
        ADD_FAILURE() << program.toStdString() << " did not finish";
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitStatus = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput().toStdString();
    run.err = process.readAllStandardError().toStdString();
    return run;
}

class Installed : public ::testing::Test
{
protected:
    void SetUp() override
    {
        const RUN install = Start(QStringLiteral(VARNEL_CMAKE),
                                  {"--install", VARNEL_BUILD_DIR, "--prefix", prefix_.path()});
        ASSERT_EQ(install.exitStatus, 0) << install.out << install.err;
    }

    QString PathOf(const QString& relative) const { return prefix_.filePath(relative); }

    // The environment of a user with their own home and no display.
    QProcessEnvironment UserEnvironment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            environment.remove(QLatin1String(name));
        environment.insert(QStringLiteral("HOME"), home_.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home_.filePath("config"));
        return environment;
    }

    void Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(home_.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir prefix_;
    QTemporaryDir home_;
};

} // namespace

TEST_F(Installed, TreeHoldsEveryPartInItsPlace)
{
    const QString app = QStringLiteral(VARNEL_APP_ID);
    std::vector<QString> files = {
        VARNEL_BIN_DIR "/varnel",
        VARNEL_LIBEXEC_DIR "/varnel-window",
        VARNEL_DOC_DIR "/manual.html",
        VARNEL_DOC_DIR "/copyright",
        VARNEL_DOC_DIR "/changelog.gz",
        "share/applications/" + app + ".desktop",
        "share/metainfo/" + app + ".metainfo.xml",
        "share/icons/hicolor/scalable/apps/" + app + ".svg",
        "share/man/man1/varnel.1.gz",
        "share/bash-completion/completions/varnel",
    };
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files.push_back(QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(app));
    for (const QString& file : files) {
        SCOPED_TRACE(file.toStdString());
        EXPECT_TRUE(QFileInfo(PathOf(file)).isFile());
    }
    EXPECT_TRUE(QFileInfo(PathOf(VARNEL_BIN_DIR "/varnel")).isExecutable());
    EXPECT_TRUE(QFileInfo(PathOf(VARNEL_LIBEXEC_DIR "/varnel-window")).isExecutable());
    const QImage icon(PathOf("share/icons/hicolor/48x48/apps/" + app + ".png"));
    EXPECT_EQ(icon.size(), QSize(48, 48));
}

// Each program finds the others from its own place in the installed tree.
TEST_F(Installed, ProgramsFindEachOtherAndTheManual)
{
    const std::string bin = PathOf(VARNEL_BIN_DIR).toStdString();
    const std::string libexec = PathOf(VARNEL_LIBEXEC_DIR).toStdString();
    EXPECT_EQ(CProgramFiles::WindowProgram(bin), libexec + "/varnel-window");
    EXPECT_EQ(CProgramFiles::Launcher(libexec), bin + "/varnel");
    // F1 in the installed window opens this file.
    EXPECT_EQ(CProgramFiles::Manual(libexec), PathOf(VARNEL_DOC_DIR "/manual.html").toStdString());
}

TEST_F(Installed, DesktopFilesPassTheirValidators)
{
    const QString app = QStringLiteral(VARNEL_APP_ID);
    const RUN entry = Start(QStringLiteral("desktop-file-validate"),
                            {PathOf("share/applications/" + app + ".desktop")});
    EXPECT_EQ(entry.exitStatus, 0);
    EXPECT_EQ(entry.out + entry.err, "");

    const RUN catalogue =
        Start(QStringLiteral("appstreamcli"),
              {"validate", "--no-net", PathOf("share/metainfo/" + app + ".metainfo.xml")});
    EXPECT_EQ(catalogue.exitStatus, 0) << catalogue.out << catalogue.err;
}

TEST_F(Installed, ManPageRendersWithoutWarnings)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MANWIDTH"), QStringLiteral("80"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    environment.remove(QStringLiteral("MAN_KEEP_FORMATTING"));
    const RUN page = Start(QStringLiteral("man"),
                           {"--warnings=all", "-l", PathOf("share/man/man1/varnel.1.gz")},
                           environment);

    EXPECT_EQ(page.exitStatus, 0);
    EXPECT_EQ(page.err, "");
    for (const char* part : {"varnel - compare two files or two folders", "--ignore-case",
                             "EXIT STATUS", "WHAT SURPRISES NEW USERS", "difftool.varnel.cmd"})
        EXPECT_NE(page.out.find(part), std::string::npos) << part;
}

TEST_F(Installed, ReportRunsFromTheInstalledTree)
{
    Write("a", "a\nb\nc\n");
    Write("b", "a\nb\nx\n");

    const RUN report = Start(PathOf(VARNEL_BIN_DIR "/varnel"), {"--report", "a", "b"},
                             UserEnvironment(), home_.path());

    EXPECT_EQ(report.out,
              "  a\n  b\n- c\n- \n+ x\n+ \n2 identical, 2 removed, 2 added, 0 moved lines\n");
    EXPECT_EQ(report.err, "");
    EXPECT_EQ(report.exitStatus, 1);
}

// The installed launcher finds the installed window program, which opens its
// window offscreen and stays open until it is closed.
TEST_F(Installed, WindowOpensFromTheInstalledTree)
{
    Write("a", "a\nb\nc\n");
    Write("b", "a\nb\nx\n");
    QProcessEnvironment environment = UserEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess window;
    window.setProcessEnvironment(environment);
    window.setWorkingDirectory(home_.path());
    window.start(PathOf(VARNEL_BIN_DIR "/varnel"), {"a", "b"});
    ASSERT_TRUE(window.waitForStarted());

    // Still there after a while: the window is up and waits for its user.
    EXPECT_FALSE(window.waitForFinished(3000))
        << "the window program ended with " << window.exitCode() << ": "
        << window.readAllStandardError().toStdString();
    window.terminate();
    window.waitForFinished();
}
