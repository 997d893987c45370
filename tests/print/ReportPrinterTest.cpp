#include "print/ReportPrinter.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QtTest>

#include <optional>

namespace {

using print::ReportDocument;
using print::ReportLine;

std::vector<ReportLine> reportOf(int recordCount) {
    std::vector<print::ReportRecord> records;
    for (int n = 1; n <= recordCount; ++n) {
        records.push_back({store::Date{1950, 1 + n % 12, 1 + n % 28}, "1950", "Õie Ääremaa " + std::to_string(n),
                           "76", n % 2 ? "S" : "N"});
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

// The words of each page with their boxes in points, read with pdftotext;
// nullopt when pdftotext is not installed.
std::optional<QList<PdfPage>> pdfWords(const QString& path) {
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty()) return std::nullopt;
    QProcess process;
    process.start(tool, {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    process.waitForFinished();
    static const QRegularExpression pageTag(QStringLiteral("<page width=\"[\\d.]+\" height=\"([\\d.]+)\""));
    static const QRegularExpression wordTag(QStringLiteral(
        "<word xMin=\"([\\d.]+)\" yMin=\"([\\d.]+)\" xMax=\"[\\d.]+\" yMax=\"([\\d.]+)\">([^<]*)</word>"));
    QList<PdfPage> pages;
    for (const QString& line : QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\n'))) {
        if (const auto page = pageTag.match(line); page.hasMatch()) {
            pages.append(PdfPage{page.captured(1).toDouble(), {}});
        } else if (const auto word = wordTag.match(line); word.hasMatch() && !pages.isEmpty()) {
            pages.last().words.append(PdfWord{word.captured(4), word.captured(1).toDouble(), word.captured(2).toDouble(),
                                       word.captured(3).toDouble()});
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

class ReportPrinterTest : public QObject {
    Q_OBJECT

private slots:
    void documentHasOneStyledBlockPerLine() {
        const auto lines = reportOf(1);
        ReportDocument report;
        report.setLines(lines);

        QCOMPARE(report.lineCount(), static_cast<int>(lines.size()));
        int i = 0;
        for (QTextBlock block = report.document().begin(); block.isValid(); block = block.next(), ++i) {
            QCOMPARE(block.text(), QString::fromStdString(lines[i].text));
            const QFont font = block.charFormat().font();
            QCOMPARE(font.bold(), lines[i].style == print::LineStyle::Bold);
            QCOMPARE(font.italic(), lines[i].style == print::LineStyle::Italic);
        }
    }

    void settingLinesReplacesTheText() {
        ReportDocument report;
        report.setLines(reportOf(48));
        report.setLines({{"\t\tüks"}, {"kaks", print::LineStyle::Bold}});
        QCOMPARE(report.lineCount(), 2);
        QCOMPARE(report.document().toPlainText(), QStringLiteral("\t\tüks\nkaks"));

        report.clear();
        QCOMPARE(report.lineCount(), 1);
        QVERIFY(report.document().isEmpty());
    }

    void documentIsTwelvePointFixedPitchWithoutWrapping() {
        ReportDocument report;
        const QFont font = report.document().defaultFont();
        QCOMPARE(font.pointSize(), 12);
        QVERIFY(QFontInfo(font).fixedPitch());
        QCOMPARE(report.document().defaultTextOption().wrapMode(), QTextOption::NoWrap);
        QVERIFY(report.document().defaultTextOption().tabStopDistance() > 0);
    }

    void tallPageKeepsTheNaturalLineSpacing() {
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(QPageSize::A3));
        const print::SheetLayout sheet = print::sheetLayout(printer, printableHeight(printer));

        QCOMPARE(sheet.font.pointSizeF(), 12.0);
        QCOMPARE(sheet.lineHeight, QFontMetricsF(ReportDocument::reportFont(), &printer).lineSpacing());
        QCOMPARE(sheet.tabStop, printer.logicalDpiX() / 2.0);
    }

    void smallerPagesSqueezeLinesAndShrinkTheFontJustEnough_data() {
        QTest::addColumn<QPageSize::PageSizeId>("pageSize");
        QTest::newRow("A4") << QPageSize::A4;
        QTest::newRow("Letter") << QPageSize::Letter;
        QTest::newRow("A6") << QPageSize::A6;
    }
    void smallerPagesSqueezeLinesAndShrinkTheFontJustEnough() {
        QFETCH(QPageSize::PageSizeId, pageSize);
        QPrinter printer(QPrinter::HighResolution);
        printer.setPageSize(QPageSize(pageSize));
        const qreal height = printableHeight(printer);
        const print::SheetLayout sheet = print::sheetLayout(printer, height);

        QCOMPARE(sheet.lineHeight, height / print::reportLinesPerPage());
        QVERIFY(inkHeight(sheet.font, printer) <= sheet.lineHeight);
        QFont larger = sheet.font;
        larger.setPointSizeF(sheet.font.pointSizeF() * 1.02);
        QVERIFY2(inkHeight(larger, printer) > sheet.lineHeight, "font shrunk more than needed");
    }

    void printsOneSheetPerReportPage_data() {
        QTest::addColumn<int>("records");
        for (int records : {1, 47, 48, 94, 100}) QTest::addRow("%d records", records) << records;
    }
    void printsOneSheetPerReportPage() {
        QFETCH(int, records);
        QTemporaryDir dir;
        ReportDocument report;
        report.setLines(reportOf(records));
        QPrinter printer;
        usePdf(printer, dir.filePath("report.pdf"));

        QVERIFY(print::printReport(report, printer, QStringLiteral("Zerizedozi")));
        QCOMPARE(pdfPageCount(dir.filePath("report.pdf")), sheetsFor(records));
        QCOMPARE(printer.docName(), QStringLiteral("Zerizedozi"));
    }

    void sheetsHaveHeadingOnTopAndFooterAtTheBottom() {
        QTemporaryDir dir;
        ReportDocument report;
        report.setLines(reportOf(100));
        QPrinter printer;
        usePdf(printer, dir.filePath("report.pdf"));
        QVERIFY(print::printReport(report, printer, QStringLiteral("Zerizedozi")));

        const auto pages = pdfWords(dir.filePath("report.pdf"));
        if (!pages) QSKIP("pdftotext is not installed");
        QCOMPARE(pages->size(), 3);
        for (int i = 0; i < pages->size(); ++i) {
            const PdfPage& page = pages->at(i);
            const PdfWord* title = findWord(page, QStringLiteral("Zerizedozi"));
            const PdfWord* pageNumber = footerPageNumber(page);
            QVERIFY(title && pageNumber);
            QCOMPARE(pageNumber->text, QString::number(i + 1));
            QVERIFY(title->top < 0.15 * page.height);
            QVERIFY(pageNumber->bottom > 0.85 * page.height && pageNumber->bottom < page.height);
            for (const PdfWord& word : page.words) {
                QVERIFY2(word.top >= title->top && word.bottom <= pageNumber->bottom, qPrintable(word.text));
            }
            const PdfWord* dateHeader = findWord(page, QStringLiteral("Kuupäev"));
            QVERIFY(dateHeader);
            int recordDates = 0;
            for (const PdfWord& word : page.words) {
                if (!word.text.endsWith(QStringLiteral(".1950"))) continue;
                QCOMPARE(word.left, dateHeader->left);
                ++recordDates;
            }
            QCOMPARE(recordDates, i < 2 ? 47 : 6);
        }
    }

    void placementDoesNotDependOnPrinterResolution() {
        QTemporaryDir dir;
        ReportDocument report;
        report.setLines(reportOf(1));
        QList<PdfPage> printed;
        for (QPrinter::PrinterMode mode : {QPrinter::ScreenResolution, QPrinter::HighResolution}) {
            QPrinter printer(mode);
            usePdf(printer, dir.filePath(QStringLiteral("report%1.pdf").arg(mode)));
            QVERIFY(print::printReport(report, printer, QStringLiteral("Zerizedozi")));
            const auto pages = pdfWords(printer.outputFileName());
            if (!pages) QSKIP("pdftotext is not installed");
            QCOMPARE(pages->size(), 1);
            printed.append(pages->first());
        }
        // Glyph advances are rounded at screen resolution, so only the tab
        // position of a line start and the line positions are compared.
        const PdfWord* screenTitle = findWord(printed[0], QStringLiteral("Zerizedozi"));
        const PdfWord* highTitle = findWord(printed[1], QStringLiteral("Zerizedozi"));
        const PdfWord* screenFooter = findWord(printed[0], QStringLiteral("Lk"));
        const PdfWord* highFooter = findWord(printed[1], QStringLiteral("Lk"));
        QVERIFY(screenTitle && highTitle && screenFooter && highFooter);
        QVERIFY(qAbs(screenTitle->left - highTitle->left) < 1.5);
        QVERIFY(qAbs(screenTitle->top - highTitle->top) < 1.5);
        QVERIFY(qAbs(screenFooter->top - highFooter->top) < 1.5);
    }

    void printReportFailsWhenThePrinterCannotStart() {
        ReportDocument report;
        report.setLines(reportOf(1));
        QPrinter printer;
        usePdf(printer, QStringLiteral("/nonexistent-folder/report.pdf"));
        QTest::ignoreMessage(QtWarningMsg, "QPainter::begin(): Returned false");
        QVERIFY(!print::printReport(report, printer, QStringLiteral("Zerizedozi")));
    }

    void printCopiesSubmitsOneSingleCopyJobPerCopy() {
        ReportDocument report;
        QPrinter printer;
        printer.setCopyCount(3);
        QList<int> copyCountsSeen;
        const print::PrintJob job = [&](const ReportDocument&, QPrinter& p, const QString& title) {
            copyCountsSeen.append(p.copyCount());
            return title == QStringLiteral("Zerizedozi");
        };

        QVERIFY(print::printCopies(report, printer, QStringLiteral("Zerizedozi"), 2, job));
        QCOMPARE(copyCountsSeen, QList<int>({1, 1}));

        copyCountsSeen.clear();
        QVERIFY(print::printCopies(report, printer, QStringLiteral("Zerizedozi"), 0, job));
        QVERIFY(copyCountsSeen.isEmpty());
    }

    void printCopiesStopsAtTheFirstFailedJob() {
        ReportDocument report;
        QPrinter printer;
        int jobs = 0;
        const print::PrintJob failing = [&](const ReportDocument&, QPrinter&, const QString&) {
            ++jobs;
            return false;
        };
        QVERIFY(!print::printCopies(report, printer, QStringLiteral("Zerizedozi"), 3, failing));
        QCOMPARE(jobs, 1);
    }

    void eachCopyIsAWholePrintedReport() {
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

        QVERIFY(print::printCopies(report, printer, QStringLiteral("Zerizedozi"), 2, toNextFile));
        QCOMPARE(jobs, 2);
        QCOMPARE(pdfPageCount(dir.filePath("copy1.pdf")), 3);
        QCOMPARE(pdfPageCount(dir.filePath("copy2.pdf")), 3);
    }
};

QTEST_MAIN(ReportPrinterTest)
#include "ReportPrinterTest.moc"
