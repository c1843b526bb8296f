#include "document/settings_store.h"
#include "shell/kelm_app.h"
#include "views/license_view.h"

#include <QApplication>

#include <string>
#include <vector>

// The windowed program, started by "varnel" when there is a display and no
// report was asked for. It returns only when its window closes, as git
// difftool expects.
int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QCoreApplication::setOrganizationName(QLatin1String(CSettingsStore::kCompany));
    QCoreApplication::setApplicationName(QLatin1String(CSettingsStore::kApplication));
    QApplication::setWindowIcon(CLicenseView::ProgramIcon(64));
    // Qt has taken its own options out of argv; what is left are the paths,
    // as bytes, unchanged.
    const std::vector<std::string> paths(argv + 1, argv + argc);
    CKelmApp program;
    return program.Run(paths);
}
