// One-way synchronisation of widgets from the model's controls.
#include "app/qt/widget_sync.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QStringList>
#include <QTableView>

#include <limits>

#include "app/qt/grid_view.h"
#include "app/qt/theme.h"

namespace pile {

namespace {

QStringList toQStringList(const std::vector<std::string>& items) {
    QStringList list;
    list.reserve(qsizetype(items.size()));
    for (const auto& item : items) list << toQString(item);
    return list;
}

QStringList itemsOf(const QComboBox* box) {
    QStringList list;
    for (int i = 0; i < box->count(); ++i) list << box->itemText(i);
    return list;
}

void applyTextColour(QWidget* widget, TextColour colour) {
    QPalette palette = widget->palette();
    const QColor c = colourOf(colour);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        palette.setColor(QPalette::Active, role, c);
        palette.setColor(QPalette::Inactive, role, c);
    }
    widget->setPalette(palette);
}

void applyCommon(QWidget* widget, const Control& control) {
    widget->setVisible(control.visible());
    widget->setEnabled(control.enabled());
    widget->setToolTip(toQString(control.hint()));
    applyTextColour(widget, control.textColour());
}

void setItems(QComboBox* box, const std::vector<std::string>& items) {
    const QStringList list = toQStringList(items);
    if (itemsOf(box) == list) return;
    box->clear();
    box->addItems(list);
}

}  // namespace

QColor colourOf(TextColour colour) {
    switch (colour) {
        case TextColour::Black:
            return QColor(0x00, 0x00, 0x00);
        case TextColour::Red:
            return QColor(0xFF, 0x00, 0x00);
        case TextColour::OrangeRed:
            return QColor(0xFF, 0x45, 0x00);
        case TextColour::Green:
            return QColor(0x00, 0x80, 0x00);
        case TextColour::Blue:
            return QColor(0x00, 0x00, 0xFF);
    }
    return QColor(0x00, 0x00, 0x00);
}

