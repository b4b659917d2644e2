// The typeset books from the book screen: 导出 PDF…, 导出 Word 文档… and 打印… (with a print
// preview), offered by the menu of the small "文档" button left of 返回, by the book
// views' context menus and by Ctrl+P. They typeset the book the screen shows: the detailed books,
// or on its second page the summary table. The files are suggested in the Documents folder
// under a name that says which book and piles ("计算书_ZH1-ZH12.pdf", "汇总表_ZH1-ZH12.pdf")
// and saved with every guarantee of the text
// saves (TextFileWriter): the earlier file stays whole when a save fails, and the failure is
// shown in the error box with its cause in Chinese.
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <functional>

#include "app/qt/input_screen_view.h"

class QAction;
class QMenu;
class QWidget;

namespace pile {

class CalculatorWindow;

class BookDocumentActions : public QObject {
  public:
    // Asks for the file to write: a suggested path and a filter; an empty answer cancels.
    using ChooseFile = std::function<QString(const QString& suggested, const QString& filter)>;

    BookDocumentActions(CalculatorWindow& window, Dispatch dispatch, QWidget* parent);

    QMenu* menu() const { return m_menu; }
    QAction* exportPdf() const { return m_pdf; }
    QAction* exportOdt() const { return m_odt; }
    QAction* print() const { return m_print; }

    // Replaces the file dialog (tests).
    void setChooseFile(ChooseFile choose) { m_choose = std::move(choose); }
    // The file the latest export wrote; empty when it wrote nothing.
    const std::filesystem::path& savedPath() const { return m_savedPath; }

  private:
    void save(const char* extension, const QString& filter);
    void printBooks();

    CalculatorWindow& m_window;
    Dispatch m_dispatch;
    QWidget* m_parent;
    QMenu* m_menu;
    QAction* m_pdf;
    QAction* m_odt;
    QAction* m_print;
    ChooseFile m_choose;
    std::filesystem::path m_savedPath;
};

}  // namespace pile
