#pragma once

#include <QApplication>

#include <gtest/gtest.h>

// Owns the one application object of the dialog tests and deletes it once all
// tests have run. Deleted at the program's exit it would outlive Qt globals it
// still uses; never deleted, it would leak what it loaded (the leak checker
// reports the font configuration).
class TestAppEnvironment : public ::testing::Environment
{
public:
    static QApplication*& App()
    {
        static QApplication* app = nullptr;
        return app;
    }
    void TearDown() override
    {
        delete App();
        App() = nullptr;
    }
};

inline ::testing::Environment* const kTestAppEnvironment =
    ::testing::AddGlobalTestEnvironment(new TestAppEnvironment);

// The application object. Every test that needs widgets calls this first; the
// object is made on the first call, whichever test file asks first. Without a
// display of its own choosing a test run draws offscreen.
inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "dialogs_tests";
    static char* argv[] = {name, nullptr};
    QApplication*& app = TestAppEnvironment::App();
    if (!app) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app = new QApplication(argc, argv);
    }
    return *app;
}
