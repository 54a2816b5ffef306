#pragma once

#include <QString>

class QPrinter;
class QWidget;

/// The print dialog of the program. Where no printer is installed the pages go to a PDF file the
/// user names in a save dialog. In test mode no print dialog is shown and printing always goes to a
/// PDF file, named through FileDialog's scripted answer.
class PrintDialog {
public:
    /// Sets `printer` up for a job of `pages` pages; `pdfName` is the file name proposed for a PDF.
    /// False when the user cancelled.
    static bool exec(QWidget* parent, QPrinter& printer, int pages, const QString& pdfName);

    static void setTestMode(bool on);
};
