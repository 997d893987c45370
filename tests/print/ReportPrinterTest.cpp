// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/ReportPrinter.h"
#include "tests/support/QtPrinters.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTextBlock>

#include <gtest/gtest.h>

namespace {

using print::ReportDocument;
using print::ReportLine;

std::vector<ReportLine> reportOf(int recordCount) {
    std::vector<print::ReportRecord> records;
    for (int n = 1; n <= recordCount; ++n) {
        records.push_back({store::Date{1950, 1 + n % 12, 1 + n % 28}, "1950", "Õie Ääremaa " + std::to_string(n), "76",
                           n % 2 ? "S" : "N"});
    }
    return print::composeReport(records, {}, store::Date{2026, 12, 6});
}

int sheetsFor(int recordCount) { return (recordCount + 46) / 47; }

// Page objects in a PDF as Qt writes it: uncompressed "/Type /Page" dictionaries.
int pdfPageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return -1;
    const QString content = QString::fromLatin1(file.readAll());
    return static_cast<int>(content.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

struct PdfWord {
    QString text;
    double left, top, bottom;
};
struct PdfPage {
    double height;
    QList<PdfWord> words;
};

// The words of each page with their boxes in points, read with pdftotext.
QList<PdfPage> pdfWords(const QString& path) {
    QProcess process;
    process.start(QStringLiteral(ZERIZEDOZI_PDFTOTEXT), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    process.waitForFinished();
    static const QRegularExpression pageTag(QStringLiteral("<page width=\"[\\d.]+\" height=\"([\\d.]+)\""));
    static const QRegularExpression wordTag(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfPage> pages;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (const auto page = pageTag.match(line); page.hasMatch()) {
            pages.append(PdfPage{page.captured(1).toDouble(), {}});
        } else if (const auto word = wordTag.match(line); word.hasMatch() && !pages.isEmpty()) {
            pages.last().words.append(PdfWord{word.captured(4), word.captured(1).toDouble(),
                                              word.captured(2).toDouble(), word.captured(3).toDouble()});
        }
    }
    return pages;
}

const PdfWord* findWord(const PdfPage& page, const QString& text) {
    for (const PdfWord& word : page.words) {
        if (word.text == text) return &word;
    }
    return nullptr;
}

// The number after the footer's "Lk".
const PdfWord* footerPageNumber(const PdfPage& page) {
    for (qsizetype i = 0; i + 1 < page.words.size(); ++i) {
        if (page.words[i].text == QStringLiteral("Lk")) return &page.words[i + 1];
    }
    return nullptr;
}

void usePdf(QPrinter& printer, const QString& path) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
}

qreal printableHeight(QPrinter& printer) { return printer.pageRect(QPrinter::DevicePixel).height(); }

qreal inkHeight(const QFont& font, QPaintDevice& device) {
    qreal most = 0;
    for (const auto& [bold, italic] : {std::pair{false, false}, {true, false}, {false, true}}) {
        QFont face = font;
        face.setBold(bold);
        face.setItalic(italic);
        const QFontMetricsF metrics(face, &device);
        most = std::max(most, metrics.ascent() + metrics.descent());
    }
    return most;
}

}  // namespace

TEST(ReportPrinter, DocumentHasOneStyledBlockPerLine) {
    const auto lines = reportOf(1);
    ReportDocument report;
    report.setLines(lines);

    EXPECT_EQ(report.lineCount(), static_cast<int>(lines.size()));
    int i = 0;
    for (QTextBlock block = report.document().begin(); block.isValid(); block = block.next(), ++i) {
        EXPECT_EQ(block.text(), QString::fromStdString(lines[i].text));
        const QFont font = block.charFormat().font();
        EXPECT_EQ(font.bold(), lines[i].style == print::LineStyle::Bold);
        EXPECT_EQ(font.italic(), lines[i].style == print::LineStyle::Italic);
    }
}

TEST(ReportPrinter, SettingLinesReplacesTheText) {
    ReportDocument report;
    report.setLines(reportOf(48));
    report.setLines({{"\t\tüks"}, {"kaks", print::LineStyle::Bold}});
    EXPECT_EQ(report.lineCount(), 2);
    EXPECT_EQ(report.document().toPlainText(), QStringLiteral("\t\tüks\nkaks"));

    report.clear();
    EXPECT_EQ(report.lineCount(), 1);
    EXPECT_TRUE(report.document().isEmpty());
}

TEST(ReportPrinter, DocumentIsTwelvePointFixedPitchWithoutWrapping) {
    ReportDocument report;
    const QFont font = report.document().defaultFont();
    EXPECT_EQ(font.pointSize(), 12);
    EXPECT_TRUE(QFontInfo(font).fixedPitch());
    EXPECT_EQ(report.document().defaultTextOption().wrapMode(), QTextOption::NoWrap);
    EXPECT_GT(report.document().defaultTextOption().tabStopDistance(), 0);
}

TEST(ReportPrinter, TallPageKeepsTheNaturalLineSpacing) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A3));
    const print::SheetLayout sheet = print::sheetLayout(printer, printableHeight(printer));

    EXPECT_DOUBLE_EQ(sheet.font.pointSizeF(), 12.0);
    EXPECT_DOUBLE_EQ(sheet.lineHeight, QFontMetricsF(ReportDocument::reportFont(), &printer).lineSpacing());
    EXPECT_DOUBLE_EQ(sheet.tabStop, printer.logicalDpiX() / 2.0);
}

