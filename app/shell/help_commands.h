#pragma once

#include <QString>

class QUrl;
class Tfrmmain;

/// The help menu (manual, the project's pages, the about box), the web menu and the toolbar's
/// 软件演示: everything that opens something outside the analysis.
void installHelpCommands(Tfrmmain& frmmain);

/// The manual "帮助/index.html" below the program directory `apppath`, at the section `anchor`
/// (the whole manual when empty).
QUrl helpPage(const QString& apppath, const QString& anchor = {});
