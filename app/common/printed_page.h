#pragma once

#include <QDate>
#include <QLine>
#include <QPoint>
#include <QString>

#include <vector>

class QFont;
class QPagedPaintDevice;
class QPaintDevice;
class QPainter;

/// One page of a printout laid out in device units: texts placed by their top-left corner in the
/// title or the body font, and ruled lines. Laying a page out apart from painting it lets a test
/// read what a printout holds and where, and lets any device (printer, PDF, image) paint it.
struct PrintedPage {
    enum class Font { Title, Body };
    struct Text {
        QPoint at;
        QString text;
        Font font = Font::Body;
    };

    std::vector<Text> texts;
    std::vector<QLine> rules;

    void addText(int x, int y, const QString& text, Font font = Font::Body) { texts.push_back({{x, y}, text, font}); }
    void addRule(int x1, int y1, int x2, int y2) { rules.emplace_back(x1, y1, x2, y2); }
};

/// The fonts of the printouts: titles in "录书" 18 points bold italic, everything else in "宋体"
/// 10 points. Points follow the resolution of the device painted on.
QFont printFont(PrintedPage::Font font);
/// The width of `text` in `font` on `device`, for centring a title.
int printTextWidth(const QString& text, PrintedPage::Font font, QPaintDevice& device);
/// A date as the printouts show it: year-month-day, no leading zeros ("2026-3-7").
QString printDate(const QDate& date = QDate::currentDate());
/// The footer of every printout: "共" + pages + "页\第" + page + "页".
QString printFooter(int pages, int page);

/// Paints one page on the painter's device.
void paintPage(QPainter& painter, const PrintedPage& page);
/// Prints pages `from`..`to` (1-based; 0 for the first or the last) on `device`, one sheet each;
/// false when the device cannot be painted on (no printer, a file that cannot be written).
bool printPages(QPagedPaintDevice& device, const std::vector<PrintedPage>& pages, int from = 0, int to = 0);
