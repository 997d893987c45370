// SPDX-License-Identifier: GPL-3.0-or-later
// Printing the list: the current view, in its order and under its filters,
// composed into the hidden document and printed once per copy.
#include "app/DBGrid.h"
#include "app/DataSource.h"
#include "app/ErrorReporting.h"
#include "app/Synna.h"
#include "app/Texts.h"
#include "app/Unit1.h"
#include "platform/Platform.h"
#include "print/PrintDialogCaptions.h"
#include "print/PrintDialogChoices.h"
#include "print/ReportText.h"
#include "store/Clock.h"

#include <QPrintDialog>
#include <QPrinter>

#include <stdexcept>

namespace app {

using namespace platform;

void TForm1::Frame11btn4Click() {
    if (warnedListEmpty()) return;
    if (!printer_->isValid()) throw std::runtime_error(print::noPrinterMessage().toStdString());
    QPrintDialog PrintDialog1(printer_.get(), this);
    print::installEstonianCaptions(&PrintDialog1);
    print::keepIgnoredChoicesDisabled(&PrintDialog1);
    if (platform_.execDialog(PrintDialog1) != QDialog::Accepted) return;
    const int copies = printer_->copyCount();

    std::vector<print::ReportRecord> records;
    {
        Frame11->DBGrid1->setVisible(false);
        DataSource::Freeze freeze(*DataSource1);
        const int remembered = ClientDataSet1.recNo();
        ClientDataSet1.first();
        const int count = ClientDataSet1.recordCount();
        records.reserve(static_cast<size_t>(count));
        for (int i = 1; i <= count; ++i) {
            const store::EventRow& row = ClientDataSet1.current();
            records.push_back({row.kuup, ClientDataSet1.fieldText(store::Aasta), row.nimi,
                               ClientDataSet1.fieldText(store::Vanus), row.tyyp});
            if (i < count) ClientDataSet1.next();
        }
        ClientDataSet1.setRecNo(remembered);
    }
    Frame11->DBGrid1->setVisible(true);
    RichEdit1.clear();
    RichEdit1.setLines(print::composeReport(records, FilterValues, clock_.today()));

    if (!print::printCopies(RichEdit1, *printer_, texts::programName(), copies, printJob))
        throw std::runtime_error("Printer is not currently printing");
}

}  // namespace app
