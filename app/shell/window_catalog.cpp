#include "shell/window_catalog.h"

#include "analysis/u_code.h"
#include "shell/u_main.h"

void registerWindows(Tfrmmain& frmmain)
{
    frmmain.registerView(0, [](LotteryDocument& doc, QWidget* parent) { return new Tfrmcode(doc, parent); });
}
