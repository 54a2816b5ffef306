#include "shell/window_catalog.h"

#include "analysis/u_code.h"
#include "shell/u_main.h"
#include "data/u_download2.h"
#include "shell/lottery_document.h"

void registerWindows(Tfrmmain& frmmain)
{
    frmmain.registerView(0, [](LotteryDocument& doc, QWidget* parent) { return new Tfrmcode(doc, parent); });
    // The download writes to the draw table, so the open lottery is closed first.
    frmmain.installHandler("mnudownload", [&frmmain] {
        frmmain.closeLottery();
        Tfrmdownload2 frmdownload2(frmmain.document().state().apppath, &frmmain);
        frmdownload2.exec();
    });
}
