// TForm1: download, erase and the logging buttons of the log page.
#include "app/main_window.h"

void TForm1::ConnectLoggerHandlers() {}
