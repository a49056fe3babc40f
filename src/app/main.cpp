// Drovik: the window, with its settings file beside the executable or, when
// that folder cannot be written, in the user's configuration folder.
#include "app/main_window.h"
#include "app/qt_user_dialogs.h"
#include "app/settings_file.h"

#include <QApplication>

#include <exception>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QtUserDialogs dialogs;
    const std::string settingsPath = UsableSettingsFilePath(QCoreApplication::applicationFilePath().toStdString());
    try {
        TForm1 window(dialogs, settingsPath);
        dialogs.setOwner(&window);
        window.show();
        // An image named on the command line opens in the log page, as the open button would.
        if (argc > 1) {
            window.Frame11SpeedButton3Click();
            window.Exclusively([&] { window.DecodeLogFile(argv[1]); });
        }
        return app.exec();
    } catch (const std::exception& error) {
        dialogs.errorReport(error.what());
        return 1;
    }
}
