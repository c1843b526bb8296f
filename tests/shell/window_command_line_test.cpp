#include "shell/kelm_app.h"
#include "tests/shell/main_frame_fixture.h"

#include <QInputDevice>
#include <QMessageBox>
#include <QScopeGuard>
#include <QTimer>

#include <optional>

namespace {

// F1 opens the manual in the desktop's browser, or says why it cannot and
// where the manual is.
TEST_F(MainFrameTest, HelpOpensTheManualOrSaysWhereItIs)
{
    const std::string manual = Write("doc/manual.html", "<html></html>");
    frame_->SetManualFile(QString::fromStdString(manual));

    frame_->Actions().help->trigger();
    ASSERT_EQ(seam_.opened.size(), 1u);
    EXPECT_EQ(seam_.opened[0], QUrl::fromLocalFile(QString::fromStdString(manual)));
    EXPECT_TRUE(seam_.messages.empty());

    seam_.openSucceeds = false;
    frame_->Actions().help->trigger();
    EXPECT_EQ(seam_.messages,
              std::vector<QString>{QString::fromStdString(
                  "Cannot open the manual: no web browser or desktop launcher was found.\n"
                  "The manual is at " +
                  manual)});

    seam_.messages.clear();
    seam_.opened.clear();
    const std::string missing = dir_.filePath("nowhere/manual.html").toStdString();
    frame_->SetManualFile(QString::fromStdString(missing));
    frame_->Actions().help->trigger();
    EXPECT_TRUE(seam_.opened.empty());
    EXPECT_EQ(seam_.messages, std::vector<QString>{QString::fromStdString(
                                  "The manual cannot be found; it belongs at " + missing)});
}

// Without being told, the window looks for the manual from its own program's
// place; the test program has none beside it, so it is looked for where an
// installed tree keeps it, relative to the program.
TEST_F(MainFrameTest, HelpLooksForTheManualFromTheProgramsPlace)
{
    const QString manual = frame_->ManualFile();
    EXPECT_TRUE(manual.endsWith("/share/doc/varnel/manual.html")) << manual.toStdString();
    EXPECT_FALSE(manual.contains("/../"));
}

struct KEEP_CASE
{
    const char* name;
    ComparisonSettings stored;
    ComparisonSettings started;
    ComparisonSettings now;
    ComparisonSettings kept;
};

ComparisonSettings Settings(int txtBlockSize, int txtLimit, bool ignoreCase)
{
    ComparisonSettings settings;
    settings.txtBlockSize = txtBlockSize;
    settings.txtLimit = txtLimit;
    settings.ignoreCase = ignoreCase;
    return settings;
}

ComparisonSettings Excluding(const char* exclude, bool ignoreNameCase)
{
    ComparisonSettings settings;
    settings.exclude = exclude;
    settings.ignoreNameCase = ignoreNameCase;
    return settings;
}

// The options of the command line are never written back; what the user
// changed in the window is.
TEST(WindowSettings, OnlyWhatTheUserChangedIsStored)
{
    const std::vector<KEEP_CASE> cases = {
        {"no options, no change", Settings(2, 1000, false), Settings(2, 1000, false),
         Settings(2, 1000, false), Settings(2, 1000, false)},
        {"options, no change", Settings(2, 1000, false), Settings(1, 5, true),
         Settings(1, 5, true), Settings(2, 1000, false)},
        {"option undone in the window", Settings(2, 1000, false), Settings(2, 1000, true),
         Settings(2, 1000, false), Settings(2, 1000, false)},
        {"another value changed in the window", Settings(2, 1000, false),
         Settings(2, 1000, true), Settings(3, 1000, true), Settings(3, 1000, false)},
        {"an option's value changed further", Settings(2, 1000, false), Settings(1, 1000, false),
         Settings(4, 1000, false), Settings(4, 1000, false)},
        {"a filter given for the run only", Excluding("*.o", false),
         Excluding("*.o; build/", true), Excluding("*.o; build/", true), Excluding("*.o", false)},
        {"a filter edited in the window", Excluding("*.o", false), Excluding("*.o", true),
         Excluding("*.tmp", true), Excluding("*.tmp", false)},
    };
    for (const KEEP_CASE& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CKelmApp::SettingsToStore(c.stored, c.started, c.now), c.kept);
    }
}

// The whole window, as "varnel --ignore-case --block-size 1 OLD NEW" starts
// it: the two files differ in letter case only, so the comparison with the
// case ignored finds one block and says so; closing the window leaves the
// stored settings as they were.
TEST(WindowCommandLine, OptionsApplyToTheComparisonAndAreNeverStored)
{
    // The window is shown, which makes Qt register an input device as a
    // child of the application. It must go before the program ends: Qt's own
    // globals are gone by the time a static application is destroyed. So the
    // test has an application of its own, or, when other tests of this run
    // made the shared one already, removes the devices from it at the end.
    static int argc = 1;
    static char name[] = "shell_tests";
    static char* argv[] = {name, nullptr};
    std::optional<QApplication> application;
    if (!QApplication::instance())
        application.emplace(argc, argv);
    const auto removeDevices = qScopeGuard([] {
        qDeleteAll(qApp->findChildren<QInputDevice*>(Qt::FindDirectChildrenOnly));
    });
    QTemporaryDir home;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, home.path());
    const QString settingsFile = home.filePath("Orvane/Varnel.conf");
    {
        QSettings store(settingsFile, QSettings::NativeFormat);
        store.setValue("Settings/IgnoreCase", 0);
        store.setValue("Settings/TxtBlockSize", 5);
    }
    const std::string oldPath = home.filePath("old").toStdString();
    const std::string newPath = home.filePath("new").toStdString();
    std::ofstream(oldPath) << "One\nTwo\n";
    std::ofstream(newPath) << "one\ntwo\n";

    CCommandLine options;
    ASSERT_TRUE(options.Parse({"--ignore-case", "--block-size", "1", oldPath, newPath}));
    // The window's message boxes are answered as they come up.
    std::vector<QString> seen;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&seen] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen.push_back(box->text());
            box->accept();
        }
    });
    answer.start(20);
    {
        CKelmApp program(options);
        program.Start();
    }
    answer.stop();

    EXPECT_EQ(seen, std::vector<QString>{
                        "The files are not identical,\nbut contains no relevant differences!"});
    QSettings store(settingsFile, QSettings::NativeFormat);
    EXPECT_EQ(store.value("Settings/IgnoreCase").toInt(), 0);
    EXPECT_EQ(store.value("Settings/TxtBlockSize").toInt(), 5);
    // The window wrote what it keeps, so the file was written at all.
    EXPECT_TRUE(store.contains("Window size/Rect"));
}

} // namespace
