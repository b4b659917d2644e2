// Typing into the grids of the windows as the user does, and reading their cells as shown.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

#include <string>

#include "app/qt/widget_sync.h"

namespace pile::test {

// A click selects the cell, a double-click opens its editor, Return ends the edit.
inline void typeCell(QTableView* grid, int row, int column, const QString& text) {
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    const QPoint at = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    auto* editor = qobject_cast<QLineEdit*>(grid->indexWidget(index));
    ASSERT_NE(editor, nullptr) << "no editor on " << row << "," << column;
    editor->selectAll();
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Backspace);
    else
        QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // the delegate ends the edit after the key
}

// The text a cell shows.
inline std::string cellText(const QTableView* grid, int row, int column) {
    return fromQString(grid->model()->index(row, column).data().toString());
}

}  // namespace pile::test
