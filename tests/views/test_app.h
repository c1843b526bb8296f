#pragma once

#include <QApplication>

// The one application object of the view tests. Every test that needs widgets
// calls this first; the object is made on the first call and lives until the
// program ends, whichever test file asks first. Without a display of its own
// choosing a test run draws offscreen.
inline QApplication& TestApp()
{
    static int argc = 1;
    static char name[] = "views_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QApplication(argc, argv);
    }();
    return *app;
}
