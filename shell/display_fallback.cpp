#include "shell/display_fallback.h"

#include "report/exit_status.h"
#include "report/program_files.h"

#include <QString>
#include <QtGlobal>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

// One message Qt gave while the application was being made.
struct HELD_MESSAGE
{
    QtMsgType type;
    std::string category;
    QString text;
};

// The message handler is a plain function, so what it needs lives here; only
// one fallback is armed at a time, on the main thread, before Qt runs any
// thread of its own.
std::vector<std::string> gArgs;
std::vector<HELD_MESSAGE> gHeld;
QtMessageHandler gPrevious = nullptr;

[[noreturn]] void FallBackToReport()
{
    std::fprintf(stderr, "varnel: %s\n", CDisplayFallback::Notice().c_str());
    const std::string launcher = CProgramFiles::Launcher(CProgramFiles::OwnFolder());
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(launcher.c_str()));
    static char report[] = "--report";
    argv.push_back(report);
    for (std::string& arg : gArgs)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    ::execv(launcher.c_str(), argv.data());
    std::fprintf(stderr, "varnel: cannot start %s: %s\n", launcher.c_str(), std::strerror(errno));
    std::_Exit(CExitStatus::Trouble);
}

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtFatalMsg)
        FallBackToReport();
    gHeld.push_back({type, context.category ? context.category : "", text});
}

} // namespace

CDisplayFallback::CDisplayFallback(std::vector<std::string> args)
{
    gArgs = std::move(args);
    gHeld.clear();
    gPrevious = qInstallMessageHandler(HoldMessage);
}

CDisplayFallback::~CDisplayFallback()
{
    qInstallMessageHandler(gPrevious);
    for (const HELD_MESSAGE& message : gHeld) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.c_str());
        if (gPrevious)
            gPrevious(message.type, context, message.text);
        else
            qt_message_output(message.type, context, message.text);
    }
    gHeld.clear();
    gArgs.clear();
}

std::string CDisplayFallback::Notice()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return std::string("cannot open a window on display '") + value +
                   "'; printing the report instead";
    }
    return "cannot open a window; printing the report instead";
}
