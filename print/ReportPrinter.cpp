// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ReportPrinter.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>
#include <cmath>

namespace print {
namespace {

constexpr qreal kTabStopInches = 0.5;
constexpr qreal kSmallestPointSize = 1.0;

QTextCharFormat charFormatOf(LineStyle style) {
    QTextCharFormat format;
    if (style == LineStyle::Bold) format.setFontWeight(QFont::Bold);
    if (style == LineStyle::Italic) format.setFontItalic(true);
    return format;
}

QFont fontOf(const QTextBlock& block, QFont font) {
    const QTextCharFormat format = block.charFormat();
    font.setBold(format.fontWeight() >= QFont::Bold);
    font.setItalic(format.fontItalic());
    return font;
}

QFont styled(QFont font, bool bold, bool italic) {
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

struct VerticalMetrics {
    qreal ascent = 0;
    qreal descent = 0;
};

// The tallest of the report's regular, bold and italic faces of `font`.
VerticalMetrics verticalMetrics(const QFont& font, const QPaintDevice& device) {
    VerticalMetrics most;
    for (const QFont& face : {styled(font, false, false), styled(font, true, false), styled(font, false, true)}) {
        const QFontMetricsF metrics(face, &device);
        most.ascent = std::max(most.ascent, metrics.ascent());
        most.descent = std::max(most.descent, metrics.descent());
    }
    return most;
}

// Draws one line with its baseline at `baseline`. Tabs are expanded here, in
// device units: QTextLayout would scale a tab stop from screen to device DPI.
void drawLine(QPainter& painter, const QString& text, qreal baseline, qreal tabStop) {
    const QFontMetricsF metrics(painter.font(), painter.device());
    qreal x = 0;
    const QStringList pieces = text.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0) x = (std::floor(x / tabStop) + 1) * tabStop;
        painter.drawText(QPointF(x, baseline), pieces[i]);
        x += metrics.horizontalAdvance(pieces[i]);
    }
}

qreal screenDpi() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

}  // namespace

ReportDocument::ReportDocument() {
    document_.setUndoRedoEnabled(false);
    document_.setDefaultFont(reportFont());
    QTextOption option = document_.defaultTextOption();
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(kTabStopInches * screenDpi());
    document_.setDefaultTextOption(option);
}

void ReportDocument::clear() { document_.clear(); }

void ReportDocument::setLines(const std::vector<ReportLine>& lines) {
    clear();
    QTextCursor cursor(&document_);
    cursor.beginEditBlock();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) cursor.insertBlock();
        const QTextCharFormat format = charFormatOf(lines[i].style);
        cursor.setBlockCharFormat(format);
        cursor.insertText(QString::fromStdString(lines[i].text), format);
    }
    cursor.endEditBlock();
}

QFont ReportDocument::reportFont() {
    QFont font(QStringLiteral("Courier New"), 12);
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

SheetLayout sheetLayout(QPaintDevice& device, qreal printableHeight) {
    QFont font = ReportDocument::reportFont();
    const qreal lineHeight =
        std::min(QFontMetricsF(font, &device).lineSpacing(), printableHeight / reportLinesPerPage());
    VerticalMetrics metrics = verticalMetrics(font, device);
    // Glyph metrics do not scale exactly with the point size (hinting), so
    // shrink in proportion and repeat until the line fits.
    while (metrics.ascent + metrics.descent > lineHeight && font.pointSizeF() > kSmallestPointSize) {
        const qreal scale = lineHeight / (metrics.ascent + metrics.descent);
        font.setPointSizeF(std::max(kSmallestPointSize, font.pointSizeF() * std::min(scale, 0.999)));
        metrics = verticalMetrics(font, device);
    }
    return {font, lineHeight, metrics.ascent, kTabStopInches * device.logicalDpiX()};
}

bool printReport(const ReportDocument& report, QPrinter& printer, const QString& jobTitle) {
    printer.setDocName(jobTitle);
    QPainter painter;
    if (!painter.begin(&printer)) return false;

    const SheetLayout sheet = sheetLayout(printer, printer.pageRect(QPrinter::DevicePixel).height());
    int row = 0;
    for (QTextBlock block = report.document().begin(); block.isValid(); block = block.next(), ++row) {
        if (row == reportLinesPerPage()) {
            printer.newPage();
            row = 0;
        }
        if (block.text().isEmpty()) continue;
        painter.setFont(fontOf(block, sheet.font));
        drawLine(painter, block.text(), row * sheet.lineHeight + sheet.ascent, sheet.tabStop);
    }
    return painter.end();
}

bool printCopies(const ReportDocument& report, QPrinter& printer, const QString& jobTitle, int copies,
                 const PrintJob& job) {
    printer.setCopyCount(1);
    for (int i = 0; i < copies; ++i) {
        if (!job(report, printer, jobTitle)) return false;
    }
    return true;
}

}  // namespace print
