#pragma once

class Tfrmmain;

/// Makes every window of the program known to the main window: the analysis views of the tab strip,
/// the tool windows and the commands with handlers of their own. A new window is one line here.
void registerWindows(Tfrmmain& frmmain);
