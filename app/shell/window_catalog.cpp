#include "shell/window_catalog.h"

#include "analysis/u_code.h"
#include "filter/u_totalfilt.h"
#include "shell/tool_window_registry.h"
#include "shell/u_main.h"

void registerWindows(Tfrmmain& frmmain)
{
    frmmain.registerView(0, [](LotteryDocument& doc, QWidget* parent) { return new Tfrmcode(doc, parent); });
    frmmain.tools().registerFactory(
        "Tfrmtotalfilt", [&frmmain](QWidget* parent) { return new Tfrmtotalfilt(frmmain.document(), parent); });
}
