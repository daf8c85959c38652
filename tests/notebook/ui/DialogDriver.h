#pragma once
// Drives the modal dialogs from inside their own event loops, by control names.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <functional>

namespace test {

// Runs `drive` on the modal dialog that shows next; `drive` ends it.
inline void WhenShown(std::function<void(QWidget*)> drive) {
    QTimer::singleShot(0, [drive] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            ADD_FAILURE() << "no dialog showed";
            return;
        }
        drive(dialog);
    });
}

template <typename T>
T* Child(QWidget* parent, const char* name) {
    T* child = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

inline void Click(QWidget* dialog, const char* button) {
    Child<QAbstractButton>(dialog, button)->click();
}

inline QPoint CellCentre(QTableWidget* grid, int row, int column) {
    return grid->visualRect(grid->model()->index(row, column)).center();
}

inline void ClickCell(QTableWidget* grid, int row, int column) {
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, CellCentre(grid, row, column));
}

// A view takes a double click on the cell the first click pressed: both clicks are sent.
inline void DoubleClickCell(QTableWidget* grid, int row, int column) {
    const QPoint at = CellCentre(grid, row, column);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
}

}  // namespace test