TEST(ReportPrinter, SmallerPagesSqueezeLinesAndShrinkTheFontJustEnough) {
    for (const auto& [name, pageSize] :
         {std::pair{"A4", QPageSize::A4}, std::pair{"Letter", QPageSize::Letter}, std::pair{"A6", QPageSize::A6}}) {
        SCOPED_TRACE(name);
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(pageSize));
        const qreal height = printableHeight(printer);
        const print::SheetLayout sheet = print::sheetLayout(printer, height);

        EXPECT_DOUBLE_EQ(sheet.lineHeight, height / print::reportLinesPerPage());
        EXPECT_LE(inkHeight(sheet.font, printer), sheet.lineHeight);
        QFont larger = sheet.font;
        larger.setPointSizeF(sheet.font.pointSizeF() * 1.02);
        EXPECT_GT(inkHeight(larger, printer), sheet.lineHeight) << "font shrunk more than needed";
    }
}

TEST(ReportPrinter, PrintsOneSheetPerReportPage) {
    for (int records : {1, 47, 48, 94, 100}) {
        SCOPED_TRACE(std::to_string(records) + " records");
        QTemporaryDir dir;
        ReportDocument report;
        report.setLines(reportOf(records));
        QPrinter printer;
        usePdf(printer, dir.filePath("report.pdf"));

        EXPECT_TRUE(print::printReport(report, printer, QStringLiteral("Zerizedozi")));
        EXPECT_EQ(pdfPageCount(dir.filePath("report.pdf")), sheetsFor(records));
        EXPECT_EQ(printer.docName(), QStringLiteral("Zerizedozi"));
    }
}

TEST(ReportPrinter, SheetsHaveHeadingOnTopAndFooterAtTheBottom) {
    QTemporaryDir dir;
    ReportDocument report;
    report.setLines(reportOf(100));
    QPrinter printer;
    usePdf(printer, dir.filePath("report.pdf"));
    EXPECT_TRUE(print::printReport(report, printer, QStringLiteral("Zerizedozi")));

    const QList<PdfPage> pages = pdfWords(dir.filePath("report.pdf"));
    ASSERT_EQ(pages.size(), 3);
    for (int i = 0; i < pages.size(); ++i) {
        const PdfPage& page = pages.at(i);
        const PdfWord* title = findWord(page, QStringLiteral("Zerizedozi"));
        const PdfWord* pageNumber = footerPageNumber(page);
        ASSERT_TRUE(title && pageNumber);
        EXPECT_EQ(pageNumber->text, QString::number(i + 1));
        EXPECT_LT(title->top, 0.15 * page.height);
        EXPECT_GT(pageNumber->bottom, 0.85 * page.height);
        EXPECT_LT(pageNumber->bottom, page.height);
        for (const PdfWord& word : page.words) {
            EXPECT_TRUE(word.top >= title->top && word.bottom <= pageNumber->bottom) << qPrintable(word.text);
        }
        const PdfWord* dateHeader = findWord(page, QStringLiteral("Kuupäev"));
        ASSERT_TRUE(dateHeader);
        int recordDates = 0;
        for (const PdfWord& word : page.words) {
            if (!word.text.endsWith(QStringLiteral(".1950"))) continue;
            EXPECT_DOUBLE_EQ(word.left, dateHeader->left);
            ++recordDates;
        }
        EXPECT_EQ(recordDates, i < 2 ? 47 : 6);
    }
}

