// SPDX-License-Identifier: GPL-3.0-or-later
// The report on paper. ReportDocument is the hidden rich text the report is
// composed into; printReport() puts it on a printer, one report page of
// reportLinesPerPage() lines per sheet, heading on top and footer at the
// bottom of the printable area. Needs a QGuiApplication.
#pragma once

#include "print/ReportText.h"

#include <QFont>
#include <QString>
#include <QTextDocument>

#include <functional>
#include <vector>

class QPaintDevice;
class QPrinter;

namespace print {

// One block per report line, in "Courier New" 12 pt (or the system's
// metric-compatible fixed-pitch font), no word wrap, a tab stop every
// half inch of the screen. Bold and italic lines carry that char format.
class ReportDocument {
public:
    ReportDocument();
    ReportDocument(const ReportDocument&) = delete;
    ReportDocument& operator=(const ReportDocument&) = delete;

    // After: no text, lineCount() == 1 (the empty first block).
    void clear();
    // Replaces the text. After: lineCount() == lines.size() (1 when empty).
    void setLines(const std::vector<ReportLine>& lines);

    int lineCount() const { return document_.blockCount(); }
    const QTextDocument& document() const { return document_; }

    static QFont reportFont();

private:
    QTextDocument document_;
};

// How report lines sit on a sheet, in units of the device printed on.
struct SheetLayout {
    QFont font;        // reportFont(), shrunk only when a line would not fit
    qreal lineHeight;  // min(natural line spacing, printableHeight / lines per page)
    qreal ascent;      // tallest of font's faces: line j has its baseline at j·lineHeight + ascent
    qreal tabStop;     // half an inch
};

// REQUIRES: printableHeight > 0, in `device` units.
// After: lines per page · lineHeight <= printableHeight, and the ascent plus
// descent of `font` (regular, bold and italic) is at most lineHeight unless
// that would take the font below 1 pt.
SheetLayout sheetLayout(QPaintDevice& device, qreal printableHeight);

// One print job named `jobTitle`: sheet k gets lines [65k, 65k + 65) of the
// document, top-left at the printable area's top-left, no margins of our own.
// False when the printer could not start the job (nothing printed then).
bool printReport(const ReportDocument& report, QPrinter& printer, const QString& jobTitle);

using PrintJob = std::function<bool(const ReportDocument&, QPrinter&, const QString&)>;

// `copies` separate jobs of one copy each; the printer's own copy count is
// set to 1. Stops at the first job that fails and returns false then.
bool printCopies(const ReportDocument& report, QPrinter& printer, const QString& jobTitle, int copies,
                 const PrintJob& job = printReport);

}  // namespace print
