#include "shell/window_catalog.h"

#include "analysis/u_code.h"
#include "shell/database_commands.h"
#include "shell/help_commands.h"
#include "shell/u_main.h"

void registerWindows(Tfrmmain& frmmain)
{
    frmmain.registerView(0, [](LotteryDocument& doc, QWidget* parent) { return new Tfrmcode(doc, parent); });
    installDatabaseCommands(frmmain);
    installHelpCommands(frmmain);
}