QString toQString(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

namespace {

QString labelText(const std::string& text) {
    // The model breaks a label's lines with carriage returns; Qt breaks them at line feeds.
    QString shown = toQString(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    shown.replace(u'\r', u'\n');
    return shown;
}

}  // namespace

std::string fromQString(const QString& text) { return text.toStdString(); }

void WidgetSync::add(QWidget* widget, const Control& control, std::function<void(QWidget*)> apply) {
    m_entries.push_back(
        {widget, &control, std::numeric_limits<std::uint64_t>::max(), std::move(apply)});
}

void WidgetSync::clear() {
    m_entries.clear();
    for (const QPointer<GridTableModel>& model : m_gridModels)
        if (model) model->detach();
    m_gridModels.clear();
    for (const auto& detach : m_onClear) detach();
    m_onClear.clear();
}

void WidgetSync::bind(QWidget* widget, const Control& control, std::function<void()> apply) {
    add(widget, control, [&control, apply = std::move(apply)](QWidget* w) {
        applyCommon(w, control);
        apply();
    });
}

void WidgetSync::sync() {
    for (Entry& e : m_entries) {
        if (!e.widget || e.control->revision() == e.shown) continue;
        const QSignalBlocker blocker(e.widget.data());
        e.apply(e.widget.data());
        e.shown = e.control->revision();
    }
}

void WidgetSync::bind(QWidget* widget, const Control& control) {
    add(widget, control, [&control](QWidget* w) { applyCommon(w, control); });
}

void WidgetSync::bind(QLabel* label, const Label& control) {
    // The model's bold and underline come on top of the label's own font: a title designed
    // bold stays bold, and a link loses only what its highlight added.
    // The rest of the font is the label's own as it is now, scaled with its window or not.
    const bool designBold = label->font().bold();
    const bool designUnderline = label->font().underline();
    add(label, control, [&control, designBold, designUnderline](QWidget* w) {
        auto* l = static_cast<QLabel*>(w);
        applyCommon(l, control);
        l->setText(labelText(control.text()));
        QFont font = l->font();
        font.setBold(designBold || control.bold());
        font.setUnderline(designUnderline || control.underline());
        if (font != l->font()) l->setFont(font);
        fitTextToPlace(l);
    });
}

void WidgetSync::bind(QAbstractButton* button, const Label& control) {
    add(button, control, [&control](QWidget* w) {
        auto* b = static_cast<QAbstractButton*>(w);
        applyCommon(b, control);
        b->setText(toQString(control.text()));
        fitTextToPlace(b);
    });
}

void WidgetSync::bind(QGroupBox* group, const Label& control) {
    add(group, control, [&control](QWidget* w) {
        auto* g = static_cast<QGroupBox*>(w);
        applyCommon(g, control);
        g->setTitle(toQString(control.text()));
        fitTextToPlace(g);
    });
}

void WidgetSync::bind(QLineEdit* edit, const Edit& control) {
    add(edit, control, [&control](QWidget* w) {
        auto* e = static_cast<QLineEdit*>(w);
        applyCommon(e, control);
        e->setReadOnly(control.readOnly());
        // A result field is out of the Tab chain; a click still selects its text for copying.
        e->setFocusPolicy(control.readOnly() ? Qt::ClickFocus : Qt::StrongFocus);
        const QString text = toQString(control.text());
        if (e->text() != text) e->setText(text);  // keeps the cursor while the user types
    });
}

void WidgetSync::bind(QComboBox* box, const ComboBox& control) {
    add(box, control, [&control](QWidget* w) {
        auto* b = static_cast<QComboBox*>(w);
        applyCommon(b, control);
        setItems(b, control.items());
        if (control.editable()) {
            const QString text = toQString(control.text());
            if (b->currentText() != text) b->setEditText(text);
            if (b->lineEdit()) applyTextColour(b->lineEdit(), control.textColour());
        } else {
            b->setCurrentIndex(control.index());
        }
    });
}

void WidgetSync::bind(QCheckBox* box, const CheckBox& control) {
    add(box, control, [&control](QWidget* w) {
        auto* b = static_cast<QCheckBox*>(w);
        applyCommon(b, control);
        b->setText(toQString(control.text()));
        fitTextToPlace(b);
        b->setChecked(control.checked());
    });
}

void WidgetSync::bind(QRadioButton* button, const RadioButton& control) {
    add(button, control, [&control](QWidget* w) {
        auto* b = static_cast<QRadioButton*>(w);
        applyCommon(b, control);
        b->setText(toQString(control.text()));
        fitTextToPlace(b);
        b->setChecked(control.checked());
    });
}

void WidgetSync::bind(QComboBox* box, const PopupList& control) {
    add(box, control, [&control](QWidget* w) {
        auto* b = static_cast<QComboBox*>(w);
        applyCommon(b, control);
        setItems(b, control.items());
        b->setCurrentIndex(control.index());
    });
}

void WidgetSync::bind(QSlider* slider, const TrackBar& control) {
    add(slider, control, [&control](QWidget* w) {
        auto* s = static_cast<QSlider*>(w);
        applyCommon(s, control);
        s->setRange(control.minimum(), control.maximum());
        s->setValue(control.value());
    });
}

void WidgetSync::bind(QPlainTextEdit* memo, const Memo& control) {
    // Font size and lines change separately; the text is rebuilt only for new lines.
    add(memo, control, [&control, shownContent = ~std::uint64_t(0)](QWidget* w) mutable {
        auto* m = static_cast<QPlainTextEdit*>(w);
        applyCommon(m, control);
        QFont font = m->font();
        const int pixelSize = scaledLength(m, control.fontSize());
        if (font.pixelSize() != pixelSize) {
            font.setPixelSize(pixelSize);
            m->setFont(font);
        }
        if (shownContent != control.contentRevision()) {
            shownContent = control.contentRevision();
            QString text;
            const auto& lines = control.lines();
            for (size_t i = 0; i < lines.size(); ++i) {
                if (i) text += u'\n';
                text += toQString(lines[i]);
            }
            m->setPlainText(text);  // also scrolls back to the beginning
        }
    });
}

void WidgetSync::bind(QTableView* view, const Grid& control) {
    auto* model = dynamic_cast<GridTableModel*>(view->model());
    if (!model || model->grid() != &control) {
        model = new GridTableModel(control, view);
        view->setModel(model);
    }
    m_gridModels.emplace_back(model);
    // Cells are re-read only when the content changed; selecting a cell or expanding the
    // result columns changes the rest.
    add(view, control, [&control, model, shownContent = ~std::uint64_t(0)](QWidget* w) mutable {
        auto* v = static_cast<QTableView*>(w);
        applyCommon(v, control);
        bool refit = false;
        if (shownContent != control.contentRevision()) {
            shownContent = control.contentRevision();
            model->refresh();
            refit = true;
        }
        bool anyHeader = false;
        for (int c = 0; c < control.columnCount(); ++c) {
            refit = refit || v->isColumnHidden(c) == control.columnVisible(c);
            v->setColumnHidden(c, !control.columnVisible(c));
            anyHeader = anyHeader || !control.headers()[static_cast<size_t>(c)].empty();
        }
        refit = refit || v->horizontalHeader()->isHidden() == anyHeader;
        v->horizontalHeader()->setVisible(anyHeader);
        // No SelectedClicked: it waits out the double-click interval, and what is typed
        // meanwhile goes astray; a GridView opens the editor on the click itself.
        v->setEditTriggers(control.editable() ? QAbstractItemView::DoubleClicked |
                                                    QAbstractItemView::EditKeyPressed |
                                                    QAbstractItemView::AnyKeyPressed
                                              : QAbstractItemView::NoEditTriggers);
        // Widths for what is shown now: the cells and the columns (folded or expanded).
        if (refit) {
            if (auto* grid = dynamic_cast<GridView*>(v))
                grid->fitColumns();
            else
                v->resizeColumnsToContents();
        }
    });
}

}  // namespace pile
