// Whether every text a window shows is shown whole: measured with the font metrics of the
// widget that shows it against the room the widget gives it. Labels, buttons, check boxes,
// group titles, fields and lists, and the headers and cells of tables; a table that cannot show
// all its rows or columns must be able to scroll to them.
#pragma once

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTableView>

#include <string>
#include <vector>

#include "app/qt/grid_view.h"

namespace pile::test {

namespace detail {

inline bool insideItemView(const QWidget* widget) {
    for (const QWidget* w = widget->parentWidget(); w; w = w->parentWidget())
        if (qobject_cast<const QAbstractItemView*>(w)) return true;
    return false;
}

inline std::string describe(const QWidget* widget, const QString& text, int needed, int room) {
    QString name = widget->objectName();
    if (name.isEmpty()) name = QString::fromLatin1(widget->metaObject()->className());
    return (name + QStringLiteral(" \"") + text + QStringLiteral("\" needs ") +
            QString::number(needed) + QStringLiteral(", has ") + QString::number(room))
        .toStdString();
}

inline void checkTable(const QTableView* view, std::vector<std::string>& cut) {
    const QHeaderView* header = view->horizontalHeader();
    const QStyle* style = view->style();
    const int headerMargin = 2 * style->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const auto* grid = dynamic_cast<const GridView*>(view);
    const bool tight = grid && grid->gridDelegate()->tightCells();
    const int barColumn = grid ? grid->gridDelegate()->barColumn() : -1;
    const int cellMargin =
        tight ? 4 : 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
    const QAbstractItemModel* model = view->model();
    const QFontMetrics headerMetrics(header->font());
    const bool wraps = header->defaultAlignment() & Qt::TextWordWrap;
    int columnsWidth = 0;
    for (int c = 0; c < model->columnCount(); ++c) {
        if (view->isColumnHidden(c)) continue;
        const int width = view->columnWidth(c);
        columnsWidth += width;
        const QString title = model->headerData(c, Qt::Horizontal).toString();
        if (header->isVisible() && !title.isEmpty()) {
            if (wraps) {
                const QRect needed =
                    headerMetrics.boundingRect(QRect(0, 0, width - headerMargin, 100000),
                                               int(Qt::AlignCenter) | int(Qt::TextWordWrap), title);
                if (needed.height() > header->height() || needed.width() > width - headerMargin)
                    cut.push_back(describe(view, title, needed.height(), header->height()));
            } else {
                const int needed = headerMetrics.horizontalAdvance(title) + headerMargin;
                if (needed > width) cut.push_back(describe(view, title, needed, width));
                if (headerMetrics.height() > header->height())
                    cut.push_back(describe(view, title, headerMetrics.height(), header->height()));
            }
        }
        if (c == barColumn) continue;
        for (int r = 0; r < std::min(model->rowCount(), 400); ++r) {
            if (view->isRowHidden(r)) continue;
            const QModelIndex index = model->index(r, c);
            const QString text = index.data().toString();
            if (text.isEmpty()) continue;
            const QVariant font = index.data(Qt::FontRole);
            const QFontMetrics metrics(font.isValid() ? font.value<QFont>().resolve(view->font())
                                                      : view->font());
            const int needed = metrics.horizontalAdvance(text) + cellMargin;
            // The last column stretches to the viewport.
            const int room =
                c == model->columnCount() - 1
                    ? std::max(width, view->viewport()->width() - view->columnViewportPosition(c))
                    : width;
            if (needed > room) cut.push_back(describe(view, text, needed, room));
            if (metrics.height() > view->rowHeight(r))
                cut.push_back(describe(view, text, metrics.height(), view->rowHeight(r)));
        }
    }
    // What does not fit must be reachable by scrolling.
    int rowsHeight = 0;
    for (int r = 0; r < model->rowCount(); ++r) rowsHeight += view->rowHeight(r);
    if (rowsHeight > view->viewport()->height() && view->verticalScrollBar()->maximum() <= 0)
        cut.push_back(
            describe(view, QStringLiteral("rows"), rowsHeight, view->viewport()->height()));
    if (columnsWidth > view->viewport()->width() + 1 && view->horizontalScrollBar()->maximum() <= 0)
        cut.push_back(
            describe(view, QStringLiteral("columns"), columnsWidth, view->viewport()->width()));
}

}  // namespace detail

// The texts of the shown widgets of `window` that are not shown whole, each described as the
// widget, its text, and what it needs against what it has.
inline std::vector<std::string> cutTexts(const QWidget* window) {
    std::vector<std::string> cut;
    for (const QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisible() || w->isWindow() || detail::insideItemView(w)) continue;
        const QFontMetrics metrics(w->font());
        if (const auto* view = qobject_cast<const QTableView*>(w)) {
            detail::checkTable(view, cut);
        } else if (const auto* label = qobject_cast<const QLabel*>(w)) {
            if (label->text().isEmpty() || !label->pixmap().isNull()) continue;
            if (label->wordWrap()) {
                const int needed = label->heightForWidth(label->width());
                if (needed > label->height())
                    cut.push_back(detail::describe(label, label->text(), needed, label->height()));
            } else {
                const QSize needed = label->sizeHint();
                if (needed.width() > label->width())
                    cut.push_back(
                        detail::describe(label, label->text(), needed.width(), label->width()));
                if (metrics.height() > label->height())
                    cut.push_back(
                        detail::describe(label, label->text(), metrics.height(), label->height()));
            }
        } else if (const auto* box = qobject_cast<const QCheckBox*>(w)) {
            if (box->sizeHint().width() > box->width() && !box->text().isEmpty())
                cut.push_back(
                    detail::describe(box, box->text(), box->sizeHint().width(), box->width()));
        } else if (const auto* radio = qobject_cast<const QRadioButton*>(w)) {
            if (radio->sizeHint().width() > radio->width())
                cut.push_back(detail::describe(radio, radio->text(), radio->sizeHint().width(),
                                               radio->width()));
        } else if (const auto* button = qobject_cast<const QPushButton*>(w)) {
            // The rounded buttons have a 1-pixel border and no padding.
            const int needed = metrics.horizontalAdvance(button->text()) + 4;
            if (!button->text().isEmpty() && needed > button->width())
                cut.push_back(detail::describe(button, button->text(), needed, button->width()));
            if (!button->text().isEmpty() && metrics.height() > button->height())
                cut.push_back(
                    detail::describe(button, button->text(), metrics.height(), button->height()));
        } else if (const auto* group = qobject_cast<const QGroupBox*>(w)) {
            const int needed = metrics.horizontalAdvance(group->title()) + 8;
            if (!group->title().isEmpty() && needed > group->width())
                cut.push_back(detail::describe(group, group->title(), needed, group->width()));
        } else if (const auto* combo = qobject_cast<const QComboBox*>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            option.frame = combo->hasFrame();
            const QRect field = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                               QStyle::SC_ComboBoxEditField, combo);
            const int needed = metrics.horizontalAdvance(combo->currentText()) + 4;
            if (needed > field.width())
                cut.push_back(detail::describe(combo, combo->currentText(), needed, field.width()));
            if (metrics.height() > field.height())
                cut.push_back(detail::describe(combo, combo->currentText(), metrics.height(),
                                               field.height()));
        } else if (const auto* edit = qobject_cast<const QLineEdit*>(w)) {
            if (qobject_cast<const QComboBox*>(edit->parentWidget())) continue;
            const int frame =
                edit->hasFrame() ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) : 0;
            const int room = edit->width() - 2 * frame - 4;
            const int needed = metrics.horizontalAdvance(edit->text());
            if (needed > room) cut.push_back(detail::describe(edit, edit->text(), needed, room));
            if (metrics.height() > edit->height() - 2 * frame)
                cut.push_back(detail::describe(edit, edit->text(), metrics.height(),
                                               edit->height() - 2 * frame));
        }
    }
    return cut;
}

}  // namespace pile::test
