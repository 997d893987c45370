// SPDX-License-Identifier: GPL-3.0-or-later
// A main window in a fresh folder, on 15.06.2026, with scripted boxes and a
// file system that fails on demand.
#pragma once

#include "app/DataSource.h"
#include "app/FilterMenu.h"
#include "app/Synna.h"
#include "app/Unit1.h"
#include "store/Clock.h"
#include "store/DataFile.h"
#include "store/DataPacket.h"
#include "tests/support/EventRows.h"
#include "tests/support/FaultyFileSystem.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/TempDir.h"

#include <QAction>
#include <QApplication>

#include <gtest/gtest.h>

#include <memory>

using Call = platform::ScriptedPlatform::Call;

inline store::EventRow rowOf(const Entry& e) { return eventRow(e.name, e.day, e.month, e.year, e.type, 2026); }

class FormFixture : public ::testing::Test {
protected:
    // Writes the data file with these entries, in this order.
    void writeEntries(const std::vector<Entry>& entries) {
        std::vector<store::EventRow> rows;
        for (const Entry& e : entries) rows.push_back(rowOf(e));
        writeFile(dataFile(), store::writeDataPacket(rows));
    }

    std::string dataFile() const { return store::dataFilePath(dir.path()); }

    // Creates the window (FormCreate) with these command-line arguments.
    app::TForm1& create(QStringList arguments = {QStringLiteral("zerizedozi")},
                        std::function<std::optional<store::ClientDataSet::ReadRows>()> readAhead = nullptr) {
        form = std::make_unique<app::TForm1>(app::FormContext{QString::fromStdString(dataFile()),
                                                              QString::fromStdString(dir.path()) + "/zerizedozi",
                                                              arguments, desktop, clock, files, std::move(readAhead)});
        form->endProgram = [this](int code) { exitCode = code; };
        return *form;
    }

    // Creates the window and runs the start-up as the first activation would.
    app::TForm1& start(const std::vector<Entry>& entries = {}) {
        if (!entries.empty()) writeEntries(entries);
        create();
        form->FormActivate();
        return *form;
    }

    // The names in the grid, top to bottom.
    std::string gridNames() const { return gridColumn(app::ColNimi); }
    std::string gridColumn(int column) const {
        std::string out;
        const app::DataSource& model = *form->DataSource1;
        for (int row = 0; row < model.rowCount(); ++row)
            out += (row ? "," : "") + model.index(row, column).data().toString().toStdString();
        return out;
    }

    // Chooses the item at `position` of the column's menu, as a click would.
    void choose(int column, int position) {
        app::FilterMenu* menu = form->Frame11->columnMenus()[static_cast<size_t>(column)];
        QAction* item = menu->item(position);
        ASSERT_NE(item, nullptr) << "column " << column << " position " << position;
        item->trigger();
    }
    // Chooses the item whose caption is `value` in the column's menu.
    void chooseValue(int column, const QString& value) {
        app::FilterMenu* menu = form->Frame11->columnMenus()[static_cast<size_t>(column)];
        const int at = static_cast<int>(menu->values().indexOf(value));
        ASSERT_GE(at, 0) << value.toStdString();
        choose(column, at + 2);
    }

    const Call* lastBox() const { return desktop.last(Call::MessageBox); }

    TempDir dir;
    platform::ScriptedPlatform desktop;
    store::FixedClock clock{store::Date{2026, 6, 15}};
    FaultyFileSystem files;
    std::unique_ptr<app::TForm1> form;
    std::optional<int> exitCode;
};
