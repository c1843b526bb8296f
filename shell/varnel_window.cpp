#include "document/settings_store.h"
#include "report/command_line.h"
#include "report/exit_status.h"
#include "report/standard_streams.h"
#include "shell/display_fallback.h"
#include "shell/kelm_app.h"
#include "views/license_view.h"

#include <QApplication>

#include <optional>
#include <string>
#include <vector>

// The windowed program, started by "varnel" when there is a display and no
// report was asked for. It returns only when its window closes, as git
// difftool expects.
int main(int argc, char* argv[])
{
    CStandardStreams::EnsureOpen();
    // The command line is the launcher's, which has checked it already; it is
    // read before Qt sees it, as bytes, so paths reach the comparison
    // unchanged. Qt is given the program's name alone: the options are ours.
    const std::vector<std::string> args(argv + 1, argv + argc);
    CCommandLine options;
    if (!options.Parse(args))
        return CExitStatus::Fail(options.Error());
    int qtArgc = 1;
    char* qtArgv[] = {argv[0], nullptr};
    std::optional<CDisplayFallback> fallback(std::in_place, args);
    QApplication app(qtArgc, qtArgv);
    fallback.reset();
    QCoreApplication::setOrganizationName(QLatin1String(CSettingsStore::kCompany));
    QCoreApplication::setApplicationName(QLatin1String(CSettingsStore::kApplication));
    QApplication::setWindowIcon(CLicenseView::ProgramIcon(64));
    // Lets the desktop match the window with its desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(VARNEL_APP_ID));
    CKelmApp program(std::move(options));
    return program.Run();
}
