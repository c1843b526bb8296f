#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>

namespace {

// Without a display "varnel OLD NEW" cannot open its window: it says so in
// one line and prints the report instead, with the report's exit status.
TEST(NoDisplay, PrintsTheReportAfterANotice)
{
    QTemporaryDir dir;
    std::ofstream(dir.filePath("a").toStdString()) << "a\nb\nc\n";
    std::ofstream(dir.filePath("b").toStdString()) << "a\nb\nx\n";
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(QLatin1String(name));
    environment.insert("XDG_CONFIG_HOME", dir.filePath("config"));
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(VARNEL_BINARY), {dir.filePath("a"), dir.filePath("b")});
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitCode(), 1);
    EXPECT_EQ(process.readAllStandardError().toStdString(),
              "varnel: no display available; printing the report instead\n");
    EXPECT_EQ(process.readAllStandardOutput().toStdString(),
              "  a\n  b\n- c\n- \n+ x\n+ \n2 identical, 2 removed, 2 added, 0 moved lines\n");
}

} // namespace
