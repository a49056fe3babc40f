// Drovik: the window, with its settings file beside the executable or, when
// that folder cannot be written, in the user's configuration folder.
#include "app/main_window.h"
#include "app/qt_user_dialogs.h"
#include "app/settings_file.h"
#include "core/version.h"

#include <QApplication>

#include <cstring>
#include <exception>
#include <iostream>

namespace {
const char* const kUsage = "Usage: Drovik [IMAGE.bin]\n"
                           "\n"
                           "The window of the GPS data logger utility. A memory image named on the\n"
                           "command line opens in the log page.\n"
                           "\n"
                           "  --help       this text\n"
                           "  --version    the program's version\n";
} // namespace

int main(int argc, char** argv)
{
    // Answered before the window exists, so they need no display.
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << kUsage;
        return 0;
    }
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::cout << "Drovik " << VersionText() << '\n';
        return 0;
    }
    QApplication app(argc, argv);
    QtUserDialogs dialogs;
    const std::string settingsPath = UsableSettingsFilePath(QCoreApplication::applicationFilePath().toStdString());
    try {
        TForm1 window(dialogs, settingsPath);
        dialogs.setOwner(&window);
        window.show();
        if (argc > 1)
            window.openAtStart(argv[1]);
        return app.exec();
    } catch (const std::exception& error) {
        dialogs.errorReport(error.what());
        return 1;
    }
}
