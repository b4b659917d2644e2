// One-way synchronisation of widgets from the model's controls.
//
// A WidgetSync holds one entry per (widget, control) pair. sync() brings every widget whose
// control has a new revision up to date, with the widget's signals blocked, so a sync never
// runs a handler. Text colours are mapped to the palette here and nowhere else.
#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "app/model/controls.h"

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;
class QSlider;
class QTableView;

namespace pile {

class GridTableModel;

// How a view hands a user event to its window: the window runs the model's handler, shows an
// error it does not handle, and then brings every widget up to date.
using Dispatch = std::function<void(const std::function<void()>&)>;

QColor colourOf(TextColour colour);
QString toQString(const std::string& text);
std::string fromQString(const QString& text);

class WidgetSync {
  public:
    // Visible, enabled and hint of any control.
    void bind(QWidget* widget, const Control& control);
    // Bind a label after its font is set: that font is its design, which the sync keeps.
    void bind(QLabel* label, const Label& control);
    void bind(QAbstractButton* button, const Label& control);
    void bind(QGroupBox* group, const Label& control);
    void bind(QLineEdit* edit, const Edit& control);
    void bind(QComboBox* box, const ComboBox& control);
    void bind(QCheckBox* box, const CheckBox& control);
    void bind(QRadioButton* button, const RadioButton& control);
    void bind(QComboBox* box, const PopupList& control);
    void bind(QSlider* slider, const TrackBar& control);
    void bind(QPlainTextEdit* memo, const Memo& control);
    // A grid through a GridTableModel (grid_view.h): the view gets one over the control unless
    // it shows one already. The rows and cells are refreshed when the content changed; column
    // visibility, the header (hidden while every header text is empty) and whether the grid
    // takes edits now follow the control at every change.
    void bind(QTableView* view, const Grid& control);
    // Visible, enabled and hint, then `apply` for the rest of the control's state.
    void bind(QWidget* widget, const Control& control, std::function<void()> apply);
    // Runs when the sync is cleared: a view that reads the model stops reading it.
    void onClear(std::function<void()> detach) { m_onClear.push_back(std::move(detach)); }

    // Brings every widget with a changed control up to date.
    void sync();
    // Forgets every entry (the model is going away); the grid views stop reading their grids.
    void clear();

  private:
    struct Entry {
        QPointer<QWidget> widget;
        const Control* control;
        std::uint64_t shown;
        std::function<void(QWidget*)> apply;
    };
    void add(QWidget* widget, const Control& control, std::function<void(QWidget*)> apply);

    std::vector<Entry> m_entries;
    std::vector<QPointer<GridTableModel>> m_gridModels;
    std::vector<std::function<void()>> m_onClear;
};

}  // namespace pile
