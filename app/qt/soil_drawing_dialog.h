// The pile in its soil drawn in a window of its own (documents/soil_drawing.h), scaled to the
// window as it is resized, with "导出 PNG…": the drawing as a PNG image suggested in the
// Documents folder and saved through a TextFileWriter, so that a failed save leaves the earlier
// file whole and says why in Chinese.
#pragma once

#include <QDialog>
#include <QString>
#include <QWidget>
#include <filesystem>
#include <functional>

#include "app/qt/widget_sync.h"
#include "books/book_model.h"

class QLabel;
class QPushButton;

namespace pile {

// The drawing, scaled to the widget.
class SoilDrawingWidget : public QWidget {
  public:
    explicit SoilDrawingWidget(QWidget* parent);
    void setFigure(const BookSoilFigure& figure);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    BookSoilFigure m_figure;
};

class SoilDrawingDialog : public QDialog {
  public:
    // The PNG's size in pixels: 150 x 110 mm at 200 dots an inch, as the typeset book has it.
    static constexpr int kPngWidth = 1181;
    static constexpr int kPngHeight = 866;

    // Asks for the file to write: a suggested path; an empty answer cancels.
    using ChooseFile = std::function<QString(const QString& suggested)>;

    SoilDrawingDialog(Dispatch dispatch, QWidget* parent);

    void setFigure(const BookSoilFigure& figure);
    // Why the layers cannot be drawn (a text that is not a number); empty when they can.
    void setMessage(const QString& message);
    // Asks for a file and writes the PNG into it.
    void exportPng();

    QPushButton* cbt_ExportPng;
    QPushButton* cbt_Close;
    SoilDrawingWidget* drawing;
    QLabel* lb_Message;

    // Replaces the file dialog (tests).
    void setChooseFile(ChooseFile choose) { m_choose = std::move(choose); }
    // The file the latest export wrote; empty when it wrote nothing.
    const std::filesystem::path& savedPath() const { return m_savedPath; }

  private:
    Dispatch m_dispatch;
    BookSoilFigure m_figure;
    ChooseFile m_choose;
    std::filesystem::path m_savedPath;
};

}  // namespace pile