TEST(ReportPrinter, PlacementDoesNotDependOnPrinterResolution) {
    QTemporaryDir dir;
    ReportDocument report;
    report.setLines(reportOf(1));
    QList<PdfPage> printed;
    for (QPrinter::PrinterMode mode : {QPrinter::ScreenResolution, QPrinter::HighResolution}) {
        QPrinter printer(mode);
        usePdf(printer, dir.filePath(QStringLiteral("report%1.pdf").arg(mode)));
        EXPECT_TRUE(print::printReport(report, printer, QStringLiteral("Zerizedozi")));
        const QList<PdfPage> pages = pdfWords(printer.outputFileName());
        ASSERT_EQ(pages.size(), 1);
        printed.append(pages.first());
    }
    // Glyph advances are rounded at screen resolution, so only the tab
    // position of a line start and the line positions are compared.
    const PdfWord* screenTitle = findWord(printed[0], QStringLiteral("Zerizedozi"));
    const PdfWord* highTitle = findWord(printed[1], QStringLiteral("Zerizedozi"));
    const PdfWord* screenFooter = findWord(printed[0], QStringLiteral("Lk"));
    const PdfWord* highFooter = findWord(printed[1], QStringLiteral("Lk"));
    ASSERT_TRUE(screenTitle && highTitle && screenFooter && highFooter);
    EXPECT_NEAR(screenTitle->left, highTitle->left, 1.5);
    EXPECT_NEAR(screenTitle->top, highTitle->top, 1.5);
    EXPECT_NEAR(screenFooter->top, highFooter->top, 1.5);
}

TEST(ReportPrinter, PrintReportFailsWhenThePrinterCannotStart) {
    ReportDocument report;
    report.setLines(reportOf(1));
    QPrinter printer;
    usePdf(printer, QStringLiteral("/nonexistent-folder/report.pdf"));
    EXPECT_FALSE(print::printReport(report, printer, QStringLiteral("Zerizedozi")));
}

TEST(ReportPrinter, PrintCopiesSubmitsOneSingleCopyJobPerCopy) {
    ReportDocument report;
    QPrinter printer;
    printer.setCopyCount(3);
    QList<int> copyCountsSeen;
    const print::PrintJob job = [&](const ReportDocument&, QPrinter& p, const QString& title) {
        copyCountsSeen.append(p.copyCount());
        return title == QStringLiteral("Zerizedozi");
    };

    EXPECT_TRUE(print::printCopies(report, printer, QStringLiteral("Zerizedozi"), 2, job));
    EXPECT_EQ(copyCountsSeen, QList<int>({1, 1}));

    copyCountsSeen.clear();
    EXPECT_TRUE(print::printCopies(report, printer, QStringLiteral("Zerizedozi"), 0, job));
    EXPECT_TRUE(copyCountsSeen.isEmpty());
}

TEST(ReportPrinter, PrintCopiesStopsAtTheFirstFailedJob) {
    ReportDocument report;
    QPrinter printer;
    int jobs = 0;
    const print::PrintJob failing = [&](const ReportDocument&, QPrinter&, const QString&) {
        ++jobs;
        return false;
    };
    EXPECT_FALSE(print::printCopies(report, printer, QStringLiteral("Zerizedozi"), 3, failing));
    EXPECT_EQ(jobs, 1);
}

TEST(ReportPrinter, EachCopyIsAWholePrintedReport) {
    QTemporaryDir dir;
    ReportDocument report;
    report.setLines(reportOf(100));
    QPrinter printer;
    usePdf(printer, dir.filePath("unused.pdf"));
    int jobs = 0;
    const print::PrintJob toNextFile = [&](const ReportDocument& r, QPrinter& p, const QString& title) {
        p.setOutputFileName(dir.filePath(QStringLiteral("copy%1.pdf").arg(++jobs)));
        return print::printReport(r, p, title);
    };

    EXPECT_TRUE(print::printCopies(report, printer, QStringLiteral("Zerizedozi"), 2, toNextFile));
    EXPECT_EQ(jobs, 2);
    EXPECT_EQ(pdfPageCount(dir.filePath("copy1.pdf")), 3);
    EXPECT_EQ(pdfPageCount(dir.filePath("copy2.pdf")), 3);
}
